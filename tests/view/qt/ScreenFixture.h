#pragma once
// Puzzles and helpers shared by the PuzzleScreen tests.

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "puzzle/Puzzle.h"
#include "view/ColorScheme.h"
#include "view/qt/PuzzleScreen.h"

namespace qw::testing {

// A quotation diagram of `columns` columns (spaces are black squares, punctuation fixed) and
// clues that take the letters in a scrambled order, `perClue` letters each (the last takes the
// rest). Clue texts grow longer down the list so that some wrap.
inline Puzzle MakeQuotePuzzle(const std::string& quote, int columns, int perClue)
{
    std::vector<std::string> rows;
    for (size_t at = 0; at < quote.size(); at += static_cast<size_t>(columns)) {
        std::string row = quote.substr(at, static_cast<size_t>(columns));
        row.resize(static_cast<size_t>(columns), ' ');
        rows.push_back(row);
    }
    int letters = 0;
    for (char ch : quote)
        if (ch != ' ' && ch != ',' && ch != '.' && ch != '\'') ++letters;
    std::vector<int32_t> order;
    for (int i = 1; i <= letters; ++i) order.push_back(i);
    // A fixed, simple shuffle: the answers must not follow the diagram order.
    for (size_t i = 0; i + 3 < order.size(); i += 4) std::swap(order[i], order[i + 3]);
    std::vector<ClueInput> clues;
    const char* words[] = {"Bird", "of", "the", "northern", "marshes", "seen", "at", "dusk", "over", "reeds"};
    for (size_t at = 0; at < order.size(); at += static_cast<size_t>(perClue)) {
        ClueInput clue;
        const size_t end = order.size() - at < 2 * static_cast<size_t>(perClue) ? order.size() : at + perClue;
        clue.Answer.assign(order.begin() + static_cast<long>(at), order.begin() + static_cast<long>(end));
        const size_t n = clues.size();
        for (size_t w = 0; w < 2 + (n * 3) % 17; ++w) clue.Text += std::string(w ? " " : "") + words[(n + w) % 10];
        clues.push_back(clue);
        if (end == order.size()) break;
    }
    Puzzle p;
    p.BuildPuzzle(static_cast<int32_t>(rows.size()), columns, ",.'", rows, clues);
    p.HeaderStrings[0] = "Quotewell No. 1";
    p.HeaderStrings[1] = "A puzzle for testing";
    p.FileName = "test.QWL";
    return p;
}

inline Puzzle TypicalPuzzle()
{
    return MakeQuotePuzzle("THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG, AND THE DOG WAS NOT AMUSED. "
                           "IT WENT BACK TO SLEEP UNDER THE OLD OAK TREE AT THE END OF THE LANE.",
                           16, 6);
}

struct ScreenHarness {
    Puzzle puzzle;
    CursorState cursor;
    ColorScheme colors;
    std::unique_ptr<PuzzleScreen> screen;

    explicit ScreenHarness(Puzzle p, QSize size = {1000, 700}) : puzzle(std::move(p))
    {
        screen = std::make_unique<PuzzleScreen>(puzzle, cursor, colors);
        screen->SetZoomLimitsFromScreenWidth(1024);
        screen->resize(size);
        screen->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
        screen->ShowPuzzle();
        screen->setFocus();
        QApplication::processEvents();
    }

    template <typename T = QWidget>
    T* Part(const char* name) const
    {
        return screen->findChild<T*>(QString::fromLatin1(name));
    }
};

}  // namespace qw::testing
