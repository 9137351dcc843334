#include "view/WordListLayout.h"

#include <algorithm>

namespace qw {

WordListMeasures MeasureWordList(const TextMetrics& metrics, const WordListFonts& fonts, int width)
{
    WordListMeasures m;
    m.SlotWidth = metrics.TextWidth(fonts.Letter, "WW");
    m.SlotGap = m.SlotWidth / 3;
    m.LineHeight = metrics.TextHeight(fonts.Clue, "Gg");
    m.TextLeft = metrics.TextWidth(fonts.Clue, "WW.   ");
    m.TextRight = (width * 3) / 8;
    m.AnswerLeft = width / 20 + (width * 3) / 8;
    return m;
}

std::pair<std::string, std::string> SplitLine(const TextMetrics& metrics, const FontSpec& font,
                                              std::string_view text, int maxWidth)
{
    std::string line(text);
    size_t cut = line.size();  // the rest is text[cut..]
    // Widths are measured on prefixes only; each pass removes at least one character.
    while (cut > 0 && metrics.TextWidth(font, std::string_view(line).substr(0, cut)) > maxWidth) {
        while (cut > 0 && line[cut - 1] != ' ') --cut;
        if (cut > 0) --cut;  // the space goes to the rest
    }
    std::string rest;
    if (cut == 0) {
        cut = line.size();
    } else {
        rest = line.substr(cut);
        line.resize(cut);
    }
    const size_t lead = rest.find_first_not_of(' ');
    rest.erase(0, lead == std::string::npos ? rest.size() : lead);
    return {line, rest};
}

std::string DotLeader(const TextMetrics& metrics, const FontSpec& font, std::string line, int maxWidth)
{
    if (metrics.TextWidth(font, line) + metrics.TextWidth(font, "  ") >= maxWidth) return line;
    line += "  ";
    // Dots are appended while the line is narrower than the column and shorter than 255
    // characters, and the last one appended is then dropped. Widths grow with every dot, so the
    // stopping point is found by bisection instead of measuring after each dot.
    const size_t base = line.size();
    auto stops = [&](size_t dots) {
        if (base + dots >= 255) return true;
        std::string probe = line;
        probe.append(dots, '.');
        return metrics.TextWidth(font, probe) >= maxWidth;
    };
    size_t lo = 0;  // the loop goes on after `lo` dots
    size_t hi = base < 255 ? 255 - base : 0;  // and stops after `hi`
    if (stops(0)) {
        hi = 0;
    } else {
        while (hi - lo > 1) {
            const size_t mid = lo + (hi - lo) / 2;
            if (stops(mid)) hi = mid;
            else lo = mid;
        }
    }
    line.append(hi, '.');
    line.pop_back();
    return line;
}

WordListLayout LayoutWordList(Puzzle& puzzle, const TextMetrics& metrics, const WordListFonts& fonts, int width)
{
    WordListLayout out;
    out.Width = width;
    const WordListMeasures m = MeasureWordList(metrics, fonts, width);
    out.Measures = m;
    const int L = m.LineHeight;
    const int column = m.TextRight - m.TextLeft;
    const auto letterCount = static_cast<int32_t>(puzzle.Letters.size()) - 1;
    int y = L;
    out.Clues.reserve(puzzle.Clues.size());
    for (size_t k = 0; k < puzzle.Clues.size(); ++k) {
        const Clue& clue = puzzle.Clues[k];
        ClueBlock block;
        block.Clue = static_cast<int32_t>(k);
        block.Top = y;
        block.Label = ClueLabel(static_cast<int32_t>(k)) + ".";
        std::string remaining = clue.Text;
        for (;;) {
            auto [line, rest] = SplitLine(metrics, fonts.Clue, remaining, column);
            if (rest.empty()) {
                block.Lines.push_back({y, DotLeader(metrics, fonts.Clue, std::move(line), column)});
                break;
            }
            block.Lines.push_back({y, std::move(line)});
            y += L;
            remaining = std::move(rest);
        }
        int x = m.AnswerLeft;
        for (int32_t index : clue.Answer) {
            if (x + m.SlotWidth > width) {
                x = m.AnswerLeft + 2 * (m.SlotWidth + m.SlotGap);
                y += 2 * L;
            }
            if (index >= 1 && index <= letterCount) {
                LetterEntry& e = puzzle.Letters[static_cast<size_t>(index)];
                e.AnswerPos = {x, y};
                e.ClueTop = block.Top;
            }
            x += m.SlotWidth + m.SlotGap;
        }
        y += 2 * L;
        block.Bottom = y;
        out.Clues.push_back(std::move(block));
    }
    out.FinalY = y;
    return out;
}

int32_t ClueHitTest(const Puzzle& puzzle, int slotWidth, int x, int y)
{
    const int32_t count = std::min<int32_t>(puzzle.LetterCount, static_cast<int32_t>(puzzle.Letters.size()) - 1);
    for (int32_t i = 1; i <= count; ++i) {
        const Point& p = puzzle.Letters[static_cast<size_t>(i)].AnswerPos;
        if (p.x <= x && x <= p.x + slotWidth && p.y <= y && y <= p.y + slotWidth) return i;
    }
    return 0;
}

WordListScroll WordListScrollFor(int paneHeight, int finalY, int previousIncrement)
{
    if (paneHeight < finalY) return {finalY, finalY / 30};
    return {0, previousIncrement};
}

int WordListScrollForCursor(int pos, int view, int maxPos, int clueTop, int markTop, int markHeight,
                            bool firstClue, bool lastClue)
{
    maxPos = std::max(maxPos, 0);
    if (clueTop < pos || clueTop > pos + view) pos = clueTop;
    if (lastClue) {
        pos = maxPos;
    } else if (firstClue) {
        pos = 0;
    } else {
        if (markTop < pos) pos = markTop;
        else if (markTop + markHeight > pos + view) pos = markTop + markHeight - view;
        // keep the line below the slot in sight
        const int room = view - (markTop - pos);
        if (room < 2 * markHeight) pos += 2 * markHeight - room;
    }
    return std::clamp(pos, 0, maxPos);
}

}  // namespace qw
