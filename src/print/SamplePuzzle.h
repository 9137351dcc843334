#pragma once
// A small complete acrostic of our own, for the printer options picture, previews and benchmarks.

#include "puzzle/Puzzle.h"

namespace qw {

// Sixteen clues over a 90-letter quotation; with `partlySolved`, about half of the letters are entered.
Puzzle MakeSamplePuzzle(bool partlySolved = false);

}  // namespace qw
