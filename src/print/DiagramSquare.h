#pragma once
// One square of the diagram, drawn the same way on screen, on paper and in the colour dialog's
// preview: its outline and fill, its letter, and the two small labels (the letter's number top
// left, its clue's label top right). The caller sets the font on the surface before each call.

#include <cstdint>
#include <optional>
#include <string_view>

#include "print/PrintSurface.h"

namespace qw {

// The lines the outline lies on; neighbouring squares share them.
struct SquareBox {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// Centred: across the whole square, with two thirds of the free height above the text's line
// (the screen). OnBottom: centred across the outline's width, the character's height above the
// bottom line (paper).
enum class LetterPlace { Centred, OnBottom };

struct SquareLook {
    // None: the outline is left to what lies beneath (the screen paints its background in the
    // outline colour) and only the inside is filled.
    std::optional<uint32_t> Outline;
    std::optional<uint32_t> Fill;
    uint32_t Ink = 0;  // the letter
    LetterPlace Place = LetterPlace::Centred;
    int CharacterHeight = 0;  // of the letter font; OnBottom only
};

// The fill, the letter (none for ' ') and then the outline, so that the outline stays whole where
// a letter touches it.
void PaintSquare(PrintSurface& surface, const SquareBox& box, const SquareLook& look, char letter);

struct LabelLook {
    uint32_t Ink = 0;
    int NumberInset = 0;  // from the left line
    int LabelInset = 0;   // from the right line
};

// The number at the top left and, when there is one, the clue's label at the top right, one
// pixel below the top line.
void PaintSquareLabels(PrintSurface& surface, const SquareBox& box, const LabelLook& look, std::string_view number,
                       std::optional<std::string_view> label);

}  // namespace qw
