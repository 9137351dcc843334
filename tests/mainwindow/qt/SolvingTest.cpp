#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "MainWindowFixture.h"
#include "puzzle/PuzzleFile.h"
#include "view/qt/PuzzleScreen.h"

namespace qw::test {
namespace {

// Word-list order of SmallPuzzle's letters: clue A (1, 2), B (4, 5), C (6, 7, 8), D (3).
const QString kSolutionInWordListOrder = "HIOUALLY";

TEST_F(MainWindowTest, TypingTheWholeSolutionCongratulatesOnce)
{
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    form->Close1Click();
    form->Puz0Click(0);
    Type(kSolutionInWordListOrder.left(7));
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 0);
    Type(kSolutionInWordListOrder.right(1));
    ASSERT_EQ(prompts.Count(PromptKind::Exec), 1);
    EXPECT_EQ(prompts.calls.back().title, "qw::TCongratulationsForm");
    EXPECT_TRUE(form->Recent().Entries().empty());
    EXPECT_EQ(prompts.Count(PromptKind::Information), 0);
}

TEST_F(MainWindowTest, FillingWithAWrongLetterSaysFilledThenOvertypingRightCongratulates)
{
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    Type("HIOUALLX");
    EXPECT_EQ(prompts.Texts(PromptKind::Information), QStringList{"The puzzle is completely filled."});
    // The cursor stayed on the last letter (the end of the order): overtype it.
    EXPECT_EQ(form->Cursor().CurrentLetter, 3);
    Type("Z");
    EXPECT_EQ(prompts.Count(PromptKind::Information), 1);
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 0);
    Type("Y");
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 1);
}

TEST_F(MainWindowTest, LockedPuzzleUnlocksWithItsKeyNumber)
{
    Puzzle locked = SmallPuzzle();
    locked.SolutionScrambled = 1;
    locked.KeyNumber = "0427";
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Locked", locked)));
    form->Solution1Click();
    EXPECT_TRUE(form->Unscramble1->isEnabled());
    EXPECT_FALSE(form->Reveal1->menuAction()->isEnabled());
    EXPECT_FALSE(form->Check1->menuAction()->isEnabled());

    auto typeKey = [](const QString& key) {
        return [key](QDialog& dialog) {
            auto* edit = dialog.findChild<QLineEdit*>();
            EXPECT_NE(edit, nullptr);
            if (edit) QTest::keyClicks(edit, key);
            return static_cast<int>(QDialog::Accepted);
        };
    };
    prompts.QueueExec(typeKey("427"));  // no leading zero: wrong
    form->Unscramble1Click();
    EXPECT_EQ(form->CurrentPuzzle().SolutionScrambled, 1);
    EXPECT_FALSE(form->CurrentPuzzle().Modified);

    prompts.QueueExec(typeKey("0a4b27"));  // letters are not taken
    form->Unscramble1Click();
    EXPECT_EQ(form->CurrentPuzzle().SolutionScrambled, 0);
    EXPECT_TRUE(form->CurrentPuzzle().Modified);
    form->Solution1Click();
    EXPECT_FALSE(form->Unscramble1->isEnabled());
    EXPECT_TRUE(form->Reveal1->menuAction()->isEnabled());
    EXPECT_FALSE(form->Currentletter1->isEnabled());  // the current square is blank

    // Unlocking is saved with the puzzle.
    ASSERT_TRUE(form->SaveCurrent());
    EXPECT_EQ(LoadPuzzle(form->CurrentPuzzle().FileName).SolutionScrambled, 0);
}

TEST_F(MainWindowTest, CheckAllCountsWrongLettersOnly)
{
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    Type("HXOZ");
    form->Allletters2Click();
    EXPECT_EQ(prompts.Texts(PromptKind::Notice), QStringList{"You have entered 2 incorrect letters."});
    form->Currentletter2Click();  // reveal the current letter (the first of clue C): blank, so filled in
    EXPECT_EQ(form->CurrentPuzzle().Letters[6].Entered, 'A');
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 0);
}

TEST_F(MainWindowTest, KeysReachThePanesThroughTheWindow)
{
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->Cursor().ActivePane, Pane::WordListPane);
    QTest::keyClick(form.get(), Qt::Key_Tab);
    EXPECT_EQ(form->Cursor().ActivePane, Pane::DiagramPane);
    QTest::keyClick(form.get(), Qt::Key_Right);
    EXPECT_EQ(form->Cursor().CurrentLetter, 2);
    QTest::keyClicks(form.get(), "i");
    EXPECT_EQ(form->CurrentPuzzle().Letters[2].Entered, 'I');
    // Diagram order: the cursor moved on to letter 3.
    EXPECT_EQ(form->Cursor().CurrentLetter, 3);
    QTest::keyClick(form.get(), Qt::Key_Backspace);
    EXPECT_EQ(form->Cursor().CurrentLetter, 2);
    // Ctrl+Left is not a pane key.
    QTest::keyClick(form.get(), Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(form->Cursor().CurrentLetter, 2);
    form->CurrentPuzzle().Modified = false;
    form->hide();
}

// Once Alt has put the menu bar in keyboard mode, or a menu is open, keys belong to the menus:
// nothing is typed into the puzzle and nothing is modified.
TEST_F(MainWindowTest, KeysInMenuKeyboardModeNeverReachThePuzzle)
{
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QWidget* pane = QApplication::focusWidget();
    ASSERT_NE(pane, nullptr);
    const int start = form->Cursor().CurrentLetter;
    const auto untouched = [&] {
        EXPECT_FALSE(form->CurrentPuzzle().Modified);
        EXPECT_FALSE(form->CurrentPuzzle().AnyEntered());
        EXPECT_EQ(form->Cursor().CurrentLetter, start);
    };

    QTest::keyPress(pane, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(pane, Qt::Key_Alt, Qt::NoModifier);
    QWidget* inMenus = QApplication::focusWidget();
    ASSERT_EQ(inMenus, form->menuBar()) << "Alt did not put the menu bar in keyboard mode";
    for (int key : {int(Qt::Key_Right), int(Qt::Key_Left), int(Qt::Key_Backspace), int(Qt::Key_Tab), int(Qt::Key_Q)})
        QTest::keyClick(inMenus, static_cast<Qt::Key>(key));
    QTest::keyClick(inMenus, Qt::Key_Escape);
    untouched();

    // A menu opened with its access key takes the keys its items do not use as well.
    QTest::keyClick(pane, Qt::Key_O, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_EQ(popup, form->Options1);
    QTest::keyClicks(popup, "qz");
    QTest::keyClick(popup, Qt::Key_Escape);
    if (QApplication::activePopupWidget()) form->Options1->close();
    untouched();
    form->hide();
}

TEST_F(MainWindowTest, HeaderClickOpensTheMoreInfoNote)
{
    Puzzle withNote = SmallPuzzle();
    withNote.MoreInfo.Caption = "About";
    withNote.MoreInfo.Lines = {"A note", "of two lines"};
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Noted", withNote)));
    EXPECT_TRUE(form->MoreInfoonPuzzle1->isVisible());
    emit form->Screen().headerClicked();
    ASSERT_EQ(prompts.Count(PromptKind::Exec), 1);
    EXPECT_EQ(prompts.calls.back().text, "About");

    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Plain")));
    EXPECT_FALSE(form->MoreInfoonPuzzle1->isVisible());
    emit form->Screen().headerClicked();
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 1);

    // A note of one empty line is present: its item, its hint and its viewer agree.
    Puzzle blankNote = SmallPuzzle();
    blankNote.MoreInfo.Lines = {""};
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Blank", blankNote)));
    EXPECT_TRUE(form->MoreInfoonPuzzle1->isVisible());
    form->MoreInfoonPuzzle1->trigger();
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 2);
}

TEST_F(MainWindowTest, MailGoesOutThroughTheShell)
{
    Puzzle withAuthor = SmallPuzzle();
    withAuthor.AuthorAddress = "setter@example.com";
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Mail", withAuthor)));
    EXPECT_TRUE(form->Emailpuzzleauthor1->isVisible());
    form->Emailpuzzleauthor1Click();
    form->Update1Click();
    ASSERT_EQ(shell.urls.size(), 2u);
    EXPECT_EQ(shell.urls[0], "mailto:setter@example.com?Subject=Second%20line");
    EXPECT_EQ(shell.urls[1].rfind("https://", 0), 0u);
}

}  // namespace
}  // namespace qw::test
