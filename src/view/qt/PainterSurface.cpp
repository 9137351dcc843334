#include "view/qt/PainterSurface.h"

#include <QPainter>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

namespace qw {

const StaticTextCache::Entry& StaticTextCache::Get(const QFont& font, const QFontMetrics& metrics,
                                                  std::string_view text)
{
    if (font != font_) {
        entries_.clear();
        font_ = font;
    }
    auto it = entries_.find(text);
    if (it == entries_.end()) {
        const QString s = FromAnsi(text);
        Entry entry;
        entry.text.setText(s);
        entry.text.setTextFormat(Qt::PlainText);
        entry.text.prepare(QTransform(), font);
        entry.width = metrics.horizontalAdvance(s);
        it = entries_.emplace(std::string(text), std::move(entry)).first;
    }
    return it->second;
}

PainterSurface::PainterSurface(QPainter& painter, ColorUse inkUse, bool staticGlyphs, StaticTextCache* kept)
    : painter_(painter), inkUse_(inkUse), staticGlyphs_(staticGlyphs), kept_(kept), metrics_(painter.font())
{
    advance_.fill(-1);
}

void PainterSurface::SetQtFont(const QFont& font)
{
    painter_.setFont(font);
    metrics_ = QFontMetrics(font);
    advance_.fill(-1);
}

DeviceMetrics PainterSurface::Metrics() const
{
    const QPaintDevice* device = painter_.device();
    if (!device) return {};
    return {device->widthMM(), device->width(), device->height(), device->logicalDpiX(), device->logicalDpiY()};
}

void PainterSurface::SetFont(const PrintFont& font)
{
    QFont f(QString::fromStdString(font.face));
    f.setBold(font.style & StyleBold);
    f.setItalic(font.style & StyleItalic);
    f.setUnderline(font.style & StyleUnderline);
    f.setStrikeOut(font.style & StyleStrikeOut);
    if (font.height < 0) {
        f.setPixelSize(-font.height);
    } else {
        // A cell height: the character height whose ascent plus descent makes it.
        QFont probe = f;
        probe.setPixelSize(1000);
        const double cell = QFontMetricsF(probe).height() / 1000.0;
        f.setPixelSize(std::max(1, static_cast<int>(std::lround(std::max(font.height, 1) / (cell > 0 ? cell : 1.0)))));
    }
    SetQtFont(f);
}

int PainterSurface::TextWidth(std::string_view text)
{
    if (text.size() != 1) {
        if (staticGlyphs_ && kept_) return kept_->Get(painter_.font(), metrics_, text).width;
        return metrics_.horizontalAdvance(FromAnsi(text));
    }
    const auto code = static_cast<unsigned char>(text.front());
    if (advance_[code] < 0) {
        const QString s = FromAnsi(text);
        advance_[code] = metrics_.horizontalAdvance(s);
        if (staticGlyphs_) {
            glyphs_[code].setText(s);
            glyphs_[code].setTextFormat(Qt::PlainText);
            glyphs_[code].prepare(QTransform(), painter_.font());
        }
    }
    return advance_[code];
}

int PainterSurface::TextHeight(std::string_view) { return metrics_.height(); }

void PainterSurface::TextOut(int x, int y, std::string_view text)
{
    if (staticGlyphs_ && text.size() == 1) {
        const auto code = static_cast<unsigned char>(text.front());
        if (advance_[code] < 0) TextWidth(text);
        painter_.drawStaticText(x, y, glyphs_[code]);
        return;
    }
    if (staticGlyphs_ && kept_) {
        painter_.drawStaticText(x, y, kept_->Get(painter_.font(), metrics_, text).text);
        return;
    }
    painter_.drawText(x, y + metrics_.ascent(), FromAnsi(text));
}

void PainterSurface::SetInk(uint32_t color)
{
    // The caller may set its own pen between squares: ask the painter, not a memo of the last ink.
    if (!ink_ || ink_->first != color) ink_.emplace(color, ToQColor(color, inkUse_));
    const QPen pen(ink_->second);
    if (painter_.pen() != pen) painter_.setPen(pen);
}

void PainterSurface::Rectangle(int left, int top, int right, int bottom, std::optional<uint32_t> fill)
{
    if (fill) painter_.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), ToQColor(*fill));
    if (painter_.brush().style() != Qt::NoBrush) painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(left, top, right - left, bottom - top);
}

void PainterSurface::Fill(int left, int top, int width, int height, uint32_t color)
{
    painter_.fillRect(left, top, width, height, ToQColor(color));
}

void PainterSurface::Line(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }

}  // namespace qw
