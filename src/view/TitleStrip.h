#pragma once
// The title strip of first letters and the header sections: what they show and where.

#include <cstdint>
#include <string>
#include <vector>

#include "puzzle/Puzzle.h"
#include "view/ColorScheme.h"
#include "view/TextMetrics.h"

namespace qw {

// The em dash of Windows-1252, shown while an answer's first square is blank.
constexpr char kEmDash = '\x97';

// Entered first letter of the clue's answer, or the em dash when it is blank or the answer empty.
char TitleStripChar(const Puzzle& puzzle, int32_t clue);

// Lefts of labels of the given widths laid side by side with 2-pixel gaps, centred in
// `clientWidth` (also when the row is wider: both ends are then cut off).
std::vector<int> CentreTitleStrip(const std::vector<int>& widths, int clientWidth);

// The clue a title label click goes to: the first letter in index order with that ClueIndex and
// Position 0; 0 when the clue has no letter.
int32_t TitleClickTarget(const Puzzle& puzzle, int32_t clue);

struct HeaderSection {
    std::string Text;  // Windows-1252
    int Width = 0;
};

// One section per non-empty header string, each as wide as its text followed by four spaces;
// the last one then fills the header.
std::vector<HeaderSection> HeaderSections(const Puzzle& puzzle, const TextMetrics& metrics,
                                          const FontSpec& font, int headerWidth);
// The last section takes what the others leave of the header.
void FillLastSection(std::vector<int>& widths, int headerWidth);

}  // namespace qw
