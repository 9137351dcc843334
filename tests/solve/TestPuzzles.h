#pragma once
// Small puzzles built in memory for the solving tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "puzzle/Puzzle.h"

namespace qw::testing {

inline Puzzle Build(const std::vector<std::string>& rows, const std::vector<ClueInput>& clues,
                    const std::string& fixed = "")
{
    Puzzle p;
    EXPECT_TRUE(p.BuildPuzzle(static_cast<int32_t>(rows.size()),
                              rows.empty() ? 0 : static_cast<int32_t>(rows[0].size()), fixed, rows, clues));
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    p.FileName = "/tmp/test.qwl";
    return p;
}

// A cursor as a freshly shown puzzle has it: word list active, first letter of the first clue.
inline CursorState StartCursor(const Puzzle& p)
{
    CursorState c;
    c.ActivePane = Pane::WordListPane;
    c.CurrentLetter = p.FirstLetterOfClue(0);
    c.PreferredColumn = static_cast<uint8_t>(p.Letters[static_cast<size_t>(c.CurrentLetter)].Column);
    c.PreferredPosition = static_cast<uint8_t>(p.Letters[static_cast<size_t>(c.CurrentLetter)].Position);
    return c;
}

inline std::vector<int32_t> Range(int32_t from, int32_t to)
{
    std::vector<int32_t> v;
    for (int32_t i = from; i <= to; ++i) v.push_back(i);
    return v;
}

// Entered letters in diagram order, one character per letter.
inline std::string Entries(const Puzzle& p)
{
    std::string s;
    for (int32_t i = 1; i <= p.LetterCount; ++i) s += p.Letters[static_cast<size_t>(i)].Entered;
    return s;
}

inline void SetEntries(Puzzle& p, const std::string& s)
{
    for (int32_t i = 1; i <= p.LetterCount && static_cast<size_t>(i) <= s.size(); ++i)
        p.Letters[static_cast<size_t>(i)].Entered = s[static_cast<size_t>(i - 1)];
}

}  // namespace qw::testing
