#include "puzzle/PuzzleFile.h"

#include <charconv>

#include "puzzle/Win1252.h"

namespace qw {
namespace {

constexpr std::string_view kMagicName = "Quotewell Puzzle";
constexpr std::string_view kMagicV2 = "Quotewell Puzzle v.2";
constexpr int32_t kIndexModulus = 1073741823;

// Token conversion as the platform's string-to-integer does it: leading blanks, an optional sign,
// decimal digits, nothing after them, and a value that fits in 32 bits.
int64_t ConvertInteger(std::string_view token)
{
    size_t i = 0;
    while (i < token.size() && token[i] == ' ') ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    int64_t value = 0;
    const size_t firstDigit = i;
    bool ok = i < token.size();
    for (; ok && i < token.size(); ++i) {
        if (token[i] < '0' || token[i] > '9') {
            ok = false;
            break;
        }
        value = value * 10 + (token[i] - '0');
        if (value > 2147483648LL) ok = false;
    }
    ok = ok && i > firstDigit && (negative || value <= 2147483647LL);
    if (!ok) {
        // Keep the message readable even for a hostile megabyte-long token.
        std::string shown = Win1252ToUtf8(token.substr(0, 100));
        if (token.size() > 100) shown += "...";
        throw NumberError("'" + shown + "' is not a valid integer value");
    }
    return negative ? -value : value;
}

// The number list of an answer line: tokens separated by ",", a trailing comma ending the list.
std::vector<int32_t> ParseNumberList(std::string_view list)
{
    std::vector<int32_t> numbers;
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::string_view token = list.substr(0, comma);
        const int64_t value = ConvertInteger(token);
        numbers.push_back(static_cast<int32_t>((value < 0 ? -value : value) % kIndexModulus));
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    return numbers;
}

void ReadNoteStyle(PuzzleReader& in, PuzzleNote& note)
{
    note.Color = in.ReadInt32();
    note.FontName = ReadMaskedString(in);
    note.FontHeight = in.ReadInt32();
    note.FontColor = in.ReadInt32();
    note.FontPitch = in.ReadByte();
    note.Bold = in.ReadByte() != 0;
    note.Italic = in.ReadByte() != 0;
    note.Underline = in.ReadByte() != 0;
    note.StrikeOut = in.ReadByte() != 0;
}

void ReadLinesNote(PuzzleReader& in, PuzzleNote& note)
{
    note.Caption = ReadMaskedString(in);
    ReadNoteStyle(in, note);
    const int32_t count = in.ReadInt32();
    // Each line takes at least its four length bytes.
    if (count > 0 && static_cast<size_t>(count) > in.Remaining() / 4) in.Fail();
    note.Lines.clear();
    if (count > 0) note.Lines.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) note.Lines.push_back(ReadMaskedString(in));
}

void ReadTextNote(PuzzleReader& in, PuzzleNote& note)
{
    note.Caption = ReadMaskedString(in);
    ReadNoteStyle(in, note);
    in.ReadInt32();
    in.ReadInt32();
    note.Text = ReadMaskedString(in);
}

void WriteNoteStyle(PuzzleWriter& out, const PuzzleNote& note)
{
    out.WriteInt32(note.Color);
    WriteMaskedString(out, note.FontName);
    out.WriteInt32(note.FontHeight);
    out.WriteInt32(note.FontColor);
    out.WriteByte(0);  // the pitch is never applied when read, so it is not kept either
    out.WriteByte(note.Bold ? 1 : 0);
    out.WriteByte(note.Italic ? 1 : 0);
    out.WriteByte(note.Underline ? 1 : 0);
    out.WriteByte(note.StrikeOut ? 1 : 0);
}

void WriteLinesNote(PuzzleWriter& out, const PuzzleNote& note)
{
    WriteMaskedString(out, note.Caption);
    WriteNoteStyle(out, note);
    out.WriteInt32(static_cast<int32_t>(note.Lines.size()));
    for (const std::string& line : note.Lines) WriteMaskedString(out, line);
}

// Everything both layouts share, from the seed to the header strings.
void EncodeCommon(PuzzleWriter& out, const Puzzle& p, std::string_view magic)
{
    out.Counter = MaskCounter(p.MaskSeed);
    out.WriteByte(p.MaskSeed);
    WriteMaskedString(out, magic);
    out.WriteMaskedByte(p.SolutionScrambled);
    out.WriteInt32(static_cast<int32_t>(p.Clues.size()));
    out.WriteInt32(static_cast<int32_t>(p.DiagramRows.size()));
    out.WriteInt32(p.ColumnCount);

    // Regenerated from the diagram so that it always describes exactly the squares there are.
    std::string fixed;
    for (int32_t r = 0; r < p.Grid.Rows(); ++r)
        for (int32_t c = 0; c < p.Grid.Columns(); ++c)
            if (const int32_t cell = p.Grid.GetCell(r, c); cell < 0) fixed += static_cast<char>(-cell);
    WriteMaskedString(out, fixed);
    for (const std::string& row : p.DiagramRows) WriteMaskedString(out, row);

    std::string line;
    for (const Clue& clue : p.Clues) {
        WriteMaskedString(out, clue.Text);
        line.clear();
        char digits[16];
        for (size_t j = 0; j < clue.Answer.size(); ++j) {
            if (j > 0) line += ',';
            const auto res = std::to_chars(digits, digits + sizeof digits, clue.Answer[j]);
            line.append(digits, res.ptr);
        }
        line += '|';
        for (int32_t index : clue.Answer) {
            const bool valid = index > 0 && static_cast<size_t>(index) < p.Letters.size();
            line += valid ? p.Letters[static_cast<size_t>(index)].Entered : ' ';
        }
        WriteMaskedString(out, line);
    }
    WriteMaskedString(out, p.KeyNumber);
    for (const std::string& header : p.HeaderStrings) WriteMaskedString(out, header);
}

bool HasPuzzleMagic(std::string_view bytes)
{
    try {
        PuzzleReader in(bytes, {});
        in.Counter = MaskCounter(in.ReadByte());
        return ReadMaskedString(in).starts_with(kMagicName);
    } catch (const ReadError&) {
        return false;
    }
}

}  // namespace

ReadError::ReadError(const std::string& path)
    : std::runtime_error("Error reading file " + path + "."), Path(path)
{
}

VersionError::VersionError()
    : std::runtime_error(
          "This puzzle requires a more recent version of Quotewell. Please obtain the latest version of the program.")
{
}

uint8_t PuzzleReader::ReadByte()
{
    if (Pos >= Bytes.size()) Fail();
    return static_cast<uint8_t>(Bytes[Pos++]);
}

int32_t PuzzleReader::ReadInt32()
{
    if (Remaining() < 4) Fail();
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(Bytes[Pos++])) << (8 * i);
    return static_cast<int32_t>(value);
}

void PuzzleWriter::WriteInt32(int32_t value)
{
    const auto u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) WriteByte(static_cast<uint8_t>(u >> (8 * i)));
}

std::string ReadMaskedString(PuzzleReader& in)
{
    const int32_t length = in.ReadInt32();
    if (length <= 0) return {};
    if (static_cast<size_t>(length) > in.Remaining()) in.Fail();
    std::string text(in.Bytes.substr(in.Pos, static_cast<size_t>(length)));
    in.Pos += static_cast<size_t>(length);
    // The counter kept in a local lets the compiler vectorise the loop; the masks are the same.
    uint8_t mask = in.Counter.Current();
    for (char& ch : text) ch = static_cast<char>(static_cast<uint8_t>(ch) ^ ++mask);
    in.Counter = MaskCounter(mask);
    return text;
}

void WriteMaskedString(PuzzleWriter& out, std::string_view text)
{
    out.WriteInt32(static_cast<int32_t>(text.size()));
    const size_t start = out.Bytes.size();
    out.Bytes.append(text);
    uint8_t mask = out.Counter.Current();
    for (size_t i = start; i < out.Bytes.size(); ++i)
        out.Bytes[i] = static_cast<char>(static_cast<uint8_t>(out.Bytes[i]) ^ ++mask);
    out.Counter = MaskCounter(mask);
}

int MagicVersion(std::string_view magic)
{
    if (!magic.starts_with(kMagicName)) return 0;
    if (magic.size() == kMagicName.size()) return 1;
    size_t start = magic.size();
    while (start > 1 && magic[start - 1] >= '0' && magic[start - 1] <= '9') --start;
    int version = 0;
    for (size_t i = start; i < magic.size(); ++i) {
        version = version * 10 + (magic[i] - '0');
        if (version > 1000000) return 1000000;
    }
    return version;
}

std::optional<std::string> RepairLineEndings(std::string_view bytes)
{
    for (size_t i = 1; i < bytes.size(); ++i)
        if (bytes[i] == '\n' && bytes[i - 1] != '\r') return std::nullopt;
    std::string copy;
    copy.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')) copy += bytes[i];
    return copy;
}

std::string CheckPuzzleShape(int32_t rows, int32_t columns, const std::string& fixedChars,
                             const std::vector<std::string>& rowStrings, const std::vector<ClueInput>& clues)
{
    if (rows <= 0) return "the diagram has no rows";
    if (columns <= 0) return "the diagram has no columns";
    if (columns > kMaxColumns) return "the diagram has more than " + std::to_string(kMaxColumns) + " columns";
    if (rowStrings.size() != static_cast<size_t>(rows)) return "the number of diagram rows does not match";
    CharSet fixed;
    for (char ch : fixedChars) fixed.set(static_cast<unsigned char>(ch));
    size_t letterCount = 0;
    for (size_t r = 0; r < rowStrings.size(); ++r) {
        if (rowStrings[r].size() != static_cast<size_t>(columns))
            return "diagram row " + std::to_string(r + 1) + " does not have " + std::to_string(columns) + " characters";
        for (char ch : rowStrings[r]) {
            const auto c = static_cast<unsigned char>(ch);
            if (c != 0 && c != ' ' && !fixed.test(c)) ++letterCount;
        }
    }
    if (clues.empty()) return "the puzzle has no clues";
    if (clues.front().Answer.empty()) return "the first clue has no answer";
    std::vector<bool> used(letterCount + 1, false);
    size_t usedCount = 0;
    for (size_t k = 0; k < clues.size(); ++k) {
        const auto where = [k] { return "clue " + ClueLabel(static_cast<int32_t>(k)); };
        if (clues[k].Answer.size() > kMaxProgress) return where() + " has more than 255 letters";
        for (int32_t index : clues[k].Answer) {
            if (index < 1 || static_cast<size_t>(index) > letterCount)
                return where() + " refers to letter " + std::to_string(index) + ", but the diagram has " +
                       std::to_string(letterCount) + " letters";
            if (used[static_cast<size_t>(index)]) return where() + " uses letter " + std::to_string(index) + " a second time";
            used[static_cast<size_t>(index)] = true;
            ++usedCount;
        }
    }
    if (usedCount != letterCount) {
        for (size_t i = 1; i <= letterCount; ++i)
            if (!used[i]) return "letter " + std::to_string(i) + " belongs to no answer";
    }
    return {};
}

Puzzle DecodePuzzle(std::string_view bytes, const std::string& pathForMessages, int* versionOut,
                    std::string* fixedCharsOut)
{
    PuzzleReader in(bytes, pathForMessages);
    Puzzle p;
    p.MaskSeed = in.ReadByte();
    in.Counter = MaskCounter(p.MaskSeed);
    const int version = MagicVersion(ReadMaskedString(in));
    if (version == 0) in.Fail();
    if (version > 2) throw VersionError();

    p.SolutionScrambled = in.ReadMaskedByte();
    const int32_t clueCount = in.ReadInt32();
    const int32_t rows = in.ReadInt32();
    const int32_t columns = in.ReadInt32();
    const std::string fixed = ReadMaskedString(in);

    // Every row is a length field plus `columns` bytes, every clue at least two length fields:
    // counts the remaining bytes cannot hold are refused before anything is reserved for them.
    if (rows <= 0 || columns <= 0 || columns > kMaxColumns) in.Fail();
    if (static_cast<size_t>(rows) > in.Remaining() / (4 + static_cast<size_t>(columns))) in.Fail();
    std::vector<std::string> rowStrings;
    rowStrings.reserve(static_cast<size_t>(rows));
    for (int32_t r = 0; r < rows; ++r) {
        rowStrings.push_back(ReadMaskedString(in));
        if (rowStrings.back().size() != static_cast<size_t>(columns)) in.Fail();
    }

    if (clueCount <= 0 || static_cast<size_t>(clueCount) > in.Remaining() / 8) in.Fail();
    std::vector<ClueInput> clues(static_cast<size_t>(clueCount));
    for (ClueInput& clue : clues) {
        clue.Text = ReadMaskedString(in);
        const std::string line = ReadMaskedString(in);
        const size_t bar = line.find('|');
        clue.Answer = ParseNumberList(std::string_view(line).substr(0, bar));
        if (bar != std::string::npos) clue.Progress = line.substr(bar + 1, kMaxProgress);
    }

    p.KeyNumber = ReadMaskedString(in);
    for (std::string& header : p.HeaderStrings) header = ReadMaskedString(in);

    int32_t noteFlags = 0;
    if (version >= 2)
        noteFlags = in.ReadInt32();
    else if (!in.AtEnd())
        noteFlags = 1;
    if (noteFlags & 1) ReadLinesNote(in, p.MoreInfo);
    if (version >= 2 && noteFlags >= 2) ReadTextNote(in, p.SolverInfo);
    if (version >= 2) {
        p.AnyCharAllowed = in.ReadByte();
        p.ExtraLetters = ReadMaskedString(in);
        p.AuthorAddress = ReadMaskedString(in);
    }

    if (!CheckPuzzleShape(rows, columns, fixed, rowStrings, clues).empty()) in.Fail();
    if (!p.BuildPuzzle(rows, columns, fixed, rowStrings, clues)) in.Fail();
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    p.Modified = false;
    if (versionOut) *versionOut = version;
    if (fixedCharsOut) *fixedCharsOut = fixed;
    return p;
}

Puzzle LoadPuzzle(const std::string& path, int* versionOut, std::string* fixedCharsOut)
{
    std::optional<std::string> bytes = ReadRegularFile(path);
    if (!bytes) throw ReadError(path);

    std::optional<std::string> repaired = RepairLineEndings(*bytes);
    // A file with no line break at all would be "repaired" into an identical copy. Rewriting it
    // gains nothing and would make every such puzzle unreadable from a read-only folder (the
    // installed samples), so it is read as it is.
    if (repaired && *repaired != *bytes && HasPuzzleMagic(*repaired)) {
        // The repair replaces a file its owner may not want changed: a read-only or immutable
        // puzzle is reported unreadable, as before any repair, rather than quietly rewritten.
        if (!WritableByMode(ResolveLink(path))) throw ReadError(path);
        try {
            // One rename stands for "delete the original, rename the copy" without a moment in
            // which neither file exists; the copy keeps the original's permissions.
            WriteFileAtomically(path, *repaired);
        } catch (const SaveError&) {
            throw ReadError(path);
        }
        bytes->swap(*repaired);
    }
    return DecodePuzzle(*bytes, path, versionOut, fixedCharsOut);
}

std::string EncodePuzzle(const Puzzle& puzzle)
{
    PuzzleWriter out;
    out.Bytes.reserve(4096 + puzzle.DiagramRows.size() * (4 + static_cast<size_t>(puzzle.ColumnCount)) +
                      puzzle.Clues.size() * 64);
    EncodeCommon(out, puzzle, kMagicV2);
    const bool moreInfo = puzzle.HasMoreInfo();
    const bool solverInfo = puzzle.HasSolverInfo();
    out.WriteInt32((moreInfo ? 1 : 0) + (solverInfo ? 2 : 0));
    if (moreInfo) WriteLinesNote(out, puzzle.MoreInfo);
    if (solverInfo) {
        WriteMaskedString(out, puzzle.SolverInfo.Caption);
        WriteNoteStyle(out, puzzle.SolverInfo);
        out.WriteInt32(0);
        out.WriteInt32(0);
        WriteMaskedString(out, puzzle.SolverInfo.Text);
    }
    out.WriteByte(puzzle.AnyCharAllowed);
    WriteMaskedString(out, puzzle.ExtraLetters);
    WriteMaskedString(out, puzzle.AuthorAddress);
    return std::move(out.Bytes);
}

std::string EncodePuzzleVersion1(const Puzzle& puzzle)
{
    if (puzzle.HasSolverInfo() || puzzle.AnyCharAllowed != 0 || !puzzle.ExtraLetters.empty() ||
        !puzzle.AuthorAddress.empty())
        throw std::invalid_argument(
            "a version 1 file cannot hold solverInfo, anyCharAllowed, extraLetters or authorAddress");
    PuzzleWriter out;
    EncodeCommon(out, puzzle, kMagicName);
    if (puzzle.HasMoreInfo()) WriteLinesNote(out, puzzle.MoreInfo);
    return std::move(out.Bytes);
}

void SavePuzzle(Puzzle& puzzle)
{
    WriteFileAtomically(puzzle.FileName, EncodePuzzle(puzzle));
    puzzle.Modified = false;
}

}  // namespace qw
