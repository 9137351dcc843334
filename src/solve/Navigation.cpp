#include "solve/Navigation.h"

#include "solve/UndoHistory.h"

namespace qw {

namespace {

// A cursor index the operations may act on. Before the first puzzle is shown the cursor is 0;
// an index past the letters would only come from a stale cursor and must not be dereferenced.
bool CursorValid(const Puzzle& puzzle, const CursorState& cursor)
{
    return cursor.CurrentLetter > 0 && cursor.CurrentLetter <= puzzle.LetterCount;
}

const LetterEntry& Letter(const Puzzle& puzzle, int32_t index)
{
    return puzzle.Letters[static_cast<size_t>(index)];
}

bool IsBlank(const LetterEntry& entry) { return entry.Entered == ' '; }

// Moves the cursor to `target` and says how the window follows. A target equal to the current
// letter (or 0, "nowhere") leaves the cursor alone.
NavResult MoveTo(CursorState& cursor, int32_t target, bool remember)
{
    NavResult result;
    result.placeCursor = true;
    result.remember = remember;
    if (target > 0 && target != cursor.CurrentLetter) {
        cursor.CurrentLetter = target;
        result.moved = true;
    }
    return result;
}

void Merge(NavResult& into, const NavResult& from)
{
    into.moved = into.moved || from.moved;
    into.placeCursor = into.placeCursor || from.placeCursor;
    into.remember = into.remember || from.remember;
    into.repaintPanes = into.repaintPanes || from.repaintPanes;
    into.repaintMarks = into.repaintMarks || from.repaintMarks;
    into.refreshTitleStrip = into.refreshTitleStrip || from.refreshTitleStrip;
    into.lettersChanged = into.lettersChanged || from.lettersChanged;
}

// The letter of clue `clue` at answer position `position`, or the clue's last letter when the
// answer is shorter.
int32_t LetterAtPosition(const Puzzle& puzzle, int32_t clue, int32_t position)
{
    const auto& answer = puzzle.Clues[static_cast<size_t>(clue)].Answer;
    if (answer.empty()) return 0;
    const size_t at = static_cast<size_t>(position);
    return at < answer.size() ? answer[at] : answer.back();
}

// Up and Down in the word list: the nearest clue in `step` direction that has an answer to land
// on. A clue without letters cannot hold the cursor, so it is passed over rather than ending the
// move there.
int32_t VerticalInWordList(const Puzzle& puzzle, const CursorState& cursor, int32_t step)
{
    const int32_t clueCount = static_cast<int32_t>(puzzle.Clues.size());
    for (int32_t clue = Letter(puzzle, cursor.CurrentLetter).ClueIndex + step; clue >= 0 && clue < clueCount;
         clue += step) {
        const int32_t target = LetterAtPosition(puzzle, clue, cursor.PreferredPosition);
        if (target > 0) return target;
    }
    return 0;
}

int32_t VerticalInDiagram(const Puzzle& puzzle, const CursorState& cursor, int32_t step)
{
    const int32_t row = Letter(puzzle, cursor.CurrentLetter).Row + step;
    if (row < 0 || row >= puzzle.Grid.Rows()) return 0;
    return VerticalSearch(puzzle, row, cursor.PreferredColumn);
}

}  // namespace

NavResult AdvanceCursor(const Puzzle& puzzle, CursorState& cursor, bool skipFilled)
{
    if (!CursorValid(puzzle, cursor)) return {};
    const int32_t current = cursor.CurrentLetter;
    int32_t taken = 0;

    if (cursor.ActivePane == Pane::DiagramPane) {
        if (skipFilled) {
            for (int32_t i = current + 1; i <= puzzle.LetterCount; ++i) {
                if (IsBlank(Letter(puzzle, i))) {
                    taken = i;
                    break;
                }
            }
        }
        if (taken == 0) taken = current < puzzle.LetterCount ? current + 1 : current;
    } else {
        const int32_t next = Letter(puzzle, current).Next;
        if (next == 0) {
            taken = current;
        } else {
            taken = next;
            if (skipFilled) {
                for (int32_t i = next; i != 0; i = Letter(puzzle, i).Next) {
                    if (IsBlank(Letter(puzzle, i))) {
                        taken = i;
                        break;
                    }
                }
            }
        }
    }

    if (taken == current) {
        NavResult result;
        result.repaintMarks = true;
        return result;
    }
    return MoveTo(cursor, taken, true);
}

NavResult StepBack(const Puzzle& puzzle, CursorState& cursor)
{
    if (!CursorValid(puzzle, cursor)) return {};
    const LetterEntry& entry = Letter(puzzle, cursor.CurrentLetter);
    int32_t target = 0;
    if (cursor.ActivePane == Pane::DiagramPane) {
        if (cursor.CurrentLetter > 1) target = cursor.CurrentLetter - 1;
    } else if (entry.Position != 0) {
        target = entry.Prev;
    }
    if (target <= 0) return {};
    return MoveTo(cursor, target, true);
}

NavResult ClearCurrentLetter(Puzzle& puzzle, const CursorState& cursor, UndoHistory* history)
{
    if (!CursorValid(puzzle, cursor)) return {};
    LetterEntry& entry = puzzle.Letters[static_cast<size_t>(cursor.CurrentLetter)];
    NavResult result;
    if (!IsBlank(entry)) {
        puzzle.Modified = true;
        result.lettersChanged = true;
        if (history) history->RecordLetter(StepKind::Cleared, cursor.CurrentLetter, entry.Entered, ' ');
    }
    entry.Entered = ' ';
    result.repaintMarks = true;
    result.refreshTitleStrip = entry.Position == 0;
    return result;
}

NavResult HandleNavKey(Puzzle& puzzle, CursorState& cursor, NavKey key, UndoHistory* history)
{
    if (!CursorValid(puzzle, cursor)) return {};
    const bool diagram = cursor.ActivePane == Pane::DiagramPane;
    const int32_t current = cursor.CurrentLetter;
    const LetterEntry& entry = Letter(puzzle, current);

    switch (key) {
    case NavKey::Tab: {
        cursor.ActivePane = diagram ? Pane::WordListPane : Pane::DiagramPane;
        NavResult result = MoveTo(cursor, 0, true);
        result.repaintPanes = true;
        return result;
    }
    case NavKey::Left:
        // The word-list chain runs across clue boundaries, so Prev of a first letter is the
        // previous clue's last letter.
        return MoveTo(cursor, diagram ? (current > 1 ? current - 1 : 0) : entry.Prev, true);
    case NavKey::Right:
        return MoveTo(cursor, diagram ? (current < puzzle.LetterCount ? current + 1 : 0) : entry.Next, true);
    case NavKey::Up:
        // Not remembering keeps a run of Up presses aiming at the column where it started.
        return MoveTo(cursor, diagram ? VerticalInDiagram(puzzle, cursor, -1) : VerticalInWordList(puzzle, cursor, -1),
                      false);
    case NavKey::Down:
        return MoveTo(cursor, diagram ? VerticalInDiagram(puzzle, cursor, 1) : VerticalInWordList(puzzle, cursor, 1),
                      false);
    case NavKey::Backspace: {
        NavResult result = ClearCurrentLetter(puzzle, cursor, history);
        Merge(result, StepBack(puzzle, cursor));
        return result;
    }
    case NavKey::Delete: {
        NavResult result = ClearCurrentLetter(puzzle, cursor, history);
        Merge(result, AdvanceCursor(puzzle, cursor, false));
        return result;
    }
    }
    return {};
}

int32_t NextBlankLetter(const Puzzle& puzzle, const CursorState& cursor)
{
    if (!CursorValid(puzzle, cursor)) return 0;
    const int32_t current = cursor.CurrentLetter;
    const int32_t count = puzzle.LetterCount;
    if (cursor.ActivePane == Pane::DiagramPane) {
        for (int32_t step = 1; step <= count; ++step) {
            const int32_t i = (current - 1 + step) % count + 1;
            if (IsBlank(Letter(puzzle, i))) return i;
        }
        return 0;
    }
    // The word-list chain runs from the first clue's first letter to the last clue's last; the
    // count bounds the walk should the chain ever loop.
    int32_t i = Letter(puzzle, current).Next;
    for (int32_t step = 1; step <= count; ++step) {
        if (i == 0) i = puzzle.FirstLetterOfClue(0);
        if (i <= 0 || i > count) return 0;
        if (IsBlank(Letter(puzzle, i))) return i;
        i = Letter(puzzle, i).Next;
    }
    return 0;
}

int32_t NextUnfinishedAnswer(const Puzzle& puzzle, const CursorState& cursor)
{
    if (!CursorValid(puzzle, cursor)) return 0;
    const auto clueCount = static_cast<int32_t>(puzzle.Clues.size());
    const int32_t current = Letter(puzzle, cursor.CurrentLetter).ClueIndex;
    for (int32_t step = 1; step <= clueCount; ++step) {
        const int32_t clue = (current + step) % clueCount;
        for (int32_t index : puzzle.Clues[static_cast<size_t>(clue)].Answer)
            if (index > 0 && index <= puzzle.LetterCount && IsBlank(Letter(puzzle, index))) return index;
    }
    return 0;
}

int32_t VerticalSearch(const Puzzle& puzzle, int32_t row, int32_t column)
{
    if (row < 0 || row >= puzzle.Grid.Rows()) return 0;
    const int32_t columns = puzzle.Grid.Columns();
    // Ends once both directions have left the row, so a row without letter squares gives 0.
    for (int32_t k = 0; column - k >= 0 || column + k < columns; ++k) {
        const int32_t left = column - k;
        if (left >= 0 && left < columns && puzzle.Grid.GetCell(row, left) > 0) return puzzle.Grid.GetCell(row, left);
        const int32_t right = column + k;
        if (right >= 0 && right < columns && puzzle.Grid.GetCell(row, right) > 0)
            return puzzle.Grid.GetCell(row, right);
    }
    return 0;
}

void RememberPosition(const Puzzle& puzzle, CursorState& cursor)
{
    if (!CursorValid(puzzle, cursor)) return;
    const LetterEntry& entry = Letter(puzzle, cursor.CurrentLetter);
    cursor.PreferredColumn = static_cast<uint8_t>(entry.Column);
    cursor.PreferredPosition = static_cast<uint8_t>(entry.Position);
}

}  // namespace qw
