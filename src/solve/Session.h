#pragma once
// The one owner of the solving state: the open puzzle, its cursor, the undo history, the recent
// list and the cursor behaviour. Every solving command is a method that changes that state and
// returns one Change saying what the window has to bring up to date; the session never calls a
// window.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "puzzle/FileAccess.h"
#include "puzzle/Puzzle.h"
#include "puzzle/RecentList.h"
#include "solve/LetterEntry.h"
#include "solve/Navigation.h"
#include "solve/SessionPrompts.h"
#include "solve/SolutionKey.h"
#include "solve/UndoHistory.h"

namespace qw {

struct Change {
    std::vector<int32_t> letters;   // entries changed other than at the cursor: repaint their places
    bool repaintPanes = false;      // the active pane or many entries changed: repaint both panes
    bool titleStrip = false;        // an answer's first letter changed
    bool placeCursor = false;       // the cursor moved: place it again...
    bool rememberPosition = false;  // ... remembering where it is for the vertical keys
    bool repaintMarks = false;      // only the two cursor marks changed
    bool freezeDrawing = false;     // show the repaints at once, not one by one
    bool lettersChanged = false;    // an entry changed: the journal and the menus follow
    std::string notice;             // a plain notice to show
    std::string information;        // an information box to show
    bool congratulate = false;      // then ShowCongratulations

    // The puzzle's file and life. The window takes these steps first, in this order.
    bool saved = false;             // written to its file: the recovery journal starts over from it
    bool closed = false;            // nothing is open any more: its journal goes, the panes empty
    bool windowTitle = false;       // the open file's name changed
    std::optional<std::string> status;  // the status bar's new text
    bool fileLocks = false;         // the files held against other copies follow the open puzzle
    bool recentList = false;        // the recent menu follows the list and the open file
    bool fileMenu = false;          // the File menu follows what is open
    // The solver chose to stay, or a save failed: whatever the command was part of goes no further.
    bool stopped = false;
};

class Session {
public:
    Puzzle& CurrentPuzzle() { return puzzle_; }
    const Puzzle& CurrentPuzzle() const { return puzzle_; }
    CursorState& Cursor() { return cursor_; }
    UndoHistory& History() { return history_; }
    RecentList& Recent() { return recent_; }
    CursorBehavior& Behavior() { return behavior_; }

    // A character typed at the current letter (already in the puzzle's code page).
    Change TypeLetter(char ch);
    // Tab, the arrows, Backspace and Delete.
    Change PressKey(NavKey key);
    // The Edit menu's jumps; they move the cursor as the arrow keys do and are no undo steps.
    Change NextBlankLetter();
    Change NextUnfinishedAnswer();
    Change Undo();
    Change Redo();
    Change CheckCurrentLetter();
    Change CheckAllLetters();
    Change RevealCurrentLetter();
    Change RevealAllLetters();
    // What a key number the solver typed (and the key dialog compared, ApplyKeyNumber) leads to.
    Change KeyNumberEntered(const KeyOutcome& outcome);

    // The entries the last checks found wrong, each until it changes (by typing, clearing, undo,
    // redo or a reveal). They are kept whether or not the window shows them.
    bool MarkedWrong(int32_t letter) const;
    // A new puzzle starts without marks.
    void ClearWrongMarks() { wrongMarks_.clear(); }

    // A solved puzzle is no longer one of the recent unsolved ones.
    void RemoveSolvedFromRecent();
    // Whether the open puzzle is solved; a solved one leaves the recent list.
    bool CheckSolved();

    // The file the open puzzle was imported from; empty when it was opened as a puzzle file.
    const std::string& ImportSource() const { return importSource_; }
    void SetImportSource(std::string path) { importSource_ = std::move(path); }
    // The puzzle's file as it was loaded or last saved, for the question before writing over it.
    void RememberFileOnDisk() { fileOnDisk_ = StateOf(RecentList::Expand(puzzle_.FileName)); }

    // Writes the open puzzle. It asks first when another program changed the file since, and an
    // import whose progress file was taken by an unrelated file saves under a free name instead.
    // A failure is reported as an error and sets `stopped`.
    Change Save(SessionPrompts& ask);
    // The puzzle is being left (closed, or another opened): unsolved, it goes to the front of the
    // recent list.
    void LeaveCurrent();
    // Closes the open puzzle, offering to save a modified one first; a failed save keeps it open.
    Change Close(SessionPrompts& ask);
    // Before the program ends: Yes saves, No drops the letters, Cancel (or a failed save) stays.
    Change CloseQuery(SessionPrompts& ask);

private:
    Change Follow(Completion completion, bool solved, Change change);

    Puzzle puzzle_;
    CursorState cursor_;
    UndoHistory history_;
    RecentList recent_;
    CursorBehavior behavior_;
    std::map<int32_t, char> wrongMarks_;  // letter -> the entry that was checked wrong
    std::string importSource_;
    FileState fileOnDisk_;

    // Marks the letter when its entry is wrong; says whether it did.
    bool MarkIfWrong(int32_t letter);
    // Drops the marks of entries that changed since they were checked.
    void DropChangedMarks();
};

}  // namespace qw
