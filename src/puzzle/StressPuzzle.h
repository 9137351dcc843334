#pragma once
// A large, valid puzzle for tests and benchmarks: 700 clues over 10,000 letters in a diagram of
// 200 columns, with fixed characters, an accented letter, both notes and some progress.

#include "puzzle/Puzzle.h"

namespace qw {

constexpr int32_t kStressClues = 700;
constexpr int32_t kStressLetters = 10000;
constexpr int32_t kStressColumns = 200;

// The same seed gives the same puzzle on every run and machine.
Puzzle MakeStressPuzzle(unsigned seed = 1);

}  // namespace qw
