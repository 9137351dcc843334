#pragma once
// What the JPZ and ipuz readers agree on before anything becomes a Puzzle: the quotation's grid in
// Unicode, the answers as lists of quotation squares, and the texts around the puzzle. One builder
// turns it into the model, so both formats obey the same rules and give the same messages.

#include <cstdint>
#include <deque>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "puzzle/Puzzle.h"

namespace qw {

// Why a file cannot be read; the public functions add the file's name.
struct FormatProblem : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct SourceSquare {
    enum class Kind : uint8_t { None, Black, Letter, Fixed };
    Kind kind = Kind::None;
    // Views into the parsed file (or AcrosticSource::texts): a large grid copies no strings.
    std::string_view text;     // Letter: the solution; Fixed: what the square shows (UTF-8)
    std::string_view entered;  // Letter: the solver's entry so far, empty when none
};

struct SourceClue {
    std::string text;              // plain UTF-8
    std::vector<int32_t> squares;  // grid positions (column + row × width) of the answer's letters
};

struct AcrosticSource {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<SourceSquare> grid;  // width × height, row-major
    std::vector<SourceClue> clues;
    std::string title, author, copyright;  // plain UTF-8
    std::string intro, completion;         // plain UTF-8, lines separated by '\n'

    // What the squares' views point into.
    std::shared_ptr<const void> parsed;
    std::deque<std::string> texts;

    SourceSquare& At(int32_t x, int32_t y) { return grid[static_cast<size_t>(x + y * width)]; }
    // A letter, or fixed text that shows something: what the quotation's box must hold.
    static bool Shows(const SourceSquare& sq)
    {
        return sq.kind == SourceSquare::Kind::Letter ||
               (sq.kind == SourceSquare::Kind::Fixed && !sq.text.empty() && sq.text != " ");
    }
    std::string_view Keep(std::string text) { return texts.emplace_back(std::move(text)); }
};

// Grid sizes a reader accepts before allocating the grid.
constexpr int32_t kMaxSourceSide = 4096;
constexpr int64_t kMaxSourceSquares = 4'000'000;
void CheckGridSize(int64_t width, int64_t height);

// "the square in row R, column C", counted from 1, for messages.
std::string SquareName(int32_t x, int32_t y);

// The marker row a file may carry besides the word list: it repeats the answers' first letters.
// A clue is that row only when its text says so and every square it names is one another clue
// already holds; a word-list clue that happens to have that text is kept.
constexpr std::string_view kAttributionText = "[ATTRIBUTION]";

// The puzzle the source describes: the quotation's box cropped out, text converted to
// Windows-1252 (a character it cannot hold is refused by name), the shape checked as the .QWL
// reader checks it. Throws FormatProblem.
Puzzle BuildImportedPuzzle(const AcrosticSource& source);

// Text that may hold HTML markup and entities, made plain: tags removed, entities decoded,
// whitespace runs collapsed to one space and trimmed. With `keepLines`, <br> and paragraph ends
// (and, in text without any tag, line breaks) become '\n' and each line is trimmed on its own.
std::string PlainText(std::string_view html, bool keepLines = false);
// The inverse for text written out: Windows-1252 text made UTF-8 HTML that PlainText turns back
// into exactly the same text (lines joined with <br/>).
std::string HtmlText(std::string_view win1252);
std::string HtmlLines(const std::vector<std::string>& lines);

// JPZ: plain or zipped XML. ipuz: JSON, possibly wrapped as ipuz(...).
AcrosticSource ReadJpz(std::string_view bytes);
AcrosticSource ReadIpuz(std::string_view bytes);
std::string WriteJpz(const Puzzle& puzzle);
std::string WriteIpuz(const Puzzle& puzzle);

// The note texts as written out: MoreInfo's lines, SolverInfo's text split at its line breaks.
std::vector<std::string> SolverInfoLines(const Puzzle& puzzle);

}  // namespace qw
