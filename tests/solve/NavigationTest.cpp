#include <gtest/gtest.h>

#include <stdexcept>

#include "TestPuzzles.h"
#include "solve/Navigation.h"

using namespace qw;
using namespace qw::testing;

namespace {

// Diagram (letters numbered in reading order, '.' black):
//   1 2 3 4
//   5 . 6 7
//   8 . . 9
// Word list: A = 3 1 5, B = 2 9 4 7, C = 8 6, so the chain is 3 1 5 2 9 4 7 8 6.
Puzzle GridPuzzle()
{
    return Build({"ABCD", "E FG", "H  I"}, {{"a", {3, 1, 5}, ""}, {"b", {2, 9, 4, 7}, ""}, {"c", {8, 6}, ""}});
}

CursorState At(const Puzzle& p, int32_t letter, Pane pane)
{
    CursorState c;
    c.CurrentLetter = letter;
    c.ActivePane = pane;
    RememberPosition(p, c);
    return c;
}

}  // namespace

TEST(Navigation, KeyBusyEndsWithItsHandlerEvenWhenItThrows)
{
    CursorState cursor;
    try {
        const KeyBusyScope busy(cursor);
        EXPECT_TRUE(cursor.KeyBusy);
        throw std::runtime_error("handler failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(cursor.KeyBusy);
}

TEST(Navigation, WordListCrossesClueBoundariesExceptForBackspace)
{
    Puzzle p = GridPuzzle();
    SetEntries(p, "XXXXXXXXX");
    CursorState c = At(p, 5, Pane::WordListPane);  // last letter of A
    HandleNavKey(p, c, NavKey::Right);
    EXPECT_EQ(c.CurrentLetter, 2);  // first letter of B
    HandleNavKey(p, c, NavKey::Left);
    EXPECT_EQ(c.CurrentLetter, 5);

    c = At(p, 2, Pane::WordListPane);
    NavResult r = HandleNavKey(p, c, NavKey::Backspace);
    EXPECT_EQ(c.CurrentLetter, 2);  // cleared, but not stepped back into A
    EXPECT_TRUE(p.Modified);
    EXPECT_TRUE(r.refreshTitleStrip && r.repaintMarks);
    EXPECT_FALSE(r.placeCursor);

    c = At(p, 9, Pane::WordListPane);
    r = HandleNavKey(p, c, NavKey::Backspace);
    EXPECT_EQ(c.CurrentLetter, 2);
    EXPECT_TRUE(r.moved && r.remember);
    EXPECT_EQ(Entries(p), "X XXXXXX ");

    c = At(p, 6, Pane::WordListPane);  // the very end: Delete clears and stays
    r = HandleNavKey(p, c, NavKey::Delete);
    EXPECT_EQ(c.CurrentLetter, 6);
    EXPECT_EQ(p.Letters[6].Entered, ' ');
    EXPECT_TRUE(r.repaintMarks && !r.moved);
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Right).moved);

    c = At(p, 3, Pane::WordListPane);
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Left).moved);
    HandleNavKey(p, c, NavKey::Delete);
    EXPECT_EQ(c.CurrentLetter, 1);  // Delete never skips the filled letter
}

TEST(Navigation, VerticalSearchPrefersTheLeftSquareAndKeepsThePreferredColumn)
{
    Puzzle p = GridPuzzle();
    CursorState c = At(p, 2, Pane::DiagramPane);  // row 0, column 1
    NavResult r = HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 5);  // column 1 is black below; columns 0 and 2 tie, left wins
    EXPECT_FALSE(r.remember);
    HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 8);
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Down).moved);  // bottom row
    HandleNavKey(p, c, NavKey::Up);
    HandleNavKey(p, c, NavKey::Up);
    EXPECT_EQ(c.CurrentLetter, 2);  // back where the run started
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Up).moved);

    c = At(p, 3, Pane::DiagramPane);  // column 2: in row 2 column 3 is nearer than column 0
    HandleNavKey(p, c, NavKey::Down);
    HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 9);
}

TEST(Navigation, VerticalMoveIntoARowWithoutLetterSquaresStays)
{
    Puzzle p = Build({"AB", "  ", "CD"}, {{"a", {1, 2, 3, 4}, ""}});
    EXPECT_EQ(VerticalSearch(p, 1, 0), 0);
    CursorState c = At(p, 2, Pane::DiagramPane);
    NavResult r = HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 2);
    EXPECT_TRUE(r.placeCursor && !r.moved);
}

TEST(Navigation, WordListUpDownAimAtThePreferredPosition)
{
    // Answers of 9, 4 and 10 letters laid out in one row.
    Puzzle p = Build({std::string(23, 'Q')}, {{"a", Range(1, 9), ""}, {"b", Range(10, 13), ""}, {"c", Range(14, 23), ""}});
    CursorState c = At(p, 8, Pane::WordListPane);  // position 7 of A
    HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 13);  // B is shorter: its last letter
    HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 21);  // position 7 of C again
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Down).moved);
    HandleNavKey(p, c, NavKey::Up);
    HandleNavKey(p, c, NavKey::Up);
    EXPECT_EQ(c.CurrentLetter, 8);
}

TEST(Navigation, AdvanceSkipsFilledSquaresWithoutWrapping)
{
    Puzzle p = GridPuzzle();
    SetEntries(p, " X XXX XX");  // blanks: 1, 3, 7
    CursorState c = At(p, 3, Pane::DiagramPane);
    AdvanceCursor(p, c, true);
    EXPECT_EQ(c.CurrentLetter, 7);
    AdvanceCursor(p, c, true);
    EXPECT_EQ(c.CurrentLetter, 8);  // nothing blank after 7: exactly one step
    c = At(p, 9, Pane::DiagramPane);
    NavResult r = AdvanceCursor(p, c, true);
    EXPECT_TRUE(r.repaintMarks && !r.placeCursor);

    c = At(p, 1, Pane::WordListPane);  // chain 3 1 5 2 9 4 7 8 6
    AdvanceCursor(p, c, true);
    EXPECT_EQ(c.CurrentLetter, 7);
    AdvanceCursor(p, c, true);
    EXPECT_EQ(c.CurrentLetter, 8);

    NavResult tab = HandleNavKey(p, c, NavKey::Tab);
    EXPECT_EQ(c.ActivePane, Pane::DiagramPane);
    EXPECT_TRUE(tab.repaintPanes && tab.placeCursor && tab.remember && !tab.moved);
}

TEST(Navigation, NothingHappensBeforeAPuzzleIsShown)
{
    Puzzle p = GridPuzzle();
    SetEntries(p, "XXXXXXXXX");
    CursorState c;
    for (NavKey key : {NavKey::Tab, NavKey::Left, NavKey::Down, NavKey::Backspace, NavKey::Delete})
        EXPECT_FALSE(HandleNavKey(p, c, key).placeCursor);
    EXPECT_EQ(c.ActivePane, Pane::WordListPane);
    EXPECT_EQ(Entries(p), "XXXXXXXXX");
}
