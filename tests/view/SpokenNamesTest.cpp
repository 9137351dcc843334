#include <gtest/gtest.h>

#include "view/SpokenNames.h"

using namespace qw;

namespace {

// H O # W L      letters 1 2 . 3 4   (# black)
// T , E - S      letters 5 , 6 - 7   (',' and '-' fixed)
// Answers: A = 3 4 6 (no stop), B = 1 2 7 5 ("Cry of an owl." ends in its own stop), C = none.
Puzzle Small()
{
    Puzzle p;
    EXPECT_TRUE(p.BuildPuzzle(2, 5, ",-", {"HO WL", "T,E-S"},
                              {{"Bird of prey ", {3, 4, 6}, "OW"},
                               {"Cry of an owl.", {1, 2, 7, 5}, "HO T"},
                               {"Caf\xE9", {}, ""}}));
    return p;
}

TEST(SpokenNames, NameEachPartOfThePanesAsTheReaderSaysIt)
{
    const Puzzle p = Small();
    struct Case {
        const char* what;
        std::string name, expected;
    };
    const std::vector<Case> cases = {
        {"typed square", SquareName(p, 0, 0), "Square 1, clue B letter 1, H"},
        {"empty square", SquareName(p, 1, 4), "Square 7, clue B letter 3, empty"},
        {"black square", SquareName(p, 0, 2), "black square"},
        {"fixed comma", SquareName(p, 1, 1), "comma"},
        {"fixed dash", SquareName(p, 1, 3), "dash"},
        {"outside the diagram", SquareName(p, 2, 0), ""},
        {"letter as in the diagram", LetterName(p, 6), "Square 6, clue A letter 3, empty"},
        {"no such letter", LetterName(p, 8), ""},
        {"clue with its own stop", ClueItemName(p, 1), "B. Cry of an owl. 4 letters: H, O, blank, T"},
        {"clue given a stop", ClueItemName(p, 0), "A. Bird of prey. 3 letters: O, W, blank"},
        {"clue text not ASCII", ClueItemName(p, 2), "C. Caf\xC3\xA9. 0 letters:"},
        {"no such clue", ClueItemName(p, 3), ""},
        {"focus entering an answer", FocusName(p, 1, 6), "B. Cry of an owl. Square 1, clue B letter 1, H"},
        {"focus from no letter", FocusName(p, 3, 0), "A. Bird of prey. Square 3, clue A letter 1, O"},
        {"focus within the answer", FocusName(p, 2, 1), "Square 2, clue B letter 2, O"},
        {"title strip letter typed", FirstLetterName(p, 1), "Clue B first letter, H"},
        {"title strip letter blank", FirstLetterName(p, 2), "Clue C first letter, blank"},
        {"apostrophe", SpokenCharacter('\''), "apostrophe"},
        {"period", SpokenCharacter('.'), "period"},
        {"unnamed character", SpokenCharacter('\xE9'), "\xC3\xA9"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(test.name, test.expected);
    }
}

TEST(SpokenNames, TheHighlightIsSpokenWhereItIsTinted)
{
    const Puzzle p = Small();
    const HighlightSet onA = HighlightFor(p, 3);  // answer A (3 4 6), the word of squares 3 and 4
    const HighlightSet wordOfB = {0, 1, 2};       // answer A, the word of squares 1 and 2 (clue B's)
    struct Case {
        const char* what;
        HighlightSet highlight;
        int32_t letter;
        bool wordList;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"square of the answer", onA, 6, false, ", in the current answer"},
        {"answer slot outside the word", onA, 6, true, ", in the current answer"},
        {"answer slot in the word too", onA, 4, true, ", in the current answer"},
        {"the word counts in the word list only", wordOfB, 1, false, ""},
        {"word slot of another answer", wordOfB, 1, true, ", in the current word"},
        {"square of another answer", onA, 1, false, ""},
        {"aid off", HighlightSet{}, 3, true, ""},
        {"no such letter", onA, 8, false, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(HighlightWords(p, test.highlight, test.letter, test.wordList), test.expected);
    }
}

}  // namespace
