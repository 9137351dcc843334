// ipuz acrostics: JSON, possibly wrapped as ipuz({...}) by older publishers.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "formats/AcrosticSource.h"
#include "puzzle/Win1252.h"

namespace qw {
namespace {

using Json = nlohmann::ordered_json;
using Kind = SourceSquare::Kind;

constexpr int kMaxDepth = 64;

std::string_view Unwrap(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && (blank(text.back()) || text.back() == ';')) text.remove_suffix(1);
    if (text.starts_with("ipuz(") && text.ends_with(")")) text = text.substr(5, text.size() - 6);
    return text;
}

// Deep nesting is no puzzle, and refusing it before parsing keeps the parser's stack small.
void CheckDepth(std::string_view text)
{
    int depth = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') ++i;
            else if (c == '"') inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxDepth) throw FormatProblem("its JSON nests too deeply");
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
}

std::string String(const Json& object, const char* key)
{
    const auto it = object.find(key);
    return it != object.end() && it->is_string() ? it->get<std::string>() : std::string();
}

// A cell's text: a string, a number, or an object's "value".
std::string CellText(const Json& cell)
{
    if (cell.is_string()) return cell.get<std::string>();
    if (cell.is_number_integer()) return std::to_string(cell.get<int64_t>());
    if (cell.is_object()) {
        if (const auto it = cell.find("value"); it != cell.end()) return CellText(*it);
    }
    return {};
}

const Json& Rows(const Json& root, const char* key, int32_t width, int32_t height, bool required)
{
    static const Json none;
    const auto it = root.find(key);
    if (it == root.end() || it->is_null()) {
        if (required) throw FormatProblem(std::string("it has no ") + key + " grid");
        return none;
    }
    if (!it->is_array() || it->size() != static_cast<size_t>(height))
        throw FormatProblem(std::string("its ") + key + " grid does not have " + std::to_string(height) + " rows");
    for (const Json& row : *it)
        if (!row.is_array() || row.size() != static_cast<size_t>(width))
            throw FormatProblem(std::string("a row of its ") + key + " grid does not have " + std::to_string(width) + " squares");
    return *it;
}

struct RawClue {
    std::string label;
    std::string text;
    std::string answer;  // the optional "answer" text, to check the letters against
    std::vector<std::pair<int64_t, int64_t>> cells;
};

class IpuzReader {
public:
    AcrosticSource Read(std::string_view bytes)
    {
        const std::string_view text = Unwrap(bytes);
        CheckDepth(text);
        const Json root = Json::parse(text, nullptr, false);
        if (root.is_discarded()) throw FormatProblem("it is not valid JSON");
        if (!root.is_object() || !String(root, "version").starts_with("http://ipuz.org/v"))
            throw FormatProblem("it is not an ipuz puzzle");
        CheckKind(root);

        block_ = root.contains("block") ? CellText(root["block"]) : "#";
        empty_ = root.contains("empty") ? CellText(root["empty"]) : "0";
        const auto dims = root.find("dimensions");
        if (dims == root.end() || !dims->is_object() || !dims->contains("width") || !dims->contains("height") ||
            !(*dims)["width"].is_number_integer() || !(*dims)["height"].is_number_integer())
            throw FormatProblem("it has no dimensions");
        const int64_t width = (*dims)["width"].get<int64_t>();
        const int64_t height = (*dims)["height"].get<int64_t>();
        CheckGridSize(width, height);
        if (static_cast<uint64_t>(width * height) > text.size()) throw FormatProblem("its grid is larger than the file");
        source_.width = static_cast<int32_t>(width);
        source_.height = static_cast<int32_t>(height);
        ReadGrid(root);

        source_.title = PlainText(String(root, "title"));
        source_.author = PlainText(String(root, "author"));
        source_.copyright = PlainText(String(root, "copyright"));
        source_.intro = PlainText(String(root, root.contains("intro") ? "intro" : "notes"), true);
        source_.completion = PlainText(String(root, "explanation"), true);
        ReadClues(root);
        return std::move(source_);
    }

private:
    void CheckKind(const Json& root)
    {
        const auto kind = root.find("kind");
        bool acrostic = false, crossword = false;
        if (kind != root.end() && kind->is_array())
            for (const Json& k : *kind) {
                if (!k.is_string()) continue;
                const std::string& uri = k.get_ref<const std::string&>();
                acrostic = acrostic || uri.starts_with("http://ipuz.org/acrostic");
                crossword = crossword || uri.starts_with("http://ipuz.org/crossword");
            }
        if (!acrostic) throw FormatProblem(crossword ? "it is a crossword, not an acrostic" : "it is not an acrostic");
    }

    bool Blank(const std::string& text) const { return text.empty() || text == block_ || text == empty_; }

    void ReadGrid(const Json& root)
    {
        const Json& puzzle = Rows(root, "puzzle", source_.width, source_.height, true);
        const Json& solution = Rows(root, "solution", source_.width, source_.height, true);
        const Json& saved = Rows(root, "saved", source_.width, source_.height, false);
        source_.grid.assign(static_cast<size_t>(source_.width) * static_cast<size_t>(source_.height), SourceSquare{});
        for (int32_t y = 0; y < source_.height; ++y) {
            for (int32_t x = 0; x < source_.width; ++x) {
                const Json& cell = puzzle[static_cast<size_t>(y)][static_cast<size_t>(x)];
                SourceSquare& sq = source_.At(x, y);
                if (cell.is_null()) continue;
                if (cell.is_object() && cell.contains("value") && !CellText(cell).empty()) {
                    sq.kind = Kind::Fixed;
                    sq.text = source_.Keep(CellText(cell));
                    continue;
                }
                const Json& inner = cell.is_object() && cell.contains("cell") ? cell["cell"] : cell;
                if (!inner.is_null() && !inner.is_string() && !inner.is_number_integer() && !inner.is_object())
                    throw FormatProblem("a square of its puzzle grid is neither a number nor text");
                if (inner.is_null() || (inner.is_string() && inner.get_ref<const std::string&>() == block_)) {
                    sq.kind = inner.is_null() ? Kind::None : Kind::Black;
                    continue;
                }
                const std::string letter = CellText(solution[static_cast<size_t>(y)][static_cast<size_t>(x)]);
                if (letter.empty() || letter == block_) {
                    sq.kind = Kind::Black;
                    continue;
                }
                sq.kind = Kind::Letter;
                sq.text = source_.Keep(letter);
                if (inner.is_string()) NoteLabel(inner.get_ref<const std::string&>(), x, y);
                if (!saved.is_null()) {
                    const std::string entry = CellText(saved[static_cast<size_t>(y)][static_cast<size_t>(x)]);
                    if (!Blank(entry)) sq.entered = source_.Keep(entry);
                }
            }
        }
    }

    // A square written as its number and its clue's label ("12C"), as a printed diagram shows it.
    void NoteLabel(const std::string& cell, int32_t x, int32_t y)
    {
        size_t digits = 0;
        while (digits < cell.size() && cell[digits] >= '0' && cell[digits] <= '9') ++digits;
        if (digits == 0 || digits == cell.size()) return;
        const std::string label = cell.substr(digits);
        if (!std::all_of(label.begin(), label.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }))
            return;
        labels_[static_cast<size_t>(x + y * source_.width)] = cell;
    }

    void ReadClues(const Json& root)
    {
        const auto lists = root.find("clues");
        if (lists == root.end() || !lists->is_object()) throw FormatProblem("it has no clues");
        const size_t budget = 4 * source_.grid.size() + 64;
        size_t used = 0;
        letterCount_ = static_cast<size_t>(std::count_if(source_.grid.begin(), source_.grid.end(),
                                                         [](const SourceSquare& sq) { return sq.kind == Kind::Letter; }));
        std::vector<RawClue> all;
        for (const auto& [name, list] : lists->items()) {
            if (!list.is_array()) throw FormatProblem("its clue list \"" + name + "\" is not a list");
            for (const Json& clue : list) {
                if (!clue.is_object()) throw FormatProblem("it has crossword clues, not acrostic answers");
                RawClue raw{String(clue, "label"), PlainText(String(clue, "clue")), String(clue, "answer"), {}};
                const auto cells = clue.find("cells");
                if (cells == clue.end() || !cells->is_array()) throw FormatProblem("a clue lists no squares");
                used += cells->size();
                if (used > budget) throw FormatProblem("its clues name more squares than the grid has");
                for (const Json& xy : *cells) {
                    if (!xy.is_array() || xy.size() != 2 || !xy[0].is_number_integer() || !xy[1].is_number_integer())
                        throw FormatProblem("a clue's square is not a pair of numbers");
                    raw.cells.emplace_back(xy[0].get<int64_t>(), xy[1].get<int64_t>());
                }
                all.push_back(std::move(raw));
            }
        }
        const int64_t base = CoordinateBase(all);

        // The quotation clue, in whichever list and under whatever text, is told by its squares.
        std::vector<RawClue> answers;
        for (RawClue& clue : all)
            if (!IsQuotation(clue, base)) answers.push_back(std::move(clue));
        std::vector<bool> held(source_.grid.size(), false);
        for (const RawClue& clue : answers)
            if (clue.text != kAttributionText)
                for (const auto& [x, y] : clue.cells)
                    if (const auto pos = Position(x, y, base)) held[*pos] = true;
        std::erase_if(answers, [&](const RawClue& clue) {
            return clue.text == kAttributionText && std::all_of(clue.cells.begin(), clue.cells.end(), [&](const auto& xy) {
                       const auto pos = Position(xy.first, xy.second, base);
                       return pos && held[*pos];
                   });
        });

        for (size_t k = 0; k < answers.size(); ++k) {
            const std::string label = answers[k].label.empty() ? ClueLabel(static_cast<int32_t>(k)) : answers[k].label;
            const std::string problem = Misfit(answers[k], base, "clue " + label, true);
            if (!problem.empty()) throw FormatProblem(problem);
            SourceClue clue{std::move(answers[k].text), {}};
            for (const auto& [x, y] : answers[k].cells) {
                const size_t pos = *Position(x, y, base);
                if (const auto marked = labels_.find(pos); marked != labels_.end() && !SameLabel(marked->second, label)) {
                    const int32_t column = static_cast<int32_t>(pos % static_cast<size_t>(source_.width));
                    const int32_t row = static_cast<int32_t>(pos / static_cast<size_t>(source_.width));
                    throw FormatProblem(SquareName(column, row) + " is marked \"" + marked->second +
                                        "\", but its letter belongs to clue " + label);
                }
                clue.squares.push_back(static_cast<int32_t>(pos));
            }
            source_.clues.push_back(std::move(clue));
        }
    }

    // The grid position of a square counted from `base`; nullopt outside the grid.
    std::optional<size_t> Position(int64_t x, int64_t y, int64_t base) const
    {
        const int64_t cx = x - base, cy = y - base;
        if (cx < 0 || cy < 0 || cx >= source_.width || cy >= source_.height) return std::nullopt;
        return static_cast<size_t>(cx + cy * source_.width);
    }

    // "12C" against the clue's label "C", in either letter case.
    static bool SameLabel(const std::string& marked, const std::string& label)
    {
        size_t digits = 0;
        while (digits < marked.size() && marked[digits] >= '0' && marked[digits] <= '9') ++digits;
        const std::string_view mark = std::string_view(marked).substr(digits);
        return std::equal(mark.begin(), mark.end(), label.begin(), label.end(),
                          [](char a, char b) { return (a | 0x20) == (b | 0x20); });
    }

    // Whether the clue names every letter square of the grid, each once, counted from `base`.
    bool IsQuotation(const RawClue& clue, int64_t base) const
    {
        if (clue.cells.size() != letterCount_ || letterCount_ == 0) return false;
        std::vector<bool> seen(source_.grid.size(), false);
        for (const auto& [x, y] : clue.cells) {
            const auto pos = Position(x, y, base);
            if (!pos || source_.grid[*pos].kind != Kind::Letter || seen[*pos]) return false;
            seen[*pos] = true;
        }
        return true;
    }

    // Why the clue's squares do not fit when counted from `base`; empty when they do.
    std::string Misfit(const RawClue& clue, int64_t base, const std::string& name, bool checkAnswer) const
    {
        std::string spelled;
        for (const auto& [x, y] : clue.cells) {
            const int64_t cx = x - base, cy = y - base;
            const bool inside = cx >= 0 && cy >= 0 && cx < source_.width && cy < source_.height;
            if (!inside || source_.grid[static_cast<size_t>(cx + cy * source_.width)].kind != Kind::Letter)
                return name + " names the square (" + std::to_string(x) + ", " + std::to_string(y) +
                       "), which is not a letter square";
            spelled += source_.grid[static_cast<size_t>(cx + cy * source_.width)].text;
        }
        std::string answer;
        for (char c : clue.answer)
            if (c != ' ' && c != '-' && c != '\'') answer += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        std::string upper;
        for (char c : spelled) upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        if (checkAnswer && !answer.empty() && answer != upper)
            return "the letters disagree: the answer of " + name + " is \"" + clue.answer + "\", but its squares spell \"" +
                   spelled + "\"";
        return {};
    }

    // Files count from 0 or from 1: a 0 settles it one way, the width or height the other, and
    // otherwise the reading under which every square fits its clue.
    int64_t CoordinateBase(const std::vector<RawClue>& clues) const
    {
        bool zero = false, atEdge = false;
        for (const RawClue& clue : clues)
            for (const auto& [x, y] : clue.cells) {
                zero = zero || x == 0 || y == 0;
                atEdge = atEdge || x == source_.width || y == source_.height;
            }
        if (zero && atEdge) throw FormatProblem("its clues count squares both from 0 and from 1");
        if (zero) return 0;
        if (atEdge) return 1;
        // The quotation's own answer text, when it has one, holds its punctuation too.
        auto fits = [&](int64_t base) {
            return std::all_of(clues.begin(), clues.end(),
                               [&](const RawClue& c) { return Misfit(c, base, {}, !IsQuotation(c, base)).empty(); });
        };
        return fits(0) || !fits(1) ? 0 : 1;
    }

    AcrosticSource source_;
    std::string block_, empty_;
    size_t letterCount_ = 0;
    std::unordered_map<size_t, std::string> labels_;  // squares the puzzle grid marks "12C", by position
};

// One line per grid row and per clue, so a person can read the file.
std::string Layout(const Json& root)
{
    std::string out = "{\n";
    size_t n = 0;
    for (const auto& [key, value] : root.items()) {
        out += "  " + Json(key).dump() + ": ";
        if ((key == "puzzle" || key == "solution" || key == "saved" || key == "clues") && !value.empty()) {
            const bool object = value.is_object();
            out += object ? "{\n" : "[\n";
            size_t i = 0;
            for (const auto& [name, item] : value.items()) {
                out += "    ";
                if (object) {
                    out += Json(name).dump() + ": [\n";
                    for (size_t c = 0; c < item.size(); ++c)
                        out += "      " + item[c].dump() + (c + 1 < item.size() ? ",\n" : "\n");
                    out += "    ]";
                } else {
                    out += item.dump();
                }
                out += ++i < value.size() ? ",\n" : "\n";
            }
            out += object ? "  }" : "  ]";
        } else {
            out += value.dump();
        }
        out += ++n < root.size() ? ",\n" : "\n";
    }
    return out + "}\n";
}

std::string Utf8(char ch) { return Win1252ToUtf8(std::string_view(&ch, 1)); }

}  // namespace

AcrosticSource ReadIpuz(std::string_view bytes) { return IpuzReader().Read(bytes); }

std::string WriteIpuz(const Puzzle& p)
{
    Json root;
    root["version"] = "http://ipuz.org/v2";
    root["kind"] = Json::array({"http://ipuz.org/acrostic#1"});
    root["title"] = HtmlText(p.HeaderStrings[0]);
    root["author"] = HtmlText(p.HeaderStrings[1]);
    root["copyright"] = HtmlText(p.HeaderStrings[2]);
    if (p.HasMoreInfo()) root["intro"] = HtmlLines(p.MoreInfo.Lines);
    if (p.HasSolverInfo()) root["explanation"] = HtmlLines(SolverInfoLines(p));
    root["block"] = "#";
    root["empty"] = "0";
    root["dimensions"] = {{"width", p.ColumnCount}, {"height", p.RowCount}};

    Json puzzle = Json::array(), solution = Json::array(), saved = Json::array();
    for (int32_t y = 0; y < p.RowCount; ++y) {
        Json puzzleRow = Json::array(), solutionRow = Json::array(), savedRow = Json::array();
        for (int32_t x = 0; x < p.ColumnCount; ++x) {
            const int32_t cell = p.Grid.GetCell(y, x);
            if (cell > 0) {
                const LetterEntry& e = p.Letters[static_cast<size_t>(cell)];
                puzzleRow.push_back({{"cell", cell}, {"style", {{"mark", {{"TR", e.ClueLabel}}}}}});
                solutionRow.push_back(Utf8(e.Solution));
                savedRow.push_back(e.Entered == ' ' ? std::string() : Utf8(e.Entered));
            } else if (cell < 0) {
                const std::string shown = Utf8(static_cast<char>(-cell));
                puzzleRow.push_back({{"cell", 0}, {"value", shown}});
                solutionRow.push_back(shown);
                savedRow.push_back(nullptr);
            } else {
                puzzleRow.push_back("#");
                solutionRow.push_back("#");
                savedRow.push_back("#");
            }
        }
        puzzle.push_back(std::move(puzzleRow));
        solution.push_back(std::move(solutionRow));
        saved.push_back(std::move(savedRow));
    }
    root["puzzle"] = std::move(puzzle);
    root["solution"] = std::move(solution);
    root["saved"] = std::move(saved);

    Json clues = Json::array();
    for (size_t k = 0; k < p.Clues.size(); ++k) {
        Json cells = Json::array();
        for (int32_t index : p.Clues[k].Answer) {
            const LetterEntry& e = p.Letters[static_cast<size_t>(index)];
            cells.push_back({e.Column, e.Row});
        }
        clues.push_back({{"label", ClueLabel(static_cast<int32_t>(k))}, {"clue", HtmlText(p.Clues[k].Text)}, {"cells", cells}});
    }
    Json quote = Json::array();
    for (int32_t i = 1; i <= p.LetterCount; ++i)
        quote.push_back({p.Letters[static_cast<size_t>(i)].Column, p.Letters[static_cast<size_t>(i)].Row});
    root["clues"] = {{"Clues", std::move(clues)},
                     {"Quotation", Json::array({{{"label", ""}, {"clue", "[QUOTE]"}, {"cells", std::move(quote)}}})}};
    return Layout(root);
}

}  // namespace qw
