#include "formats/AcrosticSource.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "puzzle/PuzzleFile.h"
#include "puzzle/Win1252.h"

namespace qw {
namespace {

std::string Utf8Of(char32_t cp)
{
    std::string out;
    AppendUtf8(out, cp);
    return out;
}

// Every character must survive the trip to the code page: a puzzle whose letters were quietly
// replaced would be unsolvable.
std::string ToWin1252(std::string_view utf8, const std::string& where)
{
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto cp = NextUtf8(utf8, i);
        if (!cp) throw FormatProblem("the text of " + where + " is not UTF-8");
        const auto mapped = UnicodeToWin1252(*cp);
        if (!mapped) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*cp));
            throw FormatProblem("it uses \"" + Utf8Of(*cp) + "\" (" + code + ") in " + where +
                                ", which Quotewell cannot store");
        }
        out += *mapped;
    }
    return out;
}

// One character of the code page, for a square.
char SquareChar(std::string_view text, const char* what, int32_t x, int32_t y)
{
    if (text.size() == 1 && static_cast<unsigned char>(text[0]) < 0x80) return text[0];
    const std::string ch = ToWin1252(text, SquareName(x, y));
    if (ch.size() != 1)
        throw FormatProblem(SquareName(x, y) + " holds " + what + " \"" + std::string(text) + "\", not a single character");
    return ch[0];
}

// A seed under which a byte of the masked magic is a line feed that follows no carriage return.
// The reader takes a file without such a lone LF for one whose line endings were converted and
// "repairs" it; with one in the magic, which every save writes the same way, no progress the
// solver saves can ever make the file look converted.
uint8_t LoneLineFeedSeed(const Puzzle& puzzle)
{
    constexpr std::string_view kMagic = "Quotewell Puzzle v.2";
    std::vector<uint8_t> seeds;
    for (size_t i = 0; i < kMagic.size(); ++i) {
        const auto seed = static_cast<uint8_t>((static_cast<uint8_t>(kMagic[i]) ^ 0x0A) - 1 - i);
        // The byte before is the length field's last byte (0) or the previous masked character.
        const auto before = i == 0 ? 0 : static_cast<uint8_t>(static_cast<uint8_t>(kMagic[i - 1]) ^ static_cast<uint8_t>(seed + i));
        if (before != 0x0D) seeds.push_back(seed);
    }
    uint32_t hash = 2166136261u;
    for (const Clue& clue : puzzle.Clues)
        for (char ch : clue.Text) hash = (hash ^ static_cast<uint8_t>(ch)) * 16777619u;
    return seeds[hash % seeds.size()];
}

struct Entity {
    std::string_view name;
    char32_t cp;
};
constexpr std::array<Entity, 22> kEntities = {{
    {"amp", '&'},       {"lt", '<'},        {"gt", '>'},        {"quot", '"'},      {"apos", '\''},
    {"nbsp", 0xA0},     {"ndash", 0x2013},  {"mdash", 0x2014},  {"lsquo", 0x2018},  {"rsquo", 0x2019},
    {"ldquo", 0x201C},  {"rdquo", 0x201D},  {"hellip", 0x2026}, {"eacute", 0xE9},   {"egrave", 0xE8},
    {"aacute", 0xE1},   {"agrave", 0xE0},   {"ouml", 0xF6},     {"uuml", 0xFC},     {"auml", 0xE4},
    {"ccedil", 0xE7},   {"copy", 0xA9},
}};

// The entity at text[i] ('&'), with i moved past it; nullopt when it is none.
std::optional<char32_t> DecodeEntity(std::string_view text, size_t& i)
{
    const size_t semi = text.find(';', i);
    if (semi == std::string_view::npos || semi - i > 10 || semi == i + 1) return std::nullopt;
    const std::string_view name = text.substr(i + 1, semi - i - 1);
    char32_t cp = 0;
    if (name[0] == '#') {
        const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty()) return std::nullopt;
        for (char c : digits) {
            int d = -1;
            if (c >= '0' && c <= '9') d = c - '0';
            else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
            if (d < 0) return std::nullopt;
            cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(d);
            if (cp > 0x10FFFF) return std::nullopt;
        }
        if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    } else {
        const auto it = std::find_if(kEntities.begin(), kEntities.end(), [&](const Entity& e) { return e.name == name; });
        if (it == kEntities.end()) return std::nullopt;
        cp = it->cp;
    }
    i = semi + 1;
    return cp;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool IsTagStart(std::string_view text, size_t i)
{
    if (i + 1 >= text.size()) return false;
    const char c = text[i + 1];
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '/' || c == '!' || c == '?';
}

// Lines being built: literal whitespace collapses, a break is either hard (<br>) or soft (a
// paragraph edge, which makes no empty line of its own).
class LineBuilder {
public:
    void Content(std::string_view text)
    {
        if (softBreak_) Hard();
        if (space_ && !lines_.back().empty()) lines_.back() += ' ';
        space_ = false;
        lines_.back() += text;
    }
    void Space() { space_ = true; }
    void Hard()
    {
        lines_.emplace_back();
        space_ = false;
        softBreak_ = false;
    }
    void Soft()
    {
        if (!lines_.back().empty()) softBreak_ = true;
        space_ = false;
    }
    std::vector<std::string> Lines() const { return lines_; }

private:
    std::vector<std::string> lines_{1};
    bool space_ = false;
    bool softBreak_ = false;
};

std::vector<std::string> PlainLines(std::string_view html, bool keepLines)
{
    LineBuilder out;
    // Plain text with line breaks (no markup at all) keeps them as they are.
    bool anyTag = false;
    for (size_t i = html.find('<'); i != std::string_view::npos && !anyTag; i = html.find('<', i + 1))
        anyTag = IsTagStart(html, i) && html.find('>', i) != std::string_view::npos;
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<' && IsTagStart(html, i)) {
            if (html.compare(i, 4, "<!--") == 0) {
                const size_t end = html.find("-->", i + 4);
                if (end != std::string_view::npos) {
                    i = end + 3;
                    continue;
                }
            }
            const size_t end = html.find('>', i);
            if (end != std::string_view::npos) {
                std::string name;
                for (size_t k = i + 1; k < end && name.size() < 8; ++k) {
                    const char t = html[k];
                    if (t == '/' && name.empty()) continue;
                    if (IsSpace(t) || t == '/') break;
                    name += static_cast<char>(t >= 'A' && t <= 'Z' ? t + 32 : t);
                }
                if (keepLines && name == "br") out.Hard();
                else if (keepLines && (name == "p" || name == "div" || name == "li")) out.Soft();
                else if (name == "br" || name == "p" || name == "div" || name == "li" || name == "td") out.Space();
                i = end + 1;
                continue;
            }
        }
        if (c == '&') {
            if (const auto cp = DecodeEntity(html, i)) {
                out.Content(Utf8Of(*cp));
                continue;
            }
        }
        if (keepLines && !anyTag && (c == '\n' || c == '\r')) {
            if (c == '\r' && i + 1 < html.size() && html[i + 1] == '\n') ++i;
            out.Hard();
        } else if (IsSpace(c)) {
            out.Space();
        } else {
            out.Content(html.substr(i, 1));
        }
        ++i;
    }
    return out.Lines();
}

}  // namespace

std::string SquareName(int32_t x, int32_t y)
{
    return "the square in row " + std::to_string(y + 1) + ", column " + std::to_string(x + 1);
}

void CheckGridSize(int64_t width, int64_t height)
{
    if (width < 1 || height < 1) throw FormatProblem("its grid has no squares");
    if (width > kMaxSourceSide || height > kMaxSourceSide || width * height > kMaxSourceSquares)
        throw FormatProblem("its grid of " + std::to_string(width) + " by " + std::to_string(height) +
                            " squares is too large");
}

std::string PlainText(std::string_view html, bool keepLines)
{
    const std::vector<std::string> lines = PlainLines(html, keepLines);
    std::string text;
    for (size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) text += '\n';
        text += lines[k];
    }
    return text;
}

std::string HtmlText(std::string_view win1252)
{
    std::string out;
    out.reserve(win1252.size() + 16);
    for (size_t i = 0; i < win1252.size(); ++i) {
        const auto c = static_cast<unsigned char>(win1252[i]);
        // A space that PlainText would collapse or trim travels as a character reference.
        const bool loneSpace = c == ' ' && i > 0 && i + 1 < win1252.size() && win1252[i - 1] != ' ';
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c < 0x20 || c == 0x7F || (c == ' ' && !loneSpace)) out += "&#" + std::to_string(c) + ";";
        else out += Win1252ToUtf8(win1252.substr(i, 1));
    }
    return out;
}

std::string HtmlLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) out += "<br/>";
        out += HtmlText(lines[k]);
    }
    return out;
}

namespace {

// The lines of a text broken at LF, a CR before each break dropped.
std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        const size_t lf = text.find('\n', start);
        std::string line = text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (lf == std::string::npos) return lines;
        start = lf + 1;
    }
}

}  // namespace

std::vector<std::string> SolverInfoLines(const Puzzle& puzzle)
{
    const std::string& text = puzzle.SolverInfo.Text;
    return text.empty() ? std::vector<std::string>{} : SplitLines(text);
}

Puzzle BuildImportedPuzzle(const AcrosticSource& source)
{
    using Kind = SourceSquare::Kind;
    const auto square = [&](int32_t x, int32_t y) -> const SourceSquare& {
        return source.grid[static_cast<size_t>(x + y * source.width)];
    };
    // Punctuation counts as much as letters: a quotation's last row may hold only its full stop.
    int32_t top = -1, bottom = -1;
    bool anyLetter = false;
    for (int32_t y = 0; y < source.height; ++y)
        for (int32_t x = 0; x < source.width; ++x)
            if (AcrosticSource::Shows(square(x, y))) {
                anyLetter = anyLetter || square(x, y).kind == Kind::Letter;
                if (top < 0) top = y;
                bottom = y;
            }
    if (!anyLetter) throw FormatProblem("it has no quotation squares");
    int32_t left = source.width, right = -1;
    for (int32_t y = top; y <= bottom; ++y)
        for (int32_t x = 0; x < source.width; ++x)
            if (const Kind k = square(x, y).kind; k == Kind::Letter || k == Kind::Fixed) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    const int32_t rows = bottom - top + 1;
    const int32_t columns = right - left + 1;
    if (columns > kMaxColumns)
        throw FormatProblem("its quotation is " + std::to_string(columns) + " squares wide, more than " +
                            std::to_string(kMaxColumns));

    // Reading order within the box numbers the letters, as BuildPuzzle will.
    std::vector<std::string> rowStrings(static_cast<size_t>(rows), std::string(static_cast<size_t>(columns), ' '));
    std::vector<int32_t> letterAt(source.grid.size(), 0);
    std::string fixedChars, entered(1, ' ');
    CharSet letters, fixed;
    int32_t index = 0;
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x) {
            const SourceSquare& sq = square(x, y);
            char& cell = rowStrings[static_cast<size_t>(y - top)][static_cast<size_t>(x - left)];
            if (sq.kind == Kind::Letter) {
                cell = SquareChar(sq.text, "the letter", x, y);
                if (cell == ' ' || cell == '\0')
                    throw FormatProblem(SquareName(x, y) + " has no letter");
                letters.set(static_cast<unsigned char>(cell));
                letterAt[static_cast<size_t>(x + y * source.width)] = ++index;
                const char typed = sq.entered.empty() ? ' ' : SquareChar(sq.entered, "the entry", x, y);
                // A control character is nothing a solver typed.
                entered += static_cast<unsigned char>(typed) < 0x20 ? ' ' : typed;
            } else if (sq.kind == Kind::Fixed && !sq.text.empty() && sq.text != " ") {
                // Fixed text that shows nothing is a black square.
                if (const char ch = SquareChar(sq.text, "the text", x, y); ch != ' ' && ch != '\0') {
                    cell = ch;
                    fixed.set(static_cast<unsigned char>(ch));
                    fixedChars += ch;
                }
            }
        }
    }
    if (const CharSet both = letters & fixed; both.any()) {
        for (int c = 1; c < 256; ++c)
            if (both.test(static_cast<size_t>(c)))
                throw FormatProblem("it shows \"" + Win1252ToUtf8(std::string(1, static_cast<char>(c))) +
                                    "\" both as a letter of the quotation and as fixed text");
    }

    std::vector<ClueInput> clues(source.clues.size());
    for (size_t k = 0; k < source.clues.size(); ++k) {
        const std::string name = "clue " + ClueLabel(static_cast<int32_t>(k));
        clues[k].Text = ToWin1252(source.clues[k].text, name);
        for (int32_t pos : source.clues[k].squares) {
            const int32_t letter = pos >= 0 && static_cast<size_t>(pos) < letterAt.size() ? letterAt[static_cast<size_t>(pos)] : 0;
            if (letter == 0) throw FormatProblem(name + " names a square that is not a letter of the quotation");
            clues[k].Answer.push_back(letter);
        }
    }
    if (const std::string problem = CheckPuzzleShape(rows, columns, fixedChars, rowStrings, clues); !problem.empty())
        throw FormatProblem(problem);

    Puzzle p;
    p.BuildPuzzle(rows, columns, fixedChars, rowStrings, clues);
    for (int32_t i = 1; i <= p.LetterCount; ++i) {
        const char ch = entered[static_cast<size_t>(i)];
        p.Letters[static_cast<size_t>(i)].Entered = p.UpperCaseOnly ? UpperAnsi(ch) : ch;
    }
    p.HeaderStrings[0] = ToWin1252(source.title, "the title");
    p.HeaderStrings[1] = ToWin1252(source.author, "the author");
    p.HeaderStrings[2] = ToWin1252(source.copyright, "the copyright");

    const std::string intro = ToWin1252(source.intro, "the notes");
    if (!intro.empty()) {
        p.MoreInfo.Caption = "About this puzzle";
        p.MoreInfo.FontName = "Arial";
        p.MoreInfo.FontHeight = -13;
        p.MoreInfo.Lines = SplitLines(intro);
    }
    std::string completion = ToWin1252(source.completion, "the completion text");
    if (!completion.empty()) {
        p.SolverInfo.Caption = "For successful solvers";
        p.SolverInfo.FontName = "Arial";
        p.SolverInfo.FontHeight = -13;
        for (size_t lf = completion.find('\n'); lf != std::string::npos; lf = completion.find('\n', lf + 2))
            completion.insert(lf, 1, '\r');
        p.SolverInfo.Text = std::move(completion);
    }

    // The solver must be able to type every letter the quotation holds.
    for (int c = 1; c < 256; ++c)
        if (letters.test(static_cast<size_t>(c)) && !p.TypingAlphabet.test(static_cast<size_t>(c)))
            p.ExtraLetters += static_cast<char>(c);
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    p.MaskSeed = LoneLineFeedSeed(p);
    p.Modified = false;
    return p;
}

}  // namespace qw
