#pragma once
// The .QWL puzzle file: masked strings, the line-ending repair, the reader for versions 1 and 2
// and the version 2 writer.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "puzzle/FileAccess.h"
#include "puzzle/Puzzle.h"

namespace qw {

// An input/output problem or a structurally broken file. The text is what the user is shown.
struct ReadError : std::runtime_error {
    explicit ReadError(const std::string& path);
    std::string Path;
};

// The file was written by a newer program than this one.
struct VersionError : std::runtime_error {
    VersionError();
};

// A number in an answer line that does not convert; the text is the conversion's own message.
struct NumberError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One byte of state shared by reader and writer: set to the file's first byte, stepped before
// every masked byte (255 wraps to 0), the stepped value being the mask.
class MaskCounter {
public:
    explicit MaskCounter(uint8_t seed = 0) : Value(seed) {}
    uint8_t NextMask()
    {
        Value = static_cast<uint8_t>(Value + 1);
        return Value;
    }
    uint8_t Current() const { return Value; }

private:
    uint8_t Value;
};

// Cursor over the bytes of a puzzle file. Every read that would run past the end throws ReadError
// naming `path`, so hostile lengths never reach an allocation.
class PuzzleReader {
public:
    PuzzleReader(std::string_view bytes, std::string path) : Bytes(bytes), Path(std::move(path)) {}

    uint8_t ReadByte();
    uint8_t ReadMaskedByte() { return static_cast<uint8_t>(ReadByte() ^ Counter.NextMask()); }
    int32_t ReadInt32();
    size_t Remaining() const { return Bytes.size() - Pos; }
    bool AtEnd() const { return Pos >= Bytes.size(); }
    [[noreturn]] void Fail() const { throw ReadError(Path); }

    MaskCounter Counter;

private:
    friend std::string ReadMaskedString(PuzzleReader& in);
    std::string_view Bytes;
    size_t Pos = 0;
    std::string Path;
};

class PuzzleWriter {
public:
    void WriteByte(uint8_t value) { Bytes.push_back(static_cast<char>(value)); }
    void WriteMaskedByte(uint8_t value) { WriteByte(static_cast<uint8_t>(value ^ Counter.NextMask())); }
    void WriteInt32(int32_t value);

    MaskCounter Counter;
    std::string Bytes;
};

// int32 length (not masked), then each character XOR the next mask. A length of 0 or less is the
// empty string.
std::string ReadMaskedString(PuzzleReader& in);
void WriteMaskedString(PuzzleWriter& out, std::string_view text);

// 0 when the magic does not start with the product's name, 1 for the bare name, otherwise the
// trailing decimal number (saturated, so any absurd number is simply "too new").
int MagicVersion(std::string_view magic);

// The repair decision and copy for files whose LF bytes were all turned into CR LF: nullopt when a
// lone LF (after the first byte) shows the file is intact, else the bytes with every CR that
// directly precedes an LF dropped.
std::optional<std::string> RepairLineEndings(std::string_view bytes);

// Checks what BuildPuzzle leaves to its caller: sensible dimensions, rows of the right length,
// at least one clue with a non-empty first answer, every letter in exactly one answer, no answer
// longer than its progress can be stored. Returns an empty string when the shape is sound, else a
// description of the first problem.
std::string CheckPuzzleShape(int32_t rows, int32_t columns, const std::string& fixedChars,
                             const std::vector<std::string>& rowStrings, const std::vector<ClueInput>& clues);

// Longest progress string the answer line keeps, and so the longest answer accepted.
constexpr size_t kMaxProgress = 255;
constexpr int32_t kMaxColumns = 256;

// Parses bytes of a .QWL file into a fresh Puzzle (TypingAlphabet computed, Modified false,
// FileName left empty). Throws ReadError, VersionError or NumberError.
Puzzle DecodePuzzle(std::string_view bytes, const std::string& pathForMessages, int* versionOut = nullptr,
                    std::string* fixedCharsOut = nullptr);

// Runs the line-ending repair on the file (possibly rewriting it) and decodes it. The caller's
// puzzle is untouched when this throws.
Puzzle LoadPuzzle(const std::string& path, int* versionOut = nullptr, std::string* fixedCharsOut = nullptr);

// The version 2 bytes of the puzzle, masked from its MaskSeed.
std::string EncodePuzzle(const Puzzle& puzzle);
// The older layout, for making sample files: no version 2 fields, MoreInfo only. Throws
// std::invalid_argument when the puzzle uses something version 1 cannot hold.
std::string EncodePuzzleVersion1(const Puzzle& puzzle);

// Writes puzzle.FileName in the version 2 layout and clears Modified; on failure Modified stays as
// it was and the file is unchanged.
void SavePuzzle(Puzzle& puzzle);

}  // namespace qw
