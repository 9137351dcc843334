#include "view/TitleStrip.h"

#include <algorithm>
#include <numeric>

namespace qw {

char TitleStripChar(const Puzzle& puzzle, int32_t clue)
{
    if (clue < 0 || static_cast<size_t>(clue) >= puzzle.Clues.size()) return kEmDash;
    const auto& answer = puzzle.Clues[static_cast<size_t>(clue)].Answer;
    if (answer.empty() || answer[0] < 1 || static_cast<size_t>(answer[0]) >= puzzle.Letters.size()) return kEmDash;
    const char entered = puzzle.Letters[static_cast<size_t>(answer[0])].Entered;
    return entered == ' ' ? kEmDash : entered;
}

std::vector<int> CentreTitleStrip(const std::vector<int>& widths, int clientWidth)
{
    std::vector<int> lefts;
    lefts.reserve(widths.size());
    int total = -2;
    for (int w : widths) total += w + 2;
    int x = (clientWidth - total) / 2;
    for (int w : widths) {
        lefts.push_back(x);
        x += w + 2;
    }
    return lefts;
}

int32_t TitleClickTarget(const Puzzle& puzzle, int32_t clue)
{
    const auto count = std::min<int32_t>(puzzle.LetterCount, static_cast<int32_t>(puzzle.Letters.size()) - 1);
    for (int32_t i = 1; i <= count; ++i) {
        const LetterEntry& e = puzzle.Letters[static_cast<size_t>(i)];
        if (e.ClueIndex == clue && e.Position == 0) return i;
    }
    return 0;
}

void FillLastSection(std::vector<int>& widths, int headerWidth)
{
    if (widths.empty()) return;
    const int others = std::accumulate(widths.begin(), widths.end() - 1, 0);
    widths.back() = headerWidth - others;
}

std::vector<HeaderSection> HeaderSections(const Puzzle& puzzle, const TextMetrics& metrics,
                                          const FontSpec& font, int headerWidth)
{
    std::vector<HeaderSection> sections;
    for (const std::string& text : puzzle.HeaderStrings) {
        if (text.empty()) continue;
        sections.push_back({text, metrics.TextWidth(font, text + "    ")});
    }
    std::vector<int> widths;
    for (const auto& s : sections) widths.push_back(s.Width);
    FillLastSection(widths, headerWidth);
    for (size_t i = 0; i < sections.size(); ++i) sections[i].Width = widths[i];
    return sections;
}

}  // namespace qw
