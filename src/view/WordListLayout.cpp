#include "view/WordListLayout.h"

#include "view/DiagramLayout.h"

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

size_t LineBreak(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width)
{
    // Taking words off the end one at a time, each with the one space before it, until the line
    // fits, leaves the line ending just before some space (or the whole text). Widths grow with
    // the prefix, so the longest such prefix that fits is found by bisection over the breaks.
    auto fits = [&](size_t cut) { return width(text.substr(0, cut)) <= maxWidth; };
    if (text.empty() || fits(text.size())) return text.size();
    std::vector<size_t> breaks;  // line = text[0, cut)
    for (size_t i = 1; i < text.size(); ++i)
        if (text[i] == ' ') breaks.push_back(i);
    // Not even the first word fits: one overflowing line.
    if (breaks.empty() || !fits(breaks[0])) return text.size();
    size_t lo = 0;                // fits
    size_t hi = breaks.size();    // breaks.size() stands for the whole text, which does not fit
    while (hi - lo > 1) {
        const size_t mid = lo + (hi - lo) / 2;
        if (fits(breaks[mid])) lo = mid;
        else hi = mid;
    }
    return breaks[lo];
}

std::pair<std::string, std::string> SplitLine(const TextMetrics& metrics, const FontSpec& font,
                                              std::string_view text, int maxWidth)
{
    const size_t cut =
        LineBreak(text, maxWidth, [&](std::string_view prefix) { return metrics.TextWidth(font, prefix); });
    std::string_view rest = text.substr(cut);
    const size_t lead = rest.find_first_not_of(' ');
    rest.remove_prefix(lead == std::string_view::npos ? rest.size() : lead);
    return {std::string(text.substr(0, cut)), std::string(rest)};
}

std::string DotLeader(const TextMetrics& metrics, const FontSpec& font, std::string line, int maxWidth)
{
    if (metrics.TextWidth(font, line) + metrics.TextWidth(font, "  ") >= maxWidth) return line;
    line += "  ";
    // Dots are appended while the line is narrower than the column and shorter than 255
    // characters, and the last one appended is then dropped. Widths grow with every dot, so the
    // stopping point is searched from an estimate instead of measuring after each dot.
    const size_t base = line.size();
    auto stops = [&](size_t dots) {
        if (base + dots >= 255) return true;
        std::string probe = line;
        probe.append(dots, '.');
        return metrics.TextWidth(font, probe) >= maxWidth;
    };
    const size_t limit = base < 255 ? 255 - base : 0;  // always stops after this many
    // A dot's advance is fractional on screen, so one dot's rounded width misjudges a long leader
    // by several dots; a run of dots gives the estimate its precision (and costs one measuring).
    constexpr int kRun = 16;
    const int64_t runWidth = std::max(metrics.TextWidth(font, std::string(kRun, '.')), 1);
    const int64_t room = std::max(maxWidth - metrics.TextWidth(font, line), 0);
    size_t hi = std::min(limit, static_cast<size_t>((room * kRun + runWidth - 1) / runWidth));
    // Find the first count after which the loop stops: step up or down from the estimate.
    if (stops(hi)) {
        while (hi > 0 && stops(hi - 1)) --hi;
    } else {
        do ++hi;
        while (!stops(hi));
    }
    line.append(hi, '.');
    line.pop_back();
    return line;
}

WordListLayout LayoutWordList(const Puzzle& puzzle, const TextMetrics& metrics, const WordListFonts& fonts, int width)
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
    out.AnswerPos.assign(static_cast<size_t>(std::max(letterCount, 0)) + 1, Point{});
    out.ClueTop.assign(out.AnswerPos.size(), 0);
    for (size_t k = 0; k < puzzle.Clues.size(); ++k) {
        const Clue& clue = puzzle.Clues[k];
        ClueBlock block;
        block.Clue = static_cast<int32_t>(k);
        block.Top = y;
        block.Label = ClueLabel(static_cast<int32_t>(k)) + ".";
        std::string remaining = clue.Text;
        for (;;) {
            auto [line, rest] = SplitLine(metrics, fonts.Clue, remaining, column);
            block.Lines.push_back({y, std::move(line)});
            if (rest.empty()) break;
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
                out.AnswerPos[static_cast<size_t>(index)] = {x, y};
                out.ClueTop[static_cast<size_t>(index)] = block.Top;
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

void AddDotLeader(ClueBlock& block, const WordListMeasures& measures, const TextMetrics& metrics,
                  const WordListFonts& fonts)
{
    if (block.HasLeader || block.Lines.empty()) return;
    std::string& last = block.Lines.back().Text;
    last = DotLeader(metrics, fonts.Clue, std::move(last), measures.TextRight - measures.TextLeft);
    block.HasLeader = true;
}

int32_t ClueHitTest(const WordListLayout& layout, int x, int y)
{
    return HitTest(layout.AnswerPos, layout.Measures.SlotWidth, x, y);
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
