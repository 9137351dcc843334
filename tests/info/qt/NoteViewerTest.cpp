#include <gmock/gmock.h>

#include <QMainWindow>
#include <QTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>

#include "info/qt/NoteViewers.h"
#include "support/ScriptedPrompts.h"

namespace qw {
namespace {

PuzzleNote MoreInfoNote(int fontHeight)
{
    PuzzleNote note;
    note.Caption = "About this puzzle";
    note.Color = 0x00C0FFFF;  // light yellow
    note.FontName = "Arial";
    note.FontHeight = fontHeight;
    note.FontColor = 0x00800000;  // navy
    note.Italic = true;
    note.Lines = {"First line", "A much longer second line of the note", "Caf\xE9 & more"};
    return note;
}

// A pixel size whose line height is exactly `height`, so sizes can be checked in whole lines.
int PixelSizeWithLineHeight(int height)
{
    for (int px = 8; px <= 24; ++px) {
        QFont font("Arial");
        font.setPixelSize(px);
        font.setItalic(true);
        if (QFontMetrics(font).height() == height) return px;
    }
    return 0;
}

TEST(NoteViewers, ApplyNoteSetsCaptionColoursAndFont)
{
    ScriptedPrompts prompts;
    TShowMemoFrm viewer(prompts);
    PuzzleNote note = MoreInfoNote(-15);
    note.Bold = true;
    viewer.ApplyNote(note);
    EXPECT_EQ(viewer.windowTitle(), "About this puzzle");
    EXPECT_EQ(viewer.Memo1->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(viewer.Memo1->palette().color(QPalette::Text), QColor(0, 0, 0x80));
    EXPECT_EQ(viewer.Memo1->font().pixelSize(), 15);
    EXPECT_TRUE(viewer.Memo1->font().bold());
    EXPECT_TRUE(viewer.Memo1->font().italic());
    EXPECT_FALSE(viewer.Memo1->font().underline());
    EXPECT_EQ(viewer.Memo1->toPlainText(), QString::fromUtf8("First line\nA much longer second line of the note\nCafé & more"));

    // Style flags are cleared before the next note's are set.
    note.Bold = false;
    note.Italic = false;
    note.StrikeOut = true;
    viewer.ApplyNote(note);
    EXPECT_FALSE(viewer.Memo1->font().bold());
    EXPECT_FALSE(viewer.Memo1->font().italic());
    EXPECT_TRUE(viewer.Memo1->font().strikeOut());

    // A positive height is the whole cell, not the character.
    note.FontHeight = 20;
    viewer.ApplyNote(note);
    EXPECT_NEAR(QFontMetrics(viewer.Memo1->font()).height(), 20, 1);
}

TEST(NoteViewers, MoreInfoViewerFitsItsTextEachTimeItIsShown)
{
    const int px = PixelSizeWithLineHeight(16);
    ASSERT_NE(px, 0) << "no Arial size with a 16-pixel line";
    ScriptedPrompts prompts;
    TShowMemoFrm viewer(prompts);
    viewer.ApplyNote(MoreInfoNote(-px));
    const QFontMetrics metrics(viewer.Memo1->font());
    const int widest = metrics.horizontalAdvance("A much longer second line of the note");

    QSize shownSize;
    bool fits = false;
    const auto measure = [&](QDialog& dialog) {
        shownSize = dialog.size();
        // Every line is visible without scrolling in either direction.
        auto* memo = static_cast<TShowMemoFrm&>(dialog).Memo1;
        QTest::qWait(1);
        fits = memo->verticalScrollBar()->maximum() == 0 && memo->horizontalScrollBar()->maximum() <= 1;
        return int(QDialog::Accepted);
    };
    prompts.QueueExec(measure);
    EXPECT_TRUE(viewer.ShowNote());
    EXPECT_EQ(shownSize, QSize(widest + 8, 56));
    EXPECT_TRUE(fits);

    PuzzleNote shorter = MoreInfoNote(-px);
    shorter.Lines = {"One"};
    viewer.ApplyNote(shorter);
    prompts.QueueExec(measure);
    EXPECT_TRUE(viewer.ShowNote());
    EXPECT_EQ(shownSize, QSize(metrics.horizontalAdvance("One") + 8, 24));
}

TEST(NoteViewers, EmptyNoteIsNotShown)
{
    ScriptedPrompts prompts;
    TShowMemoFrm viewer(prompts);
    TShowMemo2Frm solvers(prompts);
    EXPECT_FALSE(viewer.HasNote());
    PuzzleNote empty;
    solvers.ApplyNote(empty);
    EXPECT_FALSE(solvers.HasNote());
    EXPECT_FALSE(viewer.ShowNote());
    EXPECT_FALSE(solvers.ShowNote());
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 0);
}

TEST(NoteViewers, CharacterKeysAndClicksCloseWithoutTouchingTheNote)
{
    ScriptedPrompts prompts;
    TShowMemoFrm viewer(prompts);
    TShowMemo2Frm solvers(prompts);
    PuzzleNote note = MoreInfoNote(-14);
    note.Text = "Well done!\r\nThe quotation comes from a letter.";
    const PuzzleNote before = note;
    viewer.ApplyNote(note);
    solvers.ApplyNote(note);
    EXPECT_EQ(solvers.Memo1->document()->blockCount(), 2);

    for (NoteViewer* dialog : {static_cast<NoteViewer*>(&viewer), static_cast<NoteViewer*>(&solvers)}) {
        const QString text = dialog->Memo1->toPlainText();
        struct Press { Qt::Key key; QWidget* target; bool closes; };
        const Press presses[] = {
            {Qt::Key_Left, dialog->Memo1, false}, {Qt::Key_Down, dialog->Memo1, false},
            {Qt::Key_F1, dialog, false},          {Qt::Key_Shift, dialog->Memo1, false},
            {Qt::Key_X, dialog->Memo1, true},     {Qt::Key_7, dialog->Memo1, true},
            {Qt::Key_Return, dialog->Memo1, true}, {Qt::Key_Backspace, dialog->Memo1, true},
            {Qt::Key_Escape, dialog, true},       {Qt::Key_Delete, dialog->Memo1, false},
        };
        for (const Press& press : presses) {
            dialog->show();
            dialog->setResult(-1);
            QTest::keyClick(press.target, press.key);
            EXPECT_EQ(!dialog->isVisible(), press.closes) << press.key;
            EXPECT_EQ(dialog->Memo1->toPlainText(), text) << press.key;
        }
        dialog->show();
        QTest::mouseClick(dialog->Memo1->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_FALSE(dialog->isVisible());
        dialog->show();
        QTest::mouseClick(dialog, Qt::RightButton, {}, QPoint(1, 1));
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->Memo1->toPlainText(), text);
    }
    EXPECT_EQ(note.Lines, before.Lines);
    EXPECT_EQ(note.Text, before.Text);
}

TEST(NoteViewers, SolversViewerIsSizedOnceAndCappedToTheMainWindow)
{
    ScriptedPrompts prompts;
    QMainWindow main;
    main.resize(700, 500);
    // Decorated by now, unlike the viewer that has never been shown.
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    TShowMemo2Frm viewer(prompts, &main);

    PuzzleNote note = MoreInfoNote(-16);
    note.Italic = false;
    note.Text = "Short\r\nnote";
    viewer.ApplyNote(note);
    const QFontMetrics metrics(viewer.Memo1->font());
    EXPECT_EQ(viewer.size(), QSize(std::ceil(QFontMetricsF(viewer.Memo1->font()).horizontalAdvance("Short")) + 8,
                                   2 * metrics.height() + 8));
    EXPECT_EQ(viewer.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    std::string tall;
    for (int i = 0; i < 60; ++i) tall += "Line " + std::to_string(i) + "\r\n";
    note.Text = tall;
    viewer.ApplyNote(note);
    viewer.show();
    EXPECT_EQ(viewer.frameGeometry().height(), main.frameGeometry().height());
    EXPECT_EQ(viewer.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // The scroll bar does not squeeze the lines into wrapping.
    QTest::qWait(1);
    EXPECT_EQ(viewer.Memo1->document()->documentLayout()->documentSize().height(), 61 * metrics.height() + 8);  // the final line break starts an empty line
    viewer.hide();

    // A long paragraph wraps at the window's width instead of widening it past the main window.
    note.Text.assign(400, 'w').append(1, ' ').append(300, 'x');
    viewer.ApplyNote(note);
    EXPECT_LE(viewer.frameGeometry().width(), main.frameGeometry().width());
    // ... and is as tall as the lines it wraps into at that narrower width, so none is cut off.
    viewer.show();
    QTest::qWait(1);
    EXPECT_EQ(viewer.Memo1->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(viewer.height(), 3 * metrics.height());
    viewer.hide();

    // Showing does not size it again.
    const QSize sized = viewer.size();
    QSize shown;
    prompts.QueueExec([&](QDialog& dialog) { shown = dialog.size(); return int(QDialog::Accepted); });
    viewer.ShowNote();
    EXPECT_EQ(shown, sized);
}

}  // namespace
}  // namespace qw
