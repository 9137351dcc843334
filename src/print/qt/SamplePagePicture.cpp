#include "print/qt/SamplePagePicture.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "print/SamplePuzzle.h"
#include "print/qt/QtPrintSurface.h"

namespace qw {

namespace {
// Printable area of a letter page with quarter-inch margins, in inches.
constexpr double kPageWidthInches = 8.0;
constexpr double kPageHeightInches = 10.5;
constexpr int kPictureDpi = 50;
// Drawn three times larger and scaled down, so that small text stays legible.
constexpr int kOversample = 3;
}  // namespace

QImage RenderSamplePage(const SamplePagePlacement& placement, qreal devicePixelRatio)
{
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatio);
    const int dpi = static_cast<int>(std::lround(kPictureDpi * ratio)) * kOversample;
    QImage page(static_cast<int>(kPageWidthInches * dpi), static_cast<int>(kPageHeightInches * dpi),
                QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254 + 0.5);
    page.setDotsPerMeterX(dotsPerMeter);
    page.setDotsPerMeterY(dotsPerMeter);
    page.fill(Qt::white);

    PrinterOptions options;
    options.answerNumberFont = {"Arial", 6, 0};
    options.spacesGray = true;
    PrintSummary summary;
    {
        QtPrintSurface surface(page);
        summary = PrintPuzzle(surface, MakeSamplePuzzle(false), options, false);
    }
    const QImage small = page.scaled(page.width() / kOversample, page.height() / kOversample,
                                     Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QImage picture(placement.size * ratio, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    const int x = static_cast<int>(std::lround(placement.pageCentreX * ratio)) - small.width() / 2;
    const int y = static_cast<int>(std::lround(placement.wordListTop * ratio)) - summary.wordListTop / kOversample;
    painter.drawImage(x, y, small);
    painter.end();
    picture.setDevicePixelRatio(ratio);
    return picture;
}

}  // namespace qw
