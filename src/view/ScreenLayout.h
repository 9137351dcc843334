#pragma once
// The screen's drawing state: the square side, zoom limits and fit, the diagram pane's scroll bars
// and where its panel sits, the word list's layout and scroll bar, and where every letter was last
// painted in each pane. It is worked out from the puzzle, the settings and the panes' sizes, and
// belongs to the screen, not to the puzzle. Clicks and the cursor marks go by the last painted
// positions, so they agree with what is on screen.

#include <cstdint>
#include <vector>

#include "puzzle/Puzzle.h"
#include "view/DiagramLayout.h"
#include "view/WordListLayout.h"

namespace qw {

// A pane as the layout sees it: its outer size, the width of its frame and how much room a scroll
// bar takes.
struct PaneBox {
    int Width = 0;
    int Height = 0;
    int Frame = 0;
    int Bar = 0;
};

struct Rect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Bottom() const { return Top + Height - 1; }  // the last row inside
    bool operator==(const Rect&) const = default;
};

// The diagram pane's scroll bars: which it shows, the room left inside it, the largest scroll
// positions.
struct DiagramBars {
    bool Horizontal = false;
    bool Vertical = false;
    int ClientWidth = 0;
    int ClientHeight = 0;
    int HorizontalMax = 0;
    int VerticalMax = 0;
};

struct WordListBar {
    bool On = false;
    int ClientHeight = 0;
    int Range = 0;  // the content height while the list scrolls, else 0
    int Max = 0;    // the largest scroll position
};

class ScreenLayout {
public:
    int Side() const { return side_; }
    // Never below 2, where squares would no longer have an inside.
    void SetSide(int side);
    FitMode Fit() const { return fit_; }
    void SetFit(FitMode mode) { fit_ = mode; }
    const ZoomLimits& Zoom() const { return zoom_; }
    void SetZoom(const ZoomLimits& limits) { zoom_ = limits; }
    bool CanZoomIn() const { return qw::CanZoomIn(side_, zoom_); }
    bool CanZoomOut() const { return qw::CanZoomOut(side_, zoom_); }
    // One zoom step, which ends any fit; at a limit nothing changes and the answer is false.
    bool ZoomIn();
    bool ZoomOut();

    // Fits the side to the pane, chooses the scroll bars and records where every square lies.
    // False, and nothing changes, for an empty diagram.
    bool LayOutDiagram(const Puzzle& puzzle, const PaneBox& pane);
    const DiagramBars& Bars() const { return bars_; }
    // Where the panel goes for the scroll positions `hPos` and `vPos`.
    const DiagramPlacement& PlaceDiagram(const Puzzle& puzzle, const PaneBox& pane, int hPos, int vPos);
    const DiagramPlacement& Placement() const { return placement_; }

    // Lays out the word list for the pane's width, with the bar if `barOn` (the pane's bar as it
    // stands) or if the list then turns out to need it. The layout is only made again when the
    // width changes or after InvalidateWordList.
    const WordListBar& LayOutWordList(const Puzzle& puzzle, const TextMetrics& metrics, const WordListFonts& fonts,
                                      const PaneBox& pane, bool barOn);
    // The painters complete it: dot leaders are added as clues are first painted.
    WordListLayout& WordList() { return wordList_; }
    const WordListLayout& WordList() const { return wordList_; }
    bool WordListValid() const { return wordListValid_; }
    void InvalidateWordList() { wordListValid_ = false; }
    void ClearWordList();
    int ScrollIncrement() const { return scrollIncrement_; }

    // Where a letter was last painted: its square's top-left in the diagram panel, its slot's
    // top-left and its clue's top in the word list; the origin for a letter not laid out.
    Point DiagramPos(int32_t letter) const;
    Point AnswerPos(int32_t letter) const;
    int ClueTop(int32_t letter) const;

    // The letter under a point of the diagram panel or of the word list; 0 for none.
    int32_t DiagramHit(const Puzzle& puzzle, int x, int y) const;
    int32_t AnswerHit(const Puzzle& puzzle, int x, int y) const;

    Rect SquareRect(int row, int column) const;
    // Inside the square's outline, where its fill, letter and cursor mark go.
    Rect SquareInterior(const Puzzle& puzzle, int32_t letter) const;
    // Above the slot's underline, where the letter stands and the cursor mark sits.
    Rect SlotArea(int32_t letter) const;
    // From the clue's top to the bottom of its last slot, across a surface `width` wide.
    Rect ClueArea(const Puzzle& puzzle, int clue, int width) const;

    // The cursor marks' top-lefts: in the diagram panel, and in the word list's surface.
    Point DiagramMark(int32_t letter) const;
    Point ClueMark(int32_t letter) const;

    // The scroll positions that bring the cursor's square into the diagram pane's view, each kept
    // where it is when that direction does not scroll.
    Point DiagramScrollFor(int32_t letter, int hPos, int hMax, int vPos, int vMax) const;
    // The word list's scroll position that brings the cursor's slot into view.
    int WordListScrollFor(const Puzzle& puzzle, int32_t letter, int pos, int maxPos) const;

private:
    int side_ = 25;
    FitMode fit_ = FitMode::Puzzle;
    ZoomLimits zoom_;
    DiagramBars bars_;
    DiagramPlacement placement_;
    std::vector<Point> diagramPos_;
    WordListLayout wordList_;
    bool wordListValid_ = false;
    WordListBar listBar_;
    int scrollIncrement_ = kInitialScrollIncrement;
};

}  // namespace qw
