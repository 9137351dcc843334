#pragma once
// Diagram geometry: square side, zoom limits, fitting the diagram to its pane, centring it, and
// where each letter square lies. Neighbouring squares share their border line, so the pitch is
// one pixel less than the side.

#include <cstdint>
#include <vector>

#include "puzzle/Puzzle.h"

namespace qw {

enum class FitMode { None, Width, Height, Puzzle };

// The stored text of a fit mode and back; anything unknown (also "None") means no fit.
const char* FitModeName(FitMode mode);
FitMode FitModeFromName(const char* name);

struct ZoomLimits {
    int ZoomStep = 5;
    int MaxSquareSide = 102;
    int MinSquareSide = 20;
};

ZoomLimits ZoomLimitsFromScreenWidth(int screenWidth);
bool CanZoomIn(int side, const ZoomLimits& limits);
bool CanZoomOut(int side, const ZoomLimits& limits);

// Extent in pixels of `count` squares of side `side` laid edge on edge.
inline int DiagramExtent(int side, int count) { return (side - 1) * count + 1; }
inline Point SquareOrigin(int side, int row, int column) { return {column * (side - 1), row * (side - 1)}; }

// Fitting works on the pane's outer size; each leaves room for a scroll bar when the other
// dimension will overflow. rows and columns must be positive.
int FitWidth(int paneWidth, int paneHeight, int rows, int columns);
int FitHeight(int paneWidth, int paneHeight, int rows, int columns);
int FitPuzzle(int paneWidth, int paneHeight, int rows, int columns);
// The side `mode` gives, or `side` unchanged for FitMode::None or an empty diagram.
int ApplyFit(FitMode mode, int side, int paneWidth, int paneHeight, int rows, int columns);

// Where the diagram panel goes inside its pane. Ranges are 0 when that direction does not scroll;
// otherwise they are the panel's extent and the panel follows the scroll position.
struct DiagramPlacement {
    int PanelWidth = 0;
    int PanelHeight = 0;
    int Left = 0;  // in the pane's client coordinates
    int Top = 0;
    int HorizontalRange = 0;
    int VerticalRange = 0;
};

// paneWidth/paneHeight are the outer size, clientWidth/clientHeight what is left inside the border
// and the scroll bars; hPos/vPos the current scroll positions.
DiagramPlacement PlaceDiagram(int side, int rows, int columns, int paneWidth, int paneHeight,
                              int clientWidth, int clientHeight, int hPos, int vPos);

// Top-left of every letter's square for squares of side `side`, by letter index (index 0 unused).
std::vector<Point> DiagramPositions(const Puzzle& puzzle, int side);

// First letter, in index order, whose square of side `size` at `positions` (edges included)
// holds the point; 0 for none. The word list's slots are hit-tested the same way.
int32_t HitTest(const std::vector<Point>& positions, int size, int x, int y);

// Top-left of a character of width `textWidth` in a cell of `width` x `height` whose font's line
// height is `lineHeight`: centred across, two thirds of the free height above it.
inline Point CharacterOrigin(int width, int height, int textWidth, int lineHeight)
{
    return {(width - textWidth) / 2, (2 * (height - lineHeight)) / 3};
}

// Scroll position that brings [start, start + size) into a view of `view` pixels with the least
// movement, clamped to 0..maxPos.
int ScrollIntoView(int pos, int view, int maxPos, int start, int size);

// Splitter: dragging never leaves the diagram pane 50 pixels high or less, nor the word list
// under 50 pixels.
constexpr int kMinDiagramPaneHeight = 51;
constexpr int kMinWordListPaneHeight = 50;
// The diagram pane's share of the available height, rounded half to even.
int DiagramPaneHeight(int available, double ratio);
// The share as a setting may give it: a damaged one (0, 1 or beyond, not a number) would collapse
// a pane, and reads as the default half.
double UsablePaneRatio(double ratio);

// Fixed band heights of the window.
constexpr int kTitleStripHeight = 25;
constexpr int kSplitterHeight = 3;
// |font height| + 4 with the 13-pixel window font; 0 when there is no section.
constexpr int kHeaderFontPixels = 13;
inline int HeaderHeight(int sectionCount) { return sectionCount > 0 ? kHeaderFontPixels + 4 : 0; }

}  // namespace qw
