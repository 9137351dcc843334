#include "print/SamplePuzzle.h"

#include <array>
#include <string>
#include <vector>

namespace qw {

Puzzle MakeSamplePuzzle(bool partlySolved)
{
    const std::vector<std::string> rows = {
        "A JOURNEY OF",
        " A THOUSAND ",
        "MILES BEGINS",
        " WITH A SING",
        "LE STEP.    ",
    };
    struct Entry {
        const char* text;
        const char* answer;
    };
    const std::array<Entry, 7> entries = {{
        {"Vegetables cut into thin matchstick strips", "JULIENNE"},
        {"Grain ground for most bread", "WHEAT"},
        {"Stirs up, as passions or a wound", "INFLAMES"},
        {"Many-headed serpents of legend", "HYDRAS"},
        {"Lift, raise or increase", "BOOST"},
        {"Taps on casks and barrels", "SPIGOTS"},
        {"Old gold coin worth twenty-one shillings", "GUINEA"},
    }};

    // Letters of the diagram in reading order, then each answer letter takes a square holding it,
    // visiting the squares in a scattered order so that an answer is spread over the quotation.
    std::string letters;
    for (const std::string& row : rows)
        for (char ch : row)
            if (ch != ' ' && ch != '.') letters += ch;
    const size_t n = letters.size();
    std::vector<bool> used(n + 1, false);
    std::vector<ClueInput> clues;
    size_t probe = 0;
    for (const Entry& e : entries) {
        ClueInput in;
        in.Text = e.text;
        for (const char* p = e.answer; *p; ++p) {
            for (size_t tries = 0; tries < n; ++tries) {
                probe = (probe + 17) % n;  // 17 is prime to 45: every square is visited
                if (!used[probe + 1] && letters[probe] == *p) {
                    used[probe + 1] = true;
                    in.Answer.push_back(static_cast<int32_t>(probe + 1));
                    break;
                }
            }
        }
        clues.push_back(in);
    }
    if (partlySolved) {
        for (size_t k = 0; k < clues.size(); ++k) {
            for (size_t j = 0; j < clues[k].Answer.size(); ++j) {
                const char solution = letters[static_cast<size_t>(clues[k].Answer[j] - 1)];
                clues[k].Progress += (k + j) % 3 != 2 && k != 3 ? solution : ' ';
            }
        }
    }

    Puzzle puzzle;
    puzzle.BuildPuzzle(static_cast<int32_t>(rows.size()), 12, ".", rows, clues);
    puzzle.HeaderStrings[0] = "Quotewell Sample Puzzle";
    puzzle.HeaderStrings[1] = "A proverb in eleven words";
    puzzle.TypingAlphabet = puzzle.ComputeTypingAlphabet();
    return puzzle;
}

}  // namespace qw
