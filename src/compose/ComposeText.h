#pragma once
// The quotation and source as the composer reads them: the letter pool, the words of the
// quotation, the checks a constructor sees while typing, and the stems that keep answers apart.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qw::compose {

// How many of each letter A..Z; index 0 is A.
using LetterCounts = std::array<int32_t, 26>;

int32_t Total(const LetterCounts& counts);
LetterCounts CountLetters(std::string_view upperLetters);
// "2 As, 1 B" style listing of the nonzero counts.
std::string DescribeCounts(const LetterCounts& counts);

// One character of the quotation as it goes into the diagram.
struct QuoteChar {
    enum Kind { Letter, Gap, Fixed } kind = Gap;
    char ch = ' ';  // A..Z for a letter, the Windows-1252 byte of a fixed character
};

struct QuoteWarning {
    enum Kind {
        LetterCount,    // outside 150-200
        SourceLetters,  // the source asks for more of a letter than the quotation has
        SourceLength,   // more than 28 letters
        QWithoutU,      // more Qs than spare Us
        Unstorable,     // a character the puzzle file cannot hold (refused)
        Empty,          // no letters at all
    } kind;
    std::string message;
};

struct QuoteAnalysis {
    std::vector<QuoteChar> chars;     // whitespace collapsed into single gaps, none at the ends
    std::vector<std::string> words;   // the letters of each gap-separated word of the quotation
    LetterCounts pool{};
    std::string sourceLetters;        // A..Z, in order
    std::vector<QuoteWarning> warnings;

    int32_t LetterTotal() const { return Total(pool); }
    // Whether the warnings leave a puzzle possible: letters present, every character storable
    // and every source letter available.
    bool Composable() const;
    std::string FirstBlockingMessage() const;
};

// Reads UTF-8 text. Accented letters become their plain capitals (Æ becomes AE); a character
// that Windows-1252 cannot hold is refused with its code point and line and column.
QuoteAnalysis AnalyzeQuote(std::string_view quotationUtf8, std::string_view sourceUtf8);

// The letters of a word or phrase, upper-cased, everything else dropped.
std::string LettersOf(std::string_view text);

// A light suffix stripper: words that share a stem count as one word for the no-repeat rule.
std::string Stem(std::string_view upperWord);

// The letters left when the answers are taken from the pool, and what that means.
struct Ledger {
    LetterCounts remaining{};  // pool minus answers; negative where a letter is over-used
    std::vector<char> overUsed;
    bool balanced = false;     // every letter used exactly
    int32_t left = 0;          // letters not yet used (over-used ones not counted)
};
Ledger ComputeLedger(const LetterCounts& pool, const std::vector<std::string>& answers);

}  // namespace qw::compose
