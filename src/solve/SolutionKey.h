#pragma once
// The key number that unlocks checking and revealing. Keys are compared as typed text, so
// leading zeros count and a key of any length is compared in full.

#include <string>

#include "puzzle/Puzzle.h"

namespace qw {

// What the key dialog starts with: the right key in constructor mode, else nothing.
std::string InitialKeyText(const Puzzle& puzzle, bool constructorMode);

// Equal to KeyNumber: unlocks (SolutionScrambled 0), sets Modified and returns true.
// Different: locks (SolutionScrambled 1) and returns false; nothing else changes.
bool AcceptKey(Puzzle& puzzle, const std::string& typed);

struct KeyOutcome {
    bool accepted = false;
    bool congratulate = false;  // the unlocked puzzle is already solved: ShowCongratulations
    bool solved = false;        // IsSolved found the puzzle solved: remove it from the recent list
};

// AcceptKey followed by the solved test that an accepted key runs.
KeyOutcome ApplyKeyNumber(Puzzle& puzzle, const std::string& typed);

// Only the digits 0-9 of `text`, in order (text pasted into the key box).
std::string FilterKeyDigits(const std::string& text);

}  // namespace qw
