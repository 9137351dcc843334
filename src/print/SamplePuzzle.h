#pragma once
// A small complete acrostic of our own, for the printer options picture, previews and benchmarks.

#include "puzzle/Puzzle.h"

namespace qw {

// Seven clues over a 45-letter proverb; with `partlySolved`, about half of the letters are entered.
Puzzle MakeSamplePuzzle(bool partlySolved = false);

}  // namespace qw
