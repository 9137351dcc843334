#include <gtest/gtest.h>

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

TEST(Navigation, DiagramLeftRightWalkReadingOrderAndStopAtTheEnds)
{
    Puzzle p = GridPuzzle();
    CursorState c = At(p, 4, Pane::DiagramPane);
    NavResult r = HandleNavKey(p, c, NavKey::Right);
    EXPECT_EQ(c.CurrentLetter, 5);  // end of row 0 to the first letter square of row 1
    EXPECT_TRUE(r.moved && r.placeCursor && r.remember);
    EXPECT_EQ(c.PreferredColumn, 3);  // remembering is PlaceCursor's job, not the key's

    c = At(p, 9, Pane::DiagramPane);
    r = HandleNavKey(p, c, NavKey::Right);
    EXPECT_EQ(c.CurrentLetter, 9);
    EXPECT_FALSE(r.moved);
    EXPECT_TRUE(r.placeCursor);  // still scrolled into view

    c = At(p, 1, Pane::DiagramPane);
    r = HandleNavKey(p, c, NavKey::Left);
    EXPECT_EQ(c.CurrentLetter, 1);
    EXPECT_FALSE(r.moved);
}

TEST(Navigation, WordListLeftRightCrossClueBoundariesButNotTheEnds)
{
    Puzzle p = GridPuzzle();
    CursorState c = At(p, 5, Pane::WordListPane);  // last letter of A
    HandleNavKey(p, c, NavKey::Right);
    EXPECT_EQ(c.CurrentLetter, 2);  // first letter of B
    HandleNavKey(p, c, NavKey::Left);
    EXPECT_EQ(c.CurrentLetter, 5);

    c = At(p, 3, Pane::WordListPane);
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Left).moved);
    c = At(p, 6, Pane::WordListPane);
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Right).moved);
    EXPECT_EQ(c.CurrentLetter, 6);
}

TEST(Navigation, BackspaceClearsAndStepsBackButNotPastTheStartOfTheAnswer)
{
    Puzzle p = GridPuzzle();
    SetEntries(p, "XXXXXXXXX");
    CursorState c = At(p, 2, Pane::WordListPane);  // first letter of B
    NavResult r = HandleNavKey(p, c, NavKey::Backspace);
    EXPECT_EQ(c.CurrentLetter, 2);
    EXPECT_EQ(p.Letters[2].Entered, ' ');
    EXPECT_TRUE(p.Modified);
    EXPECT_TRUE(r.refreshTitleStrip);  // an answer's first letter changed
    EXPECT_TRUE(r.repaintMarks);
    EXPECT_FALSE(r.placeCursor);

    c = At(p, 9, Pane::WordListPane);  // position 1 of B
    r = HandleNavKey(p, c, NavKey::Backspace);
    EXPECT_EQ(c.CurrentLetter, 2);
    EXPECT_FALSE(r.refreshTitleStrip);
    EXPECT_TRUE(r.moved && r.placeCursor && r.remember);
    EXPECT_EQ(Entries(p), "X XXXXXX ");

    c = At(p, 5, Pane::DiagramPane);
    HandleNavKey(p, c, NavKey::Backspace);
    EXPECT_EQ(c.CurrentLetter, 4);  // the diagram steps back in reading order, across rows
    c = At(p, 1, Pane::DiagramPane);
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Backspace).moved);
}

TEST(Navigation, ClearingABlankLetterLeavesModifiedAlone)
{
    Puzzle p = GridPuzzle();
    CursorState c = At(p, 9, Pane::WordListPane);
    HandleNavKey(p, c, NavKey::Backspace);
    EXPECT_FALSE(p.Modified);
    EXPECT_EQ(c.CurrentLetter, 2);  // but the cursor still moves
}

TEST(Navigation, DeleteAdvancesWithoutSkippingAndStaysAtTheVeryEnd)
{
    Puzzle p = GridPuzzle();
    SetEntries(p, "XXXXXXXXX");
    CursorState c = At(p, 3, Pane::WordListPane);
    HandleNavKey(p, c, NavKey::Delete);
    EXPECT_EQ(c.CurrentLetter, 1);  // filled, yet not skipped

    c = At(p, 6, Pane::WordListPane);  // last letter of the last clue
    NavResult r = HandleNavKey(p, c, NavKey::Delete);
    EXPECT_EQ(c.CurrentLetter, 6);
    EXPECT_EQ(p.Letters[6].Entered, ' ');
    EXPECT_FALSE(r.moved);
    EXPECT_TRUE(r.repaintMarks);
}

TEST(Navigation, VerticalSearchPrefersTheLeftSquareAndKeepsThePreferredColumn)
{
    Puzzle p = GridPuzzle();
    CursorState c = At(p, 2, Pane::DiagramPane);  // row 0, column 1
    NavResult r = HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 5);  // column 1 is black below; columns 0 and 2 tie, left wins
    EXPECT_FALSE(r.remember);
    EXPECT_EQ(c.PreferredColumn, 1);
    HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 8);
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Down).moved);  // bottom row
    HandleNavKey(p, c, NavKey::Up);
    HandleNavKey(p, c, NavKey::Up);
    EXPECT_EQ(c.CurrentLetter, 2);  // back where the run started
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Up).moved);  // top row

    c = At(p, 4, Pane::DiagramPane);  // column 3: straight down to 7, then 9
    HandleNavKey(p, c, NavKey::Down);
    HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 9);
    c = At(p, 3, Pane::DiagramPane);  // column 2: row 2 has only columns 0 and 3; 3 is nearer
    HandleNavKey(p, c, NavKey::Down);
    HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 9);
}

TEST(Navigation, VerticalMoveIntoARowWithoutLetterSquaresStays)
{
    Puzzle p = Build({"AB", "  ", "CD"}, {{"a", {1, 2, 3, 4}, ""}});
    EXPECT_EQ(VerticalSearch(p, 1, 0), 0);
    EXPECT_EQ(VerticalSearch(p, 2, 1), 4);
    EXPECT_EQ(VerticalSearch(p, 5, 0), 0);
    CursorState c = At(p, 2, Pane::DiagramPane);
    NavResult r = HandleNavKey(p, c, NavKey::Down);
    EXPECT_EQ(c.CurrentLetter, 2);
    EXPECT_FALSE(r.moved);
    EXPECT_TRUE(r.placeCursor);
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
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Down).moved);  // last clue
    HandleNavKey(p, c, NavKey::Up);
    HandleNavKey(p, c, NavKey::Up);
    EXPECT_EQ(c.CurrentLetter, 8);
    EXPECT_FALSE(HandleNavKey(p, c, NavKey::Up).moved);  // first clue
}

TEST(Navigation, TabTogglesThePaneWithoutMovingTheCursor)
{
    Puzzle p = GridPuzzle();
    CursorState c = At(p, 9, Pane::WordListPane);
    NavResult r = HandleNavKey(p, c, NavKey::Tab);
    EXPECT_EQ(c.ActivePane, Pane::DiagramPane);
    EXPECT_EQ(c.CurrentLetter, 9);
    EXPECT_TRUE(r.repaintPanes && r.placeCursor && r.remember);
    EXPECT_FALSE(r.moved);
    HandleNavKey(p, c, NavKey::Tab);
    EXPECT_EQ(c.ActivePane, Pane::WordListPane);
}

TEST(Navigation, AdvanceSkipsFilledSquaresWithoutWrapping)
{
    Puzzle p = GridPuzzle();
    SetEntries(p, " X XXX XX");  // blanks: 1, 3, 7
    CursorState c = At(p, 3, Pane::DiagramPane);
    AdvanceCursor(p, c, true);
    EXPECT_EQ(c.CurrentLetter, 7);
    NavResult r = AdvanceCursor(p, c, true);
    EXPECT_EQ(c.CurrentLetter, 8);  // nothing blank after 7: exactly one step, filled or not
    EXPECT_TRUE(r.moved && r.remember);
    c = At(p, 9, Pane::DiagramPane);
    r = AdvanceCursor(p, c, true);
    EXPECT_EQ(c.CurrentLetter, 9);
    EXPECT_FALSE(r.placeCursor);
    EXPECT_TRUE(r.repaintMarks);

    // Word list: chain 3 1 5 2 9 4 7 8 6; blanks 1, 3 and 7 are met in chain order.
    c = At(p, 1, Pane::WordListPane);
    AdvanceCursor(p, c, true);
    EXPECT_EQ(c.CurrentLetter, 7);  // across clue A's end into B
    AdvanceCursor(p, c, true);
    EXPECT_EQ(c.CurrentLetter, 8);  // no blank left along the chain: the next letter
    AdvanceCursor(p, c, false);
    EXPECT_EQ(c.CurrentLetter, 6);
    EXPECT_FALSE(AdvanceCursor(p, c, true).moved);
}

TEST(Navigation, NothingHappensBeforeAPuzzleIsShown)
{
    Puzzle p = GridPuzzle();
    SetEntries(p, "XXXXXXXXX");
    CursorState c;  // CurrentLetter 0
    for (NavKey key : {NavKey::Tab, NavKey::Left, NavKey::Right, NavKey::Up, NavKey::Down, NavKey::Backspace,
                       NavKey::Delete}) {
        NavResult r = HandleNavKey(p, c, key);
        EXPECT_FALSE(r.placeCursor || r.repaintMarks || r.repaintPanes);
    }
    EXPECT_EQ(c.CurrentLetter, 0);
    EXPECT_EQ(c.ActivePane, Pane::WordListPane);
    EXPECT_EQ(Entries(p), "XXXXXXXXX");
    EXPECT_FALSE(p.Modified);
    EXPECT_FALSE(AdvanceCursor(p, c, true).repaintMarks);
}
