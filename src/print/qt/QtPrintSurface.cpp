#include "print/qt/QtPrintSurface.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPen>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <sys/stat.h>

#include "platform/Prompts.h"
#include "platform/QtConvert.h"
#include "puzzle/FileAccess.h"

namespace qw {

namespace {

QColor FromPlatform(uint32_t c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

QFont StyledFont(const PrintFont& font)
{
    QFont f(QString::fromStdString(font.face));
    f.setBold(font.style & StyleBold);
    f.setItalic(font.style & StyleItalic);
    f.setUnderline(font.style & StyleUnderline);
    f.setStrikeOut(font.style & StyleStrikeOut);
    f.setKerning(false);
    return f;
}

// Restores the normal cursor however the job ends.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

}  // namespace

QtPrintSurface::QtPrintSurface(QPaintDevice& device) : device_(device) {}

QtPrintSurface::~QtPrintSurface()
{
    if (painter_.isActive()) painter_.end();
}

DeviceMetrics QtPrintSurface::Metrics() const
{
    DeviceMetrics m;
    m.HORZSIZE = device_.widthMM();
    m.HORZRES = device_.width();
    m.VERTRES = device_.height();
    m.LOGPIXELSX = device_.logicalDpiX();
    m.LOGPIXELSY = device_.logicalDpiY();
    return m;
}

void QtPrintSurface::BeginJob()
{
    skipping_ = false;
    if (!painter_.begin(&device_)) {
        if (auto* printer = dynamic_cast<QPrinter*>(&device_);
            printer && printer->outputFormat() == QPrinter::PdfFormat)
            throw std::runtime_error("Cannot write the file " + printer->outputFileName().toStdString() + ".");
        throw std::runtime_error("The printer could not start the print job.");
    }
    painter_.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter_.setBrush(Qt::NoBrush);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void QtPrintSurface::NewPage()
{
    auto* paged = dynamic_cast<QPagedPaintDevice*>(&device_);
    if (!paged) {
        skipping_ = true;
        return;
    }
    if (!paged->newPage()) throw std::runtime_error("The printer could not start a new page.");
}

void QtPrintSurface::EndJob()
{
    const bool ended = painter_.end();
    auto* printer = dynamic_cast<QPrinter*>(&device_);
    if (!ended || (printer && printer->printerState() == QPrinter::Error))
        throw std::runtime_error("The print job could not be completed.");
}

void QtPrintSurface::AbortJob() noexcept
{
    try {
        if (auto* printer = dynamic_cast<QPrinter*>(&device_); printer && painter_.isActive()) printer->abort();
        if (painter_.isActive()) painter_.end();
    } catch (...) {
        // Already failing; the original error is what the user should see.
    }
}

QFont QtPrintSurface::ToDeviceFont(const PrintFont& font)
{
    QFont f = StyledFont(font);
    if (font.height < 0) {
        f.setPixelSize(-font.height);
    } else {
        // A cell height: find the character height whose ascent plus descent makes it.
        const QString key = f.family() + QChar('/') + QString::number(font.style & 3);
        auto it = cellRatio_.find(key);
        if (it == cellRatio_.end()) {
            QFont probe = f;
            probe.setPixelSize(1000);
            const QFontMetricsF fm(probe, &device_);
            const double ratio = fm.height() > 0 ? fm.height() / 1000.0 : 1.0;
            it = cellRatio_.insert(key, ratio);
        }
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(std::max(font.height, 1) / it.value()))));
    }
    return f;
}

void QtPrintSurface::SetFont(const PrintFont& font)
{
    if (metrics_ && font == current_) return;
    current_ = font;
    auto cached = std::find_if(cache_.begin(), cache_.end(), [&](const CachedFont& c) { return c.wanted == font; });
    if (cached == cache_.end()) {
        const QFont deviceFont = ToDeviceFont(font);
        if (cache_.size() >= 16) cache_.erase(cache_.begin());  // the letter-font search passes by
        cache_.push_back(CachedFont{font, deviceFont, QFontMetrics(deviceFont, &device_)});
        cached = cache_.end() - 1;
    }
    font_ = cached->font;
    metrics_.emplace(cached->metrics);
    if (painter_.isActive()) painter_.setFont(font_);
}

int QtPrintSurface::TextWidth(std::string_view text)
{
    if (!metrics_) SetFont(current_);
    return metrics_->horizontalAdvance(FromAnsi(text));
}

int QtPrintSurface::TextHeight(std::string_view)
{
    if (!metrics_) SetFont(current_);
    return metrics_->height();
}

void QtPrintSurface::TextOut(int x, int y, std::string_view text)
{
    if (skipping_) return;
    if (!metrics_) SetFont(current_);
    if (painter_.font() != font_) painter_.setFont(font_);
    painter_.drawText(x, y + metrics_->ascent(), FromAnsi(text));
}

void QtPrintSurface::Rectangle(int left, int top, int right, int bottom, std::optional<uint32_t> fill)
{
    if (skipping_) return;
    if (fill) painter_.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), FromPlatform(*fill));
    painter_.drawRect(left, top, right - left, bottom - top);
}

void QtPrintSurface::SetInk(uint32_t color)
{
    const QColor ink = FromPlatform(color);
    if (painter_.pen().color() != ink) painter_.setPen(QPen(ink, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void QtPrintSurface::Fill(int left, int top, int width, int height, uint32_t color)
{
    if (skipping_) return;
    painter_.fillRect(left, top, width, height, FromPlatform(color));
}

void QtPrintSurface::Line(int x1, int y1, int x2, int y2)
{
    if (skipping_) return;
    painter_.drawLine(x1, y1, x2, y2);
}

namespace {

// Devices and pipes (/dev/stdout) take the bytes as they come: there is no old file to keep.
bool IsStream(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

void WriteStream(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error("");
    file.close();
    if (file.error() != QFileDevice::NoError) throw std::runtime_error("");
}

}  // namespace

PrintSummary PrintToPdf(const Puzzle& puzzle, const PrinterOptions& options, bool asFilled, const QString& pdfPath)
{
    // The page a printer set up for PDF has: the locale's paper, quarter-inch margins.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    printer.setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);

    // Made in memory and written in one checked step, so a full disk is a failure, never a
    // truncated PDF under the target's name, and an older file of that name stays whole.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PrintSummary summary;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageLayout(printer.pageLayout());
        writer.setTitle(QFileInfo(pdfPath).completeBaseName());
        writer.setCreator(QStringLiteral("Quotewell"));
        QtPrintSurface surface(writer);
        summary = PrintPuzzle(surface, puzzle, options, asFilled);
    }
    const std::string cannotWrite = "Cannot write the file " + pdfPath.toStdString() + ".";
    try {
        if (IsStream(pdfPath)) WriteStream(pdfPath, buffer.data());
        else WriteFileAtomically(pdfPath.toStdString(), std::string_view(buffer.data().constData(), static_cast<size_t>(buffer.size())));
    } catch (const std::exception&) {
        throw std::runtime_error(cannotWrite);
    }
    return summary;
}

void PrintWithDialog(Prompts& prompts, QWidget* parent, const Puzzle& puzzle, const PrinterOptions& options,
                     bool asFilled)
{
    (void)parent;  // the dialog's owner is the one Prompts was made with
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Quotewell"));
    if (!prompts.ChoosePrinter(printer)) return;
    // Copies are separate jobs, so the printer itself must print each job once.
    const int copies = printer.copyCount();
    printer.setCopyCount(1);
    WaitCursor wait;
    QtPrintSurface surface(printer);
    PrintCopies(copies, surface, puzzle, options, asFilled);
}

}  // namespace qw
