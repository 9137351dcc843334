#include "solve/UndoHistory.h"

#include <algorithm>

namespace qw {

namespace {

std::string EntriesOf(const Puzzle& puzzle)
{
    std::string entries;
    entries.reserve(puzzle.Letters.size());
    for (const LetterEntry& e : puzzle.Letters) entries += e.Entered;
    return entries;
}

// The completion a redone step shows: what the command that made it showed at the time.
Completion RedoCompletion(const Puzzle& puzzle, const UndoStep& step)
{
    switch (step.Kind) {
    case StepKind::Typed:
        if (!puzzle.IsFilled()) return Completion::None;
        if (puzzle.IsSolved()) return Completion::Congratulate;
        return step.Changes.front().Before == ' ' ? Completion::FilledMessage : Completion::None;
    case StepKind::RevealCurrent:
    case StepKind::RevealAll: return puzzle.IsSolved() ? Completion::Congratulate : Completion::None;
    case StepKind::Cleared: break;
    }
    return Completion::None;
}

UndoOutcome Follow(Puzzle& puzzle, CursorState& cursor, const UndoHistory& history, const UndoStep* step)
{
    UndoOutcome outcome;
    if (!step) return outcome;
    outcome.changed = true;
    for (const LetterChange& change : step->Changes) {
        if (!puzzle.HasLetter(change.Letter)) continue;
        outcome.letters.push_back(change.Letter);
        if (puzzle.Letters[static_cast<size_t>(change.Letter)].Position == 0) outcome.refreshTitleStrip = true;
    }
    if (!outcome.letters.empty()) cursor.CurrentLetter = outcome.letters.front();
    puzzle.Modified = !history.MatchesSaved(puzzle);
    return outcome;
}

}  // namespace

void UndoHistory::Reset(const Puzzle& puzzle)
{
    steps_.clear();
    applied_ = 0;
    MarkSaved(puzzle);
}

void UndoHistory::MarkSaved(const Puzzle& puzzle)
{
    savedEntries_ = EntriesOf(puzzle);
    savedFileName_ = puzzle.FileName;
    savedScrambled_ = puzzle.SolutionScrambled;
}

void UndoHistory::Record(StepKind kind, std::vector<LetterChange> changes)
{
    std::erase_if(changes, [](const LetterChange& c) { return c.Before == c.After; });
    if (changes.empty()) return;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(applied_), steps_.end());
    steps_.push_back({kind, std::move(changes)});
    if (steps_.size() > limit_) steps_.pop_front();
    applied_ = steps_.size();
}

void UndoHistory::RecordLetter(StepKind kind, int32_t letter, char before, char after)
{
    if (before != after) Record(kind, {{letter, before, after}});
}

const UndoStep* UndoHistory::Undo(Puzzle& puzzle)
{
    if (!CanUndo()) return nullptr;
    const UndoStep& step = steps_[--applied_];
    // Backwards, so that a step touching one letter twice ends on its first "before".
    for (auto it = step.Changes.rbegin(); it != step.Changes.rend(); ++it)
        if (puzzle.HasLetter(it->Letter)) puzzle.Letters[static_cast<size_t>(it->Letter)].Entered = it->Before;
    return &step;
}

const UndoStep* UndoHistory::Redo(Puzzle& puzzle)
{
    if (!CanRedo()) return nullptr;
    const UndoStep& step = steps_[applied_++];
    for (const LetterChange& change : step.Changes)
        if (puzzle.HasLetter(change.Letter)) puzzle.Letters[static_cast<size_t>(change.Letter)].Entered = change.After;
    return &step;
}

bool UndoHistory::MatchesSaved(const Puzzle& puzzle) const
{
    if (puzzle.FileName != savedFileName_ || puzzle.SolutionScrambled != savedScrambled_) return false;
    if (puzzle.Letters.size() != savedEntries_.size()) return false;
    return std::equal(puzzle.Letters.begin(), puzzle.Letters.end(), savedEntries_.begin(),
                      [](const LetterEntry& e, char saved) { return e.Entered == saved; });
}

UndoOutcome UndoLastStep(Puzzle& puzzle, CursorState& cursor, UndoHistory& history)
{
    return Follow(puzzle, cursor, history, history.Undo(puzzle));
}

UndoOutcome RedoNextStep(Puzzle& puzzle, CursorState& cursor, UndoHistory& history)
{
    const UndoStep* step = history.Redo(puzzle);
    UndoOutcome outcome = Follow(puzzle, cursor, history, step);
    if (!step) return outcome;
    outcome.completion = RedoCompletion(puzzle, *step);
    outcome.solved = outcome.completion == Completion::Congratulate;
    return outcome;
}

}  // namespace qw
