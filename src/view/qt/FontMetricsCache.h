#pragma once
// Text measurement for the screen layouts. Laying out a long word list measures tens of thousands
// of strings; building a QFont and QFontMetrics for each of them costs more than the measuring.

#include <QFontMetrics>
#include <memory>
#include <vector>

#include "view/TextMetrics.h"

namespace qw {

class FontMetricsCache : public TextMetrics {
public:
    int TextWidth(const FontSpec& font, std::string_view text) const override;
    int TextHeight(const FontSpec& font, std::string_view text) const override;
    const QFontMetrics& MetricsFor(const FontSpec& font) const;

private:
    struct Entry {
        FontSpec spec;
        std::unique_ptr<QFontMetrics> metrics;
    };
    mutable std::vector<Entry> entries_;
};

}  // namespace qw
