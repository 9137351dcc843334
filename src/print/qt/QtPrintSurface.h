#pragma once
// The print surface on a QPainter: a QPrinter (printers and PDF alike) or, for previews, an image.
// Device pixels are the painter's coordinates; fonts are set by pixel size on the device.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QString>
#include <optional>
#include <vector>

#include "print/PrintPuzzle.h"

class QPaintDevice;
class QPrinter;
class QWidget;

namespace qw {

class Prompts;

class QtPrintSurface : public PrintSurface {
public:
    // The device must outlive the surface. On a device without pages (an image) everything after
    // the first page is left out.
    explicit QtPrintSurface(QPaintDevice& device);
    ~QtPrintSurface() override;

    DeviceMetrics Metrics() const override;
    void BeginJob() override;
    void NewPage() override;
    void EndJob() override;
    void AbortJob() noexcept override;
    void SetFont(const PrintFont& font) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    void TextOut(int x, int y, std::string_view text) override;
    void SetInk(uint32_t color) override;
    void Rectangle(int left, int top, int right, int bottom, std::optional<uint32_t> fill) override;
    void Fill(int left, int top, int width, int height, uint32_t color) override;
    void Line(int x1, int y1, int x2, int y2) override;

    // The Qt font a PrintFont becomes on this device.
    QFont ToDeviceFont(const PrintFont& font);

private:
    QPaintDevice& device_;
    QPainter painter_;
    PrintFont current_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    QHash<QString, double> cellRatio_;  // cell height per pixel of character height, by face+style
    // Jobs switch between a handful of fonts square by square; building metrics is the dear part.
    struct CachedFont {
        PrintFont wanted;
        QFont font;
        QFontMetrics metrics;
    };
    std::vector<CachedFont> cache_;
    bool skipping_ = false;
};

// Prints the puzzle into a PDF file (one job, default page size of the locale, 600 dpi, quarter-
// inch margins like a typical printer's printable area). Throws std::runtime_error when the file
// cannot be written.
PrintSummary PrintToPdf(const Puzzle& puzzle, const PrinterOptions& options, bool asFilled, const QString& pdfPath);

// The print commands: the print dialog (printer and copies), then one job per copy; 0 copies
// print once. Nothing happens when the dialog is cancelled. A failing printer aborts the job and
// the error reaches the caller as an exception.
void PrintWithDialog(Prompts& prompts, QWidget* parent, const Puzzle& puzzle, const PrinterOptions& options,
                     bool asFilled);

}  // namespace qw
