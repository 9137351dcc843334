#include "print/DiagramSquare.h"

#include "view/DiagramLayout.h"

namespace qw {

void PaintSquare(PrintSurface& surface, const SquareBox& box, const SquareLook& look, char letter)
{
    const int width = box.Right - box.Left;
    const int height = box.Bottom - box.Top;
    if (!look.Outline && look.Fill && width > 1 && height > 1)
        surface.Fill(box.Left + 1, box.Top + 1, width - 1, height - 1, *look.Fill);
    if (letter != ' ') {
        const std::string_view text(&letter, 1);
        surface.SetInk(look.Ink);
        const int textWidth = surface.TextWidth(text);
        if (look.Place == LetterPlace::Centred) {
            const Point at = CharacterOrigin(width + 1, height + 1, textWidth, surface.TextHeight(text));
            surface.TextOut(box.Left + at.x, box.Top + at.y, text);
        } else {
            surface.TextOut(box.Left + (width - textWidth) / 2, box.Bottom - look.CharacterHeight, text);
        }
    }
    if (look.Outline) {
        surface.SetInk(*look.Outline);
        surface.Rectangle(box.Left, box.Top, box.Right, box.Bottom, look.Fill);
    }
}

void PaintSquareLabels(PrintSurface& surface, const SquareBox& box, const LabelLook& look, std::string_view number,
                       std::optional<std::string_view> label)
{
    surface.SetInk(look.Ink);
    surface.TextOut(box.Left + look.NumberInset, box.Top + 1, number);
    if (label) surface.TextOut(box.Right - look.LabelInset - surface.TextWidth(*label), box.Top + 1, *label);
}

}  // namespace qw
