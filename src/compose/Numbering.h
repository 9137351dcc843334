#pragma once
// The diagram laid out from the quotation, and the numbering that gives every answer letter a
// square of the diagram holding the same letter.

#include <cstdint>
#include <string>
#include <vector>

#include "compose/ComposeText.h"

namespace qw::compose {

struct LaidSquare {
    char letter = 'A';
    int32_t row = 0;
    int32_t column = 0;
    int32_t word = 0;  // which gap-separated word of the quotation
};

struct DiagramLayout {
    int32_t width = 0;
    std::vector<std::string> rows;     // `width` characters each: letters, fixed characters, spaces (black)
    std::string fixedChars;            // each fixed character once
    std::vector<LaidSquare> squares;   // letter squares in reading order; square i is letter i + 1
    std::vector<std::string> words;    // the letters of each word
};

// Rows of `width` squares; words run on across rows, a black square goes between words (none
// opens a row) and punctuation stays as fixed squares.
DiagramLayout LayOutDiagram(const QuoteAnalysis& quote, int32_t width);

struct NumberingProblem {
    size_t answer = 0;
    std::string message;
};

struct Numbering {
    bool complete = false;                       // every answer letter has its square
    std::vector<std::vector<int32_t>> squares;   // per answer, the letter index (from 1) of each letter
    int32_t collisions = 0;                      // answers holding two letters of one quotation word
    std::vector<NumberingProblem> problems;      // why those answers could not be kept apart
    std::string message;                         // why there is no numbering at all
};

// A constraint search: each answer letter gets its own square of the same letter, no answer takes
// two letters from one word of the quotation, and an answer's letters keep out of neighbouring
// words where they can. The same seed gives the same numbering.
Numbering NumberAnswers(const DiagramLayout& layout, const std::vector<std::string>& answers, uint64_t seed = 1);

}  // namespace qw::compose
