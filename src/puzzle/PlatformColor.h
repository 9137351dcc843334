#pragma once
// Colours as settings and puzzle notes store them: 0x00BBGGRR, or 0x80000000 plus the index of a
// system colour, which follows the desktop's colours rather than naming one.

#include <cstdint>
#include <optional>

namespace qw {

constexpr uint32_t kSystemColorFlag = 0x80000000u;
constexpr uint32_t SystemColorCode(int index) { return kSystemColorFlag | static_cast<uint32_t>(index); }
constexpr bool IsSystemColor(uint32_t code) { return (code & kSystemColorFlag) != 0; }

// The system colours' indices with their usual meanings; 25 has none.
enum SystemColorIndex : int {
    ScrollBarColor, DesktopColor, ActiveCaptionColor, InactiveCaptionColor, MenuColor, WindowColor,
    WindowFrameColor, MenuTextColor, WindowTextColor, CaptionTextColor, ActiveBorderColor, InactiveBorderColor,
    AppWorkspaceColor, HighlightColor, HighlightTextColor, ButtonFaceColor, ButtonShadowColor, GrayTextColor,
    ButtonTextColor, InactiveCaptionTextColor, ButtonHighlightColor, DarkShadow3DColor, Light3DColor,
    InfoTextColor, InfoBackgroundColor, HotLightColor = 26, GradientActiveCaptionColor,
    GradientInactiveCaptionColor, MenuHighlightColor, MenuBarColor, kSystemColorCount
};

constexpr uint32_t kButtonFace = SystemColorCode(ButtonFaceColor);

// What a colour is used for: an unknown system colour falls back to the window's background or
// to its text accordingly.
enum class ColorUse { Background, Text };

// The role in the desktop toolkit's palette that stands for a system colour. Window and
// WindowText are the text-area colours (what a document window shows), Face and FaceText those of
// buttons, panels and menus.
enum class PaletteRole {
    Window, WindowText, Face, FaceText, Highlight, HighlightText, GrayText, ToolTip, ToolTipText,
    Light, Midlight, Mid, Dark, Shadow, Link
};

// The role of a system colour index, or nothing for an index without a meaning.
std::optional<PaletteRole> SystemColorRole(int index);
// The role for a system colour code, with the fallback for its use where the index means nothing.
PaletteRole SystemColorRole(uint32_t code, ColorUse use);

}  // namespace qw
