#pragma once
// The Solution menu: which items are enabled, and what checking and revealing do to the puzzle.
// Each command returns what the window shows next; none of them sets Modified.

#include <string>

#include "puzzle/Puzzle.h"

namespace qw {

class UndoHistory;

inline constexpr const char* kEntryCorrect = "Your entry is correct";
inline constexpr const char* kEntryIncorrect = "Your entry is incorrect";

struct SolutionMenuState {
    bool keyNumber = false;     // Unscramble1 "&Key number..."
    bool reveal = false;        // Reveal1 and its two items
    bool check = false;         // Check1 (its "&All letters" follows it)
    bool checkCurrent = false;  // Currentletter1: only on a non-blank square
};

SolutionMenuState ComputeSolutionMenu(const Puzzle& puzzle, const CursorState& cursor);

struct SolutionOutcome {
    std::string message;             // a plain notice to show first; empty: none
    bool freezeDrawing = false;      // suspend the window's drawing around the repaints
    bool repaintPanes = false;
    bool refreshTitleStrip = false;
    bool congratulate = false;       // then ShowCongratulations
    bool solved = false;             // IsSolved found the puzzle solved: remove it from the recent list
    bool lettersChanged = false;     // a reveal changed at least one entry
};

// "You have entered N incorrect letter." / "... letters."
std::string IncorrectLettersMessage(int count);
// Letters whose entry is not blank and differs from the solution (case counts).
int CountIncorrectLetters(const Puzzle& puzzle);

// Checking and revealing stay locked while the solution is scrambled: the commands then do
// nothing, whatever calls them. A reveal that changes entries is one step of a history given.
SolutionOutcome CheckCurrentLetter(const Puzzle& puzzle, const CursorState& cursor);
SolutionOutcome CheckAllLetters(const Puzzle& puzzle);
SolutionOutcome RevealCurrentLetter(Puzzle& puzzle, const CursorState& cursor, UndoHistory* history = nullptr);
SolutionOutcome RevealAllLetters(Puzzle& puzzle, UndoHistory* history = nullptr);

}  // namespace qw
