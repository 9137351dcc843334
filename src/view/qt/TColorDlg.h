#pragma once
// "Colors": edits the 20-colour screen scheme with a live mock-up of each pane, and the screen clue
// font command. The dialog edits held copies; the caller copies Held() into the live scheme on OK.

#include <QDialog>
#include <array>
#include <optional>

#include "view/ColorScheme.h"

class QFrame;
class QPushButton;
class QTabWidget;

namespace qw {

class Prompts;

class TColorDlg : public QDialog {
    Q_OBJECT
public:
    TColorDlg(const ColorScheme& live, Prompts& prompts, QWidget* parent = nullptr);

    // The colours as the user left them; meaningful after OK.
    ColorScheme Held() const { return held_; }

    QTabWidget* PageControl = nullptr;
    QWidget* DiagramActiveTab = nullptr;
    QWidget* DiagramInactiveTab = nullptr;
    QWidget* CluesActiveTab = nullptr;
    QWidget* CluesInactiveTab = nullptr;
    std::array<QPushButton*, kColorCount> ColorButtons{};  // named <Setting>Btn
    std::array<QPushButton*, 4> RestoreButtons{};          // one per tab, in tab order
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // The 16 x 16 swatch a colour button shows.
    static QPixmap Swatch(uint32_t color);

private:
    void ChooseColor(ColorIndex index);
    void Restore(int tab);
    void RefreshPreviews();
    QWidget* MakeTab(int tab);
    QWidget* MakeDiagramPreview(QWidget* page, bool active);
    QWidget* MakeCluePreview(QWidget* page, bool active);
    void PaintDiagramSquares(QPainter& painter, bool active) const;
    void PaintDiagramCursor(QPainter& painter, bool active) const;
    void PaintCluePreview(QPainter& painter, bool active) const;

    Prompts& prompts_;
    ColorScheme held_;
    std::array<QFrame*, 4> previewPanels_{};  // background panels, by tab
    std::array<QWidget*, 2> squarePanels_{};  // letter-square strips, active and inactive
    std::vector<QWidget*> paintBoxes_;
};

// "Screen &font (for clues)...": the font dialog without effects, preset to `current`; nothing
// when cancelled.
std::optional<FontSpec> ChooseScreenClueFont(Prompts& prompts, const FontSpec& current);

}  // namespace qw
