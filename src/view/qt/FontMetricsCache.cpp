#include "view/qt/FontMetricsCache.h"

#include "platform/QtConvert.h"

namespace qw {

namespace {
// Bounds the width memo to a few megabytes; laying out the stress word list at one width
// measures a few thousand strings.
constexpr size_t kMaxRememberedWidths = 50000;
}  // namespace

FontMetricsCache::Entry& FontMetricsCache::EntryFor(const FontSpec& font) const
{
    for (Entry& e : entries_)
        if (e.described == font) return e;
    entries_.push_back({font, std::make_unique<QFontMetrics>(ToQFont(font)), std::make_unique<Widths>()});
    return entries_.back();
}

const QFontMetrics& FontMetricsCache::MetricsFor(const FontSpec& font) const { return *EntryFor(font).metrics; }

int FontMetricsCache::TextWidth(const FontSpec& font, std::string_view text) const
{
    Entry& e = EntryFor(font);
    if (const auto found = e.widths->find(text); found != e.widths->end()) return found->second;
    const int width = e.metrics->horizontalAdvance(FromAnsi(text));
    if (e.widths->size() >= kMaxRememberedWidths) e.widths->clear();
    e.widths->emplace(text, width);
    return width;
}

int FontMetricsCache::TextHeight(const FontSpec& font, std::string_view) const
{
    return MetricsFor(font).height();
}

}  // namespace qw
