#include <gtest/gtest.h>

#include "view/Highlight.h"

using namespace qw;

namespace {

// A B # C D      letters 1 2 . 3 4   (# black)
// E , F G H      letters 5 , 6 7 8   (',' fixed)
// Answers: clue 0 = 6 1 8, clue 1 = 2 5 3, clue 2 = 4 7.
Puzzle Small()
{
    Puzzle p;
    EXPECT_TRUE(p.BuildPuzzle(2, 5, ",", {"AB CD", "E,FGH"},
                              {{"zero", {6, 1, 8}, ""}, {"one", {2, 5, 3}, ""}, {"two", {4, 7}, ""}}));
    return p;
}

std::vector<int32_t> Tinted(const Puzzle& p, const HighlightSet& set, bool squares)
{
    std::vector<int32_t> letters;
    for (int32_t i = 1; i <= p.LetterCount; ++i)
        if (squares ? set.InAnswer(p.Letters[static_cast<size_t>(i)]) : set.InWord(i)) letters.push_back(i);
    return letters;
}

TEST(Highlight, TintsTheAnswerInTheDiagramAndTheQuotationWordInTheWordList)
{
    const Puzzle p = Small();
    struct Case {
        const char* where;
        int32_t letter;
        std::vector<int32_t> squares, slots;
    };
    const std::vector<Case> cases = {
        {"answer start, word after a fixed character", 6, {1, 6, 8}, {6, 7, 8}},
        {"answer middle, word at the row's start", 1, {1, 6, 8}, {1, 2}},
        {"answer end, word at the row's end", 8, {1, 6, 8}, {6, 7, 8}},
        {"word between a black square and the row's end", 4, {4, 7}, {3, 4}},
        {"word of one letter before a fixed character", 5, {2, 3, 5}, {5}},
        {"no letter", 0, {}, {}},
        {"past the letters", 9, {}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.where);
        const HighlightSet set = HighlightFor(p, test.letter);
        EXPECT_EQ(Tinted(p, set, true), test.squares);
        EXPECT_EQ(Tinted(p, set, false), test.slots);
    }
}

TEST(Highlight, TintMixesAQuarterOfTheCursorAndNeverMeetsACursorColour)
{
    struct Case {
        uint32_t cursor, background, other, tint;
    };
    const std::vector<Case> cases = {
        {0x00FF00, 0xFFFFFF, 0x0000FF, 0xBFFFBF},  // the default active diagram
        {0x0000FF, 0x000000, 0x00FF00, 0x000040},  // red on black
        {0x00FF00, 0x00FF00, 0x0000FF, 0x30CF30},  // background equal to the cursor: moved off it
        {0x00FF00, 0x00FF00, 0x30CF30, 0x48B748},  // ... and off the other cursor as well
    };
    for (const Case& test : cases)
        EXPECT_EQ(HighlightTint(test.cursor, test.background, test.other), test.tint) << std::hex << test.cursor;
}

}  // namespace
