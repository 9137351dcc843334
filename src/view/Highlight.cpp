#include "view/Highlight.h"

#include <algorithm>

namespace qw {

namespace {

void AddAnswer(const Puzzle& puzzle, int32_t clue, std::vector<int32_t>& out)
{
    if (clue < 0 || static_cast<size_t>(clue) >= puzzle.Clues.size()) return;
    for (int32_t letter : puzzle.Clues[static_cast<size_t>(clue)].Answer)
        if (puzzle.HasLetter(letter)) out.push_back(letter);
}

uint32_t Channel(uint32_t color, int shift) { return (color >> shift) & 0xFF; }

uint32_t Mix(uint32_t over, uint32_t under, uint32_t percent)
{
    uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t value = (Channel(over, shift) * percent + Channel(under, shift) * (100 - percent) + 50) / 100;
        mixed |= value << shift;
    }
    return mixed;
}

// Every channel moved by `amount` towards the middle of its range.
uint32_t Nudge(uint32_t color, uint32_t amount)
{
    uint32_t moved = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t value = Channel(color, shift);
        moved |= (value >= 128 ? value - amount : value + amount) << shift;
    }
    return moved;
}

}  // namespace

HighlightSet HighlightFor(const Puzzle& puzzle, int32_t letter)
{
    HighlightSet set;
    if (!puzzle.HasLetter(letter)) return set;
    const LetterEntry& entry = puzzle.Letters[static_cast<size_t>(letter)];
    set.Clue = entry.ClueIndex;
    const int32_t row = entry.Row;
    const int32_t columns = std::min(puzzle.ColumnCount, puzzle.Grid.Columns());
    if (row < 0 || row >= puzzle.Grid.Rows() || entry.Column < 0 || entry.Column >= columns) return set;
    int32_t first = entry.Column;
    while (first > 0 && puzzle.Grid.GetCell(row, first - 1) > 0) --first;
    int32_t last = entry.Column;
    while (last + 1 < columns && puzzle.Grid.GetCell(row, last + 1) > 0) ++last;
    set.WordFirst = puzzle.Grid.GetCell(row, first);
    set.WordLast = puzzle.Grid.GetCell(row, last);
    return set;
}

std::vector<int32_t> ChangedSquares(const Puzzle& puzzle, const HighlightSet& from, const HighlightSet& to)
{
    std::vector<int32_t> letters;
    if (from.Clue == to.Clue) return letters;
    AddAnswer(puzzle, from.Clue, letters);
    AddAnswer(puzzle, to.Clue, letters);
    return letters;
}

std::vector<int32_t> ChangedSlots(const Puzzle& puzzle, const HighlightSet& from, const HighlightSet& to)
{
    std::vector<int32_t> letters;
    auto add = [&](const HighlightSet& in, const HighlightSet& notIn) {
        for (int32_t letter = std::max(in.WordFirst, 1); letter <= in.WordLast; ++letter)
            if (!notIn.InWord(letter) && puzzle.HasLetter(letter)) letters.push_back(letter);
    };
    add(from, to);
    add(to, from);
    return letters;
}

uint32_t HighlightTint(uint32_t cursor, uint32_t background, uint32_t otherCursor)
{
    cursor &= 0xFFFFFF;
    otherCursor &= 0xFFFFFF;
    uint32_t tint = Mix(cursor, background & 0xFFFFFF, 25);
    // Two different moves give three distinct candidates, so one of them misses both cursors.
    for (uint32_t amount : {48u, 24u}) {
        if (tint != cursor && tint != otherCursor) break;
        tint = Nudge(tint, amount);
    }
    return tint;
}

}  // namespace qw
