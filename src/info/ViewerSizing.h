#pragma once
// Window sizes of the two note viewers, from measured text.

#include <vector>

namespace qw {

struct Extent {
    int width = 0;
    int height = 0;
    bool operator==(const Extent&) const = default;
};

// Room for every line plus a 4-pixel margin on each side.
Extent NoteClientSize(const std::vector<int>& lineWidths, int lineHeight);

// How the solvers' viewer fits next to the main window: a dimension whose wanted client size is
// larger than the main window's outer size takes the main window's outer size as its own outer
// size; otherwise the client size is as wanted. Scrolling is needed exactly when the height is capped.
struct CappedViewerSize {
    int width = 0;
    bool widthIsOuter = false;
    int height = 0;
    bool heightIsOuter = false;
    bool verticalScrollBar = false;
    bool operator==(const CappedViewerSize&) const = default;
};
CappedViewerSize CapToMainWindow(Extent wantedClient, Extent mainWindowOuter);

}  // namespace qw
