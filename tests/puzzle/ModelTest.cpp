#include <gtest/gtest.h>

#include "puzzle/Puzzle.h"
#include "puzzle/Win1252.h"

using namespace qw;

namespace {

Puzzle Build(const std::vector<std::string>& rows, const std::string& fixed,
             const std::vector<ClueInput>& clues)
{
    Puzzle p;
    EXPECT_TRUE(p.BuildPuzzle(static_cast<int32_t>(rows.size()),
                              rows.empty() ? 0 : static_cast<int32_t>(rows[0].size()), fixed, rows, clues));
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    return p;
}

}  // namespace

TEST(ClueLabel, RunsFromAThroughTwoLetterLabels)
{
    EXPECT_EQ(ClueLabel(0), "A");
    EXPECT_EQ(ClueLabel(25), "Z");
    EXPECT_EQ(ClueLabel(26), "AA");
    EXPECT_EQ(ClueLabel(27), "AB");
    EXPECT_EQ(ClueLabel(51), "AZ");
    EXPECT_EQ(ClueLabel(52), "BA");
    EXPECT_EQ(ClueLabel(701), "ZZ");
}

TEST(BuildPuzzle, NumbersLetterSquaresInReadingOrderAndSkipsBlackSquares)
{
    Puzzle p = Build({"AB C", "D.EF"}, ".", {{"one", {1, 2, 3}, "X Z"}, {"two", {4, 5, 6}, ""}});
    EXPECT_EQ(p.LetterCount, 6);
    EXPECT_EQ(p.Grid.GetCell(0, 0), 1);
    EXPECT_EQ(p.Grid.GetCell(0, 1), 2);
    EXPECT_EQ(p.Grid.GetCell(0, 2), 0);
    EXPECT_EQ(p.Grid.GetCell(0, 3), 3);
    EXPECT_EQ(p.Grid.GetCell(1, 1), -'.');
    EXPECT_EQ(p.Letters[5].Row, 1);
    EXPECT_EQ(p.Letters[5].Column, 2);
    EXPECT_EQ(p.Letters[1].Entered, 'X');
    EXPECT_EQ(p.Letters[2].Entered, ' ');
    EXPECT_EQ(p.Letters[4].Entered, ' ');
    // The chain runs across the clue boundary and does not wrap.
    EXPECT_EQ(p.Letters[3].Next, 4);
    EXPECT_EQ(p.Letters[4].Prev, 3);
    EXPECT_EQ(p.Letters[1].Prev, 0);
    EXPECT_EQ(p.Letters[6].Next, 0);
    EXPECT_EQ(p.Letters[4].ClueLabel, "B");
    EXPECT_EQ(p.Letters[4].Position, 0);
}

TEST(BuildPuzzle, FixedTestComesBeforeTheLetterTest)
{
    // A letter listed as fixed is a fixed square; a listed space shows a space instead of black.
    Puzzle p = Build({"AB C"}, "B ", {{"", {1, 2}, ""}});
    EXPECT_EQ(p.LetterCount, 2);
    EXPECT_EQ(p.Grid.GetCell(0, 1), -'B');
    EXPECT_EQ(p.Grid.GetCell(0, 2), -' ');
    EXPECT_EQ(p.Grid.GetCell(0, 3), 2);
}

TEST(BuildPuzzle, RowOfWrongLengthFails)
{
    Puzzle p;
    EXPECT_FALSE(p.BuildPuzzle(2, 3, "", {"ABC", "AB"}, {}));
}

TEST(TypingAlphabet, FollowsCaseOfSolutionAndExtraLetters)
{
    Puzzle upper = Build({"AB"}, "", {{"", {1, 2}, ""}});
    upper.ExtraLetters = "\xe9";  // é
    upper.TypingAlphabet = upper.ComputeTypingAlphabet();
    EXPECT_TRUE(upper.UpperCaseOnly);
    EXPECT_TRUE(Contains(upper.TypingAlphabet, '\xc9'));
    EXPECT_FALSE(Contains(upper.TypingAlphabet, '\xe9'));
    EXPECT_FALSE(Contains(upper.TypingAlphabet, 'a'));

    Puzzle lower = Build({"Ab"}, "", {{"", {1, 2}, ""}});
    lower.ExtraLetters = "\xe9";
    lower.TypingAlphabet = lower.ComputeTypingAlphabet();
    EXPECT_FALSE(lower.UpperCaseOnly);
    EXPECT_TRUE(Contains(lower.TypingAlphabet, '\xc9'));
    EXPECT_TRUE(Contains(lower.TypingAlphabet, '\xe9'));
    EXPECT_FALSE(Contains(lower.TypingAlphabet, 'b'));  // lower case only through ExtraLetters

    Puzzle any = Build({"AB"}, "", {{"", {1, 2}, ""}});
    any.AnyCharAllowed = 1;
    any.TypingAlphabet = any.ComputeTypingAlphabet();
    EXPECT_TRUE(Contains(any.TypingAlphabet, ' '));
    EXPECT_TRUE(Contains(any.TypingAlphabet, '\xff'));
    EXPECT_FALSE(Contains(any.TypingAlphabet, '\x1f'));
}

TEST(SolvedAndFilled, CompareByteForByte)
{
    Puzzle p = Build({"AB"}, "", {{"", {1, 2}, "Ab"}});
    EXPECT_TRUE(p.IsFilled());
    EXPECT_FALSE(p.IsSolved());
    p.Letters[2].Entered = 'B';
    EXPECT_TRUE(p.IsSolved());
    p.Letters[1].Entered = ' ';
    EXPECT_FALSE(p.IsFilled());
    Puzzle empty;
    EXPECT_TRUE(empty.IsSolved());
    EXPECT_TRUE(empty.IsFilled());
}

TEST(Win1252, UpperCasesTheCodePageLetters)
{
    EXPECT_EQ(UpperAnsi('a'), 'A');
    EXPECT_EQ(UpperAnsi('\xe0'), '\xc0');
    EXPECT_EQ(UpperAnsi('\xf7'), '\xf7');  // division sign
    EXPECT_EQ(UpperAnsi('\xdf'), '\xdf');  // sharp s has no capital here
    EXPECT_EQ(UpperAnsi('\x9a'), '\x8a');
    EXPECT_EQ(UpperAnsi('\x9c'), '\x8c');
    EXPECT_EQ(UpperAnsi('\x9e'), '\x8e');
    EXPECT_EQ(UpperAnsi('\xff'), '\x9f');
    EXPECT_EQ(UpperAnsi('1'), '1');
}

TEST(Win1252, RoundTripsThroughUtf8)
{
    std::string all;
    for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToWin1252(Win1252ToUtf8(all)), all);
    EXPECT_EQ(Win1252ToUtf8("\x97"), "\xe2\x80\x94");  // em dash
    EXPECT_EQ(Utf8ToWin1252("\xe4\xb8\xad"), "?");     // not in the code page
    EXPECT_EQ(Utf8ToWin1252("a\xc3"), "a?");            // truncated sequence
}

TEST(BuildPuzzle, AnswerIndicesOutsideTheLettersAreSkipped)
{
    Puzzle p;
    ASSERT_TRUE(p.BuildPuzzle(1, 2, "", {"AB"}, {{"", {1, 0, 3, -7, 2}, "XYZ"}}));
    EXPECT_EQ(p.Letters[1].Next, 2);
    EXPECT_EQ(p.Letters[2].Prev, 1);
    EXPECT_EQ(p.Letters[1].Entered, 'X');
}
