#pragma once
// "Congratulations!": shown when a command finds the puzzle solved. Offers the notes for
// successful solvers and mail to the author when the puzzle has them.

#include <QDialog>
#include <QPixmap>
#include <functional>

#include "puzzle/Puzzle.h"

class QFrame;
class QLabel;
class QPushButton;

namespace qw {

class Prompts;

class TCongratulationsForm : public QDialog {
    Q_OBJECT
public:
    // The dialog's height with no extra button, counted with the caption and frame as the layout
    // was designed; the client area is kFrameAllowance smaller.
    static constexpr int kBaseHeight = 180;
    static constexpr int kFrameAllowance = 31;
    static constexpr int kClientWidth = 313;

    // `onInfo` shows the solvers' note, `onEmail` writes to the author. A button shows when the
    // puzzle has what it offers; without its callback it stays greyed instead of doing nothing.
    TCongratulationsForm(const Puzzle& puzzle, std::function<void()> onInfo, std::function<void()> onEmail,
                         QWidget* parent = nullptr);

    // The designed outer height: kBaseHeight plus button height + 8 for each extra button shown.
    int DesignHeight() const { return designHeight_; }

    QFrame* Panel1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* InfoBtn = nullptr;
    QPushButton* EmailBtn = nullptr;
    QPushButton* OKBtn = nullptr;

private:
    std::function<void()> onInfo_;
    std::function<void()> onEmail_;
    int designHeight_ = kBaseHeight;
};

// The banner: "Congratulations!" black on white in a script typeface (an italic serif where no
// script face is installed), 223 x 28 pixels.
QPixmap CongratulationsBanner();

// Builds the dialog, shows it modally through `prompts` and destroys it. Callers test IsSolved first.
void ShowCongratulations(Prompts& prompts, QWidget* parent, const Puzzle& puzzle, std::function<void()> onInfo,
                         std::function<void()> onEmail);

}  // namespace qw
