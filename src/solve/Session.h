#pragma once
// The one owner of the solving state: the open puzzle and its file, its cursor, the undo history,
// the recent list and the cursor behaviour. Every command (solving, and the puzzle's life from open
// to close) is a method that changes that state and returns one Change saying what the window has
// to bring up to date; the session asks the solver through SessionPrompts and never calls a window.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "puzzle/FileAccess.h"
#include "puzzle/Journal.h"
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
    bool dropJournal = false;       // the solver let the journaled letters go
    bool closed = false;            // nothing is open any more: its journal goes, the panes empty
    bool loaded = false;            // another puzzle is open: show it from the start
    bool solverInfo = false;        // solved, with a note for solvers that can now be read
    bool windowTitle = false;       // the open file's name changed
    bool recentList = false;        // the recent menu follows the list and the open file
    bool fileMenu = false;          // the File menu follows what is open
    bool offerRecovery = false;     // the file's journal, if any, is to be offered (OfferRecovery)
    std::optional<std::string> status;  // the status bar's new text
    bool fileLocks = false;         // the files held against other copies follow the open puzzle
    // Not steps of ApplyChange: another running copy holds this file and is to come to the front;
    std::string handOver;
    // the puzzle file to open next (OpenFile), the old one having been left.
    std::string open;
    // The solver chose to stay, or a save failed: whatever the command was part of goes no further.
    bool stopped = false;
};

// Where puzzles go that have no folder of their own.
struct SessionPlaces {
    std::string puzzlesDir;  // the Open dialog's start folder; empty when there is none
    std::string programDir;  // the home of puzzles from temporary folders when there is no puzzles folder
    std::string systemTemp;  // the system's temporary folder
};

class Session {
public:
    void SetPlaces(SessionPlaces places) { places_ = std::move(places); }
    // Whether this copy may open the puzzle at a path (false: another running copy holds it).
    // Without one every puzzle may be opened.
    void SetHolder(std::function<bool(const std::string&)> hold) { hold_ = std::move(hold); }

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
    // The puzzle's file as it was loaded or last saved, for the question before writing over it.
    void RememberFileOnDisk() { fileOnDisk_ = StateOf(RecentList::Expand(puzzle_.FileName)); }

    // Writes the open puzzle (nothing when none is open). It asks first when another program changed the file since, and an
    // import whose progress file was taken by an unrelated file saves under a free name instead.
    // A failure is reported as an error and sets `stopped`.
    Change Save(SessionPrompts& ask);
    // At start-up: puzzles left with unsaved letters (newest first) come first in the recent list,
    // so the solver finds them.
    Change PutJournaledFirst(const std::vector<std::string>& journaled);
    // The puzzle is being left (closed, or another opened): unsolved, it goes to the front of the
    // recent list.
    void LeaveCurrent();
    // Closes the open puzzle, offering to save a modified one first; a failed save keeps it open.
    Change Close(SessionPrompts& ask);
    // Deletes the open puzzle's file once the solver confirms; the puzzle stays open, so a save
    // brings the file back.
    Change DeleteFile(SessionPrompts& ask);
    // Before the program ends: Yes saves, No drops the letters, Cancel (or a failed save) stays.
    Change CloseQuery(SessionPrompts& ask);

    // Before another puzzle is opened: the open one is left, and a modified one closed with the
    // offer to save it; `stopped` when it is still open (a failed save).
    Change LeaveForAnother(SessionPrompts& ask);
    // The Open dialog, in the puzzles folder with the open puzzle's file chosen.
    std::optional<std::string> AskForPuzzle(SessionPrompts& ask);
    // The recent list's entry at `index`: a file that is gone is said and leaves the list; else
    // the open puzzle is left (LeaveForAnother) and `open` names the file.
    Change OpenRecent(size_t index, SessionPrompts& ask);
    // Every road to an open puzzle ends here. A puzzle another copy holds is handed over; a .jpz
    // or .ipuz file is imported; a file that cannot be read is said and the open puzzle stays.
    // `stopped` unless a puzzle was opened.
    Change OpenFile(const std::string& path, SessionPrompts& ask);
    // A puzzle opened from a temporary folder (the command line's `path`) would vanish with it:
    // it is given a free name in the puzzles folder and becomes modified, so a save keeps it there.
    Change RehomeFromTemporaryFolder(const std::string& path);
    // The journal of the open puzzle, if `recoverable` finds one that can be offered, is offered;
    // Yes puts its letters back, No lets it go.
    Change OfferRecovery(const std::function<std::optional<Journal>()>& recoverable, SessionPrompts& ask);

private:
    Change Load(const std::string& path, SessionPrompts& ask);
    Change Import(const std::string& path, SessionPrompts& ask);
    // What a newly opened puzzle starts with.
    Change Opened();
    std::string HomeFolder() const;
    bool FromTemporaryFolder(const std::string& path) const;

    Change Follow(Completion completion, bool solved, Change change);

    Puzzle puzzle_;
    CursorState cursor_;
    UndoHistory history_;
    RecentList recent_;
    CursorBehavior behavior_;
    std::map<int32_t, char> wrongMarks_;  // letter -> the entry that was checked wrong
    std::string importSource_;
    FileState fileOnDisk_;
    SessionPlaces places_;
    std::function<bool(const std::string&)> hold_;

    // Marks the letter when its entry is wrong; says whether it did.
    bool MarkIfWrong(int32_t letter);
    // Drops the marks of entries that changed since they were checked.
    void DropChangedMarks();
};

}  // namespace qw
