#pragma once
// The picture of a printed page on the printer options dialog, drawn by the print layout itself.

#include <QImage>
#include <QPoint>
#include <QSize>

namespace qw {

struct SamplePagePlacement {
    QSize size;            // of the picture
    int pageCentreX = 0;   // where the middle of the printable width falls in the picture
    int wordListTop = 0;   // where the word list begins in the picture
};

// Renders the sample puzzle (gray spaces, default fonts) at about 50 pixels per inch, with the
// page shifted so that its centre line and the top of its word list fall where `placement` says;
// what lies outside the picture is cut off. Placement and size are in logical pixels; the image
// carries `devicePixelRatio` times as many pixels, so that it stays sharp on a scaled screen.
QImage RenderSamplePage(const SamplePagePlacement& placement, qreal devicePixelRatio = 1.0);

}  // namespace qw
