#include "view/DiagramLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qw {

const char* FitModeName(FitMode mode)
{
    switch (mode) {
    case FitMode::Width: return "Width";
    case FitMode::Height: return "Height";
    case FitMode::Puzzle: return "Puzzle";
    case FitMode::None: break;
    }
    return "None";
}

FitMode FitModeFromName(const char* name)
{
    if (!name) return FitMode::None;
    if (std::strcmp(name, "Width") == 0) return FitMode::Width;
    if (std::strcmp(name, "Height") == 0) return FitMode::Height;
    if (std::strcmp(name, "Puzzle") == 0) return FitMode::Puzzle;
    return FitMode::None;
}

ZoomLimits ZoomLimitsFromScreenWidth(int screenWidth)
{
    return {screenWidth / 200, screenWidth / 10, screenWidth / 50};
}

bool CanZoomIn(int side, const ZoomLimits& limits) { return side + limits.ZoomStep <= limits.MaxSquareSide; }
bool CanZoomOut(int side, const ZoomLimits& limits) { return side - limits.ZoomStep >= limits.MinSquareSide; }

// Trunc of a floating-point division, as the fit rules are stated.
static int TruncDiv(int a, int b) { return static_cast<int>(std::trunc(static_cast<double>(a) / b)); }

int FitWidth(int paneWidth, int paneHeight, int rows, int columns)
{
    int side = TruncDiv(paneWidth - 3, columns) + 1;
    if (DiagramExtent(side, rows) > paneHeight - 2) side = TruncDiv(paneWidth - 19, columns) + 1;
    return side;
}

int FitHeight(int paneWidth, int paneHeight, int rows, int columns)
{
    int side = TruncDiv(paneHeight - 3, rows) + 1;
    if (DiagramExtent(side, columns) > paneWidth - 2) side = TruncDiv(paneHeight - 19, rows) + 1;
    return side;
}

int FitPuzzle(int paneWidth, int paneHeight, int rows, int columns)
{
    if (paneHeight / rows > paneWidth / columns) return FitWidth(paneWidth, paneHeight, rows, columns);
    return FitHeight(paneWidth, paneHeight, rows, columns);
}

int ApplyFit(FitMode mode, int side, int paneWidth, int paneHeight, int rows, int columns)
{
    if (rows <= 0 || columns <= 0) return side;
    int fitted = side;
    switch (mode) {
    case FitMode::Width: fitted = FitWidth(paneWidth, paneHeight, rows, columns); break;
    case FitMode::Height: fitted = FitHeight(paneWidth, paneHeight, rows, columns); break;
    case FitMode::Puzzle: fitted = FitPuzzle(paneWidth, paneHeight, rows, columns); break;
    case FitMode::None: return side;
    }
    // A pane squeezed to almost nothing would give a side of 1 or less, where the pitch vanishes
    // and every letter lands on the same pixel.
    return std::max(fitted, 2);
}

DiagramPlacement PlaceDiagram(int side, int rows, int columns, int paneWidth, int paneHeight,
                              int clientWidth, int clientHeight, int hPos, int vPos)
{
    DiagramPlacement p;
    p.PanelWidth = DiagramExtent(side, columns);
    p.PanelHeight = DiagramExtent(side, rows);
    if (clientWidth < p.PanelWidth) {
        p.HorizontalRange = p.PanelWidth;
        p.Left = -hPos;
    } else {
        p.Left = (paneWidth - p.PanelWidth - 2) / 2;
        if (p.PanelHeight > paneHeight - 2) p.Left -= 9;  // the vertical scroll bar takes room
    }
    if (clientHeight < p.PanelHeight) {
        p.VerticalRange = p.PanelHeight;
        p.Top = -vPos;
    } else {
        p.Top = (paneHeight - p.PanelHeight - 2) / 2;
        if (p.PanelWidth > paneWidth - 2) p.Top -= 9;
    }
    return p;
}

std::vector<Point> DiagramPositions(const Puzzle& puzzle, int side)
{
    const int32_t count = std::min<int32_t>(puzzle.LetterCount, static_cast<int32_t>(puzzle.Letters.size()) - 1);
    std::vector<Point> positions(static_cast<size_t>(std::max(count, 0)) + 1);
    for (int32_t i = 1; i <= count; ++i) {
        const LetterEntry& e = puzzle.Letters[static_cast<size_t>(i)];
        positions[static_cast<size_t>(i)] = SquareOrigin(side, e.Row, e.Column);
    }
    return positions;
}

int32_t HitTest(const std::vector<Point>& positions, int size, int x, int y)
{
    for (size_t i = 1; i < positions.size(); ++i) {
        const Point& p = positions[i];
        if (p.x <= x && x <= p.x + size && p.y <= y && y <= p.y + size) return static_cast<int32_t>(i);
    }
    return 0;
}

int ScrollIntoView(int pos, int view, int maxPos, int start, int size)
{
    if (start < pos) pos = start;
    else if (start + size > pos + view) pos = start + size - view;
    return std::clamp(pos, 0, std::max(maxPos, 0));
}

int DiagramPaneHeight(int available, double ratio)
{
    return static_cast<int>(std::nearbyint(available * ratio));  // default rounding: half to even
}

double UsablePaneRatio(double ratio) { return ratio > 0.0 && ratio < 1.0 ? ratio : 0.5; }

}  // namespace qw
