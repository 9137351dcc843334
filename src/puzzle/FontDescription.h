#pragma once
// A font as settings and puzzle notes describe it: a face name, a point size and style bits.

#include <string>

namespace qw {

// Font style bits as stored: 1 bold, 2 italic, 4 underline, 8 strike-out.
enum FontStyleBits : int { StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8 };

struct FontSpec {
    std::string name = "Arial";  // UTF-8
    int pointSize = 10;
    int style = 0;  // FontStyleBits
    bool operator==(const FontSpec&) const = default;
};

}  // namespace qw
