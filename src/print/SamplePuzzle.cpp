#include "print/SamplePuzzle.h"

#include <array>
#include <string>
#include <vector>

namespace qw {

Puzzle MakeSamplePuzzle(bool partlySolved)
{
    const std::vector<std::string> rows = {
        "FOUR SCORE AND ",
        "SEVEN YEARS AGO",
        " OUR FATHERS BR",
        "OUGHT FORTH ON ",
        "THIS CONTINENT ",
        "A NEW NATION, C",
        "ONCEIVED IN LIB",
        "ERTY.          ",
    };
    struct Entry {
        const char* text;
        const char* answer;
    };
    const std::array<Entry, 16> entries = {{
        {"Grip tightly, as a fist or the teeth", "CLENCH"},
        {"Tired out", "WEARY"},
        {"Old, messy and badly kept, as some program code", "CRUFTY"},
        {"State of the Swiss confederation", "CANTON"},
        {"Large monkey with a dog-like muzzle", "BABOON"},
        {"Stand for; signify", "DENOTE"},
        {"Danced in the style of Buenos Aires", "TANGOED"},
        {"Severe pain of mind", "ANGUISH"},
        {"Following, in time or place", "AFTER"},
        {"Set of clothes worn together", "OUTFIT"},
        {"Without power to move or act", "INERT"},
        {"Where the land meets the sea", "SHORE"},
        {"Push roughly", "SHOVE"},
        {"Nearer the centre", "INNER"},
        {"Resin rubbed on a violin bow", "ROSIN"},
        {"Brim that shades the eyes", "VISOR"},
    }};

    // Letters of the diagram in reading order, then each answer letter takes a square holding it,
    // visiting the squares in a scattered order so that an answer is spread over the quotation.
    std::string letters;
    for (const std::string& row : rows)
        for (char ch : row)
            if (ch != ' ' && ch != '.' && ch != ',') letters += ch;
    const size_t n = letters.size();
    std::vector<bool> used(n + 1, false);
    std::vector<ClueInput> clues;
    size_t probe = 0;
    for (const Entry& e : entries) {
        ClueInput in;
        in.Text = e.text;
        for (const char* p = e.answer; *p; ++p) {
            for (size_t tries = 0; tries < n; ++tries) {
                probe = (probe + 37) % n;  // 37 is prime to 90: every square is visited
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
                clues[k].Progress += (k + j) % 3 != 2 && k % 5 != 3 ? solution : ' ';
            }
        }
    }

    Puzzle puzzle;
    puzzle.BuildPuzzle(static_cast<int32_t>(rows.size()), 15, ".,", rows, clues);
    puzzle.HeaderStrings[0] = "Quotewell Sample Puzzle";
    puzzle.HeaderStrings[1] = "The opening of a famous address";
    puzzle.TypingAlphabet = puzzle.ComputeTypingAlphabet();
    return puzzle;
}

}  // namespace qw
