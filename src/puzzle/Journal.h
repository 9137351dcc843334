#pragma once
// The recovery journal: the entered letters of a modified puzzle, kept in the user's state folder
// so that a program killed before the solver saved loses at most the last second of typing. The
// puzzle file itself is written only by a save; a journal is offered back when the same file is
// opened again unchanged.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "puzzle/Puzzle.h"

namespace qw {

// The puzzle file as it lay on disk when it was loaded or last saved. A file that does not exist
// (a puzzle not yet saved for the first time) is Size -1, ModifiedNs 0.
struct FileStamp {
    int64_t Size = -1;
    int64_t ModifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

struct Journal {
    std::string PuzzlePath;  // absolute
    FileStamp Stamp;
    std::string Entered;     // the Entered byte of letters 1..LetterCount
    int32_t CurrentLetter = 0;

    int32_t LetterCount() const { return static_cast<int32_t>(Entered.size()); }
};

// A journal larger than this is not read: no puzzle's letters come near it.
constexpr size_t kMaxJournalBytes = 8u << 20;

// `path` is the puzzle's absolute path; `stamp` what was recorded at load or save.
Journal SnapshotJournal(const Puzzle& puzzle, const CursorState& cursor, const std::string& path,
                        const FileStamp& stamp);
// Puts the journal's letters and current letter into the puzzle, which becomes modified. The
// journal must have been judged Offer for this puzzle.
void RestoreJournal(const Journal& journal, Puzzle& puzzle, CursorState& cursor);

std::string EncodeJournal(const Journal& journal);
// Nothing unless the text is a journal of this program's format, complete and consistent.
std::optional<Journal> DecodeJournal(std::string_view text);

// $XDG_STATE_HOME/quotewell/recovery, or ~/.local/state/quotewell/recovery when XDG_STATE_HOME is
// unset or relative; empty when there is no home either. Arguments are the variables' values.
std::string JournalFolder(const char* stateHome, const char* home);
std::string JournalFolderFromEnvironment();

// The journal's file name for a puzzle: a readable stem of the puzzle's name and a hash of its
// whole absolute path, so two puzzles of the same name in different folders never share one.
std::string JournalFileName(const std::string& absolutePuzzlePath);
std::string JournalPath(const std::string& folder, const std::string& absolutePuzzlePath);

enum class JournalVerdict {
    None,   // nothing to do (no journal, or one that belongs to another puzzle)
    Offer,  // the puzzle file is as the journal saw it: ask whether to restore
    Stale,  // the file or the puzzle's shape changed since: set aside as ….stale
    Bad,    // damaged or hostile: set aside as ….bad
};

// Whether `journal` may be put into `puzzle`, whose file at `path` now has `now`. Letters other
// than those the solver can type, the solution's own and what the file already holds make it Bad.
JournalVerdict Judge(const Journal& journal, const Puzzle& puzzle, const std::string& path, const FileStamp& now);

struct FoundJournal {
    JournalVerdict Verdict = JournalVerdict::None;
    Journal Content;  // set for Offer
};

// Looks for the journal of the puzzle at `path` (its FileIdentity) in `folder`, judges it and sets a
// stale or bad one aside. Never touches the puzzle. Journals were once named by the path as the
// puzzle was opened: when `path` has none, the one of `spelled` (absolute) is judged instead and,
// when it can be offered, moved to `path`'s name.
FoundJournal FindJournal(const std::string& folder, const std::string& path, const Puzzle& puzzle,
                         const std::string& spelled = {});

// The puzzles of the sound journals in `folder` whose files are as their journals saw them,
// newest journal first, `excluding` (any path naming the same file) left out and its journal left
// alone, as are those of puzzles `held` says another running copy has open. Damaged journals and
// those whose file changed are set aside; journals of files never saved are kept but not listed.
std::vector<std::string> JournaledPuzzles(const std::string& folder, const std::string& excluding,
                                          const std::function<bool(const std::string&)>& held = {});

// Renames `file` to `file` + suffix, replacing an older one; reports nothing.
void SetAside(const std::string& file, const char* suffix);

}  // namespace qw
