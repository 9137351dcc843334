#pragma once
// Cursor movement on the model: the two orders (diagram and word list), advancing after a typed
// letter, stepping back, the arrow keys and the vertical search. Nothing here touches a window:
// each operation returns what the window must do next.

#include "puzzle/Puzzle.h"

namespace qw {

class UndoHistory;

enum class NavKey { Tab, Left, Right, Up, Down, Backspace, Delete };

struct NavResult {
    bool moved = false;            // CurrentLetter changed
    bool placeCursor = false;      // call PlaceCursor
    bool remember = false;         // ... with rememberPosition set
    bool repaintPanes = false;     // active pane changed: RepaintPanes first
    bool repaintMarks = false;     // only the two cursor marks need repainting
    bool refreshTitleStrip = false;  // a first letter of an answer changed
    bool lettersChanged = false;     // an entry changed (a non-blank square was cleared)
};

// Moves one step forward in the active pane's order, or to the next blank letter with skipFilled.
NavResult AdvanceCursor(const Puzzle& puzzle, CursorState& cursor, bool skipFilled);
// Moves one step back; in the word list never past the start of the current answer.
NavResult StepBack(const Puzzle& puzzle, CursorState& cursor);
// Clears the current letter (Backspace, Delete); sets Modified when it was not blank. A history,
// when given, gets the change as a step of its own.
NavResult ClearCurrentLetter(Puzzle& puzzle, const CursorState& cursor, UndoHistory* history = nullptr);
// Marks a key as being handled for as long as it lives, however its handler ends: a key left
// marked busy would swallow every navigation key after it.
class KeyBusyScope {
public:
    explicit KeyBusyScope(CursorState& cursor) : cursor_(cursor) { cursor_.KeyBusy = true; }
    ~KeyBusyScope() { cursor_.KeyBusy = false; }
    KeyBusyScope(const KeyBusyScope&) = delete;
    KeyBusyScope& operator=(const KeyBusyScope&) = delete;

private:
    CursorState& cursor_;
};

// The key table of the panes. The caller checks modifiers, an open puzzle and KeyBusy first.
NavResult HandleNavKey(Puzzle& puzzle, CursorState& cursor, NavKey key, UndoHistory* history = nullptr);
// Nearest letter square in `row` to `column`, the left one winning a tie; 0 when the row has none.
int32_t VerticalSearch(const Puzzle& puzzle, int32_t row, int32_t column);
// The jumps of the Edit menu, 0 when there is nowhere to go (every letter filled). The next blank
// letter after the cursor in the active pane's order, wrapping around; the first blank letter of
// the next answer after the cursor's that has one, wrapping around to the cursor's own answer.
int32_t NextBlankLetter(const Puzzle& puzzle, const CursorState& cursor);
int32_t NextUnfinishedAnswer(const Puzzle& puzzle, const CursorState& cursor);
// PlaceCursor's remembering step.
void RememberPosition(const Puzzle& puzzle, CursorState& cursor);

}  // namespace qw
