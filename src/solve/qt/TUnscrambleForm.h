#pragma once
// "Key to unscramble solution": asks for the key number that unlocks checking and revealing.
// Typed characters other than digits are discarded; pasted text keeps only its digits.

#include <QDialog>
#include <optional>
#include <string>

#include "puzzle/Puzzle.h"
#include "solve/SolutionKey.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace qw {

class Prompts;

class TUnscrambleForm : public QDialog {
    Q_OBJECT
public:
    explicit TUnscrambleForm(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void KeepDigitsOnly();
};

// Shows the key dialog through `prompts`: empty, or holding `text` in constructor mode. Returns
// the dialog's result (QDialog::Accepted for OK) and the edit box's text in `text`.
int AskKeyNumber(Prompts& prompts, QWidget* parent, std::string& text, bool constructorMode);

// "&Key number...": asks, then compares with the puzzle's key. Nothing when the dialog is cancelled.
std::optional<KeyOutcome> RunKeyNumberCommand(Prompts& prompts, QWidget* parent, Puzzle& puzzle,
                                              bool constructorMode);

}  // namespace qw
