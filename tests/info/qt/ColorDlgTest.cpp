#include <gmock/gmock.h>

#include <QImage>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "platform/QtConvert.h"
#include "support/ScriptedPrompts.h"
#include "view/qt/TColorDlg.h"

namespace qw {
namespace {

QPushButton* Button(TColorDlg& dialog, ColorIndex index)
{
    return dialog.findChild<QPushButton*>(QString::fromLatin1(kColorNames[index]) + "Btn");
}

QColor PixelOf(QWidget* widget, QPoint at) { return widget->grab().toImage().pixelColor(at); }

ColorScheme Customised()
{
    ColorScheme scheme;
    for (size_t i = 0; i < scheme.colors.size(); ++i) scheme.colors[i] = 0x00102030 + static_cast<uint32_t>(i);
    return scheme;
}

TEST(ColorDlg, TabsAndButtonsAreNamedAndHoldTheLiveColours)
{
    ScriptedPrompts prompts;
    TColorDlg dialog(Customised(), prompts);
    EXPECT_EQ(dialog.windowTitle(), "Colors");
    EXPECT_EQ(dialog.size(), QSize(485, 255));
    ASSERT_EQ(dialog.PageControl->count(), 4);
    EXPECT_EQ(dialog.PageControl->tabText(0), "&Diagram - Active");
    EXPECT_EQ(dialog.PageControl->tabText(3), "Clues - &Inactive");
    EXPECT_EQ(dialog.PageControl->currentWidget(), dialog.DiagramActiveTab);
    for (int i = 0; i < kColorCount; ++i) ASSERT_NE(Button(dialog, static_cast<ColorIndex>(i)), nullptr) << i;
    EXPECT_EQ(Button(dialog, DiaInactBlank)->text(), "&Blank Squares");
    EXPECT_EQ(Button(dialog, ClueActCursorFont)->text(), "Cursor Fon&t");
    EXPECT_EQ(Button(dialog, ClueActCursorFont)->parentWidget(), dialog.CluesActiveTab);
    EXPECT_EQ(dialog.Held().colors, Customised().colors);
}

TEST(ColorDlg, SwatchRingIsWhiteOnlyForTheButtonFace)
{
    const QImage face = TColorDlg::Swatch(kButtonFace).toImage();
    const QImage red = TColorDlg::Swatch(0x000000FF).toImage();
    EXPECT_EQ(face.size(), QSize(16, 16));
    EXPECT_EQ(face.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(face.pixelColor(15, 8), QColor(Qt::white));
    EXPECT_EQ(face.pixelColor(8, 8), ToQColor(kButtonFace));
    EXPECT_EQ(red.pixelColor(0, 0), ToQColor(kButtonFace));
    EXPECT_EQ(red.pixelColor(1, 1), QColor(Qt::black));
    EXPECT_EQ(red.pixelColor(14, 14), QColor(Qt::black));
    EXPECT_EQ(red.pixelColor(8, 8), QColor(Qt::red));
}

TEST(ColorDlg, ChosenColourIsHeldAndPreviewed)
{
    ScriptedPrompts prompts;
    TColorDlg dialog(ColorScheme{}, prompts);
    dialog.show();
    prompts.QueueColor(std::nullopt);
    prompts.QueueColor(QColor(0x12, 0x34, 0x56));
    Button(dialog, DiaActCursor)->click();  // cancelled chooser
    EXPECT_EQ(dialog.Held()[DiaActCursor], kDefaultColors[DiaActCursor]);
    Button(dialog, DiaActCursor)->click();
    ASSERT_EQ(prompts.Count(PromptKind::ChooseColor), 2);
    EXPECT_EQ(prompts.calls[0].color, QColor(0, 0xFF, 0));
    EXPECT_EQ(dialog.Held()[DiaActCursor], 0x00563412u);
    auto* cursorMark = dialog.findChild<QWidget*>("PaintBox2");
    ASSERT_NE(cursorMark, nullptr);
    EXPECT_EQ(PixelOf(cursorMark, {1, 1}), QColor(0x12, 0x34, 0x56));
}

TEST(ColorDlg, RestoreResetsOnlyItsTabAndCancelDiscards)
{
    ScriptedPrompts prompts;
    const ColorScheme live = Customised();
    TColorDlg dialog(live, prompts);
    dialog.RestoreButtons[2]->click();  // "&Restore Active Clue Defaults"
    EXPECT_EQ(dialog.RestoreButtons[2]->text(), "&Restore Active Clue Defaults");
    const ColorScheme held = dialog.Held();
    for (int i = 0; i < kColorCount; ++i) {
        const bool activeClue = i >= ClueActBack && i <= ClueActCursorFont;
        EXPECT_EQ(held.colors[i], activeClue ? kDefaultColors[i] : live.colors[i]) << kColorNames[i];
    }
    dialog.show();
    auto* preview = dialog.findChild<QWidget*>("PaintBox5");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(PixelOf(preview, {2, 2}), QColor(Qt::white));

    ScriptedPrompts modal;
    modal.QueueExec([](QDialog& d) {
        static_cast<TColorDlg&>(d).RestoreButtons[0]->click();
        static_cast<TColorDlg&>(d).CancelBtn->click();
        return d.result();
    });
    TColorDlg cancelled(live, modal);
    EXPECT_EQ(modal.Exec(cancelled), int(QDialog::Rejected));

    modal.QueueExec([](QDialog& d) {
        static_cast<TColorDlg&>(d).RestoreButtons[1]->click();
        static_cast<TColorDlg&>(d).OKBtn->click();
        return d.result();
    });
    TColorDlg accepted(live, modal);
    EXPECT_EQ(modal.Exec(accepted), int(QDialog::Accepted));
    EXPECT_EQ(accepted.Held()[DiaInactLetter], kButtonFace);
    EXPECT_EQ(accepted.Held()[DiaActLetter], live[DiaActLetter]);
}

TEST(ColorDlg, DiagramPreviewPaintsSquaresAndCursor)
{
    ScriptedPrompts prompts;
    TColorDlg dialog(ColorScheme{}, prompts);
    dialog.show();
    auto* squares = dialog.findChild<QWidget*>("PaintBox1");
    auto* strip = dialog.findChild<QWidget*>("ActiveSquarePanel");
    ASSERT_NE(squares, nullptr);
    ASSERT_NE(strip, nullptr);
    const QImage image = strip->grab().toImage();
    EXPECT_EQ(image.pixelColor(12, 12), QColor(Qt::black));   // first square is black
    EXPECT_EQ(image.pixelColor(26, 2), QColor(Qt::white));    // "A" square shows the letter colour
    EXPECT_EQ(image.pixelColor(74, 2), QColor(0, 0xFF, 0));   // the cursor mark on the T
    EXPECT_EQ(image.pixelColor(230, 12), QColor(Qt::black));  // last square is black
}

TEST(ScreenClueFont, FontDialogHasNoEffectsAndCancelKeepsTheFont)
{
    ScriptedPrompts prompts;
    const FontSpec current{"Arial", 10, 0};
    EXPECT_FALSE(ChooseScreenClueFont(prompts, current).has_value());
    ASSERT_EQ(prompts.Count(PromptKind::ChooseFont), 1);
    EXPECT_TRUE(prompts.calls[0].fontOptions.noEffects);
    EXPECT_EQ(prompts.calls[0].fontOptions.maxPointSize, 0);
    EXPECT_EQ(prompts.calls[0].font.pointSize(), 10);

    QFont chosen("Arial", 14);
    chosen.setBold(true);
    chosen.setItalic(true);
    prompts.QueueFont(chosen);
    const auto fontSpec = ChooseScreenClueFont(prompts, current);
    ASSERT_TRUE(fontSpec.has_value());
    EXPECT_EQ(fontSpec->pointSize, 14);
    EXPECT_EQ(fontSpec->style, StyleBold | StyleItalic);
}

}  // namespace
}  // namespace qw
