#include <QAction>
#include <QDir>
#include <QFile>
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

    QTest::keyClicks(form.get(), "ab");
    QTest::keyClick(form.get(), Qt::Key_Left);
    QTest::keyClick(form.get(), Qt::Key_Delete);  // clears B
    form->Currentletter2->trigger();              // reveals the third letter
    ASSERT_EQ(state(), std::string("A ") + s3);

    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        std::string entries;
        int32_t cursor;
        bool modified;  // here also: something left to undo
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const std::vector<Step> steps = {
        {Qt::Key_Z, ctrl, "A  ", l3, true},  {Qt::Key_Z, ctrl, "AB ", l2, true},
        {Qt::Key_Z, ctrl, "A  ", l2, true},  {Qt::Key_Z, ctrl, "   ", l1, false},
        {Qt::Key_Z, ctrl, "   ", l1, false}, {Qt::Key_Y, ctrl, "A  ", l1, true},
        {Qt::Key_Z, ctrl | Qt::ShiftModifier, "AB ", l2, true}, {Qt::Key_Y, ctrl, "A  ", l2, true},
    };
    for (const Step& step : steps) {
        QTest::keyClick(form.get(), step.key, step.mods);
        SCOPED_TRACE(QKeySequence(step.key | step.mods).toString().toStdString() + " to " + step.entries);
        EXPECT_EQ(state(), step.entries);
        EXPECT_EQ(form->Cursor().CurrentLetter, step.cursor);
        EXPECT_EQ(p.Modified, step.modified);
        form->Edit1Click();
        EXPECT_EQ(form->Undo1->isEnabled(), step.modified);
        EXPECT_TRUE(form->Redo1->isEnabled());
    }
    QTest::keyClicks(form.get(), "q");  // a new change: the redo steps are gone
    EXPECT_EQ(state(), "AQ ");
    EXPECT_FALSE(form->Redo1->isEnabled());
    // The jumps' shortcuts reach the session through the shown window.
    form->Cursor().CurrentLetter = l1;
    QTest::keyClick(form.get(), Qt::Key_F3);
    EXPECT_EQ(form->Cursor().CurrentLetter, l3);  // past the Q
    QTest::keyClick(form.get(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(form->Cursor().CurrentLetter, p.FirstLetterOfClue(1));
    p.Modified = false;
    form->hide();
}

// Undo never congratulates; redo of the solving keystroke does, and the saved state needs no save.
TEST_F(MainWindowTest, RedoOfTheSolvingStepCongratulatesAndTheSavedStateNeedsNoSave)
{
    const std::string path = WritePuzzle("Small");
    ASSERT_TRUE(form->OpenPuzzleFile(path));
    Type("HIOUALLY");
    form->Undo1Click();
    form->Recent().AddToRecent(path);
    form->Redo1Click();
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 2);  // the keystroke's and the redo's
    EXPECT_TRUE(form->Recent().Entries().empty());
    ASSERT_TRUE(form->SaveCurrent());
    form->Undo1Click();
    form->Redo1Click();
    EXPECT_FALSE(form->CurrentPuzzle().Modified);
    form->Close1Click();
    EXPECT_EQ(prompts.Count(PromptKind::ConfirmYesNo), 0);
    ASSERT_TRUE(form->OpenPuzzleFile(path));  // a loaded puzzle has no history
    form->Edit1Click();
    EXPECT_FALSE(form->Undo1->isEnabled());
}

TEST_F(MainWindowTest, AidOptionsAreStoredAndRestored)
{
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    struct Aid {
        QAction* TForm1::*item;
        bool (PuzzleScreen::*shown)() const;
    };
    // In the Options menu in this order, last.
    const std::vector<Aid> aids = {
        {&TForm1::Highlightcurrentanswer1, &PuzzleScreen::Highlight},
        {&TForm1::Showtheactivepanebyshape1, &PuzzleScreen::PaneShape},
        {&TForm1::Showsquarelabels1, &PuzzleScreen::Labels},
        {&TForm1::Markwrongletterswhenchecking1, &PuzzleScreen::MarkWrong},
        {&TForm1::Showtimer1, nullptr},
    };
    const QList<QAction*> options = form->Options1->actions();
    ASSERT_GE(options.size(), static_cast<qsizetype>(aids.size()));
    for (size_t n = 0; n < aids.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(options[options.size() - static_cast<qsizetype>(aids.size() - n)], form.get()->*aids[n].item);
        EXPECT_FALSE((form.get()->*aids[n].item)->isChecked()) << "off by default";
        (form.get()->*aids[n].item)->trigger();
        EXPECT_TRUE(!aids[n].shown || ((form->Screen()).*aids[n].shown)());
    }
    Restart();
    for (const Aid& aid : aids) {
        EXPECT_TRUE((form.get()->*aid.item)->isChecked());
        EXPECT_TRUE(!aid.shown || ((form->Screen()).*aid.shown)());
    }
}

// The timer counts only while it is on and the window active, is kept per puzzle file across
// runs, and stops for good at the congratulations.
TEST_F(MainWindowTest, TimerCountsWhileShownAndKeepsEachPuzzlesTime)
{
    const std::string path = WritePuzzle("Small");
    auto showActive = [this] {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    };
    ASSERT_TRUE(form->OpenPuzzleFile(path));
    ASSERT_TRUE(showActive());
    EXPECT_EQ(form->TimerText(), QString()) << "off: no section";
    QTest::qWait(1100);
    form->Showtimer1->trigger();
    EXPECT_EQ(form->TimerText(), "0:00") << "nothing was counted while off";
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->TimerText() != "0:00"; }, 5000));
    const QString counted = form->TimerText();  // no tick comes between this and the close
    form->Close1Click();
    EXPECT_EQ(form->TimerText(), QString());

    Restart();
    ASSERT_TRUE(form->OpenPuzzleFile(path));
    EXPECT_EQ(form->TimerText(), counted) << "kept, and not counting before the window is active";
    ASSERT_TRUE(showActive());
    form->Allletters1Click();  // reveals all: congratulations
    const QString final = form->TimerText();
    QTest::qWait(1100);
    EXPECT_EQ(form->TimerText(), final) << "stopped at the congratulations";
    const std::string copy = WritePuzzle("Copy");
    ASSERT_TRUE(form->OpenPuzzleFile(copy));
    EXPECT_EQ(form->TimerText(), "0:00");
    ASSERT_TRUE(form->OpenPuzzleFile(path));
    EXPECT_EQ(form->TimerText(), final);
    form->hide();
}

}  // namespace
}  // namespace qw::test
