#pragma once
// Text measured without fonts, for the layout tests.

#include <string_view>

#include "view/TextMetrics.h"

namespace qw {

// Clue font: 6 px per character, 16 px lines. Answer letters (bold): 10 px per character, so a
// slot is 20 px wide with a 6 px gap. Numbers (7 pt): 5 px per character, 12 px lines.
class FakeMetrics : public TextMetrics {
public:
    int TextWidth(const FontSpec& font, std::string_view text) const override
    {
        const int n = static_cast<int>(text.size());
        if (font.pointSize == 7) return 5 * n;
        if (font.style & StyleBold) return 10 * n;
        return 6 * n;
    }
    int TextHeight(const FontSpec& font, std::string_view) const override { return font.pointSize == 7 ? 12 : 16; }
};

}  // namespace qw
