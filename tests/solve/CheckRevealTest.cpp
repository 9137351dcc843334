#include <gtest/gtest.h>

#include "TestPuzzles.h"
#include "solve/CheckReveal.h"
#include "solve/SolutionKey.h"

using namespace qw;
using namespace qw::testing;

namespace {

Puzzle Eight() { return Build({"ABCDEFGH"}, {{"a", Range(1, 4), ""}, {"b", Range(5, 8), ""}}); }

}  // namespace

TEST(CheckReveal, MenuFollowsTheLockAndTheCurrentSquare)
{
    Puzzle p = Eight();
    CursorState c = StartCursor(p);
    p.SolutionScrambled = 1;
    SolutionMenuState m = ComputeSolutionMenu(p, c);
    EXPECT_TRUE(m.keyNumber && !m.reveal && !m.check);
    EXPECT_TRUE(CheckAllLetters(p).message.empty());  // locked commands do nothing
    EXPECT_FALSE(RevealAllLetters(p).congratulate);
    EXPECT_EQ(Entries(p), "        ");

    p.SolutionScrambled = 0;
    m = ComputeSolutionMenu(p, c);
    EXPECT_TRUE(!m.keyNumber && m.reveal && m.check && !m.checkCurrent);
    p.Letters[1].Entered = 'a';
    EXPECT_TRUE(ComputeSolutionMenu(p, c).checkCurrent);
    EXPECT_EQ(CheckCurrentLetter(p, c).message, "Your entry is incorrect");  // case counts
}

TEST(CheckReveal, CheckAllCountsWrongLettersButNotBlanks)
{
    Puzzle p = Eight();
    SetEntries(p, "XBC     ");
    EXPECT_EQ(CheckAllLetters(p).message, "You have entered 1 incorrect letter.");
    SetEntries(p, "XYZ     ");
    EXPECT_EQ(CheckAllLetters(p).message, "You have entered 3 incorrect letters.");
    SetEntries(p, "AB      ");
    EXPECT_EQ(CheckAllLetters(p).message, "You have entered 0 incorrect letters.");
    SetEntries(p, "ABCDEFGH");
    SolutionOutcome o = CheckAllLetters(p);
    EXPECT_TRUE(o.message.empty() && o.congratulate && o.solved);
}

TEST(CheckReveal, RevealSaysCorrectOrFillsAndNeverSetsModified)
{
    Puzzle p = Eight();
    SetEntries(p, "ABCDEFGH");
    CursorState c = StartCursor(p);
    SolutionOutcome o = RevealCurrentLetter(p, c);
    EXPECT_EQ(o.message, "Your entry is correct");
    EXPECT_TRUE(o.congratulate && !o.repaintPanes);

    SetEntries(p, "x       ");
    o = RevealCurrentLetter(p, c);
    EXPECT_EQ(Entries(p), "A       ");
    EXPECT_TRUE(o.message.empty() && o.repaintPanes && !o.congratulate);

    o = RevealAllLetters(p);
    EXPECT_EQ(Entries(p), "ABCDEFGH");
    EXPECT_TRUE(o.freezeDrawing && o.congratulate && o.solved);
    EXPECT_FALSE(p.Modified);
}

TEST(SolutionKey, ComparesTheTypedTextExactly)
{
    Puzzle p = Eight();
    p.KeyNumber = "0042";
    p.SolutionScrambled = 1;
    EXPECT_FALSE(AcceptKey(p, "42"));
    EXPECT_FALSE(p.Modified);
    EXPECT_TRUE(AcceptKey(p, "0042"));
    EXPECT_EQ(p.SolutionScrambled, 0);
    EXPECT_TRUE(p.Modified);

    p.KeyNumber = "123456789";
    EXPECT_FALSE(AcceptKey(p, "1234"));
    EXPECT_EQ(p.SolutionScrambled, 1);
    p.KeyNumber.clear();
    EXPECT_TRUE(AcceptKey(p, ""));

    SetEntries(p, "ABCDEFGH");
    p.SolutionScrambled = 1;
    EXPECT_TRUE(ApplyKeyNumber(p, "").congratulate);
    EXPECT_EQ(FilterKeyDigits(" 08-1 5x\xB2"), "0815");
}
