#include <gtest/gtest.h>

#include <set>

#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"

using namespace qw;

TEST(StressPuzzle, IsLargeValidAndRepeatable)
{
    const Puzzle p = MakeStressPuzzle(1);
    EXPECT_EQ(p.ClueCount, kStressClues);
    EXPECT_EQ(p.LetterCount, kStressLetters);
    EXPECT_LE(p.ColumnCount, 256);
    EXPECT_EQ(CheckPuzzleShape(p.RowCount, p.ColumnCount, ",.;'-!", p.DiagramRows,
                               [&] {
                                   std::vector<ClueInput> clues;
                                   for (const Clue& c : p.Clues) clues.push_back({c.Text, c.Answer, {}});
                                   return clues;
                               }()),
              "");

    int fixed = 0;
    for (int32_t r = 0; r < p.RowCount; ++r)
        for (int32_t c = 0; c < p.ColumnCount; ++c) fixed += p.Grid.GetCell(r, c) < 0;
    EXPECT_GT(fixed, 100);
    int entered = 0;
    for (int32_t i = 1; i <= p.LetterCount; ++i) entered += p.Letters[static_cast<size_t>(i)].Entered != ' ';
    EXPECT_GT(entered, kStressLetters / 5);
    EXPECT_LT(entered, kStressLetters / 2);
    EXPECT_TRUE(p.HasMoreInfo());
    EXPECT_TRUE(p.HasSolverInfo());

    // The chain runs once through every letter.
    std::set<int32_t> seen;
    for (int32_t i = p.Clues[0].Answer[0]; i != 0; i = p.Letters[static_cast<size_t>(i)].Next)
        ASSERT_TRUE(seen.insert(i).second);
    EXPECT_EQ(seen.size(), static_cast<size_t>(kStressLetters));

    EXPECT_EQ(EncodePuzzle(MakeStressPuzzle(1)), EncodePuzzle(p));
    EXPECT_NE(EncodePuzzle(MakeStressPuzzle(2)), EncodePuzzle(p));
}
