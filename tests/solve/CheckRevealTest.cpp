#include <gtest/gtest.h>

#include "TestPuzzles.h"
#include "solve/CheckReveal.h"
#include "solve/SolutionKey.h"

using namespace qw;
using namespace qw::testing;

namespace {

Puzzle Eight() { return Build({"ABCDEFGH"}, {{"a", Range(1, 4), ""}, {"b", Range(5, 8), ""}}); }

}  // namespace

TEST(SolutionMenu, LockedSolutionEnablesOnlyTheKeyNumber)
{
    Puzzle p = Eight();
    CursorState c = StartCursor(p);
    p.SolutionScrambled = 1;
    SolutionMenuState m = ComputeSolutionMenu(p, c);
    EXPECT_TRUE(m.keyNumber);
    EXPECT_FALSE(m.reveal || m.check);

    p.SolutionScrambled = 0;
    m = ComputeSolutionMenu(p, c);
    EXPECT_FALSE(m.keyNumber);
    EXPECT_TRUE(m.reveal && m.check);
    EXPECT_FALSE(m.checkCurrent);  // blank square
    p.Letters[1].Entered = 'Z';
    EXPECT_TRUE(ComputeSolutionMenu(p, c).checkCurrent);
}

TEST(CheckReveal, CheckCurrentComparesCaseSensitively)
{
    Puzzle p = Eight();
    CursorState c = StartCursor(p);
    p.Letters[1].Entered = 'A';
    EXPECT_EQ(CheckCurrentLetter(p, c).message, "Your entry is correct");
    p.Letters[1].Entered = 'a';
    EXPECT_EQ(CheckCurrentLetter(p, c).message, "Your entry is incorrect");
    EXPECT_EQ(p.Letters[1].Entered, 'a');
    EXPECT_FALSE(p.Modified);
}

TEST(CheckReveal, CheckAllCountsWrongLettersButNotBlanks)
{
    Puzzle p = Eight();
    SetEntries(p, "XBC     ");
    EXPECT_EQ(CheckAllLetters(p).message, "You have entered 1 incorrect letter.");
    SetEntries(p, "XYZ     ");
    EXPECT_EQ(CheckAllLetters(p).message, "You have entered 3 incorrect letters.");
    SetEntries(p, "AB      ");
    SolutionOutcome o = CheckAllLetters(p);
    EXPECT_EQ(o.message, "You have entered 0 incorrect letters.");
    EXPECT_FALSE(o.congratulate);
    EXPECT_EQ(Entries(p), "AB      ");  // wrong letters are neither marked nor removed

    SetEntries(p, "ABCDEFGH");
    o = CheckAllLetters(p);
    EXPECT_TRUE(o.message.empty());
    EXPECT_TRUE(o.congratulate && o.solved);
}

TEST(CheckReveal, RevealCurrentOnARightLetterInARightGridSaysSoThenCongratulates)
{
    Puzzle p = Eight();
    SetEntries(p, "ABCDEFGH");
    CursorState c = StartCursor(p);
    SolutionOutcome o = RevealCurrentLetter(p, c);
    EXPECT_EQ(o.message, "Your entry is correct");
    EXPECT_FALSE(o.repaintPanes);
    EXPECT_TRUE(o.congratulate && o.solved);
}

TEST(CheckReveal, RevealCurrentFillsTheLetterWithoutModifiedOrMovingTheCursor)
{
    Puzzle p = Eight();
    SetEntries(p, "xBCDEFGH");
    CursorState c = StartCursor(p);
    SolutionOutcome o = RevealCurrentLetter(p, c);
    EXPECT_TRUE(o.message.empty());
    EXPECT_TRUE(o.repaintPanes && o.refreshTitleStrip);
    EXPECT_TRUE(o.congratulate);
    EXPECT_EQ(p.Letters[1].Entered, 'A');
    EXPECT_EQ(c.CurrentLetter, 1);
    EXPECT_FALSE(p.Modified);

    SetEntries(p, "        ");
    o = RevealCurrentLetter(p, c);
    EXPECT_EQ(Entries(p), "A       ");
    EXPECT_FALSE(o.congratulate || o.solved);
}

TEST(CheckReveal, RevealAllFillsEverythingAndAlwaysCongratulates)
{
    Puzzle p = Eight();
    SetEntries(p, "Q  x    ");
    SolutionOutcome o = RevealAllLetters(p);
    EXPECT_EQ(Entries(p), "ABCDEFGH");
    EXPECT_TRUE(o.freezeDrawing && o.repaintPanes && o.refreshTitleStrip);
    EXPECT_TRUE(o.congratulate && o.solved);
    EXPECT_FALSE(p.Modified);
}

TEST(CheckReveal, LockedSolutionRevealsAndChecksNothing)
{
    Puzzle p = Eight();
    SetEntries(p, "Q       ");
    p.SolutionScrambled = 1;
    CursorState c = StartCursor(p);
    EXPECT_TRUE(CheckCurrentLetter(p, c).message.empty());
    EXPECT_TRUE(CheckAllLetters(p).message.empty());
    EXPECT_FALSE(RevealCurrentLetter(p, c).repaintPanes);
    EXPECT_FALSE(RevealAllLetters(p).congratulate);
    EXPECT_EQ(Entries(p), "Q       ");
}

TEST(SolutionKey, ComparesTheTypedTextExactly)
{
    Puzzle p = Eight();
    p.KeyNumber = "0042";
    p.SolutionScrambled = 1;
    EXPECT_FALSE(AcceptKey(p, "42"));
    EXPECT_EQ(p.SolutionScrambled, 1);
    EXPECT_FALSE(p.Modified);
    EXPECT_FALSE(AcceptKey(p, "00420"));
    EXPECT_TRUE(AcceptKey(p, "0042"));
    EXPECT_EQ(p.SolutionScrambled, 0);
    EXPECT_TRUE(p.Modified);

    p.KeyNumber = "123456789";
    p.SolutionScrambled = 1;
    EXPECT_FALSE(AcceptKey(p, "1234"));  // longer keys are compared in full
    EXPECT_TRUE(AcceptKey(p, "123456789"));

    p.KeyNumber.clear();
    p.SolutionScrambled = 1;
    EXPECT_FALSE(AcceptKey(p, "0"));
    EXPECT_TRUE(AcceptKey(p, ""));  // a puzzle without a key opens on an empty box
}

TEST(SolutionKey, AcceptedKeyOnASolvedGridCongratulates)
{
    Puzzle p = Eight();
    p.KeyNumber = "7";
    p.SolutionScrambled = 1;
    SetEntries(p, "ABCDEFGH");
    KeyOutcome o = ApplyKeyNumber(p, "8");
    EXPECT_FALSE(o.accepted || o.congratulate || o.solved);
    o = ApplyKeyNumber(p, "7");
    EXPECT_TRUE(o.accepted && o.congratulate && o.solved);

    SetEntries(p, "ABCDEFG ");
    p.SolutionScrambled = 1;
    o = ApplyKeyNumber(p, "7");
    EXPECT_TRUE(o.accepted);
    EXPECT_FALSE(o.congratulate);
}

TEST(SolutionKey, ConstructorModePresetsTheKeyAndPastedTextKeepsDigits)
{
    Puzzle p = Eight();
    p.KeyNumber = "0815";
    EXPECT_EQ(InitialKeyText(p, true), "0815");
    EXPECT_EQ(InitialKeyText(p, false), "");
    EXPECT_EQ(FilterKeyDigits(" 08-1 5x\xB2"), "0815");  // superscript two is no digit
}
