#include <gtest/gtest.h>

#include "TestPuzzles.h"
#include "solve/LetterEntry.h"

using namespace qw;
using namespace qw::testing;

namespace {

constexpr int kSkip = 0;
constexpr int kStep = 1;

// Solution "CATDOG" in one row; A = 1 2 3, B = 4 5 6.
Puzzle Small() { return Build({"CATDOG"}, {{"a", {1, 2, 3}, ""}, {"b", {4, 5, 6}, ""}}); }

TypeResult Type(Puzzle& p, CursorState& c, char ch, int diagram = kSkip, int wordList = kSkip)
{
    return TypeCharacter(p, c, ch, diagram, wordList);
}

}  // namespace

TEST(LetterEntry, CapitalsOnlySolutionUpperCasesTypedLetters)
{
    Puzzle p = Small();
    CursorState c = StartCursor(p);
    TypeResult r = Type(p, c, 'c');
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(p.Letters[1].Entered, 'C');
    EXPECT_TRUE(p.Modified);
    EXPECT_EQ(c.CurrentLetter, 2);
    EXPECT_TRUE(r.nav.refreshTitleStrip);  // the first letter of A changed
    Type(p, c, '\xE9');                   // e acute upper-cases to 0xC9, outside the default alphabet
    EXPECT_EQ(p.Letters[2].Entered, ' ');
}

TEST(LetterEntry, DropsControlCharactersAndCharactersOutsideTheAlphabet)
{
    Puzzle p = Small();
    CursorState c = StartCursor(p);
    for (char ch : {'\r', '\x1b', '\b', '\t', '\x01', '1', '-', '\xC9'}) {
        TypeResult r = Type(p, c, ch);
        EXPECT_FALSE(r.accepted) << int(ch);
        EXPECT_FALSE(r.nav.placeCursor || r.nav.repaintMarks);
    }
    EXPECT_EQ(c.CurrentLetter, 1);
    EXPECT_EQ(Entries(p), "      ");
    EXPECT_FALSE(p.Modified);
}

TEST(LetterEntry, LowerCaseSolutionKeepsCaseAndNeedsTheExtraLetters)
{
    Puzzle p = Build({"Cat"}, {{"a", {1, 2, 3}, ""}});
    ASSERT_FALSE(p.UpperCaseOnly);
    CursorState c = StartCursor(p);
    EXPECT_FALSE(Type(p, c, 'c').accepted);  // default alphabet: capitals only
    EXPECT_TRUE(Type(p, c, 'C').accepted);

    p.ExtraLetters = "a\xE9";
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    EXPECT_TRUE(Type(p, c, 'a').accepted);
    EXPECT_EQ(p.Letters[2].Entered, 'a');
    EXPECT_TRUE(Type(p, c, '\xC9').accepted);  // the extra letter's capital is accepted too
    EXPECT_EQ(p.Letters[3].Entered, '\xC9');
}

TEST(LetterEntry, ExtraLettersAndAnyCharacterPuzzles)
{
    Puzzle p = Small();
    p.ExtraLetters = "\xE9";
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    CursorState c = StartCursor(p);
    EXPECT_TRUE(Type(p, c, '\xE9').accepted);
    EXPECT_EQ(p.Letters[1].Entered, '\xC9');  // stored as its capital

    p.AnyCharAllowed = 1;
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    EXPECT_TRUE(Type(p, c, '7').accepted);
    EXPECT_TRUE(Type(p, c, '!').accepted);
    EXPECT_FALSE(Type(p, c, '\x1f').accepted);
    EXPECT_EQ(Entries(p), "\xC9" "7!   ");
}

TEST(LetterEntry, SkipOrStepFollowsTheActivePanesSetting)
{
    Puzzle p = Small();
    SetEntries(p, " X X  ");
    CursorState c = StartCursor(p);  // word list, letter 1
    Type(p, c, 'Q', kStep, kSkip);
    EXPECT_EQ(c.CurrentLetter, 3);  // skips the filled 2
    c.CurrentLetter = 1;
    Type(p, c, 'Q', kSkip, kStep);
    EXPECT_EQ(c.CurrentLetter, 2);  // one step though 2 is filled

    c.ActivePane = Pane::DiagramPane;
    c.CurrentLetter = 3;
    Type(p, c, 'Q', kSkip, kStep);
    EXPECT_EQ(c.CurrentLetter, 5);
    c.CurrentLetter = 3;
    Type(p, c, 'Q', kStep, kSkip);
    EXPECT_EQ(c.CurrentLetter, 4);
    c.CurrentLetter = 3;
    Type(p, c, 'Q', -1, kSkip);  // no item selected behaves as one step
    EXPECT_EQ(c.CurrentLetter, 4);
    c.CurrentLetter = 3;
    Type(p, c, 'Q', 5, kSkip);
    EXPECT_EQ(c.CurrentLetter, 4);
}

TEST(LetterEntry, TypedSpaceBlanksTheSquareAndNeverSkips)
{
    Puzzle p = Small();
    SetEntries(p, "CXX   ");
    CursorState c = StartCursor(p);
    TypeResult r = Type(p, c, ' ');
    EXPECT_TRUE(r.accepted && r.changed);
    EXPECT_EQ(p.Letters[1].Entered, ' ');
    EXPECT_TRUE(p.Modified);
    EXPECT_EQ(c.CurrentLetter, 2);
}

TEST(LetterEntry, RetypingTheSameLetterMovesButChangesNothing)
{
    Puzzle p = Small();
    SetEntries(p, "CATDOG");
    CursorState c = StartCursor(p);
    TypeResult r = Type(p, c, 'C');
    EXPECT_TRUE(r.accepted);
    EXPECT_FALSE(r.changed);
    EXPECT_FALSE(p.Modified);
    EXPECT_EQ(r.completion, Completion::None);  // solved grid, yet no congratulations again
    EXPECT_FALSE(r.solved);
    EXPECT_EQ(c.CurrentLetter, 2);
}

TEST(LetterEntry, FillingThenOvertypingGivesMessageNothingThenCongratulations)
{
    Puzzle p = Small();
    SetEntries(p, "CATDO ");
    CursorState c = StartCursor(p);
    c.CurrentLetter = 6;
    TypeResult r = Type(p, c, 'X');
    EXPECT_EQ(r.completion, Completion::FilledMessage);
    EXPECT_FALSE(r.solved);
    EXPECT_EQ(c.CurrentLetter, 6);  // the end of the order: the marks repaint instead
    EXPECT_TRUE(r.nav.repaintMarks);

    r = Type(p, c, 'Y');
    EXPECT_EQ(r.completion, Completion::None);

    r = Type(p, c, 'G');
    EXPECT_EQ(r.completion, Completion::Congratulate);
    EXPECT_TRUE(r.solved);
}

TEST(LetterEntry, CongratulatesAWhileTheSolutionIsStillLocked)
{
    Puzzle p = Small();
    p.SolutionScrambled = 1;
    CursorState c = StartCursor(p);
    TypeResult r;
    for (char ch : std::string("catdog")) r = Type(p, c, ch);
    EXPECT_EQ(Entries(p), "CATDOG");
    EXPECT_EQ(r.completion, Completion::Congratulate);
    EXPECT_EQ(c.CurrentLetter, 6);
}

TEST(LetterEntry, NoBlankAfterTheCursorMovesOneStepWithoutWrapping)
{
    Puzzle p = Small();
    SetEntries(p, "  TDOG");
    CursorState c = StartCursor(p);
    c.ActivePane = Pane::DiagramPane;
    c.CurrentLetter = 3;
    Type(p, c, 'Q');
    EXPECT_EQ(c.CurrentLetter, 4);
}

TEST(LetterEntry, NothingHappensWithoutACurrentLetter)
{
    Puzzle p = Small();
    CursorState c;
    TypeResult r = Type(p, c, 'C');
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(Entries(p), "      ");
    EXPECT_FALSE(p.Modified);
}
