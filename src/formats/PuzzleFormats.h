#pragma once
// Acrostics published as JPZ (crossword-compiler XML, plain or zipped) or ipuz (JSON): read into
// the same Puzzle the .QWL reader builds, and written back out with the solver's progress.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "puzzle/Puzzle.h"

namespace qw {

enum class ImportKind { Jpz, Ipuz };

// A file that cannot become a puzzle: not an acrostic, malformed, inconsistent, too large, or
// holding text the code page cannot store. The text names the file and the reason.
struct ImportError : std::runtime_error {
    ImportError(const std::string& path, const std::string& reason);
};

// A puzzle that cannot be written out, or a write that failed; the text says why.
struct ExportError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Largest file, and largest unpacked ZIP entry, an importer reads: five times the JPZ of a
// 10,000-letter puzzle (1.6 MB), and far beyond any published acrostic.
constexpr size_t kMaxImportBytes = 8u << 20;

// By extension, in any letter case: .jpz or .ipuz; nullopt for anything else (.QWL included).
std::optional<ImportKind> ImportKindOf(const std::string& path);

// The puzzle the bytes describe (BuildPuzzle done, TypingAlphabet computed, Modified false,
// FileName empty). `pathForMessages` only names the file in errors. Throws ImportError.
Puzzle ImportPuzzleBytes(std::string_view bytes, ImportKind kind, const std::string& pathForMessages);
// Reads the file (a regular file, at most kMaxImportBytes) by its extension. Throws ImportError.
Puzzle ImportPuzzle(const std::string& path);

// Throws ExportError for a locked puzzle, whose solution must stay hidden.
void CheckExportable(const Puzzle& puzzle);
// The file's bytes. Throws ExportError (CheckExportable).
std::string ExportPuzzleBytes(const Puzzle& puzzle, ImportKind kind);
// Writes `path` (atomically) in the format its extension names. Throws ExportError.
void ExportPuzzle(const Puzzle& puzzle, const std::string& path);

// Whether two puzzles are the same acrostic: diagram, clue texts and answer numbers. Progress,
// texts around the puzzle and flags do not count.
bool SameSource(const Puzzle& a, const Puzzle& b);

// Where the progress of an imported puzzle lives: `qwlPath` ("X.QWL") or the first of "X (2).QWL",
// "X (3).QWL", … that is either free or already holds the same acrostic (then `existing` is set
// and the file is left for the caller to open). Nothing is written.
struct ImportTarget {
    std::string path;
    bool existing = false;
};
ImportTarget ChooseImportTarget(const Puzzle& imported, const std::string& qwlPath);

}  // namespace qw
