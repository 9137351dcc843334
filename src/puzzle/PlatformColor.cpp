#include "puzzle/PlatformColor.h"

#include <array>

namespace qw {

std::optional<PaletteRole> SystemColorRole(int index)
{
    using R = PaletteRole;
    static constexpr std::array<std::optional<PaletteRole>, kSystemColorCount> kRoles = {
        R::Face,            // scroll bar
        R::Dark,            // desktop
        R::Highlight,       // active caption
        R::Mid,             // inactive caption
        R::Face,            // menu
        R::Window,          // window
        R::Shadow,          // window frame
        R::FaceText,        // menu text
        R::WindowText,      // window text
        R::HighlightText,   // caption text
        R::Face,            // active border
        R::Face,            // inactive border
        R::Dark,            // application workspace
        R::Highlight,       // highlight
        R::HighlightText,   // highlighted text
        R::Face,            // button face
        R::Dark,            // button shadow
        R::GrayText,        // grey text
        R::FaceText,        // button text
        R::GrayText,        // inactive caption text
        R::Light,           // button highlight
        R::Shadow,          // 3-D dark shadow
        R::Midlight,        // 3-D light
        R::ToolTipText,     // tooltip text
        R::ToolTip,         // tooltip background
        std::nullopt,       // no meaning
        R::Link,            // hot-tracked item
        R::Highlight,       // active caption gradient
        R::Mid,             // inactive caption gradient
        R::Highlight,       // menu highlight
        R::Face,            // menu bar
    };
    if (index < 0 || index >= kSystemColorCount) return std::nullopt;
    return kRoles[static_cast<size_t>(index)];
}

PaletteRole SystemColorRole(uint32_t code, ColorUse use)
{
    if (const auto role = SystemColorRole(static_cast<int>(code & 0xFF))) return *role;
    return use == ColorUse::Text ? PaletteRole::WindowText : PaletteRole::Window;
}

}  // namespace qw
