#include "puzzle/Puzzle.h"

#include "puzzle/Win1252.h"

namespace qw {

void tTwoDHeapArray::Resize(int32_t rows, int32_t columns)
{
    RowCount = rows;
    ColumnCount = columns;
    Cells.assign(static_cast<size_t>(rows) * static_cast<size_t>(columns), 0);
}

std::string ClueLabel(int32_t clueIndex)
{
    std::string label(1, static_cast<char>(65 + clueIndex % 26));
    if (clueIndex >= 26) label.insert(label.begin(), static_cast<char>(64 + clueIndex / 26));
    return label;
}

CharSet Puzzle::DefaultTypingAlphabet()
{
    CharSet set;
    set.set(' ');
    for (int c = 'A'; c <= 'Z'; ++c) set.set(c);
    return set;
}

bool Puzzle::BuildPuzzle(int32_t rows, int32_t columns, const std::string& fixedChars,
                         const std::vector<std::string>& rowStrings, const std::vector<ClueInput>& clues)
{
    FixedChars.reset();
    for (char ch : fixedChars) FixedChars.set(static_cast<unsigned char>(ch));
    auto isLetter = [this](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c != 0 && c != ' ' && !FixedChars.test(c);
    };

    RowCount = rows;
    ColumnCount = columns;
    UpperCaseOnly = true;
    LetterCount = 0;
    DiagramRows.clear();
    for (int32_t r = 0; r < rows; ++r) {
        const std::string& row = rowStrings[static_cast<size_t>(r)];
        if (static_cast<int64_t>(row.size()) != columns) return false;
        DiagramRows.push_back(row);
        for (char ch : row) {
            if (isLetter(ch)) ++LetterCount;
            if (UpperAnsi(ch) != ch) UpperCaseOnly = false;
        }
    }

    Letters.assign(static_cast<size_t>(LetterCount) + 1, LetterEntry{});
    Grid.Resize(rows, columns);
    int32_t index = 1;
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            const char ch = DiagramRows[static_cast<size_t>(r)][static_cast<size_t>(c)];
            if (FixedChars.test(static_cast<unsigned char>(ch))) {
                Grid.SetCell(r, c, -static_cast<int32_t>(static_cast<unsigned char>(ch)));
            } else if (isLetter(ch)) {
                LetterEntry& e = Letters[static_cast<size_t>(index)];
                e.Solution = ch;
                e.Row = r;
                e.Column = c;
                Grid.SetCell(r, c, index);
                ++index;
            } else {
                Grid.SetCell(r, c, 0);
            }
        }
    }

    Clues.clear();
    ClueCount = static_cast<int32_t>(clues.size());
    int32_t last = 0;
    for (size_t k = 0; k < clues.size(); ++k) {
        const ClueInput& in = clues[k];
        Clues.push_back(Clue{in.Text, in.Answer});
        const std::string label = ClueLabel(static_cast<int32_t>(k));
        for (size_t j = 0; j < in.Answer.size(); ++j) {
            const int32_t idx = in.Answer[j];
            // The reader refuses such files; a caller that skipped its checks still gets no
            // write outside the letters.
            if (idx < 1 || idx > LetterCount) continue;
            LetterEntry& e = Letters[static_cast<size_t>(idx)];
            // A progress string shorter than its answer leaves the rest of the squares empty.
            e.Entered = j < in.Progress.size() ? in.Progress[j] : ' ';
            e.ClueIndex = static_cast<int32_t>(k);
            e.Position = static_cast<int32_t>(j);
            e.ClueLabel = label;
            e.Prev = last;
            e.Next = 0;
            if (last != 0) Letters[static_cast<size_t>(last)].Next = idx;
            last = idx;
        }
    }
    return true;
}

CharSet Puzzle::ComputeTypingAlphabet() const
{
    CharSet set;
    if (AnyCharAllowed != 0) {
        for (int c = 32; c <= 255; ++c) set.set(static_cast<size_t>(c));
        return set;
    }
    set = DefaultTypingAlphabet();
    for (char ch : ExtraLetters) {
        set.set(static_cast<unsigned char>(UpperAnsi(ch)));
        if (!UpperCaseOnly) set.set(static_cast<unsigned char>(ch));
    }
    return set;
}

bool Puzzle::IsSolved() const
{
    for (int32_t i = 1; i <= LetterCount; ++i)
        if (Letters[static_cast<size_t>(i)].Entered != Letters[static_cast<size_t>(i)].Solution) return false;
    return true;
}

bool Puzzle::IsFilled() const
{
    for (int32_t i = 1; i <= LetterCount; ++i)
        if (Letters[static_cast<size_t>(i)].Entered == ' ') return false;
    return true;
}

bool Puzzle::AnyEntered() const
{
    for (int32_t i = 1; i <= LetterCount; ++i)
        if (Letters[static_cast<size_t>(i)].Entered != ' ') return true;
    return false;
}

int32_t Puzzle::FirstLetterOfClue(int32_t clue) const
{
    if (clue < 0 || clue >= ClueCount) return 0;
    const auto& answer = Clues[static_cast<size_t>(clue)].Answer;
    return answer.empty() ? 0 : answer.front();
}

std::string Puzzle::MoreInfoText() const
{
    std::string text;
    // As a text control gives it: every line followed by a line break, so one empty line counts.
    for (const std::string& line : MoreInfo.Lines) text += line + "\r\n";
    return text;
}

void ClearPuzzle(Puzzle& puzzle, CursorState& cursor)
{
    puzzle.LetterCount = 0;
    cursor.CurrentLetter = 0;
    cursor.ActivePane = Pane::WordListPane;
}

}  // namespace qw
