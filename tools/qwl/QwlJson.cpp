#include "QwlJson.h"

#include <limits>

#include "puzzle/PuzzleFile.h"
#include "puzzle/Win1252.h"

namespace qw {
namespace {

std::string Utf8(const std::string& ansi) { return Win1252ToUtf8(ansi); }

Json NoteJson(const PuzzleNote& note)
{
    Json j;
    j["caption"] = Utf8(note.Caption);
    j["color"] = note.Color;
    j["fontName"] = Utf8(note.FontName);
    j["fontHeight"] = note.FontHeight;
    j["fontColor"] = note.FontColor;
    j["bold"] = note.Bold;
    j["italic"] = note.Italic;
    j["underline"] = note.Underline;
    j["strikeOut"] = note.StrikeOut;
    return j;
}

// ---- reading the JSON of `make`, with messages that say which field is wrong

const Json* Field(const Json& object, const char* key)
{
    const auto it = object.find(key);
    return it == object.end() || it->is_null() ? nullptr : &*it;
}

std::string Ansi(const Json& value, const std::string& where)
{
    if (!value.is_string()) throw InputError(where + " must be a string");
    const std::string utf8 = value.get<std::string>();
    std::string ansi = Utf8ToWin1252(utf8);
    if (Win1252ToUtf8(ansi) != utf8) throw InputError(where + " has characters that Windows-1252 cannot hold");
    return ansi;
}

std::string OptionalAnsi(const Json& object, const char* key, const std::string& where)
{
    const Json* value = Field(object, key);
    return value ? Ansi(*value, where + key) : std::string{};
}

int64_t Integer(const Json& value, const std::string& where, int64_t low, int64_t high)
{
    if (value.is_boolean()) return value.get<bool>() ? 1 : 0;
    if (!value.is_number_integer()) throw InputError(where + " must be an integer");
    const int64_t n = value.is_number_unsigned() && value.get<uint64_t>() > static_cast<uint64_t>(high)
                          ? high + 1
                          : value.get<int64_t>();
    if (n < low || n > high)
        throw InputError(where + " must be between " + std::to_string(low) + " and " + std::to_string(high));
    return n;
}

int64_t OptionalInteger(const Json& object, const char* key, const std::string& where, int64_t low, int64_t high,
                        int64_t fallback = 0)
{
    const Json* value = Field(object, key);
    return value ? Integer(*value, where + key, low, high) : fallback;
}

bool OptionalFlag(const Json& object, const char* key, const std::string& where)
{
    const Json* value = Field(object, key);
    if (!value) return false;
    if (!value->is_boolean()) throw InputError(where + key + " must be true or false");
    return value->get<bool>();
}

const Json& Array(const Json& object, const char* key, const std::string& where)
{
    const Json* value = Field(object, key);
    if (!value || !value->is_array()) throw InputError(where + key + " must be an array");
    return *value;
}

// Colours are 32-bit values; system colours have the top bit set, so both spellings are taken.
int32_t Colour(const Json& object, const char* key, const std::string& where)
{
    return static_cast<int32_t>(static_cast<uint32_t>(
        OptionalInteger(object, key, where, std::numeric_limits<int32_t>::min(), 0xFFFFFFFFLL)));
}

void ReadNote(const Json& value, const std::string& where, PuzzleNote& note)
{
    if (!value.is_object()) throw InputError(where + " must be an object or null");
    const std::string prefix = where + ".";
    note.Caption = OptionalAnsi(value, "caption", prefix);
    note.Color = Colour(value, "color", prefix);
    note.FontName = OptionalAnsi(value, "fontName", prefix);
    note.FontHeight = static_cast<int32_t>(OptionalInteger(value, "fontHeight", prefix,
                                                           std::numeric_limits<int32_t>::min(),
                                                           std::numeric_limits<int32_t>::max()));
    note.FontColor = Colour(value, "fontColor", prefix);
    note.Bold = OptionalFlag(value, "bold", prefix);
    note.Italic = OptionalFlag(value, "italic", prefix);
    note.Underline = OptionalFlag(value, "underline", prefix);
    note.StrikeOut = OptionalFlag(value, "strikeOut", prefix);
}

}  // namespace

Json DumpJson(const Puzzle& p, int version, const std::string& fixedChars)
{
    Json j;
    j["version"] = version;
    j["maskSeed"] = p.MaskSeed;
    j["solutionScrambled"] = p.SolutionScrambled;
    j["rowCount"] = p.RowCount;
    j["columnCount"] = p.ColumnCount;
    j["clueCount"] = p.ClueCount;
    j["letterCount"] = p.LetterCount;
    j["fixedChars"] = Utf8(fixedChars);
    j["diagramRows"] = Json::array();
    for (const std::string& row : p.DiagramRows) j["diagramRows"].push_back(Utf8(row));
    j["keyNumber"] = Utf8(p.KeyNumber);
    j["headerStrings"] = Json::array();
    for (const std::string& header : p.HeaderStrings) j["headerStrings"].push_back(Utf8(header));
    j["anyCharAllowed"] = p.AnyCharAllowed;
    j["extraLetters"] = Utf8(p.ExtraLetters);
    j["authorAddress"] = Utf8(p.AuthorAddress);
    j["upperCaseOnly"] = p.UpperCaseOnly;
    std::string alphabet;
    for (int c = 0; c < 256; ++c)
        if (p.TypingAlphabet.test(static_cast<size_t>(c))) alphabet += static_cast<char>(c);
    j["typingAlphabet"] = Utf8(alphabet);
    j["clues"] = Json::array();
    for (size_t k = 0; k < p.Clues.size(); ++k) {
        const Clue& clue = p.Clues[k];
        std::string entered;
        for (int32_t index : clue.Answer) entered += p.Letters[static_cast<size_t>(index)].Entered;
        Json c;
        c["label"] = Utf8(ClueLabel(static_cast<int32_t>(k)));
        c["text"] = Utf8(clue.Text);
        c["answer"] = clue.Answer;
        c["entered"] = Utf8(entered);
        j["clues"].push_back(c);
    }
    if (p.HasMoreInfo()) {
        Json note = NoteJson(p.MoreInfo);
        note["lines"] = Json::array();
        for (const std::string& line : p.MoreInfo.Lines) note["lines"].push_back(Utf8(line));
        j["moreInfo"] = note;
    } else {
        j["moreInfo"] = nullptr;
    }
    if (p.HasSolverInfo()) {
        Json note = NoteJson(p.SolverInfo);
        note["text"] = Utf8(p.SolverInfo.Text);
        j["solverInfo"] = note;
    } else {
        j["solverInfo"] = nullptr;
    }
    return j;
}

Puzzle PuzzleFromJson(const Json& j)
{
    if (!j.is_object()) throw InputError("the JSON must be one object");
    Puzzle p;
    p.MaskSeed = static_cast<uint8_t>(OptionalInteger(j, "maskSeed", "", 0, 255));
    p.SolutionScrambled = static_cast<uint8_t>(OptionalInteger(j, "solutionScrambled", "", 0, 255));
    const std::string fixed = OptionalAnsi(j, "fixedChars", "");

    std::vector<std::string> rows;
    const Json& rowArray = Array(j, "diagramRows", "");
    for (size_t r = 0; r < rowArray.size(); ++r)
        rows.push_back(Ansi(rowArray[r], "diagramRows[" + std::to_string(r) + "]"));
    const int64_t rowCount = static_cast<int64_t>(rows.size());
    const int64_t columnCount = rows.empty() ? 0 : static_cast<int64_t>(rows.front().size());
    if (OptionalInteger(j, "rowCount", "", 0, std::numeric_limits<int32_t>::max(), rowCount) != rowCount)
        throw InputError("rowCount does not match the number of diagramRows");
    if (OptionalInteger(j, "columnCount", "", 0, std::numeric_limits<int32_t>::max(), columnCount) != columnCount)
        throw InputError("columnCount does not match the length of the diagram rows");
    if (columnCount > kMaxColumns) throw InputError("the diagram has more than 256 columns");

    std::vector<ClueInput> clues;
    const Json& clueArray = Array(j, "clues", "");
    for (size_t k = 0; k < clueArray.size(); ++k) {
        const std::string where = "clues[" + std::to_string(k) + "].";
        const Json& c = clueArray[k];
        if (!c.is_object()) throw InputError("clues[" + std::to_string(k) + "] must be an object");
        ClueInput clue;
        clue.Text = OptionalAnsi(c, "text", where);
        for (const Json& index : Array(c, "answer", where))
            clue.Answer.push_back(static_cast<int32_t>(Integer(index, where + "answer", 1, 1073741822)));
        clue.Progress = OptionalAnsi(c, "entered", where);
        if (clue.Progress.size() > clue.Answer.size())
            throw InputError(where + "entered has more characters than the answer has letters");
        clues.push_back(std::move(clue));
    }

    const std::string problem = CheckPuzzleShape(static_cast<int32_t>(rowCount), static_cast<int32_t>(columnCount),
                                                 fixed, rows, clues);
    if (!problem.empty()) throw InputError("inconsistent puzzle: " + problem);
    p.BuildPuzzle(static_cast<int32_t>(rowCount), static_cast<int32_t>(columnCount), fixed, rows, clues);

    p.KeyNumber = OptionalAnsi(j, "keyNumber", "");
    if (const Json* headers = Field(j, "headerStrings")) {
        if (!headers->is_array() || headers->size() > 3) throw InputError("headerStrings must be an array of up to 3 strings");
        for (size_t i = 0; i < headers->size(); ++i)
            p.HeaderStrings[i] = Ansi((*headers)[i], "headerStrings[" + std::to_string(i) + "]");
    }
    p.AnyCharAllowed = static_cast<uint8_t>(OptionalInteger(j, "anyCharAllowed", "", 0, 255));
    p.ExtraLetters = OptionalAnsi(j, "extraLetters", "");
    p.AuthorAddress = OptionalAnsi(j, "authorAddress", "");
    if (const Json* note = Field(j, "moreInfo")) {
        ReadNote(*note, "moreInfo", p.MoreInfo);
        if (const Json* lines = Field(*note, "lines")) {
            if (!lines->is_array()) throw InputError("moreInfo.lines must be an array");
            for (size_t i = 0; i < lines->size(); ++i)
                p.MoreInfo.Lines.push_back(Ansi((*lines)[i], "moreInfo.lines[" + std::to_string(i) + "]"));
        }
    }
    if (const Json* note = Field(j, "solverInfo")) {
        ReadNote(*note, "solverInfo", p.SolverInfo);
        p.SolverInfo.Text = OptionalAnsi(*note, "text", "solverInfo.");
    }
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    return p;
}

Json ParseJson(const std::string& text)
{
    try {
        return Json::parse(text);
    } catch (const Json::parse_error& e) {
        throw InputError(std::string("bad JSON: ") + e.what());
    }
}

}  // namespace qw
