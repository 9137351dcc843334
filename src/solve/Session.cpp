#include "solve/Session.h"

#include "solve/CheckReveal.h"

namespace qw {

namespace {

Change FromNav(const NavResult& nav)
{
    Change change;
    change.titleStrip = nav.refreshTitleStrip;
    change.repaintPanes = nav.repaintPanes;
    change.placeCursor = nav.placeCursor;
    change.rememberPosition = nav.remember;
    change.repaintMarks = nav.repaintMarks;
    change.lettersChanged = nav.lettersChanged;
    return change;
}

Change FromSolution(const SolutionOutcome& outcome)
{
    Change change;
    change.freezeDrawing = outcome.freezeDrawing;
    change.repaintPanes = outcome.repaintPanes;
    change.titleStrip = outcome.refreshTitleStrip;
    change.lettersChanged = outcome.lettersChanged;
    change.notice = outcome.message;
    change.congratulate = outcome.congratulate;
    return change;
}

}  // namespace

bool Session::MarkedWrong(int32_t letter) const { return wrongMarks_.count(letter) != 0; }

bool Session::MarkIfWrong(int32_t letter)
{
    if (!puzzle_.HasLetter(letter)) return false;
    const LetterEntry& e = puzzle_.Letters[static_cast<size_t>(letter)];
    if (e.Entered == ' ' || e.Entered == e.Solution) return false;
    wrongMarks_[letter] = e.Entered;
    return true;
}

void Session::DropChangedMarks()
{
    std::erase_if(wrongMarks_, [this](const auto& mark) {
        return !puzzle_.HasLetter(mark.first) || puzzle_.Letters[static_cast<size_t>(mark.first)].Entered != mark.second;
    });
}

void Session::RemoveSolvedFromRecent()
{
    if (puzzle_.IsOpen()) recent_.Remove(RecentList::Expand(puzzle_.FileName));
}

Change Session::Follow(Completion completion, bool solved, Change change)
{
    // Every command ends here, so no mark outlives the entry it was made for.
    DropChangedMarks();
    if (solved) RemoveSolvedFromRecent();
    if (completion == Completion::Congratulate) change.congratulate = true;
    if (completion == Completion::FilledMessage) change.information = kPuzzleFilledMessage;
    return change;
}

Change Session::TypeLetter(char ch)
{
    if (cursor_.CurrentLetter <= 0) return {};
    const TypeResult result = TypeCharacter(puzzle_, cursor_, ch, behavior_.Diagram, behavior_.WordList, &history_);
    if (!result.accepted) return {};
    Change change = FromNav(result.nav);
    change.lettersChanged = result.changed;
    return Follow(result.completion, result.solved, std::move(change));
}

Change Session::PressKey(NavKey key)
{
    Change change = FromNav(HandleNavKey(puzzle_, cursor_, key, &history_));
    DropChangedMarks();
    return change;
}

namespace {

Change JumpTo(CursorState& cursor, int32_t target)
{
    Change change;
    if (target <= 0) return change;  // every letter is filled: the cursor stays
    cursor.CurrentLetter = target;
    change.placeCursor = true;
    change.rememberPosition = true;
    return change;
}

}  // namespace

Change Session::NextBlankLetter() { return JumpTo(cursor_, qw::NextBlankLetter(puzzle_, cursor_)); }

Change Session::NextUnfinishedAnswer() { return JumpTo(cursor_, qw::NextUnfinishedAnswer(puzzle_, cursor_)); }

namespace {

Change FromUndo(const UndoOutcome& outcome)
{
    Change change;
    if (!outcome.changed) return change;
    change.letters = outcome.letters;
    change.titleStrip = outcome.refreshTitleStrip;
    change.placeCursor = true;
    change.rememberPosition = true;
    change.lettersChanged = true;
    return change;
}

}  // namespace

Change Session::Undo()
{
    const UndoOutcome outcome = UndoLastStep(puzzle_, cursor_, history_);
    return Follow(outcome.completion, outcome.solved, FromUndo(outcome));
}

Change Session::Redo()
{
    const UndoOutcome outcome = RedoNextStep(puzzle_, cursor_, history_);
    return Follow(outcome.completion, outcome.solved, FromUndo(outcome));
}

Change Session::CheckCurrentLetter()
{
    const SolutionOutcome outcome = qw::CheckCurrentLetter(puzzle_, cursor_);
    Change change = FromSolution(outcome);
    // An empty message: checking is locked, and nothing was checked.
    if (!outcome.message.empty() && MarkIfWrong(cursor_.CurrentLetter)) {
        change.letters.push_back(cursor_.CurrentLetter);
        change.repaintMarks = true;
    }
    return Follow(Completion::None, outcome.solved, std::move(change));
}

Change Session::CheckAllLetters()
{
    const SolutionOutcome outcome = qw::CheckAllLetters(puzzle_);
    Change change = FromSolution(outcome);
    if (!outcome.message.empty())
        for (int32_t letter = 1; letter <= puzzle_.LetterCount; ++letter)
            if (MarkIfWrong(letter)) change.letters.push_back(letter);
    change.repaintMarks = !change.letters.empty();
    return Follow(Completion::None, outcome.solved, std::move(change));
}

Change Session::RevealCurrentLetter()
{
    const SolutionOutcome outcome = qw::RevealCurrentLetter(puzzle_, cursor_, &history_);
    return Follow(Completion::None, outcome.solved, FromSolution(outcome));
}

Change Session::RevealAllLetters()
{
    const SolutionOutcome outcome = qw::RevealAllLetters(puzzle_, &history_);
    return Follow(Completion::None, outcome.solved, FromSolution(outcome));
}

Change Session::KeyNumberEntered(const KeyOutcome& outcome)
{
    Change change;
    change.congratulate = outcome.congratulate;
    return Follow(Completion::None, outcome.solved, std::move(change));
}

}  // namespace qw
