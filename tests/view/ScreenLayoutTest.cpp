#include <gtest/gtest.h>

#include "FakeMetrics.h"
#include "view/ScreenLayout.h"

namespace qw {
namespace {

// 3 x 4 with a black square and a fixed '-' in the middle row; three clues.
Puzzle TenLetters()
{
    Puzzle p;
    EXPECT_TRUE(p.BuildPuzzle(3, 4, "-", {"ABCD", "E -F", "GHIJ"},
                              {{"First clue", {1, 2, 3, 4}, ""}, {"Second", {5, 6, 7}, ""}, {"Third", {8, 9, 10}, ""}}));
    return p;
}

TEST(ScreenLayout, ZoomStepsStopAtTheLimitsAndEndTheFit)
{
    ScreenLayout layout;
    layout.SetZoom(ZoomLimitsFromScreenWidth(1024));  // steps of 5, sides 20..102
    layout.SetSide(100);
    EXPECT_FALSE(layout.ZoomIn());
    EXPECT_EQ(layout.Side(), 100);
    EXPECT_EQ(layout.Fit(), FitMode::Puzzle);
    EXPECT_TRUE(layout.ZoomOut());
    EXPECT_EQ(layout.Side(), 95);
    EXPECT_EQ(layout.Fit(), FitMode::None);
    layout.SetSide(24);
    EXPECT_FALSE(layout.ZoomOut());
    EXPECT_TRUE(layout.CanZoomIn());
    layout.SetSide(-7);
    EXPECT_EQ(layout.Side(), 2);
}

TEST(ScreenLayout, DiagramBarsFitAndPaintedPositions)
{
    const Puzzle p = TenLetters();
    struct Row {
        FitMode fit;
        int side;
        PaneBox pane;
        int wantSide;
        bool h, v;
    };
    // The panel at side 25 is 97 x 73; frames of 1, bars of 16.
    const Row rows[] = {
        {FitMode::None, 25, {200, 200, 1, 16}, 25, false, false},
        {FitMode::None, 25, {80, 200, 1, 16}, 25, true, false},
        {FitMode::None, 25, {200, 70, 1, 16}, 25, false, true},
        {FitMode::None, 25, {85, 90, 1, 16}, 25, true, true},  // the bar across leaves 72 down
        {FitMode::Width, 25, {403, 300, 1, 16}, 97, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pane.Width * 1000 + row.pane.Height);
        ScreenLayout layout;
        layout.SetFit(row.fit);
        layout.SetSide(row.side);
        ASSERT_TRUE(layout.LayOutDiagram(p, row.pane));
        const int S = layout.Side();
        EXPECT_EQ(S, row.wantSide);
        const DiagramBars& bars = layout.Bars();
        EXPECT_EQ(bars.Horizontal, row.h);
        EXPECT_EQ(bars.Vertical, row.v);
        EXPECT_EQ(bars.ClientWidth, row.pane.Width - 2 - (row.v ? 16 : 0));
        EXPECT_EQ(bars.ClientHeight, row.pane.Height - 2 - (row.h ? 16 : 0));
        EXPECT_EQ(bars.HorizontalMax, row.h ? DiagramExtent(S, 4) - bars.ClientWidth : 0);
        EXPECT_EQ(bars.VerticalMax, row.v ? DiagramExtent(S, 3) - bars.ClientHeight : 0);
        EXPECT_EQ(layout.DiagramPos(10), SquareOrigin(S, 2, 3));
        EXPECT_EQ(layout.DiagramMark(10), (Point{3 * (S - 1) + 1, 2 * (S - 1) + 1}));
        EXPECT_EQ(layout.SquareInterior(p, 6), (Rect{3 * (S - 1) + 1, S, S - 2, S - 2}));
    }
    ScreenLayout empty;
    EXPECT_FALSE(empty.LayOutDiagram(Puzzle{}, {200, 200, 1, 16}));
}

// Clicks and the cursor mark go by where the squares were last painted: a new side takes effect
// for them only with the next layout.
TEST(ScreenLayout, HitsAndMarksUseTheLastPaintedPositions)
{
    const Puzzle p = TenLetters();
    ScreenLayout layout;
    layout.SetFit(FitMode::None);
    EXPECT_EQ(layout.DiagramHit(p, 10, 10), 0) << "nothing painted yet";
    ASSERT_TRUE(layout.LayOutDiagram(p, {400, 400, 1, 16}));
    EXPECT_EQ(layout.DiagramHit(p, 24, 10), 1);  // the shared border goes to the lower index
    EXPECT_EQ(layout.DiagramHit(p, 26, 10), 2);
    EXPECT_EQ(layout.DiagramHit(p, 30, 30), 0);  // black square
    layout.SetSide(50);
    EXPECT_EQ(layout.DiagramPos(2), (Point{24, 0}));
    ASSERT_TRUE(layout.LayOutDiagram(p, {400, 400, 1, 16}));
    EXPECT_EQ(layout.DiagramPos(2), (Point{49, 0}));
    EXPECT_EQ(layout.DiagramHit(p, 30, 10), 1);
    // Positions of a puzzle that has since lost letters are never answered.
    Puzzle smaller;
    ASSERT_TRUE(smaller.BuildPuzzle(1, 1, "", {"A"}, {{"One", {1}, ""}}));
    EXPECT_EQ(layout.DiagramHit(smaller, 60, 10), 0);
    EXPECT_EQ(layout.DiagramPos(99), Point{});
}

TEST(ScreenLayout, WordListBarSlotsAndCursorScrolling)
{
    const Puzzle p = TenLetters();
    const FakeMetrics metrics;
    ScreenLayout layout;
    // 402 wide with a frame of 1: a 400-pixel list (slots from 170) that fits 200 pixels.
    const WordListBar& bar = layout.LayOutWordList(p, metrics, WordListFonts{}, {402, 200, 1, 16}, false);
    EXPECT_FALSE(bar.On);
    EXPECT_EQ(layout.WordList().Width, 400);
    EXPECT_EQ(layout.AnswerPos(1), (Point{170, 16}));
    EXPECT_EQ(layout.ClueTop(6), 48);
    EXPECT_EQ(layout.AnswerHit(p, 196, 20), 2);
    EXPECT_EQ(layout.SlotArea(2), (Rect{196, 16, 20, 16}));
    EXPECT_EQ(layout.ClueMark(2), (Point{198, 16}));
    EXPECT_EQ(layout.ClueArea(p, 1, 400), (Rect{0, 48, 400, 16}));
    // Too short a pane: the bar comes, the list is laid out again narrower, and scrolls.
    const WordListBar& scrolled = layout.LayOutWordList(p, metrics, WordListFonts{}, {402, 60, 1, 16}, false);
    EXPECT_TRUE(scrolled.On);
    EXPECT_EQ(layout.WordList().Width, 384);
    EXPECT_EQ(scrolled.Range, layout.WordList().FinalY);
    EXPECT_EQ(scrolled.Max, scrolled.Range - 58);
    EXPECT_EQ(layout.ScrollIncrement(), scrolled.Range / 30);
    EXPECT_EQ(layout.WordListScrollFor(p, 8, 40, scrolled.Max), scrolled.Max);  // the last clue
    EXPECT_EQ(layout.WordListScrollFor(p, 1, 40, scrolled.Max), 0);             // the first
    layout.ClearWordList();
    EXPECT_FALSE(layout.WordListValid());
    EXPECT_EQ(layout.AnswerHit(p, 196, 20), 0);
}

}  // namespace
}  // namespace qw
