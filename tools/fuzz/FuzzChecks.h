#pragma once
// What every fuzz target asks of a puzzle that was accepted: the model's invariants hold.

#include <cstdio>
#include <cstdlib>

#include "puzzle/Puzzle.h"

namespace qw {

[[noreturn]] inline void Finding(const char* what)
{
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

inline void CheckInvariants(const Puzzle& p)
{
    if (p.ClueCount < 1 || p.Clues.empty() || p.Clues.front().Answer.empty()) Finding("no first letter");
    if (p.Letters.size() != static_cast<size_t>(p.LetterCount) + 1) Finding("letter table size");
    int32_t walked = 0;
    int32_t previous = 0;
    for (int32_t i = p.Clues.front().Answer.front(); i != 0; i = p.Letters[static_cast<size_t>(i)].Next) {
        if (i < 1 || i > p.LetterCount || ++walked > p.LetterCount) Finding("broken letter chain");
        const LetterEntry& e = p.Letters[static_cast<size_t>(i)];
        if (e.Prev != previous) Finding("Prev does not mirror Next");
        if (p.Grid.GetCell(e.Row, e.Column) != i) Finding("diagram does not point back to its letter");
        if (p.Clues[static_cast<size_t>(e.ClueIndex)].Answer[static_cast<size_t>(e.Position)] != i)
            Finding("answer does not point back to its letter");
        previous = i;
    }
    if (walked != p.LetterCount) Finding("letters outside the chain");
}

}  // namespace qw
