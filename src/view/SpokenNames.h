#pragma once
// What a screen reader says for the parts of the two painted panes. The names are pure functions
// of the puzzle so that the accessibility adaptors and their test read the same words; the text is
// UTF-8 (the puzzle's single bytes are converted here).

#include <cstdint>
#include <string>

#include "puzzle/Puzzle.h"
#include "view/Highlight.h"

namespace qw {

// The spoken name of a fixed character: "comma", "apostrophe", "dash", ...; a character without
// a name of its own is given as itself.
std::string SpokenCharacter(char ch);

// A diagram square by row and column: "Square 12, clue B letter 3, R" (or "..., empty"),
// "black square", or the fixed character's name.
std::string SquareName(const Puzzle& puzzle, int32_t row, int32_t column);

// A letter square by its letter index, named as in the diagram.
std::string LetterName(const Puzzle& puzzle, int32_t letter);

// A clue of the word list: "B. Cry of an owl. 4 letters: H, O, blank, T".
std::string ClueItemName(const Puzzle& puzzle, int32_t clue);

// A letter of the title strip: "Clue A first letter, T" (or "..., blank").
std::string FirstLetterName(const Puzzle& puzzle, int32_t clue);

// What the focus on `letter` is announced as: the letter's name, led by its clue's text when the
// cursor has just entered that answer from elsewhere (`previous` in another clue or no letter).
std::string FocusName(const Puzzle& puzzle, int32_t letter, int32_t previous);

// What the "highlight current answer" aid adds to a letter's name, so that a reader hears what a
// sighted solver sees tinted: ", in the current answer" for a letter of the highlighted answer, in
// either pane; in the word list, whose tint follows the quotation word, ", in the current word" for
// a slot of that word in another answer. Empty for anything else and while the aid is off (an
// empty `highlight`).
std::string HighlightWords(const Puzzle& puzzle, const HighlightSet& highlight, int32_t letter, bool wordList);

}  // namespace qw
