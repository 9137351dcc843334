#pragma once
// Text measurement for layouts computed outside any window. Text is Windows-1252.

#include <string_view>

#include "puzzle/FontDescription.h"

namespace qw {

class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    virtual int TextWidth(const FontSpec& font, std::string_view text) const = 0;
    virtual int TextHeight(const FontSpec& font, std::string_view text) const = 0;
};

}  // namespace qw
