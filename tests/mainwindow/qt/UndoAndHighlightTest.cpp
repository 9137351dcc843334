#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "MainWindowFixture.h"
#include "view/qt/PuzzleScreen.h"

namespace qw::test {
namespace {

// Letters typed, cleared and revealed on a sample puzzle, then walked back and forth with the
// Edit menu's shortcuts through the shown window.
TEST_F(MainWindowTest, CtrlZAndCtrlYWalkThroughTypedAndRevealedLetters)
{
    const QString copy = QDir(puzzlesDir).filePath("Practice.QWL");
    ASSERT_TRUE(QFile::copy(QW_SOURCE_DIR "/Puzzles/Practice.QWL", copy));
    ASSERT_TRUE(form->OpenPuzzleFile(copy.toStdString()));
    Puzzle& p = form->CurrentPuzzle();
    ASSERT_EQ(p.SolutionScrambled, 0);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const int32_t l1 = p.FirstLetterOfClue(0);
    const int32_t l2 = p.Letters[static_cast<size_t>(l1)].Next;
    const int32_t l3 = p.Letters[static_cast<size_t>(l2)].Next;
    const char s3 = p.Letters[static_cast<size_t>(l3)].Solution;
    auto state = [&] {
        return std::string{p.Letters[static_cast<size_t>(l1)].Entered, p.Letters[static_cast<size_t>(l2)].Entered,
                           p.Letters[static_cast<size_t>(l3)].Entered};
    };
    auto titleA = [&] { return form->Screen().findChild<QWidget*>("TitlePanel")->findChildren<QLabel*>()[0]->text(); };

    QTest::keyClicks(form.get(), "ab");
    QTest::keyClick(form.get(), Qt::Key_Left);
    QTest::keyClick(form.get(), Qt::Key_Delete);  // clears B
    form->Currentletter2->trigger();              // reveals the third letter
    ASSERT_EQ(state(), std::string("A ") + s3);
    EXPECT_EQ(titleA(), "A");

    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        std::string entries;
        int32_t cursor;
        bool modified, canUndo, canRedo;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const std::vector<Step> steps = {
        {Qt::Key_Z, ctrl, "A  ", l3, true, true, true},
        {Qt::Key_Z, ctrl, "AB ", l2, true, true, true},
        {Qt::Key_Z, ctrl, "A  ", l2, true, true, true},
        {Qt::Key_Z, ctrl, "   ", l1, false, false, true},
        {Qt::Key_Z, ctrl, "   ", l1, false, false, true},  // nothing left to undo
        {Qt::Key_Y, ctrl, "A  ", l1, true, true, true},
        {Qt::Key_Z, ctrl | Qt::ShiftModifier, "AB ", l2, true, true, true},
        {Qt::Key_Y, ctrl, "A  ", l2, true, true, true},
    };
    for (const Step& step : steps) {
        QTest::keyClick(form.get(), step.key, step.mods);
        SCOPED_TRACE(QKeySequence(step.key | step.mods).toString().toStdString() + " to " + step.entries);
        EXPECT_EQ(state(), step.entries);
        EXPECT_EQ(form->Cursor().CurrentLetter, step.cursor);
        EXPECT_EQ(p.Modified, step.modified);
        form->Edit1Click();
        EXPECT_EQ(form->Undo1->isEnabled(), step.canUndo);
        EXPECT_EQ(form->Redo1->isEnabled(), step.canRedo);
    }
    EXPECT_EQ(titleA(), "A");
    QTest::keyClicks(form.get(), "q");  // a new change: the redo steps are gone
    EXPECT_EQ(state(), "AQ ");
    EXPECT_FALSE(form->Redo1->isEnabled());
    p.Modified = false;
    form->hide();
}

TEST_F(MainWindowTest, RedoOfTheSolvingStepCongratulatesUndoNeverAndTheSavedStateNeedsNoSave)
{
    const std::string path = WritePuzzle("Small");
    ASSERT_TRUE(form->OpenPuzzleFile(path));
    Type("HIOUALLY");
    ASSERT_EQ(prompts.Count(PromptKind::Exec), 1);  // the congratulations
    form->Undo1Click();
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 1);
    form->Recent().AddToRecent(path);
    form->Redo1Click();
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 2);
    EXPECT_TRUE(form->Recent().Entries().empty());

    ASSERT_TRUE(form->SaveCurrent());
    form->Undo1Click();
    form->Undo1Click();
    EXPECT_TRUE(form->CurrentPuzzle().Modified);
    form->Redo1Click();
    form->Redo1Click();
    EXPECT_FALSE(form->CurrentPuzzle().Modified);
    form->Close1Click();
    EXPECT_EQ(prompts.Count(PromptKind::ConfirmYesNo), 0);

    ASSERT_TRUE(form->OpenPuzzleFile(path));  // a loaded puzzle has no history
    form->Edit1Click();
    EXPECT_TRUE(form->Edit1->isEnabled());
    EXPECT_FALSE(form->Undo1->isEnabled());
    EXPECT_FALSE(form->Redo1->isEnabled());
}

TEST_F(MainWindowTest, HighlightOptionIsStoredAndRestored)
{
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    EXPECT_FALSE(form->Highlightcurrentanswer1->isChecked());
    EXPECT_EQ(form->Options1->actions().back(), form->Highlightcurrentanswer1);
    form->Highlightcurrentanswer1->trigger();
    EXPECT_TRUE(form->Screen().Highlight());
    ASSERT_TRUE(settings->OpenKey("Quotewell\\Aids", false));
    EXPECT_EQ(settings->ReadInteger("Highlight"), 1);
    settings->CloseKey();
    Restart();
    EXPECT_TRUE(form->Highlightcurrentanswer1->isChecked());
    EXPECT_TRUE(form->Screen().Highlight());
}

}  // namespace
}  // namespace qw::test
