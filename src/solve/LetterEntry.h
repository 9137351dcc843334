#pragma once
// What one typed character does to the puzzle and the cursor. The window follows the result at
// once (the layouts already hold every painted position): it repaints, shows the message or the
// congratulations, and applies the solved side effect on the recent list.

#include "puzzle/Puzzle.h"
#include "solve/Navigation.h"

namespace qw {

class UndoHistory;

inline constexpr const char* kPuzzleFilledMessage = "The puzzle is completely filled.";

enum class Completion {
    None,
    Congratulate,   // every letter is right: ShowCongratulations
    FilledMessage,  // the last blank square was filled, but not correctly: kPuzzleFilledMessage
};

struct TypeResult {
    bool accepted = false;  // the character was stored; false: dropped silently
    bool changed = false;   // the stored character differs from what was there
    NavResult nav;          // how the cursor follows (refreshTitleStrip set for a first letter)
    Completion completion = Completion::None;
    bool solved = false;    // IsSolved found the puzzle solved: remove it from the recent list
};

// The character as it would be stored: control characters give nothing, and a puzzle whose
// solution is all capitals upper-cases what is typed. 0 means "drop it".
char NormalizeTypedChar(const Puzzle& puzzle, char ch);

// Where the cursor goes after a typed letter, one setting per pane: 0 "Move to next blank space",
// 1 "Move to next space, whether blank or not", -1 no choice made (moves like 1).
struct CursorBehavior {
    int Diagram = 0;
    int WordList = 0;
    bool operator==(const CursorBehavior&) const = default;
};

// A setting value of 0 means "Move to next blank space"; anything else (including no selection,
// -1) moves one step. A typed space never skips.
bool ShouldSkipFilled(const CursorState& cursor, char stored, int diagramSetting, int wordListSetting);

// Stores `ch` at the current letter and advances the cursor. Nothing happens without a current
// letter or for a character outside the puzzle's typing alphabet. A history, when given, gets a
// changed entry as a step of its own.
TypeResult TypeCharacter(Puzzle& puzzle, CursorState& cursor, char ch, int diagramSetting, int wordListSetting,
                         UndoHistory* history = nullptr);

}  // namespace qw
