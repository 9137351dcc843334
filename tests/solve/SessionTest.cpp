#include <gtest/gtest.h>

#include <functional>

#include "TestPuzzles.h"
#include "solve/Session.h"

using namespace qw;
using namespace qw::testing;

namespace {

// "CAT" and "DOG", word list order as in the diagram; the session starts as a shown puzzle does,
// with the puzzle in the recent list as if it had been left unsolved before.
Session Started()
{
    Session s;
    s.CurrentPuzzle() = Build({"CATDOG"}, {{"a", Range(1, 3), ""}, {"b", Range(4, 6), ""}});
    s.Cursor() = StartCursor(s.CurrentPuzzle());
    s.History().Reset(s.CurrentPuzzle());
    s.Recent().AddToRecent(s.CurrentPuzzle().FileName);
    return s;
}

Change TypeAll(Session& s, const std::string& text)
{
    Change last;
    for (char ch : text) last = s.TypeLetter(ch);
    return last;
}

}  // namespace

TEST(Session, TypedLettersSayWhatChangedAndTheLastRightOneCongratulates)
{
    Session s = Started();
    Change c = s.TypeLetter('C');
    EXPECT_TRUE(c.lettersChanged && c.titleStrip && c.placeCursor);  // an answer's first letter
    EXPECT_FALSE(s.TypeLetter('#').placeCursor);                      // not in the alphabet: nothing
    EXPECT_FALSE(s.TypeLetter('A').titleStrip);

    c = TypeAll(s, "TDOG");
    EXPECT_TRUE(c.congratulate && c.information.empty());
    EXPECT_TRUE(s.Recent().Entries().empty()) << "a solved puzzle leaves the recent list";

    // Undo says which letter to repaint and where the cursor goes; redoing the last letter
    // congratulates again.
    c = s.Undo();
    EXPECT_EQ(c.letters, std::vector<int32_t>{6});
    EXPECT_TRUE(c.placeCursor && c.rememberPosition && c.lettersChanged && !c.congratulate);
    EXPECT_TRUE(s.Redo().congratulate);
    EXPECT_FALSE(s.Redo().lettersChanged) << "nothing left to redo";
}

TEST(Session, AFullWrongGridIsAnnouncedAndTheBehaviourDecidesWhereTheCursorGoes)
{
    Session s = Started();
    s.Behavior().WordList = 1;  // step even onto filled squares
    s.CurrentPuzzle().Letters[2].Entered = 'A';
    s.TypeLetter('C');
    EXPECT_EQ(s.Cursor().CurrentLetter, 2);
    const Change c = TypeAll(s, "ATDOX");
    EXPECT_EQ(c.information, kPuzzleFilledMessage);
    EXPECT_FALSE(c.congratulate);
    EXPECT_EQ(s.Recent().Entries().size(), 1u);
}

TEST(Session, KeysChecksRevealsAndTheKeyNumber)
{
    Session s = Started();
    TypeAll(s, "CA");
    Change c = s.PressKey(NavKey::Backspace);  // on letter 3, blank: steps back only
    EXPECT_FALSE(c.lettersChanged);
    EXPECT_TRUE(c.placeCursor);
    EXPECT_EQ(s.Cursor().CurrentLetter, 2);
    EXPECT_TRUE(s.PressKey(NavKey::Delete).lettersChanged);
    EXPECT_TRUE(s.PressKey(NavKey::Tab).repaintPanes);

    s.CurrentPuzzle().Letters[3].Entered = 'X';
    EXPECT_EQ(s.CheckAllLetters().notice, "You have entered 1 incorrect letter.");
    c = s.RevealAllLetters();
    EXPECT_TRUE(c.freezeDrawing && c.repaintPanes && c.titleStrip && c.lettersChanged && c.congratulate);
    EXPECT_TRUE(s.Recent().Entries().empty());

    Session locked = Started();
    locked.CurrentPuzzle().SolutionScrambled = 1;
    EXPECT_FALSE(locked.RevealAllLetters().lettersChanged);
    KeyOutcome key;
    key.accepted = key.solved = key.congratulate = true;
    EXPECT_TRUE(locked.KeyNumberEntered(key).congratulate);
    EXPECT_TRUE(locked.Recent().Entries().empty());
}

TEST(Session, JumpsToTheNextBlankLetterAndTheNextUnfinishedAnswer)
{
    // Answers a = 1 4 5 and b = 2 3 6, so the word list's order (1 4 5 2 3 6) is not the
    // diagram's.
    enum class Jump { Blank, Answer };
    struct Row {
        const char* what;
        Jump jump;
        Pane pane;
        int32_t from;
        const char* entries;
        int32_t to;  // 0: the cursor stays and nothing is to be placed
    };
    const Row rows[] = {
        {"diagram order", Jump::Blank, Pane::DiagramPane, 1, "C  D  ", 2},
        {"diagram reaches its last square", Jump::Blank, Pane::DiagramPane, 5, " ATDO ", 6},
        {"diagram wraps to the start", Jump::Blank, Pane::DiagramPane, 6, " ATDO ", 1},
        {"word-list order", Jump::Blank, Pane::WordListPane, 1, "CA  OG", 4},
        {"word-list wraps to its start", Jump::Blank, Pane::WordListPane, 6, " ATDOG", 1},
        {"only the cursor's square is blank", Jump::Blank, Pane::DiagramPane, 3, "CA DOG", 3},
        {"filled puzzle", Jump::Blank, Pane::WordListPane, 2, "CATDOG", 0},
        {"next answer's first blank", Jump::Answer, Pane::WordListPane, 1, "CA DOG", 3},
        {"wraps to the first answer", Jump::Answer, Pane::DiagramPane, 2, "  TDOG", 1},
        {"back to the cursor's own answer", Jump::Answer, Pane::WordListPane, 1, "CATD G", 5},
        {"filled answers", Jump::Answer, Pane::DiagramPane, 4, "CATDOG", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Session s;
        s.CurrentPuzzle() = Build({"CATDOG"}, {{"a", {1, 4, 5}, ""}, {"b", {2, 3, 6}, ""}});
        SetEntries(s.CurrentPuzzle(), row.entries);
        s.History().Reset(s.CurrentPuzzle());
        s.Cursor().ActivePane = row.pane;
        s.Cursor().CurrentLetter = row.from;
        const Change c = row.jump == Jump::Blank ? s.NextBlankLetter() : s.NextUnfinishedAnswer();
        EXPECT_EQ(s.Cursor().CurrentLetter, row.to == 0 ? row.from : row.to);
        EXPECT_EQ(c.placeCursor && c.rememberPosition, row.to != 0) << "placed as the arrow keys place it";
        EXPECT_FALSE(c.lettersChanged || c.repaintPanes);
        EXPECT_FALSE(s.History().CanUndo()) << "a jump is no undo step";
        EXPECT_EQ(s.Cursor().ActivePane, row.pane);
    }
}

TEST(Session, ChecksMarkWrongEntriesUntilEachChanges)
{
    Session s = Started();  // the cursor on letter 1
    SetEntries(s.CurrentPuzzle(), "XAYDO ");
    auto marks = [&s] {
        std::string shown;
        for (int32_t letter = 1; letter <= 6; ++letter) shown += s.MarkedWrong(letter) ? 'w' : '.';
        return shown;
    };
    auto at = [&s](int32_t letter) { s.Cursor().CurrentLetter = letter; };
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* marks;
    };
    const Step steps[] = {
        {"check all: the wrong entries, not the blank one", [&] { s.CheckAllLetters(); }, "w.w..."},
        {"typing over one", [&] { s.TypeLetter('Q'); }, "..w..."},
        {"undo brings the entry back, not the mark", [&] { s.Undo(); }, "..w..."},
        {"a right letter checked", [&] { at(2), s.CheckCurrentLetter(); }, "..w..."},
        {"the current wrong letter checked", [&] { at(1), s.CheckCurrentLetter(); }, "w.w..."},
        {"cleared with Delete", [&] { s.PressKey(NavKey::Delete); }, "..w..."},
        {"revealed", [&] { at(3), s.RevealCurrentLetter(); }, "......"},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(marks(), step.marks) << step.what;
    }
    // What the window repaints, and a locked solution checks nothing.
    SetEntries(s.CurrentPuzzle(), "XAYDO ");
    EXPECT_EQ(s.CheckAllLetters().letters, (std::vector<int32_t>{1, 3}));
    Session locked = Started();
    SetEntries(locked.CurrentPuzzle(), "XAYDO ");
    locked.CurrentPuzzle().SolutionScrambled = 1;
    EXPECT_TRUE(locked.CheckAllLetters().letters.empty());
    EXPECT_FALSE(locked.MarkedWrong(1));
}
