#pragma once
// Text measurement for the screen layouts. Laying out a long word list measures tens of thousands
// of strings; building a QFont and QFontMetrics for each of them costs more than the measuring.

#include <QFontMetrics>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "view/TextMetrics.h"

namespace qw {

class FontMetricsCache : public TextMetrics {
public:
    int TextWidth(const FontSpec& font, std::string_view text) const override;
    int TextHeight(const FontSpec& font, std::string_view text) const override;
    const QFontMetrics& MetricsFor(const FontSpec& font) const;

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    // A window resize lays the word list out again at a new width; most of its strings (whole
    // lines, leaders, the last lines of clues) were measured at the width before.
    using Widths = std::unordered_map<std::string, int, Hash, std::equal_to<>>;
    struct Entry {
        FontSpec described;
        std::unique_ptr<QFontMetrics> metrics;
        std::unique_ptr<Widths> widths;
    };
    Entry& EntryFor(const FontSpec& font) const;
    mutable std::vector<Entry> entries_;
};

}  // namespace qw
