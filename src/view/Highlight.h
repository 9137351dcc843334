#pragma once
// The "highlight current answer" aid: which diagram squares and word-list slots are tinted for a
// cursor on a given letter, which of them change when the cursor moves, and the tint itself.

#include <cstdint>
#include <vector>

#include "puzzle/Puzzle.h"

namespace qw {

struct HighlightSet {
    // Diagram: every square of this clue's answer. -1: none.
    int32_t Clue = -1;
    // Word list: the slots of the quotation word around the letter, the run of letter squares in
    // its diagram row between black squares, fixed characters and the row's ends. Letters are
    // numbered in reading order, so the run is the index range WordFirst..WordLast.
    int32_t WordFirst = 0;
    int32_t WordLast = -1;

    bool InAnswer(const LetterEntry& entry) const { return entry.ClueIndex == Clue; }
    bool InWord(int32_t letter) const { return letter >= WordFirst && letter <= WordLast; }
    bool operator==(const HighlightSet&) const = default;
};

// Nothing highlighted for a letter outside the puzzle.
HighlightSet HighlightFor(const Puzzle& puzzle, int32_t letter);

// Letters whose diagram square, or word-list slot, is tinted in one set and not the other.
std::vector<int32_t> ChangedSquares(const Puzzle& puzzle, const HighlightSet& from, const HighlightSet& to);
std::vector<int32_t> ChangedSlots(const Puzzle& puzzle, const HighlightSet& from, const HighlightSet& to);

// The tint over `background`: a quarter of `cursor` mixed in, so that it follows the colour scheme
// and keeps the letters readable. It is moved off both of the pane's cursor colours should it meet
// one (a background equal to the cursor colour), so a cursor mark never vanishes in the tint.
// Colours are RGB, 0x00BBGGRR.
uint32_t HighlightTint(uint32_t cursor, uint32_t background, uint32_t otherCursor);

}  // namespace qw
