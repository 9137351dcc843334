#include "view/qt/FontMetricsCache.h"

#include "platform/QtConvert.h"

namespace qw {

const QFontMetrics& FontMetricsCache::MetricsFor(const FontSpec& font) const
{
    for (const Entry& e : entries_)
        if (e.spec == font) return *e.metrics;
    entries_.push_back({font, std::make_unique<QFontMetrics>(ToQFont(font))});
    return *entries_.back().metrics;
}

int FontMetricsCache::TextWidth(const FontSpec& font, std::string_view text) const
{
    return MetricsFor(font).horizontalAdvance(FromAnsi(text));
}

int FontMetricsCache::TextHeight(const FontSpec& font, std::string_view) const
{
    return MetricsFor(font).height();
}

}  // namespace qw
