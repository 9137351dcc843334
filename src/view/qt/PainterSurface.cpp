#include "view/qt/PainterSurface.h"

#include <QPainter>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace qw {

void StaticTextCache::Use(const QFont& font)
{
    if (font == font_) return;
    entries_.clear();
    slots_.clear();
    used_ = 0;
    long_.clear();
    font_ = font;
}

uint64_t StaticTextCache::ShortKey(std::string_view text)
{
    // Up to seven characters and, in the low byte, the length plus one, so no key is 0.
    uint64_t bytes = 0;
    std::memcpy(&bytes, text.data(), text.size());
    return (bytes << 8) | (text.size() + 1);
}

const StaticTextCache::Entry* StaticTextCache::FindShort(uint64_t key) const
{
    if (slots_.empty()) return nullptr;
    const size_t mask = slots_.size() - 1;
    for (size_t i = (key * 0x9E3779B97F4A7C15ULL) >> 40 & mask;; i = (i + 1) & mask) {
        if (slots_[i].first == key) return &entries_[slots_[i].second];
        if (slots_[i].first == 0) return nullptr;
    }
}

void StaticTextCache::InsertShort(uint64_t key, size_t entry)
{
    if (2 * (used_ + 1) > slots_.size()) {  // at most half full
        std::vector<std::pair<uint64_t, size_t>> old(std::max<size_t>(64, 2 * slots_.size()));
        old.swap(slots_);
        used_ = 0;
        for (const auto& [k, e] : old)
            if (k != 0) InsertShort(k, e);
    }
    const size_t mask = slots_.size() - 1;
    size_t i = (key * 0x9E3779B97F4A7C15ULL) >> 40 & mask;
    while (slots_[i].first != 0) i = (i + 1) & mask;
    slots_[i] = {key, entry};
    ++used_;
}

StaticTextCache::Entry StaticTextCache::Make(const QFontMetrics& metrics, std::string_view text) const
{
    const QString s = FromAnsi(text);
    Entry entry;
    entry.text.setText(s);
    entry.text.setTextFormat(Qt::PlainText);
    entry.text.prepare(QTransform(), font_);
    entry.width = metrics.horizontalAdvance(s);
    return entry;
}

const StaticTextCache::Entry& StaticTextCache::Get(const QFontMetrics& metrics, std::string_view text)
{
    if (text.size() < 8) {
        const uint64_t key = ShortKey(text);
        if (const Entry* found = FindShort(key)) return *found;
        entries_.push_back(Make(metrics, text));
        InsertShort(key, entries_.size() - 1);
        return entries_.back();
    }
    auto it = long_.find(std::string(text));
    if (it == long_.end()) {
        entries_.push_back(Make(metrics, text));
        it = long_.emplace(std::string(text), entries_.size() - 1).first;
    }
    return entries_[it->second];
}

PainterSurface::PainterSurface(QPainter& painter, ColorUse inkUse, bool staticGlyphs, StaticTextCache* kept)
    : painter_(painter), inkUse_(inkUse), staticGlyphs_(staticGlyphs || kept), kept_(kept), metrics_(painter.font()),
      height_(metrics_.height())
{
    advance_.fill(-1);
    glyphIndex_.fill(-1);
}

void PainterSurface::SetQtFont(const QFont& font)
{
    painter_.setFont(font);
    if (font_ && *font_ == font) return;  // what was measured and laid out still holds
    font_ = font;
    metrics_ = QFontMetrics(font);
    height_ = metrics_.height();
    advance_.fill(-1);
    glyphIndex_.fill(-1);
    glyphs_.clear();
    keptInFont_ = false;
}

const StaticTextCache::Entry& PainterSurface::Kept(std::string_view text)
{
    if (!keptInFont_) {
        kept_->Use(painter_.font());
        keptInFont_ = true;
    }
    return kept_->Get(metrics_, text);
}

const QColor& PainterSurface::Resolve(uint32_t color, ColorUse use)
{
    for (const Resolved& r : colors_)
        if (r.color == color && r.use == use) return r.qt;
    colors_.push_back({color, use, ToQColor(color, use)});
    return colors_.back().qt;
}

const QStaticText& PainterSurface::Glyph(unsigned char code)
{
    if (glyphIndex_[code] < 0) {
        QStaticText glyph(FromAnsi(static_cast<char>(code)));
        glyph.setTextFormat(Qt::PlainText);
        glyph.prepare(QTransform(), painter_.font());
        glyphIndex_[code] = static_cast<int16_t>(glyphs_.size());
        glyphs_.push_back(std::move(glyph));
    }
    return glyphs_[static_cast<size_t>(glyphIndex_[code])];
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
    if (kept_) return Kept(text).width;
    if (text.size() != 1) return metrics_.horizontalAdvance(FromAnsi(text));
    const auto code = static_cast<unsigned char>(text.front());
    if (advance_[code] < 0) advance_[code] = metrics_.horizontalAdvance(FromAnsi(text));
    return advance_[code];
}

int PainterSurface::TextHeight(std::string_view) { return height_; }

void PainterSurface::TextOut(int x, int y, std::string_view text)
{
    if (kept_) {
        painter_.drawStaticText(x, y, Kept(text).text);
        return;
    }
    if (staticGlyphs_ && text.size() == 1) {
        painter_.drawStaticText(x, y, Glyph(static_cast<unsigned char>(text.front())));
        return;
    }
    painter_.drawText(x, y + metrics_.ascent(), FromAnsi(text));
}

void PainterSurface::SetInk(uint32_t color)
{
    // The caller may set its own pen between squares: ask the painter, not a memo of the last ink.
    const QColor& ink = Resolve(color, inkUse_);
    const QPen& pen = painter_.pen();
    if (pen.color() != ink || pen.style() != Qt::SolidLine || pen.widthF() != 1.0 || pen.brush().style() != Qt::SolidPattern)
        painter_.setPen(ink);
}

void PainterSurface::Rectangle(int left, int top, int right, int bottom, std::optional<uint32_t> fill)
{
    if (fill) painter_.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), Resolve(*fill, ColorUse::Background));
    if (painter_.brush().style() != Qt::NoBrush) painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(left, top, right - left, bottom - top);
}

void PainterSurface::Fill(int left, int top, int width, int height, uint32_t color)
{
    painter_.fillRect(left, top, width, height, Resolve(color, ColorUse::Background));
}

void PainterSurface::Line(int x1, int y1, int x2, int y2) { painter_.drawLine(x1, y1, x2, y2); }

}  // namespace qw
