#include "solve/CheckReveal.h"

#include "solve/UndoHistory.h"

namespace qw {

namespace {

bool HasCurrentLetter(const Puzzle& puzzle, const CursorState& cursor)
{
    return cursor.CurrentLetter > 0 && cursor.CurrentLetter <= puzzle.LetterCount;
}

void CongratulateIfSolved(const Puzzle& puzzle, SolutionOutcome& outcome)
{
    if (puzzle.IsSolved()) {
        outcome.congratulate = true;
        outcome.solved = true;
    }
}

}  // namespace

SolutionMenuState ComputeSolutionMenu(const Puzzle& puzzle, const CursorState& cursor)
{
    SolutionMenuState state;
    state.keyNumber = puzzle.SolutionScrambled != 0;
    state.reveal = puzzle.SolutionScrambled == 0;
    state.check = state.reveal;
    state.checkCurrent =
        HasCurrentLetter(puzzle, cursor) && puzzle.Letters[static_cast<size_t>(cursor.CurrentLetter)].Entered != ' ';
    return state;
}

std::string IncorrectLettersMessage(int count)
{
    return "You have entered " + std::to_string(count) + " incorrect letter" + (count == 1 ? "." : "s.");
}

int CountIncorrectLetters(const Puzzle& puzzle)
{
    int count = 0;
    for (int32_t i = 1; i <= puzzle.LetterCount; ++i) {
        const LetterEntry& e = puzzle.Letters[static_cast<size_t>(i)];
        if (e.Entered != ' ' && e.Entered != e.Solution) ++count;
    }
    return count;
}

SolutionOutcome CheckCurrentLetter(const Puzzle& puzzle, const CursorState& cursor)
{
    SolutionOutcome outcome;
    if (puzzle.SolutionScrambled != 0 || !HasCurrentLetter(puzzle, cursor)) return outcome;
    const LetterEntry& e = puzzle.Letters[static_cast<size_t>(cursor.CurrentLetter)];
    outcome.message = e.Entered == e.Solution ? kEntryCorrect : kEntryIncorrect;
    return outcome;
}

SolutionOutcome CheckAllLetters(const Puzzle& puzzle)
{
    SolutionOutcome outcome;
    if (puzzle.SolutionScrambled != 0) return outcome;
    CongratulateIfSolved(puzzle, outcome);
    if (!outcome.congratulate) outcome.message = IncorrectLettersMessage(CountIncorrectLetters(puzzle));
    return outcome;
}

SolutionOutcome RevealCurrentLetter(Puzzle& puzzle, const CursorState& cursor, UndoHistory* history)
{
    SolutionOutcome outcome;
    if (puzzle.SolutionScrambled != 0 || !HasCurrentLetter(puzzle, cursor)) return outcome;
    LetterEntry& e = puzzle.Letters[static_cast<size_t>(cursor.CurrentLetter)];
    if (e.Entered == e.Solution) {
        outcome.message = kEntryCorrect;
    } else {
        if (history) history->RecordLetter(StepKind::RevealCurrent, cursor.CurrentLetter, e.Entered, e.Solution);
        e.Entered = e.Solution;
        outcome.lettersChanged = true;
        outcome.repaintPanes = true;
        outcome.refreshTitleStrip = true;
    }
    CongratulateIfSolved(puzzle, outcome);
    return outcome;
}

SolutionOutcome RevealAllLetters(Puzzle& puzzle, UndoHistory* history)
{
    SolutionOutcome outcome;
    if (puzzle.SolutionScrambled != 0) return outcome;
    std::vector<LetterChange> changes;
    for (int32_t i = 1; i <= puzzle.LetterCount; ++i) {
        LetterEntry& e = puzzle.Letters[static_cast<size_t>(i)];
        if (e.Entered != e.Solution) changes.push_back({i, e.Entered, e.Solution});
        e.Entered = e.Solution;
    }
    outcome.lettersChanged = !changes.empty();
    if (history) history->Record(StepKind::RevealAll, std::move(changes));
    outcome.freezeDrawing = true;
    outcome.repaintPanes = true;
    outcome.refreshTitleStrip = true;
    CongratulateIfSolved(puzzle, outcome);
    return outcome;
}

}  // namespace qw
