#include "solve/LetterEntry.h"

#include "puzzle/Win1252.h"
#include "solve/UndoHistory.h"

namespace qw {

char NormalizeTypedChar(const Puzzle& puzzle, char ch)
{
    if (static_cast<unsigned char>(ch) < 32) return 0;
    return puzzle.UpperCaseOnly ? UpperAnsi(ch) : ch;
}

bool ShouldSkipFilled(const CursorState& cursor, char stored, int diagramSetting, int wordListSetting)
{
    if (stored == ' ') return false;
    const int setting = cursor.ActivePane == Pane::DiagramPane ? diagramSetting : wordListSetting;
    return setting == 0;
}

TypeResult TypeCharacter(Puzzle& puzzle, CursorState& cursor, char ch, int diagramSetting, int wordListSetting,
                         UndoHistory* history)
{
    TypeResult result;
    if (cursor.CurrentLetter <= 0 || cursor.CurrentLetter > puzzle.LetterCount) return result;
    const char stored = NormalizeTypedChar(puzzle, ch);
    if (stored == 0 || !Contains(puzzle.TypingAlphabet, stored)) return result;

    LetterEntry& entry = puzzle.Letters[static_cast<size_t>(cursor.CurrentLetter)];
    const char old = entry.Entered;
    result.accepted = true;
    result.changed = old != stored;
    if (result.changed) puzzle.Modified = true;
    if (history)
        history->RecordLetter(stored == ' ' ? StepKind::Cleared : StepKind::Typed, cursor.CurrentLetter, old, stored);
    entry.Entered = stored;
    const bool firstLetter = entry.Position == 0;

    result.nav = AdvanceCursor(puzzle, cursor, ShouldSkipFilled(cursor, stored, diagramSetting, wordListSetting));
    if (firstLetter) result.nav.refreshTitleStrip = true;

    // Only a keystroke that changed a letter can complete the grid; retyping a letter in a full
    // grid stays quiet.
    if (result.changed && puzzle.IsFilled()) {
        if (puzzle.IsSolved()) {
            result.completion = Completion::Congratulate;
            result.solved = true;
        } else if (old == ' ') {
            result.completion = Completion::FilledMessage;
        }
    }
    return result;
}

}  // namespace qw
