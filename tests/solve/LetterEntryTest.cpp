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

bool Typed(Puzzle& p, CursorState& c, char ch) { return TypeCharacter(p, c, ch, kSkip, kSkip).accepted; }

}  // namespace

TEST(LetterEntry, CaseAndAlphabetRules)
{
    Puzzle p = Small();
    CursorState c = StartCursor(p);
    for (char ch : {'\r', '\x1b', '\b', '1', '-', '\xE9'}) EXPECT_FALSE(Typed(p, c, ch)) << int(ch);
    EXPECT_EQ(c.CurrentLetter, 1);
    EXPECT_FALSE(p.Modified);
    TypeResult r = TypeCharacter(p, c, 'c', kSkip, kSkip);
    EXPECT_EQ(p.Letters[1].Entered, 'C');  // capitals-only solution
    EXPECT_TRUE(r.nav.refreshTitleStrip);  // first letter of A

    p.ExtraLetters = "\xE9";
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    EXPECT_TRUE(Typed(p, c, '\xE9'));
    EXPECT_EQ(p.Letters[2].Entered, '\xC9');

    p.AnyCharAllowed = 1;
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    EXPECT_TRUE(Typed(p, c, '!'));
    EXPECT_FALSE(Typed(p, c, '\x1f'));

    Puzzle lower = Build({"Cat"}, {{"a", {1, 2, 3}, ""}});
    c = StartCursor(lower);
    EXPECT_FALSE(Typed(lower, c, 'c'));  // not upper-cased, and not in the default alphabet
    lower.ExtraLetters = "a";
    lower.TypingAlphabet = lower.ComputeTypingAlphabet();
    EXPECT_TRUE(Typed(lower, c, 'C'));
    EXPECT_TRUE(Typed(lower, c, 'a'));
    EXPECT_EQ(Entries(lower), "Ca ");
}

TEST(LetterEntry, SkipOrStepFollowsTheActivePanesSettingAndSpaceNeverSkips)
{
    Puzzle p = Small();
    SetEntries(p, " X X  ");
    CursorState c = StartCursor(p);  // word list
    TypeCharacter(p, c, 'Q', kStep, kSkip);
    EXPECT_EQ(c.CurrentLetter, 3);
    c.CurrentLetter = 1;
    TypeCharacter(p, c, 'Q', kSkip, kStep);
    EXPECT_EQ(c.CurrentLetter, 2);

    c.ActivePane = Pane::DiagramPane;
    for (int setting : {kStep, -1, 5}) {  // only 0 skips
        c.CurrentLetter = 3;
        TypeCharacter(p, c, 'Q', setting, kSkip);
        EXPECT_EQ(c.CurrentLetter, 4) << setting;
    }
    c.CurrentLetter = 3;
    TypeCharacter(p, c, ' ', kSkip, kSkip);
    EXPECT_EQ(c.CurrentLetter, 4);
    EXPECT_EQ(p.Letters[3].Entered, ' ');
}

TEST(LetterEntry, FillingThenOvertypingGivesMessageNothingThenCongratulations)
{
    Puzzle p = Small();
    SetEntries(p, "CATDO ");
    CursorState c = StartCursor(p);
    c.CurrentLetter = 6;
    TypeResult r = TypeCharacter(p, c, 'X', kSkip, kSkip);
    EXPECT_EQ(r.completion, Completion::FilledMessage);
    EXPECT_TRUE(r.nav.repaintMarks);  // end of the order: the marks show the new letter
    EXPECT_EQ(TypeCharacter(p, c, 'Y', kSkip, kSkip).completion, Completion::None);
    r = TypeCharacter(p, c, 'G', kSkip, kSkip);
    EXPECT_EQ(r.completion, Completion::Congratulate);
    EXPECT_TRUE(r.solved);

    p.Modified = false;
    r = TypeCharacter(p, c, 'G', kSkip, kSkip);  // the same letter again: nothing to report
    EXPECT_TRUE(r.accepted && !r.changed);
    EXPECT_EQ(r.completion, Completion::None);
    EXPECT_FALSE(p.Modified);
}

TEST(LetterEntry, CongratulatesWhileTheSolutionIsStillLocked)
{
    Puzzle p = Small();
    p.SolutionScrambled = 1;
    CursorState c = StartCursor(p);
    TypeResult r;
    for (char ch : std::string("catdog")) r = TypeCharacter(p, c, ch, kSkip, kSkip);
    EXPECT_EQ(r.completion, Completion::Congratulate);
}
