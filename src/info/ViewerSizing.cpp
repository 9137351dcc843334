#include "info/ViewerSizing.h"

#include <algorithm>

namespace qw {

Extent NoteClientSize(const std::vector<int>& lineWidths, int lineHeight)
{
    const int widest = lineWidths.empty() ? 0 : *std::max_element(lineWidths.begin(), lineWidths.end());
    return {widest + 8, static_cast<int>(lineWidths.size()) * lineHeight + 8};
}

CappedViewerSize CapToMainWindow(Extent wantedClient, Extent mainWindowOuter)
{
    CappedViewerSize size;
    if (wantedClient.width > mainWindowOuter.width) {
        size.width = mainWindowOuter.width;
        size.widthIsOuter = true;
    } else {
        size.width = wantedClient.width;
    }
    if (wantedClient.height > mainWindowOuter.height) {
        size.height = mainWindowOuter.height;
        size.heightIsOuter = true;
        size.verticalScrollBar = true;
    } else {
        size.height = wantedClient.height;
    }
    return size;
}

}  // namespace qw
