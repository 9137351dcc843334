#pragma once
// The 20 screen colours (active and inactive sets of both panes) and the screen clue font.
// Colours are the platform's 32-bit values: 0x00BBGGRR, or 0x80000000 + a system colour index.

#include <array>
#include <cstdint>

#include "puzzle/FontDescription.h"
#include "puzzle/PlatformColor.h"

namespace qw {

enum ColorIndex : int {
    DiaActBack, DiaActFont, DiaActBlank, DiaActCursor, DiaActLetter, DiaActCursorFont,
    DiaInactBack, DiaInactFont, DiaInactBlank, DiaInactCursor, DiaInactLetter, DiaInactCursorFont,
    ClueActBack, ClueActFont, ClueActCursor, ClueActCursorFont,
    ClueInactBack, ClueInactFont, ClueInactCursor, ClueInactCursorFont,
    kColorCount
};

// Storage order and names of the settings values.
inline constexpr std::array<const char*, kColorCount> kColorNames = {
    "DiaActBack", "DiaActFont", "DiaActBlank", "DiaActCursor", "DiaActLetter", "DiaActCursorFont",
    "DiaInactBack", "DiaInactFont", "DiaInactBlank", "DiaInactCursor", "DiaInactLetter", "DiaInactCursorFont",
    "ClueActBack", "ClueActFont", "ClueActCursor", "ClueActCursorFont",
    "ClueInactBack", "ClueInactFont", "ClueInactCursor", "ClueInactCursorFont",
};

inline constexpr std::array<uint32_t, kColorCount> kDefaultColors = {
    kButtonFace, 0x00000000, 0x00000000, 0x0000FF00, 0x00FFFFFF, 0x00000000,
    kButtonFace, 0x00000000, 0x00000000, 0x000000FF, kButtonFace, 0x00000000,
    0x00FFFFFF, 0x00000000, 0x0000FF00, 0x00000000,
    kButtonFace, 0x00000000, 0x000000FF, 0x00000000,
};

struct ColorScheme {
    std::array<uint32_t, kColorCount> colors = kDefaultColors;
    uint32_t operator[](ColorIndex i) const { return colors[static_cast<size_t>(i)]; }
    uint32_t& operator[](ColorIndex i) { return colors[static_cast<size_t>(i)]; }
};

// The set a pane paints with: its active set while it is the active pane, its inactive set
// otherwise. The screen and the colour dialog's previews pick their colours here.
struct DiagramColors {
    uint32_t Back, Font, Blank, Cursor, Letter, CursorFont;
};
struct WordListColors {
    uint32_t Back, Font, Cursor, CursorFont;
};

inline DiagramColors DiagramColorsOf(const ColorScheme& scheme, bool active)
{
    return active ? DiagramColors{scheme[DiaActBack],   scheme[DiaActFont],   scheme[DiaActBlank],
                                  scheme[DiaActCursor], scheme[DiaActLetter], scheme[DiaActCursorFont]}
                  : DiagramColors{scheme[DiaInactBack],   scheme[DiaInactFont],   scheme[DiaInactBlank],
                                  scheme[DiaInactCursor], scheme[DiaInactLetter], scheme[DiaInactCursorFont]};
}

inline WordListColors WordListColorsOf(const ColorScheme& scheme, bool active)
{
    return active ? WordListColors{scheme[ClueActBack], scheme[ClueActFont], scheme[ClueActCursor],
                                   scheme[ClueActCursorFont]}
                  : WordListColors{scheme[ClueInactBack], scheme[ClueInactFont], scheme[ClueInactCursor],
                                   scheme[ClueInactCursorFont]};
}

}  // namespace qw
