#pragma once
// The in-memory acrostic puzzle: diagram, letters, word list, texts and flags that travel in the
// puzzle file. Strings hold single bytes of Windows-1252, exactly as the file stores them.

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qw {

using CharSet = std::bitset<256>;

inline bool Contains(const CharSet& set, char ch) { return set.test(static_cast<unsigned char>(ch)); }

// Row-major grid of int32 cells. Rows and columns are not range-checked: callers stay inside.
class tTwoDHeapArray {
public:
    void Resize(int32_t rows, int32_t columns);
    int32_t GetCell(int32_t row, int32_t column) const { return Cells[column + row * ColumnCount]; }
    void SetCell(int32_t row, int32_t column, int32_t value) { Cells[column + row * ColumnCount] = value; }
    int32_t Rows() const { return RowCount; }
    int32_t Columns() const { return ColumnCount; }

private:
    int32_t ColumnCount = 0;
    int32_t RowCount = 0;
    std::vector<int32_t> Cells;
};
using Diagram = tTwoDHeapArray;

// A cell value above 0 is a letter index, 0 a black square, below 0 minus a fixed character code.
using DiagramSquare = int32_t;

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct LetterEntry {
    char Solution = ' ';
    char Entered = ' ';
    int32_t Row = 0;
    int32_t Column = 0;
    int32_t ClueIndex = 0;
    int32_t Position = 0;
    int32_t Prev = 0;
    int32_t Next = 0;
    std::string ClueLabel;
};

struct Clue {
    std::string Text;
    std::vector<int32_t> Answer;
};

struct PuzzleNote {
    std::string Caption;
    int32_t Color = 0x00FFFFFF;
    std::string FontName;
    int32_t FontHeight = 0;
    int32_t FontColor = 0;
    uint8_t FontPitch = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    // MoreInfo keeps its text as lines; SolverInfo as one text with CR LF line breaks.
    std::vector<std::string> Lines;
    std::string Text;
};

// Whether a note is there to be shown: the one rule for its menu item, the header hint, the
// viewer and the file's note flags. A note of one empty line is present.
inline bool NotePresent(const PuzzleNote& note) { return !note.Lines.empty() || !note.Text.empty(); }

enum class Pane { DiagramPane, WordListPane };

struct CursorState {
    int32_t CurrentLetter = 0;
    Pane ActivePane = Pane::WordListPane;
    uint8_t PreferredColumn = 0;
    uint8_t PreferredPosition = 0;
    bool KeyBusy = false;
};

struct ClueInput {
    std::string Text;
    std::vector<int32_t> Answer;
    std::string Progress;
};

class Puzzle {
public:
    std::string FileName;
    int32_t RowCount = 0;
    int32_t ColumnCount = 0;
    int32_t ClueCount = 0;
    int32_t LetterCount = 0;
    std::vector<std::string> DiagramRows;
    CharSet FixedChars;
    Diagram Grid;  // the diagram's squares, row by row
    std::vector<LetterEntry> Letters{1};  // index 0 is never a letter
    std::vector<Clue> Clues;
    std::string HeaderStrings[3];
    std::string KeyNumber;
    uint8_t SolutionScrambled = 0;
    bool UpperCaseOnly = true;
    uint8_t AnyCharAllowed = 0;
    std::string ExtraLetters;
    CharSet TypingAlphabet = DefaultTypingAlphabet();
    std::string AuthorAddress;
    PuzzleNote MoreInfo;
    PuzzleNote SolverInfo;
    uint8_t MaskSeed = 0;
    bool Modified = false;

    // A puzzle is open while it has a file: closing clears the name, and the start has none.
    bool IsOpen() const { return !FileName.empty(); }
    bool HasMoreInfo() const { return NotePresent(MoreInfo); }
    bool HasSolverInfo() const { return NotePresent(SolverInfo); }
    std::string MoreInfoText() const;

    // Fills DiagramRows, FixedChars, UpperCaseOnly, LetterCount, Letters, Grid and Clues.
    // Returns false when a row's length differs from `columns` (the load then fails).
    bool BuildPuzzle(int32_t rows, int32_t columns, const std::string& fixedChars,
                     const std::vector<std::string>& rowStrings, const std::vector<ClueInput>& clues);
    CharSet ComputeTypingAlphabet() const;
    bool IsSolved() const;
    bool IsFilled() const;
    bool AnyEntered() const;
    int32_t FirstLetterOfClue(int32_t clue) const;
    // Whether `letter` indexes a letter of this puzzle (what a cursor or a stored step may hold
    // need not, once another puzzle has replaced the one it came from).
    bool HasLetter(int32_t letter) const
    {
        return letter >= 1 && letter <= LetterCount && static_cast<size_t>(letter) < Letters.size();
    }

    static CharSet DefaultTypingAlphabet();
};

std::string ClueLabel(int32_t clueIndex);

// Resets the model and cursor to the no-puzzle state used at start-up.
void ClearPuzzle(Puzzle& puzzle, CursorState& cursor);

}  // namespace qw
