#include "print/qt/SamplePagePicture.h"

#include <QPainter>

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

QImage RenderSamplePage(const SamplePagePlacement& placement)
{
    const int dpi = kPictureDpi * kOversample;
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

    QImage picture(placement.size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    const int x = placement.pageCentreX - small.width() / 2;
    const int y = placement.wordListTop - summary.wordListTop / kOversample;
    painter.drawImage(x, y, small);
    painter.end();
    return picture;
}

}  // namespace qw
