#include "view/ScreenLayout.h"

#include <algorithm>

namespace qw {

namespace {

template <typename T>
T At(const std::vector<T>& byLetter, int32_t letter)
{
    return letter >= 0 && static_cast<size_t>(letter) < byLetter.size() ? byLetter[static_cast<size_t>(letter)] : T{};
}

}  // namespace

void ScreenLayout::SetSide(int side) { side_ = std::max(side, 2); }

bool ScreenLayout::ZoomIn()
{
    if (!CanZoomIn()) return false;
    fit_ = FitMode::None;
    side_ += zoom_.ZoomStep;
    return true;
}

bool ScreenLayout::ZoomOut()
{
    if (!CanZoomOut()) return false;
    fit_ = FitMode::None;
    side_ -= zoom_.ZoomStep;
    return true;
}

bool ScreenLayout::LayOutDiagram(const Puzzle& puzzle, const PaneBox& pane)
{
    const int rows = puzzle.RowCount;
    const int columns = puzzle.ColumnCount;
    if (rows <= 0 || columns <= 0) return false;
    side_ = ApplyFit(fit_, side_, pane.Width, pane.Height, rows, columns);
    const int panelWidth = DiagramExtent(side_, columns);
    const int panelHeight = DiagramExtent(side_, rows);
    const int innerWidth = pane.Width - 2 * pane.Frame;
    const int innerHeight = pane.Height - 2 * pane.Frame;
    bool needH = false;
    bool needV = false;
    for (int pass = 0; pass < 2; ++pass) {  // a bar in one direction can call for the other
        needV = panelHeight > innerHeight - (needH ? pane.Bar : 0);
        needH = panelWidth > innerWidth - (needV ? pane.Bar : 0);
    }
    bars_.Horizontal = needH;
    bars_.Vertical = needV;
    bars_.ClientWidth = innerWidth - (needV ? pane.Bar : 0);
    bars_.ClientHeight = innerHeight - (needH ? pane.Bar : 0);
    bars_.HorizontalMax = needH ? panelWidth - bars_.ClientWidth : 0;
    bars_.VerticalMax = needV ? panelHeight - bars_.ClientHeight : 0;
    diagramPos_ = DiagramPositions(puzzle, side_);
    return true;
}

const DiagramPlacement& ScreenLayout::PlaceDiagram(const Puzzle& puzzle, const PaneBox& pane, int hPos, int vPos)
{
    placement_ = qw::PlaceDiagram(side_, puzzle.RowCount, puzzle.ColumnCount, pane.Width, pane.Height,
                                  bars_.ClientWidth, bars_.ClientHeight, hPos, vPos);
    return placement_;
}

const WordListBar& ScreenLayout::LayOutWordList(const Puzzle& puzzle, const TextMetrics& metrics,
                                                const WordListFonts& fonts, const PaneBox& pane, bool barOn)
{
    const int innerWidth = pane.Width - 2 * pane.Frame;
    WordListScroll scroll;
    // The layout depends on the width only; a change of height needs just a new scroll range.
    for (int pass = 0; pass < 2; ++pass) {
        const int width = std::max(innerWidth - (barOn ? pane.Bar : 0), 1);
        if (!wordListValid_ || wordList_.Width != width) {
            wordList_ = LayoutWordList(puzzle, metrics, fonts, width);
            wordListValid_ = true;
        }
        scroll = qw::WordListScrollFor(pane.Height, wordList_.FinalY, scrollIncrement_);
        if ((scroll.Range > 0) == barOn) break;
        barOn = scroll.Range > 0;
    }
    scrollIncrement_ = scroll.Increment;
    listBar_.On = barOn;
    listBar_.ClientHeight = pane.Height - 2 * pane.Frame;
    listBar_.Range = scroll.Range;
    listBar_.Max = std::max(scroll.Range - listBar_.ClientHeight, 0);
    return listBar_;
}

void ScreenLayout::ClearWordList()
{
    wordList_ = WordListLayout{};
    wordListValid_ = false;
}

Point ScreenLayout::DiagramPos(int32_t letter) const { return At(diagramPos_, letter); }
Point ScreenLayout::AnswerPos(int32_t letter) const { return At(wordList_.AnswerPos, letter); }
int ScreenLayout::ClueTop(int32_t letter) const { return At(wordList_.ClueTop, letter); }

int32_t ScreenLayout::DiagramHit(const Puzzle& puzzle, int x, int y) const
{
    const int32_t hit = HitTest(diagramPos_, side_, x, y);
    return puzzle.HasLetter(hit) ? hit : 0;
}

int32_t ScreenLayout::AnswerHit(const Puzzle& puzzle, int x, int y) const
{
    const int32_t hit = wordListValid_ ? ClueHitTest(wordList_, x, y) : 0;
    return puzzle.HasLetter(hit) ? hit : 0;
}

Rect ScreenLayout::SquareRect(int row, int column) const
{
    const Point o = SquareOrigin(side_, row, column);
    return {o.x, o.y, side_, side_};
}

Rect ScreenLayout::SquareInterior(const Puzzle& puzzle, int32_t letter) const
{
    const LetterEntry& e = puzzle.Letters[static_cast<size_t>(letter)];
    const Point o = SquareOrigin(side_, e.Row, e.Column);
    return {o.x + 1, o.y + 1, side_ - 2, side_ - 2};
}

Rect ScreenLayout::SlotArea(int32_t letter) const
{
    const Point at = AnswerPos(letter);
    return {at.x, at.y, wordList_.Measures.SlotWidth, wordList_.Measures.LineHeight};
}

Rect ScreenLayout::ClueArea(const Puzzle& puzzle, int clue, int width) const
{
    const int32_t first = puzzle.FirstLetterOfClue(clue);
    if (!puzzle.HasLetter(first)) return {};
    const int L = wordList_.Measures.LineHeight;
    const int top = ClueTop(first);
    const Clue& c = puzzle.Clues[static_cast<size_t>(clue)];
    const int32_t last = c.Answer.empty() ? first : c.Answer.back();
    const int bottom = puzzle.HasLetter(last) ? SlotArea(last).Bottom() : top + L;
    return {0, top, width, std::max(bottom - top, L)};
}

Point ScreenLayout::DiagramMark(int32_t letter) const
{
    const Point at = DiagramPos(letter);
    return {at.x + 1, at.y + 1};
}

Point ScreenLayout::ClueMark(int32_t letter) const
{
    const Point at = AnswerPos(letter);
    return {at.x + (wordList_.Measures.SlotWidth - wordList_.Measures.LineHeight) / 2, at.y};
}

Point ScreenLayout::DiagramScrollFor(int32_t letter, int hPos, int hMax, int vPos, int vMax) const
{
    const Point at = DiagramPos(letter);
    if (placement_.HorizontalRange > 0) hPos = ScrollIntoView(hPos, bars_.ClientWidth, hMax, at.x + 1, side_ - 2);
    if (placement_.VerticalRange > 0) vPos = ScrollIntoView(vPos, bars_.ClientHeight, vMax, at.y + 1, side_ - 2);
    return {hPos, vPos};
}

int ScreenLayout::WordListScrollFor(const Puzzle& puzzle, int32_t letter, int pos, int maxPos) const
{
    const int32_t clue = puzzle.Letters[static_cast<size_t>(letter)].ClueIndex;
    return WordListScrollForCursor(pos, listBar_.ClientHeight, maxPos, ClueTop(letter), AnswerPos(letter).y,
                                   wordList_.Measures.LineHeight, clue == 0, clue == puzzle.ClueCount - 1);
}

}  // namespace qw
