// JPZ acrostics: the crossword-compiler XML, plain or as the single document of a ZIP archive.

#include <pugixml.hpp>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <unordered_map>

#include "formats/AcrosticSource.h"
#include "formats/PuzzleFormats.h"
#include "puzzle/Win1252.h"

namespace qw {
namespace {

using Kind = SourceSquare::Kind;

std::string MiB(size_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }

// Little-endian fields of a ZIP archive, read only where the archive has bytes.
class ZipBytes {
public:
    explicit ZipBytes(std::string_view bytes) : bytes_(bytes) {}
    bool Has(size_t at, size_t length) const { return at <= bytes_.size() && length <= bytes_.size() - at; }
    uint32_t U16(size_t at) const { return Byte(at) | Byte(at + 1) << 8; }
    uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
    std::string_view Span(size_t at, size_t length) const { return bytes_.substr(at, length); }
    size_t Size() const { return bytes_.size(); }

private:
    uint32_t Byte(size_t at) const { return static_cast<unsigned char>(bytes_[at]); }
    std::string_view bytes_;
};

[[noreturn]] void Damaged() { throw FormatProblem("it is a damaged ZIP archive"); }
[[noreturn]] void TooLarge() { throw FormatProblem("its ZIP archive unpacks to more than " + MiB(kMaxImportBytes)); }

std::string Inflate(std::string_view packed)
{
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) throw FormatProblem("its ZIP archive cannot be unpacked");
    const std::unique_ptr<z_stream, int (*)(z_stream*)> ender(&z, inflateEnd);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    std::string out;
    char buffer[65536];
    for (;;) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        const int result = inflate(&z, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END) Damaged();
        const size_t n = sizeof buffer - z.avail_out;
        if (out.size() + n > kMaxImportBytes) TooLarge();
        out.append(buffer, n);
        if (result == Z_STREAM_END) return out;
        if (n == 0 && z.avail_in == 0) Damaged();  // the stream ends before its end mark
    }
}

// The one document of a zipped JPZ, refused past kMaxImportBytes whatever the archive claims.
// Read with zlib alone: the archive is read from its central directory, the way packers write it,
// and only stored or deflated documents occur in puzzle files.
std::string Unzip(std::string_view bytes)
{
    const ZipBytes zip(bytes);
    constexpr uint32_t kEnd = 0x06054b50, kEntry = 0x02014b50, kLocal = 0x04034b50;
    constexpr size_t kEndSize = 22, kEntrySize = 46, kLocalSize = 30, kMaxComment = 0xFFFF;
    // The directory's end record sits at the end, before a comment of up to 64 KiB.
    if (zip.Size() < kEndSize) Damaged();
    size_t end = zip.Size() - kEndSize;
    while (zip.U32(end) != kEnd) {
        if (end == 0 || zip.Size() - end >= kEndSize + kMaxComment) Damaged();
        --end;
    }
    const uint32_t entries = zip.U16(end + 10);
    const size_t directory = zip.U32(end + 16);
    if (entries == 0xFFFF || directory == 0xFFFFFFFF) throw FormatProblem("its ZIP archive cannot be read");

    size_t at = directory, document = 0;
    int files = 0;
    for (uint32_t i = 0; i < entries; ++i) {
        if (!zip.Has(at, kEntrySize) || zip.U32(at) != kEntry) Damaged();
        const size_t nameLength = zip.U16(at + 28);
        if (!zip.Has(at + kEntrySize, nameLength)) Damaged();
        const std::string_view name = zip.Span(at + kEntrySize, nameLength);
        if (name.empty() || name.back() != '/') {  // not a folder
            document = at;
            ++files;
        }
        at += kEntrySize + nameLength + zip.U16(at + 30) + zip.U16(at + 32);
    }
    if (files != 1)
        throw FormatProblem("its ZIP archive holds " + std::to_string(files) + " files, not one XML document");

    const uint32_t flags = zip.U16(document + 8), method = zip.U16(document + 10), crc = zip.U32(document + 16);
    const size_t packedSize = zip.U32(document + 20), size = zip.U32(document + 24), local = zip.U32(document + 42);
    if (size > kMaxImportBytes) TooLarge();
    if ((flags & 1) || (method != 0 && method != 8)) throw FormatProblem("its ZIP archive cannot be unpacked");
    if (!zip.Has(local, kLocalSize) || zip.U32(local) != kLocal) Damaged();
    const size_t data = local + kLocalSize + zip.U16(local + 26) + zip.U16(local + 28);
    if (!zip.Has(data, packedSize)) Damaged();
    const std::string_view packed = zip.Span(data, packedSize);
    std::string xml = method == 0 ? std::string(packed) : Inflate(packed);
    if (xml.size() != size ||
        crc32(0, reinterpret_cast<const Bytef*>(xml.data()), static_cast<uInt>(xml.size())) != crc)
        throw FormatProblem("its ZIP archive is damaged");
    return xml;
}

// Names compared without a namespace prefix: files use the default namespace, a prefix, or none.
std::string_view Local(const char* name)
{
    const std::string_view n(name);
    const size_t colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

pugi::xml_node Child(pugi::xml_node node, std::string_view name)
{
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && Local(c.name()) == name) return c;
    return {};
}

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Text the XML parser has already decoded, escaped again for PlainText, so that its one decoding
// gives back exactly what the file holds: "&amp;lt;" is the text "&lt;", never "<". Under
// xml:space="preserve" every space counts, and with `keepLines` a line feed is a line break.
void AppendEscaped(std::string& out, std::string_view text, bool preserve, bool keepLines)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (preserve && keepLines && (c == '\n' || c == '\r')) {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "<br>";
        } else if (preserve && IsXmlSpace(c)) out += "&#" + std::to_string(static_cast<int>(c)) + ";";
        else out += c;
    }
}

// An element's content as HTML: its text, and its child elements as tags, at any depth. Walked
// in document order without recursion, so markup nested deeper than a stack holds keeps its text.
std::string InnerHtml(pugi::xml_node node, bool preserve, bool keepLines)
{
    std::string out;
    pugi::xml_node c = node.first_child();
    while (c) {
        if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
            AppendEscaped(out, c.value(), preserve, keepLines);
        } else if (c.type() == pugi::node_element) {
            out += '<';
            out += Local(c.name());
            if (c.first_child()) {
                out += '>';
                c = c.first_child();
                continue;
            }
            out += "/>";
        }
        // On to the next node in document order, closing the elements it leaves.
        while (!c.next_sibling()) {
            c = c.parent();
            if (c == node) return out;
            out += "</";
            out += Local(c.name());
            out += '>';
        }
        c = c.next_sibling();
    }
    return out;
}

bool PreservesSpace(pugi::xml_node node)
{
    for (; node; node = node.parent())
        if (const pugi::xml_attribute space = node.attribute("xml:space")) return std::string_view(space.value()) == "preserve";
    return false;
}

std::string Text(pugi::xml_node node, bool keepLines = false)
{
    if (!node) return {};
    return PlainText(InnerHtml(node, PreservesSpace(node), keepLines), keepLines);
}

// Attribute names compared in place, without measuring them first.
template <size_t N>
bool Is(const char* name, const char (&literal)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (name[i] != literal[i]) return false;
    return true;
}

int32_t Number(std::string_view text, const char* what)
{
    int32_t value = 0;
    if (text.empty() || text.size() > 9) throw FormatProblem(std::string(what) + " is not a number");
    for (char c : text) {
        if (c < '0' || c > '9') throw FormatProblem(std::string(what) + " is not a number");
        value = value * 10 + (c - '0');
    }
    return value;
}

// "7" or a range "5-10" (first to last; a descending range runs backwards), 1-based.
std::pair<int32_t, int32_t> Span(std::string_view text, int32_t limit, const std::string& what)
{
    const size_t dash = text.find('-', 1);
    const int32_t first = Number(text.substr(0, dash), what.c_str());
    const int32_t last = dash == std::string_view::npos ? first : Number(text.substr(dash + 1), what.c_str());
    if (first < 1 || last < 1 || first > limit || last > limit) throw FormatProblem(what + " lies outside the grid");
    return {first - 1, last - 1};
}

// Whitespace-only text is kept: under xml:space="preserve" a line of spaces is content. Line ends
// are not normalised, so a carriage return written as one comes back.
constexpr unsigned kParseFlags = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_ws_pcdata;

// The document parsed in place; the squares' texts are views into it.
struct ParsedXml {
    std::string xml;
    pugi::xml_document doc;
};

class JpzReader {
public:
    AcrosticSource Read(std::string_view bytes)
    {
        auto holder = std::make_shared<ParsedXml>();
        std::string& xml = holder->xml;
        xml = bytes.starts_with(std::string_view("PK\x03\x04", 4)) ? Unzip(bytes) : std::string(bytes);
        source_.parsed = holder;
        pugi::xml_document& doc = holder->doc;
        const pugi::xml_parse_result parsed =
            doc.load_buffer_inplace(xml.data(), xml.size(), kParseFlags, pugi::encoding_auto);
        if (!parsed)
            throw FormatProblem(std::string("it is not well-formed XML (") + parsed.description() + " at byte " +
                                std::to_string(parsed.offset) + ")");
        const pugi::xml_node root = doc.document_element();
        const std::string_view rootName = Local(root.name());
        pugi::xml_node puzzle = root;
        if (rootName == "crossword-compiler-applet" || rootName == "crossword-compiler")
            puzzle = Child(root, "rectangular-puzzle");
        else if (rootName != "rectangular-puzzle")
            throw FormatProblem("it is not a JPZ puzzle");
        if (!puzzle) throw FormatProblem("it holds no puzzle");
        const pugi::xml_node acrostic = Child(puzzle, "acrostic");
        if (!acrostic) {
            if (Child(puzzle, "crossword")) throw FormatProblem("it is a crossword, not an acrostic");
            throw FormatProblem("it is not an acrostic");
        }

        const pugi::xml_node metadata = Child(puzzle, "metadata");
        source_.title = Text(Child(metadata, "title"));
        source_.author = Text(Child(metadata, "creator"));
        source_.copyright = Text(Child(metadata, "copyright"));
        source_.intro = Text(Child(metadata, "description"), true);
        source_.completion = Text(Child(Child(root, "applet-settings"), "completion"), true);

        ReadGrid(Child(acrostic, "grid"), xml.size());
        ReadWords(acrostic);
        ReadClues(acrostic);
        return std::move(source_);
    }

private:
    void ReadGrid(pugi::xml_node grid, size_t documentSize)
    {
        if (!grid) throw FormatProblem("it has no grid");
        const int64_t width = Number(grid.attribute("width").value(), "the grid's width");
        const int64_t height = Number(grid.attribute("height").value(), "the grid's height");
        CheckGridSize(width, height);
        // A square takes at least a few bytes of the file, so the grid cannot outgrow the file.
        if (static_cast<uint64_t>(width * height) > documentSize) throw FormatProblem("its grid is larger than the file");
        source_.width = static_cast<int32_t>(width);
        source_.height = static_cast<int32_t>(height);
        source_.grid.assign(static_cast<size_t>(width * height), SourceSquare{});
        number_.assign(source_.grid.size(), 0);
        std::vector<bool> seen(source_.grid.size(), false);
        for (pugi::xml_node cell = grid.first_child(); cell; cell = cell.next_sibling()) {
            if (cell.type() != pugi::node_element || !(Is(cell.name(), "cell") || Local(cell.name()) == "cell")) continue;
            // One pass over the attributes: a big grid has tens of thousands of squares.
            const char *xText = "", *yText = "", *type = "";
            std::string_view solution, state;
            int32_t number = 0;
            for (pugi::xml_attribute a = cell.first_attribute(); a; a = a.next_attribute()) {
                const char* name = a.name();
                if (Is(name, "x")) xText = a.value();
                else if (Is(name, "y")) yText = a.value();
                else if (Is(name, "type")) type = a.value();
                else if (Is(name, "solution")) solution = a.value();
                else if (Is(name, "solve-state")) state = a.value();
                else if (Is(name, "number")) number = Number(a.value(), "a square's number");
            }
            const int32_t x = Number(xText, "a square's column") - 1;
            const int32_t y = Number(yText, "a square's row") - 1;
            if (x < 0 || y < 0 || x >= source_.width || y >= source_.height)
                throw FormatProblem("a square lies outside the grid");
            const size_t pos = static_cast<size_t>(x + y * source_.width);
            if (seen[pos]) throw FormatProblem("the square in row " + std::to_string(y + 1) + ", column " +
                                               std::to_string(x + 1) + " is listed twice");
            seen[pos] = true;
            SourceSquare& sq = source_.grid[pos];
            if (!*type) sq.kind = Kind::Letter;
            else if (Is(type, "block")) sq.kind = Kind::Black;
            else if (Is(type, "clue")) sq.kind = Kind::Fixed;
            else if (Is(type, "void")) sq.kind = Kind::None;
            else throw FormatProblem("it has squares of the unknown type \"" + std::string(type) + "\"");
            sq.text = solution;
            sq.entered = state;
            number_[pos] = number;
        }
    }

    void ReadWords(pugi::xml_node acrostic)
    {
        // Each square is in the quotation and one answer; far more word squares than that is no acrostic.
        const size_t budget = 4 * source_.grid.size() + 64;
        size_t used = 0;
        auto add = [&](std::vector<int32_t>& squares, pugi::xml_node range) {
            const auto [x0, x1] = Span(range.attribute("x").value(), source_.width, "a word's column");
            const auto [y0, y1] = Span(range.attribute("y").value(), source_.height, "a word's row");
            if (x0 != x1 && y0 != y1) throw FormatProblem("a word's squares run both across and down");
            const int32_t count = std::max(std::abs(x1 - x0), std::abs(y1 - y0)) + 1;
            used += static_cast<size_t>(count);
            if (used > budget) throw FormatProblem("its words hold more squares than the grid");
            const int32_t dx = x1 > x0 ? 1 : x1 < x0 ? -1 : 0;
            const int32_t dy = y1 > y0 ? 1 : y1 < y0 ? -1 : 0;
            for (int32_t k = 0; k < count; ++k) squares.push_back(x0 + dx * k + (y0 + dy * k) * source_.width);
        };
        for (pugi::xml_node word = acrostic.first_child(); word; word = word.next_sibling()) {
            if (word.type() != pugi::node_element || Local(word.name()) != "word") continue;
            std::vector<int32_t>& squares = words_[word.attribute("id").value()];
            if (word.attribute("x")) add(squares, word);
            for (pugi::xml_node cells = word.first_child(); cells; cells = cells.next_sibling())
                if (cells.type() == pugi::node_element && Local(cells.name()) == "cells") add(squares, cells);
        }
    }

    const std::vector<int32_t>& Word(const char* id)
    {
        const auto it = words_.find(id);
        if (it == words_.end()) throw FormatProblem("a clue names the word \"" + std::string(id) + "\", which it does not have");
        return it->second;
    }

    // The squares of `word` that hold letters carry every number from 1 to the largest in the grid
    // once each: the whole quotation.
    bool CoversQuotation(const std::vector<int32_t>& word, int32_t largest) const
    {
        // A word shorter than the quotation cannot hold it (and a huge number costs no memory).
        if (largest < 1 || static_cast<size_t>(largest) > word.size()) return false;
        std::vector<bool> seen(static_cast<size_t>(largest) + 1, false);
        int32_t count = 0;
        for (int32_t pos : word) {
            if (source_.grid[static_cast<size_t>(pos)].kind != Kind::Letter) continue;
            const int32_t n = number_[static_cast<size_t>(pos)];
            if (n < 1 || n > largest || seen[static_cast<size_t>(n)]) return false;
            seen[static_cast<size_t>(n)] = true;
            ++count;
        }
        return count == largest;
    }

    int32_t TopRow(const std::vector<int32_t>& word) const
    {
        int32_t top = source_.height;
        for (int32_t pos : word)
            if (source_.grid[static_cast<size_t>(pos)].kind == Kind::Letter) top = std::min(top, pos / source_.width);
        return top;
    }

    // Rows of fixed text alone (a closing full stop) that continue the quotation above or below.
    bool FixedOnlyRow(int32_t y) const
    {
        bool shows = false;
        for (int32_t x = 0; x < source_.width; ++x) {
            const SourceSquare& sq = source_.grid[static_cast<size_t>(x + y * source_.width)];
            if (sq.kind == Kind::Letter) return false;
            shows = shows || AcrosticSource::Shows(sq);
        }
        return shows;
    }

    void ReadClues(pugi::xml_node acrostic)
    {
        struct Named {
            std::string text;
            const std::vector<int32_t>* squares;
        };
        std::vector<Named> named;
        for (pugi::xml_node clues = acrostic.first_child(); clues; clues = clues.next_sibling()) {
            if (clues.type() != pugi::node_element || Local(clues.name()) != "clues") continue;
            for (pugi::xml_node clue = clues.first_child(); clue; clue = clue.next_sibling()) {
                if (clue.type() != pugi::node_element || Local(clue.name()) != "clue") continue;
                std::string text = Text(clue);
                named.push_back({std::move(text), &Word(clue.attribute("word").value())});
            }
        }

        // The quotation is told by its squares, not by its text: the word holding every number, the
        // topmost if an answer does too (an acrostic of one clue). Every clue naming those squares
        // is the quotation's, never an answer.
        int32_t largest = 0;
        for (size_t pos = 0; pos < source_.grid.size(); ++pos)
            if (source_.grid[pos].kind == Kind::Letter) largest = std::max(largest, number_[pos]);
        const std::vector<int32_t>* quote = nullptr;
        for (const Named& n : named)
            if (CoversQuotation(*n.squares, largest) && (!quote || TopRow(*n.squares) < TopRow(*quote))) quote = n.squares;
        if (!quote) throw FormatProblem("none of its words runs over the whole quotation, so the quotation cannot be found");

        // The quotation's squares by their numbers; every other letter square is an answer's.
        std::vector<int32_t> byNumber(source_.grid.size() + 1, -1);
        std::vector<bool> inQuote(source_.grid.size(), false);
        int32_t top = source_.height, bottom = -1;
        for (int32_t pos : *quote) {
            const SourceSquare& sq = source_.grid[static_cast<size_t>(pos)];
            if (sq.kind == Kind::Fixed) continue;
            if (sq.kind != Kind::Letter) throw FormatProblem("the quotation runs over a square without a letter");
            const int32_t n = number_[static_cast<size_t>(pos)];
            byNumber[static_cast<size_t>(n)] = pos;
            inQuote[static_cast<size_t>(pos)] = true;
            top = std::min(top, pos / source_.width);
            bottom = std::max(bottom, pos / source_.width);
        }

        std::vector<const Named*> answers;
        for (const Named& n : named)
            if (*n.squares != *quote) answers.push_back(&n);
        // Numbers held by the clues that are surely answers, to tell the attribution row by.
        std::vector<bool> held(static_cast<size_t>(largest) + 1, false);
        const auto numberAt = [&](int32_t pos) {
            const int32_t n = number_[static_cast<size_t>(pos)];
            return source_.grid[static_cast<size_t>(pos)].kind == Kind::Letter && n >= 1 && n <= largest ? n : 0;
        };
        for (const Named* n : answers)
            if (n->text != kAttributionText)
                for (int32_t pos : *n->squares) held[static_cast<size_t>(numberAt(pos))] = true;
        held[0] = true;  // a square without a letter or number holds nothing
        std::erase_if(answers, [&](const Named* n) {
            return n->text == kAttributionText && std::all_of(n->squares->begin(), n->squares->end(),
                                                              [&](int32_t pos) { return held[static_cast<size_t>(numberAt(pos))]; });
        });

        for (size_t k = 0; k < answers.size(); ++k) {
            const std::string name = "clue " + ClueLabel(static_cast<int32_t>(k));
            SourceClue clue{answers[k]->text, {}};
            for (int32_t pos : *answers[k]->squares) {
                const SourceSquare& sq = source_.grid[static_cast<size_t>(pos)];
                if (sq.kind == Kind::Fixed) continue;  // the label at the start of an answer row
                if (sq.kind != Kind::Letter) throw FormatProblem(name + " runs over a square without a letter");
                const int32_t n = number_[static_cast<size_t>(pos)];
                const int32_t target = n > 0 && static_cast<size_t>(n) < byNumber.size() ? byNumber[static_cast<size_t>(n)] : -1;
                if (target < 0)
                    throw FormatProblem(name + " has a letter numbered " + std::to_string(n) + ", which the quotation does not have");
                SourceSquare& quoted = source_.grid[static_cast<size_t>(target)];
                if (!sq.text.empty() && sq.text != quoted.text)
                    throw FormatProblem("the letters disagree: square " + std::to_string(n) + " is \"" +
                                        std::string(quoted.text) + "\" in the quotation but \"" + std::string(sq.text) +
                                        "\" in " + name);
                if (quoted.entered.empty()) quoted.entered = sq.entered;
                clue.squares.push_back(target);
            }
            source_.clues.push_back(std::move(clue));
        }

        // The quotation's rows, with any row of punctuation alone that continues them; the answer
        // rows and their labels are no part of it.
        while (top > 0 && FixedOnlyRow(top - 1)) --top;
        while (bottom + 1 < source_.height && FixedOnlyRow(bottom + 1)) ++bottom;
        for (size_t pos = 0; pos < source_.grid.size(); ++pos) {
            const int32_t y = static_cast<int32_t>(pos) / source_.width;
            SourceSquare& sq = source_.grid[pos];
            if (y < top || y > bottom) sq.kind = Kind::None;
            else if (sq.kind == Kind::Letter && !inQuote[pos]) sq.kind = Kind::Black;
        }
    }

    AcrosticSource source_;
    std::vector<int32_t> number_;
    std::unordered_map<std::string, std::vector<int32_t>> words_;
};

// ---- Writing ----------------------------------------------------------------------------------

// Whitespace that a reader collapses, as HTML does, unless told to keep it.
bool CollapsesAway(std::string_view line)
{
    return (!line.empty() && (line.front() == ' ' || line.back() == ' ')) || line.find("  ") != std::string_view::npos ||
           std::any_of(line.begin(), line.end(), [](char c) { return IsXmlSpace(c) && c != ' '; });
}

// Windows-1252 lines as an element's text, escaped for XML once (by pugixml), with <br/> between
// lines, and xml:space="preserve" where spaces must come back as they are.
void AppendLines(pugi::xml_node element, const std::vector<std::string>& lines)
{
    bool preserve = false;
    // Every line a text node, even an empty one: the writer then puts no line breaks of its own
    // between the text and the <br/> elements.
    element.append_child(pugi::node_pcdata);
    for (size_t k = 0; k < lines.size(); ++k) {
        if (k > 0) element.append_child("br");
        const std::string line = Win1252ToUtf8(lines[k]);
        preserve = preserve || CollapsesAway(line);
        element.append_child(pugi::node_pcdata).set_value(line.c_str());
    }
    if (preserve) element.prepend_attribute("xml:space").set_value("preserve");
}

void SetText(pugi::xml_node parent, const char* name, const std::vector<std::string>& lines)
{
    AppendLines(parent.append_child(name), lines);
}

void Attr(pugi::xml_node node, const char* name, const std::string& value)
{
    node.append_attribute(name).set_value(value.c_str());
}

std::string Ansi(char ch) { return Win1252ToUtf8(std::string_view(&ch, 1)); }

void AddCells(pugi::xml_node word, int32_t row, int32_t first, int32_t last)
{
    pugi::xml_node cells = word.append_child("cells");
    Attr(cells, "x", first == last ? std::to_string(first + 1) : std::to_string(first + 1) + "-" + std::to_string(last + 1));
    Attr(cells, "y", std::to_string(row + 1));
}

}  // namespace

AcrosticSource ReadJpz(std::string_view bytes) { return JpzReader().Read(bytes); }

std::string WriteJpz(const Puzzle& p)
{
    // The usual layout: the quotation on top, a spacer row, then the answers, each a label square
    // and its letters, as many to a row as fit.
    size_t longest = 0;
    for (const Clue& clue : p.Clues) longest = std::max(longest, clue.Answer.size());
    const int32_t width = std::max<int32_t>(p.ColumnCount, static_cast<int32_t>(longest) + 1);
    struct Placed {
        int32_t row, column;
    };
    std::vector<Placed> placed;
    int32_t row = p.RowCount + 1, column = 0;
    for (const Clue& clue : p.Clues) {
        const int32_t need = static_cast<int32_t>(clue.Answer.size()) + 1;
        if (column > 0 && column + need > width) {
            ++row;
            column = 0;
        }
        placed.push_back({row, column});
        column += need + 1;
    }
    const int32_t height = row + 1;

    enum class Use : uint8_t { Void, Quote, Label, Answer };
    struct Square {
        Use use = Use::Void;
        int32_t clue = 0, letter = 0;
    };
    std::vector<Square> squares(static_cast<size_t>(width) * static_cast<size_t>(height));
    auto at = [&](int32_t x, int32_t y) -> Square& { return squares[static_cast<size_t>(x + y * width)]; };
    for (int32_t y = 0; y < p.RowCount; ++y)
        for (int32_t x = 0; x < p.ColumnCount; ++x) at(x, y) = {Use::Quote, 0, p.Grid.GetCell(y, x)};
    for (size_t k = 0; k < p.Clues.size(); ++k) {
        at(placed[k].column, placed[k].row) = {Use::Label, static_cast<int32_t>(k), 0};
        for (size_t j = 0; j < p.Clues[k].Answer.size(); ++j)
            at(placed[k].column + 1 + static_cast<int32_t>(j), placed[k].row) = {Use::Answer, static_cast<int32_t>(k),
                                                                                  p.Clues[k].Answer[j]};
    }

    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    Attr(decl, "version", "1.0");
    Attr(decl, "encoding", "UTF-8");
    pugi::xml_node root = doc.append_child("crossword-compiler-applet");
    Attr(root, "xmlns", "http://crossword.info/xml/crossword-compiler-applet");
    if (p.HasSolverInfo()) {
        pugi::xml_node completion = root.append_child("applet-settings").append_child("completion");
        Attr(completion, "only-if-correct", "true");
        AppendLines(completion, SolverInfoLines(p));
    }
    pugi::xml_node puzzle = root.append_child("rectangular-puzzle");
    Attr(puzzle, "xmlns", "http://crossword.info/xml/rectangular-puzzle");
    pugi::xml_node metadata = puzzle.append_child("metadata");
    SetText(metadata, "title", {p.HeaderStrings[0]});
    SetText(metadata, "creator", {p.HeaderStrings[1]});
    SetText(metadata, "copyright", {p.HeaderStrings[2]});
    SetText(metadata, "description", p.HasMoreInfo() ? p.MoreInfo.Lines : std::vector<std::string>{});

    pugi::xml_node acrostic = puzzle.append_child("acrostic");
    pugi::xml_node grid = acrostic.append_child("grid");
    Attr(grid, "width", std::to_string(width));
    Attr(grid, "height", std::to_string(height));
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const Square& sq = at(x, y);
            pugi::xml_node cell = grid.append_child("cell");
            Attr(cell, "x", std::to_string(x + 1));
            Attr(cell, "y", std::to_string(y + 1));
            if (sq.use == Use::Void) {
                Attr(cell, "type", "void");
            } else if (sq.use == Use::Label) {
                Attr(cell, "type", "clue");
                Attr(cell, "solution", ClueLabel(sq.clue));
            } else if (sq.use == Use::Quote && sq.letter == 0) {
                Attr(cell, "type", "block");
            } else if (sq.use == Use::Quote && sq.letter < 0) {
                Attr(cell, "type", "clue");
                Attr(cell, "solution", Ansi(static_cast<char>(-sq.letter)));
            } else {
                const LetterEntry& e = p.Letters[static_cast<size_t>(sq.letter)];
                Attr(cell, "solution", Ansi(e.Solution));
                Attr(cell, "number", std::to_string(sq.letter));
                // The solver's letter is kept once, in the quotation.
                if (sq.use == Use::Quote) Attr(cell, "top-right-number", e.ClueLabel);
                if (sq.use == Use::Quote && e.Entered != ' ') Attr(cell, "solve-state", Ansi(e.Entered));
            }
        }
    }

    const int32_t quoteId = static_cast<int32_t>(p.Clues.size()) + 1;
    for (size_t k = 0; k < p.Clues.size(); ++k) {
        pugi::xml_node word = acrostic.append_child("word");
        Attr(word, "id", std::to_string(k + 1));
        const int32_t first = placed[k].column + 1;
        AddCells(word, placed[k].row, first, first + static_cast<int32_t>(p.Clues[k].Answer.size()) - 1);
    }
    pugi::xml_node quote = acrostic.append_child("word");
    Attr(quote, "id", std::to_string(quoteId));
    for (int32_t y = 0; y < p.RowCount; ++y) {
        for (int32_t x = 0; x < p.ColumnCount;) {
            if (p.Grid.GetCell(y, x) <= 0) {
                ++x;
                continue;
            }
            int32_t last = x;
            while (last + 1 < p.ColumnCount && p.Grid.GetCell(y, last + 1) > 0) ++last;
            AddCells(quote, y, x, last);
            x = last + 1;
        }
    }

    pugi::xml_node clues = acrostic.append_child("clues");
    Attr(clues, "ordering", "normal");
    SetText(clues, "title", {"Clues"});
    for (size_t k = 0; k < p.Clues.size(); ++k) {
        pugi::xml_node clue = clues.append_child("clue");
        Attr(clue, "word", std::to_string(k + 1));
        Attr(clue, "number", ClueLabel(static_cast<int32_t>(k)));
        AppendLines(clue, {p.Clues[k].Text});
    }
    pugi::xml_node clue = clues.append_child("clue");
    Attr(clue, "word", std::to_string(quoteId));
    Attr(clue, "number", "");
    clue.append_child(pugi::node_pcdata).set_value("[QUOTE]");

    std::ostringstream out;
    // One element to a line, unindented: readable, and a tenth smaller for a big grid.
    doc.save(out, "", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

}  // namespace qw
