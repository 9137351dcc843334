#include "view/SpokenNames.h"

#include "puzzle/Win1252.h"

namespace qw {

namespace {

std::string ClueText(const Puzzle& puzzle, int32_t clue)
{
    std::string text = Win1252ToUtf8(puzzle.Clues[static_cast<size_t>(clue)].Text);
    while (!text.empty() && text.back() == ' ') text.pop_back();
    // A clue written as a sentence keeps its own full stop; the name adds one only where missing.
    if (!text.empty() && text.back() != '.' && text.back() != '?' && text.back() != '!') text += '.';
    return ClueLabel(clue) + ". " + text;
}

bool ValidClue(const Puzzle& puzzle, int32_t clue)
{
    return clue >= 0 && static_cast<size_t>(clue) < puzzle.Clues.size();
}

}  // namespace

std::string SpokenCharacter(char ch)
{
    switch (ch) {
    case ',': return "comma";
    case '\'': return "apostrophe";
    case '\x92': return "apostrophe";  // the typographic one of the code page
    case '-': return "dash";
    case '\x96': return "dash";
    case '\x97': return "dash";
    case '.': return "period";
    case ';': return "semicolon";
    case ':': return "colon";
    case '!': return "exclamation mark";
    case '?': return "question mark";
    case '"': return "quotation mark";
    case '\x93': return "quotation mark";
    case '\x94': return "quotation mark";
    case '(': return "left parenthesis";
    case ')': return "right parenthesis";
    case '&': return "ampersand";
    case '/': return "slash";
    case ' ': return "space";
    default: return Win1252ToUtf8(std::string_view(&ch, 1));
    }
}

std::string LetterName(const Puzzle& puzzle, int32_t letter)
{
    if (!puzzle.HasLetter(letter)) return {};
    const LetterEntry& e = puzzle.Letters[static_cast<size_t>(letter)];
    std::string name = "Square " + std::to_string(letter) + ", clue " + e.ClueLabel + " letter " +
                       std::to_string(e.Position + 1) + ", ";
    if (e.Entered == ' ') name += "empty";
    else name += Win1252ToUtf8(std::string_view(&e.Entered, 1));
    return name;
}

std::string SquareName(const Puzzle& puzzle, int32_t row, int32_t column)
{
    if (row < 0 || column < 0 || row >= puzzle.Grid.Rows() || column >= puzzle.Grid.Columns()) return {};
    const DiagramSquare square = puzzle.Grid.GetCell(row, column);
    if (square > 0) return LetterName(puzzle, square);
    if (square == 0) return "black square";
    return SpokenCharacter(static_cast<char>(-square));
}

std::string ClueItemName(const Puzzle& puzzle, int32_t clue)
{
    if (!ValidClue(puzzle, clue)) return {};
    const std::vector<int32_t>& answer = puzzle.Clues[static_cast<size_t>(clue)].Answer;
    std::string name = ClueText(puzzle, clue) + " " + std::to_string(answer.size()) +
                       (answer.size() == 1 ? " letter:" : " letters:");
    const char* separator = " ";
    for (const int32_t letter : answer) {
        name += separator;
        separator = ", ";
        const char entered = puzzle.HasLetter(letter) ? puzzle.Letters[static_cast<size_t>(letter)].Entered : ' ';
        name += entered == ' ' ? std::string("blank") : Win1252ToUtf8(std::string_view(&entered, 1));
    }
    return name;
}

std::string FirstLetterName(const Puzzle& puzzle, int32_t clue)
{
    if (!ValidClue(puzzle, clue)) return {};
    const std::vector<int32_t>& answer = puzzle.Clues[static_cast<size_t>(clue)].Answer;
    const char entered = !answer.empty() && puzzle.HasLetter(answer.front())
                             ? puzzle.Letters[static_cast<size_t>(answer.front())].Entered : ' ';
    return "Clue " + ClueLabel(clue) + " first letter, " +
           (entered == ' ' ? std::string("blank") : Win1252ToUtf8(std::string_view(&entered, 1)));
}

std::string FocusName(const Puzzle& puzzle, int32_t letter, int32_t previous)
{
    if (!puzzle.HasLetter(letter)) return {};
    const int32_t clue = puzzle.Letters[static_cast<size_t>(letter)].ClueIndex;
    const bool entered = !puzzle.HasLetter(previous) || puzzle.Letters[static_cast<size_t>(previous)].ClueIndex != clue;
    if (entered && ValidClue(puzzle, clue)) return ClueText(puzzle, clue) + " " + LetterName(puzzle, letter);
    return LetterName(puzzle, letter);
}

std::string HighlightWords(const Puzzle& puzzle, const HighlightSet& highlight, int32_t letter, bool wordList)
{
    if (!puzzle.HasLetter(letter)) return {};
    const bool answer = highlight.InAnswer(puzzle.Letters[static_cast<size_t>(letter)]);
    const bool word = wordList && highlight.InWord(letter);
    if (answer) return ", in the current answer";
    if (word) return ", in the current word";
    return {};
}

}  // namespace qw
