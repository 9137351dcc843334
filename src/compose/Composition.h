#pragma once
// An acrostic being composed, the composer file that keeps it between sessions, and the puzzle
// it becomes.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "compose/Numbering.h"
#include "puzzle/Puzzle.h"

namespace qw::compose {

struct ComposeAnswer {
    std::string word;  // as typed or filled (letters and, for phrases, spaces)
    bool locked = false;
    std::string clue;
};

// Texts are UTF-8 here; they become Windows-1252 only in the puzzle.
struct Composition {
    std::string quotation;
    std::string source;
    int32_t width = 27;
    uint64_t seed = 1;
    std::vector<ComposeAnswer> answers;  // one per source letter
    std::array<std::string, 3> headers;
    std::string notes;
    std::string authorAddress;
    bool lockSolution = false;  // published locked, opened with keyNumber
    std::string keyNumber;
    std::vector<std::string> excluded;
    int maxLevel = 50;
    bool phrases = false;
};

constexpr int kComposerFileVersion = 1;

// A composer file that cannot be read; the text names the file and what is wrong.
struct ComposerFileError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string ComposerJson(const Composition& composition);
// Throws ComposerFileError naming `pathForMessages`.
Composition ParseComposerJson(const std::string& text, const std::string& pathForMessages);
// Atomic: a failed save leaves the old file whole. Throws SaveError.
void SaveComposition(const Composition& composition, const std::string& path);
Composition LoadComposition(const std::string& path);

// A puzzle that cannot be built; the text says why.
struct ComposeError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The complete puzzle: the diagram, the answers at their numbered squares, the clues (the answer's
// length in brackets where a clue is empty), the texts and the key. Throws ComposeError when the
// numbering is incomplete or the answers do not match the slots.
Puzzle BuildComposedPuzzle(const Composition& composition, const DiagramLayout& layout, const Numbering& numbering);

// Writes `path` atomically as .QWL (version 2), .jpz or .ipuz by its extension, through the
// puzzle writers; nothing is written when the puzzle cannot be. Throws SaveError or ExportError.
void WriteComposedPuzzle(Puzzle& puzzle, const std::string& path);

}  // namespace qw::compose
