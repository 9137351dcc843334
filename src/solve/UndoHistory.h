#pragma once
// Undo and redo of entered letters. Every command that changes entries records one step: the
// letters it changed with their entries before and after. Undo puts the "before" entries back,
// redo the "after" ones; the cursor goes to the first letter of the step.
//
// Whether the puzzle still needs saving is decided by comparing against a copy of the state last
// loaded or saved, not by counting steps: a step count cannot tell when the oldest steps have been
// dropped, nor see a change made outside the history, and the copy costs one byte per letter.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "puzzle/Puzzle.h"
#include "solve/LetterEntry.h"

namespace qw {

enum class StepKind : uint8_t { Typed, Cleared, RevealCurrent, RevealAll };

struct LetterChange {
    int32_t Letter = 0;
    char Before = ' ';
    char After = ' ';
    bool operator==(const LetterChange&) const = default;
};

struct UndoStep {
    StepKind Kind = StepKind::Typed;
    std::vector<LetterChange> Changes;  // never empty; the first is where the cursor goes
};

constexpr size_t kUndoLimit = 10000;

class UndoHistory {
public:
    explicit UndoHistory(size_t limit = kUndoLimit) : limit_(limit < 1 ? 1 : limit) {}

    // Forgets every step; the puzzle as it is now is the saved state (a load, a close).
    void Reset(const Puzzle& puzzle);
    // The puzzle as it is now is the saved state; the steps stay (a save).
    void MarkSaved(const Puzzle& puzzle);

    // Adds a step made of the changes that changed something, dropping any redo steps and, past
    // the limit, the oldest step. A step that changed nothing is not recorded.
    void Record(StepKind kind, std::vector<LetterChange> changes);
    void RecordLetter(StepKind kind, int32_t letter, char before, char after);

    bool CanUndo() const { return applied_ > 0; }
    bool CanRedo() const { return applied_ < steps_.size(); }
    size_t UndoCount() const { return applied_; }
    size_t RedoCount() const { return steps_.size() - applied_; }

    // Writes the step's entries into the puzzle and returns it; nullptr when there is none.
    const UndoStep* Undo(Puzzle& puzzle);
    const UndoStep* Redo(Puzzle& puzzle);

    // Entries, file name and lock equal the state last loaded or saved.
    bool MatchesSaved(const Puzzle& puzzle) const;

private:
    std::deque<UndoStep> steps_;
    size_t applied_ = 0;  // steps_[0, applied_) are done, the rest can be redone
    size_t limit_;
    std::string savedEntries_;
    std::string savedFileName_;
    uint8_t savedScrambled_ = 0;
};

// What undoing or redoing did, for the window to follow.
struct UndoOutcome {
    bool changed = false;             // a step was undone or redone
    std::vector<int32_t> letters;     // the letters whose entries it changed
    bool refreshTitleStrip = false;   // one of them is an answer's first letter
    Completion completion = Completion::None;  // redo only: what the original command showed
    bool solved = false;              // IsSolved found the puzzle solved: remove it from the recent list
};

// Undo the last step / redo the next one: entries, the cursor on the step's first letter, and
// Modified, which is false exactly when the puzzle is back at its saved state.
UndoOutcome UndoLastStep(Puzzle& puzzle, CursorState& cursor, UndoHistory& history);
UndoOutcome RedoNextStep(Puzzle& puzzle, CursorState& cursor, UndoHistory& history);

}  // namespace qw
