#include "compose/Composition.h"

#include <nlohmann/json.hpp>

#include "compose/ComposeText.h"
#include "formats/PuzzleFormats.h"
#include "puzzle/FileAccess.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/Win1252.h"

namespace qw::compose {
namespace {

using Json = nlohmann::ordered_json;
constexpr const char* kFormat = "quotewell-composer";

std::string Ansi(const std::string& utf8) { return Utf8ToWin1252(utf8); }

}  // namespace

std::string ComposerJson(const Composition& c)
{
    Json j;
    j["format"] = kFormat;
    j["version"] = kComposerFileVersion;
    j["quotation"] = c.quotation;
    j["source"] = c.source;
    j["width"] = c.width;
    j["seed"] = c.seed;
    j["answers"] = Json::array();
    for (const ComposeAnswer& a : c.answers) j["answers"].push_back({{"word", a.word}, {"locked", a.locked}, {"clue", a.clue}});
    j["headers"] = c.headers;
    j["notes"] = c.notes;
    j["authorAddress"] = c.authorAddress;
    j["key"] = {{"locked", c.lockSolution}, {"number", c.keyNumber}};
    j["excluded"] = c.excluded;
    j["wordList"] = {{"maxLevel", c.maxLevel}, {"phrases", c.phrases}};
    return j.dump(2) + "\n";
}

Composition ParseComposerJson(const std::string& text, const std::string& path)
{
    auto fail = [&](const std::string& why) -> ComposerFileError {
        return ComposerFileError("The composer file " + path + " cannot be read: " + why + ".");
    };
    Json j;
    try {
        j = Json::parse(text);
    } catch (const Json::parse_error& e) {
        throw fail("it is not complete JSON (" + std::string(e.what()) + ")");
    }
    if (!j.is_object() || j.value("format", std::string{}) != kFormat) throw fail("it is not a composer file");
    if (!j.contains("version") || !j["version"].is_number_integer()) throw fail("it has no version");
    if (j["version"].get<int64_t>() > kComposerFileVersion) throw fail("it was written by a newer composer");
    Composition c;
    try {
        c.quotation = j.at("quotation").get<std::string>();
        c.source = j.at("source").get<std::string>();
        c.width = j.value("width", 27);
        c.seed = j.value("seed", uint64_t{1});
        for (const Json& a : j.value("answers", Json::array()))
            c.answers.push_back({a.at("word").get<std::string>(), a.value("locked", false), a.value("clue", std::string{})});
        const Json headers = j.value("headers", Json::array());
        for (size_t i = 0; i < headers.size() && i < 3; ++i) c.headers[i] = headers[i].get<std::string>();
        c.notes = j.value("notes", std::string{});
        c.authorAddress = j.value("authorAddress", std::string{});
        if (j.contains("key")) {
            c.lockSolution = j["key"].value("locked", false);
            c.keyNumber = j["key"].value("number", std::string{});
        }
        c.excluded = j.value("excluded", std::vector<std::string>{});
        if (j.contains("wordList")) {
            c.maxLevel = j["wordList"].value("maxLevel", 50);
            c.phrases = j["wordList"].value("phrases", false);
        }
    } catch (const Json::exception& e) {
        throw fail(std::string("a field has the wrong kind (") + e.what() + ")");
    }
    if (c.width < 1 || c.width > kMaxColumns) throw fail("its width is not between 1 and 256");
    return c;
}

void SaveComposition(const Composition& composition, const std::string& path)
{
    WriteFileAtomically(path, ComposerJson(composition));
}

Composition LoadComposition(const std::string& path)
{
    const auto bytes = ReadRegularFile(path, 16u << 20);
    if (!bytes) throw ComposerFileError("The composer file " + path + " cannot be read.");
    return ParseComposerJson(*bytes, path);
}

Puzzle BuildComposedPuzzle(const Composition& c, const DiagramLayout& layout, const Numbering& numbering)
{
    if (!numbering.complete) throw ComposeError(numbering.message.empty() ? "The squares are not numbered." : numbering.message);
    if (numbering.squares.size() != c.answers.size()) throw ComposeError("The numbering does not match the answers.");
    if (layout.width > kMaxColumns) throw ComposeError("The diagram is wider than 256 squares.");
    std::vector<ClueInput> clues;
    for (size_t k = 0; k < c.answers.size(); ++k) {
        ClueInput clue;
        const std::string letters = LettersOf(c.answers[k].word);
        clue.Text = Ansi(c.answers[k].clue.empty() ? "(" + std::to_string(letters.size()) + ")" : c.answers[k].clue);
        clue.Answer = numbering.squares[k];
        if (clue.Answer.size() != letters.size()) throw ComposeError("The numbering does not match the answer " + letters + ".");
        clues.push_back(std::move(clue));
    }
    const int32_t rows = static_cast<int32_t>(layout.rows.size());
    const std::string problem = CheckPuzzleShape(rows, layout.width, layout.fixedChars, layout.rows, clues);
    if (!problem.empty()) throw ComposeError("The puzzle is not consistent: " + problem);
    Puzzle p;
    p.BuildPuzzle(rows, layout.width, layout.fixedChars, layout.rows, clues);
    for (size_t k = 0; k < c.answers.size(); ++k) {
        const std::string letters = LettersOf(c.answers[k].word);
        for (size_t j = 0; j < letters.size(); ++j)
            if (p.Letters[static_cast<size_t>(numbering.squares[k][j])].Solution != letters[j])
                throw ComposeError("The numbering puts a wrong square in the answer " + letters + ".");
    }
    for (size_t i = 0; i < 3; ++i) p.HeaderStrings[i] = Ansi(c.headers[i]);
    p.AuthorAddress = Ansi(c.authorAddress);
    if (!c.notes.empty()) {
        std::string line;
        for (char ch : Ansi(c.notes)) {
            if (ch == '\n') {
                p.MoreInfo.Lines.push_back(line);
                line.clear();
            } else if (ch != '\r') {
                line += ch;
            }
        }
        p.MoreInfo.Lines.push_back(line);
    }
    p.KeyNumber = c.keyNumber;
    p.SolutionScrambled = c.lockSolution ? 1 : 0;
    p.MaskSeed = static_cast<uint8_t>(c.seed % 256);
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    return p;
}

void WriteComposedPuzzle(Puzzle& puzzle, const std::string& path)
{
    if (ImportKindOf(path)) {
        ExportPuzzle(puzzle, path);
        return;
    }
    puzzle.FileName = path;
    // The bytes must read back as this puzzle before anything is written.
    DecodePuzzle(EncodePuzzle(puzzle), path);
    SavePuzzle(puzzle);
}

}  // namespace qw::compose
