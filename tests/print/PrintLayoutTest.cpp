#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "RecordingSurface.h"
#include "print/PrintPuzzle.h"
#include "print/SamplePuzzle.h"

namespace qw {
namespace {

using test::DrawOp;
using test::RecordingSurface;

// Answers take the letters in reading order, `lengths` letters per clue.
Puzzle MakePuzzle(const std::vector<std::string>& rows, const std::vector<int>& lengths,
                  const std::string& fixed = "", const std::string& progress = "")
{
    int letters = 0;
    for (const std::string& row : rows)
        for (char ch : row) letters += ch != ' ' && fixed.find(ch) == std::string::npos;
    std::vector<ClueInput> clues;
    int next = 1;
    for (size_t k = 0; k < lengths.size(); ++k) {
        ClueInput in;
        in.Text = "Clue number " + std::to_string(k);
        for (int j = 0; j < lengths[k] && next <= letters; ++j) {
            if (!progress.empty()) in.Progress += progress[static_cast<size_t>(next - 1)];
            in.Answer.push_back(next++);
        }
        clues.push_back(in);
    }
    Puzzle p;
    const bool built = p.BuildPuzzle(static_cast<int32_t>(rows.size()), static_cast<int32_t>(rows[0].size()),
                                     fixed, rows, clues);
    EXPECT_TRUE(built);
    return p;
}

DeviceMetrics Dpi600(int horzSize, int horzRes, int vertRes) { return {horzSize, horzRes, vertRes, 600, 600}; }

TEST(PrintGeometry, SquaresKeepACentimetreUnlessTheDiagramWouldOverflowTheWidth)
{
    // 18 cm of printable width at 600 dpi.
    RecordingSurface surface(Dpi600(180, 4251, 6000));
    const Puzzle twenty = MakePuzzle({std::string(20, 'A')}, {20});
    PrintGeometry g = ComputePrintGeometry(surface, twenty, PrinterOptions{});
    EXPECT_EQ(g.CmX, 236);
    EXPECT_EQ(g.SquareWidth, 4251 / 22);
    EXPECT_EQ(g.SquareHeight, g.SquareWidth);
    EXPECT_EQ(g.DiagramLeft, (4251 - 20 * g.SquareWidth) / 2);

    const Puzzle ten = MakePuzzle({std::string(10, 'A')}, {10});
    g = ComputePrintGeometry(surface, ten, PrinterOptions{});
    EXPECT_EQ(g.SquareWidth, 236);
}

TEST(PrintGeometry, UnequalResolutionsKeepSquaresPhysicallySquare)
{
    RecordingSurface surface({216, 5100, 3300, 600, 300});
    const Puzzle p = MakePuzzle({"AB C"}, {3});
    const PrintGeometry g = ComputePrintGeometry(surface, p, PrinterOptions{});
    EXPECT_EQ(g.CmX, 236);
    EXPECT_EQ(g.CmY, 118);
    EXPECT_EQ(g.SquareWidth, 236);
    EXPECT_EQ(g.SquareHeight, 118);
    // Halves round to even.
    EXPECT_EQ(g.Vertical(237), 118);
    EXPECT_EQ(g.Vertical(239), 120);

    PrintPuzzle(surface, p, PrinterOptions{}, false);
    const auto rects = surface.Of(DrawOp::Rect);
    ASSERT_EQ(rects.size(), 4u);
    EXPECT_EQ(rects[0].x2 - rects[0].x, 236);
    EXPECT_EQ(rects[0].y2 - rects[0].y, 118);
    EXPECT_EQ(rects[1].x, rects[0].x2);  // neighbours share their edge
    EXPECT_EQ(rects[2].fill, kPrintBlack);
}

TEST(PrintGeometry, LetterFontFitsFourFifthsOfASquareGrowingOrShrinking)
{
    RecordingSurface surface(Dpi600(216, 5100, 6600));
    // Large squares: the 10 point start has to grow; cell height equals the text height here.
    PrintGeometry g = ComputePrintGeometry(surface, MakePuzzle({"AB"}, {2}), PrinterOptions{});
    EXPECT_EQ(g.PrintLetterFont.height, 236 * 4 / 5);
    EXPECT_EQ(g.PrintSquareNumberFont.height, 236 * 4 / 5 * 5 / 12);
    EXPECT_EQ(g.PrintLetterFont.style, 0);

    // 150 columns make squares smaller than the 10 point start: it shrinks.
    g = ComputePrintGeometry(surface, MakePuzzle({std::string(150, 'A')}, {150}), PrinterOptions{});
    EXPECT_EQ(g.SquareWidth, 5100 / 152);
    EXPECT_EQ(g.PrintLetterFont.height, g.SquareHeight * 4 / 5);
}

TEST(PrintGeometry, WordListMeasuresComeFromTheOptionFonts)
{
    RecordingSurface surface(Dpi600(216, 5100, 6600));
    PrinterOptions options;
    options.clueFont = {"Times", 12, StyleItalic | 64};
    options.answerNumberFont = {"Arial", 6, 0};
    const PrintGeometry g = ComputePrintGeometry(surface, MakePuzzle({"AB"}, {2}), options);
    EXPECT_EQ(g.ClueFont, (PrintFont{"Times", StyleItalic, -100}));
    EXPECT_EQ(g.BoldClueFont, (PrintFont{"Times", StyleItalic | StyleBold, -100}));
    EXPECT_EQ(g.AnswerNumberFont.height, -50);
    EXPECT_EQ(g.PrintCreditFont, (PrintFont{"Arial", 0, -50}));
    EXPECT_EQ(g.LabelRight, 100 + 100 + 50 * 3);  // "WW.  "
    EXPECT_EQ(g.BlankWidth, 100);                  // "W" beats "555" (75)
    EXPECT_EQ(g.ClueRight, 2550 - 51);
    EXPECT_EQ(g.AnswerLeft, 51 + 2550);
    EXPECT_EQ(g.ClueLineAdvance, 110);
    EXPECT_EQ(g.AnswerRowAdvance, (100 + 50 + 1) * 11 / 10);
    EXPECT_EQ(g.AnswerWrapLimit, 4947);
}

TEST(PrintGeometry, ADeviceWithoutAPrintableAreaIsRefusedAndTheJobAborted)
{
    RecordingSurface surface({0, 5100, 6600, 600, 600});
    EXPECT_THROW(PrintPuzzle(surface, MakePuzzle({"AB"}, {2}), PrinterOptions{}, false), std::runtime_error);
    EXPECT_THAT(surface.events, testing::ElementsAre("Begin", "Abort"));
}

// 720 dpi makes a 10 point font 100 pixels, so "W" in the bold clue font is 100 wide; the
// answer numbers at 6 points ("555" = 90) stay narrower: BlankWidth = 100 on a 4800 pixel page.
struct Wide4800 : testing::Test {
    RecordingSurface surface{{169, 4800, 6000, 720, 720}};
    PrinterOptions options;
    Wide4800() { options.answerNumberFont = {"Arial", 6, 0}; }
};

TEST_F(Wide4800, FifteenLetterAnswerWrapsItsLastBlankToTheContinuationIndent)
{
    const Puzzle p = MakePuzzle({std::string(15, 'A')}, {15});
    const PrintGeometry g = ComputePrintGeometry(surface, p, options);
    ASSERT_EQ(g.BlankWidth, 100);
    ASSERT_EQ(g.AnswerLeft, 2448);
    ASSERT_EQ(g.AnswerWrapLimit, 4656);

    PrintPuzzle(surface, p, options, false);
    const auto lines = surface.Of(DrawOp::Line);
    ASSERT_EQ(lines.size(), 15u);
    for (int k = 0; k < 14; ++k) {
        EXPECT_EQ(lines[k].x, 2598 + 150 * k);
        EXPECT_EQ(lines[k].x2, lines[k].x + 100);
        EXPECT_EQ(lines[k].y, lines[0].y);
    }
    EXPECT_EQ(lines[13].x, 4548);
    EXPECT_EQ(lines[14].x, 2748);
    EXPECT_EQ(lines[14].y, lines[0].y + g.AnswerRowAdvance);

    // Numbers centred under their blank, one pixel below it; the bold clue font is 100 high.
    const DrawOp* fifteen = surface.FindText("15", g.AnswerNumberFont);
    ASSERT_NE(fifteen, nullptr);
    EXPECT_EQ(fifteen->x, 2748 + (100 - 60) / 2);
    EXPECT_EQ(fifteen->y, lines[14].y + 1);
    EXPECT_EQ(fifteen->font.height, -60);
}

TEST_F(Wide4800, FitsOnPageCountsFifteenLettersAsOneRowAndSixteenAsTwo)
{
    const PrintGeometry g = ComputePrintGeometry(surface, MakePuzzle({"AB"}, {2}), options);
    Clue clue{"Short", std::vector<int32_t>(15, 1)};
    // One text line (100) + numbers (60 + 1) + twice the credit font (2 x 60) must stay above H.
    const int room = 100 + 61 + 120;
    EXPECT_TRUE(FitsOnPage(surface, g, clue, 6000 - room - 1));
    EXPECT_FALSE(FitsOnPage(surface, g, clue, 6000 - room));

    clue.Answer.push_back(1);
    EXPECT_FALSE(FitsOnPage(surface, g, clue, 6000 - room - 1));
    EXPECT_TRUE(FitsOnPage(surface, g, clue, 6000 - room - g.AnswerRowAdvance - 1));

    // Every wrapped text line adds a line advance.
    const int textWidth = g.ClueRight - g.LabelRight;
    clue = Clue{std::string(textWidth / 50, 'x') + " more", {1}};
    EXPECT_FALSE(FitsOnPage(surface, g, clue, 6000 - room - 1));
    EXPECT_TRUE(FitsOnPage(surface, g, clue, 6000 - room - g.ClueLineAdvance - 1));
}

TEST_F(Wide4800, LabelsEndAtLabelRightAndTheTwentySeventhClueIsAA)
{
    const Puzzle p = MakePuzzle({std::string(27, 'A')}, std::vector<int>(27, 1));
    PrintPuzzle(surface, p, options, false);
    const PrintGeometry g = ComputePrintGeometry(surface, p, options);
    for (const char* label : {"A.  ", "Z.  ", "AA.  "}) {
        const DrawOp* op = surface.FindText(label);
        ASSERT_NE(op, nullptr) << label;
        surface.SetFont(op->font);
        EXPECT_EQ(op->x + surface.TextWidth(label), g.LabelRight) << label;
        EXPECT_EQ(op->font.style & StyleBold, StyleBold);
    }
    EXPECT_EQ(surface.FindText("AB.  "), nullptr);
}

TEST_F(Wide4800, LongClueWrapsAndTheLeaderAndBlanksStandOnItsLastLine)
{
    const PrintGeometry g = ComputePrintGeometry(surface, MakePuzzle({"AB"}, {2}), options);
    const int perLine = (g.ClueRight - g.LabelRight) / 50;  // characters of 50 pixels
    const std::string first(static_cast<size_t>(perLine - 10), 'a');
    Puzzle p = MakePuzzle({"AB"}, {2});
    p.Clues[0].Text = first + " bbbbbbbbbbbbbbbbbbbb cc";
    PrintPuzzle(surface, p, options, false);

    const DrawOp* line1 = surface.FindText(first + "   ");
    const DrawOp* line2 = surface.FindText(" bbbbbbbbbbbbbbbbbbbb cc   ");
    ASSERT_NE(line1, nullptr);
    ASSERT_NE(line2, nullptr);
    EXPECT_EQ(line1->x, g.LabelRight);
    EXPECT_EQ(line2->y, line1->y + g.ClueLineAdvance);
    EXPECT_EQ(surface.FindText("A.  ")->y, line1->y);

    // The leader is whole ". " pairs ending at ClueRight, long enough to reach it.
    const auto texts = surface.Of(DrawOp::Text);
    auto leader = std::find_if(texts.begin(), texts.end(),
                               [](const DrawOp& op) { return op.text.rfind(". ", 0) == 0; });
    ASSERT_NE(leader, texts.end());
    EXPECT_EQ(leader->y, line2->y);
    surface.SetFont(g.ClueFont);
    EXPECT_EQ(leader->x + surface.TextWidth(leader->text), g.ClueRight);
    const int used = surface.TextWidth(line2->text + leader->text) + g.LabelRight;
    EXPECT_GE(used, g.ClueRight);
    EXPECT_LT(used - 100, g.ClueRight);  // one pair less would not have reached it
    EXPECT_EQ(surface.Of(DrawOp::Line)[0].y, line2->y + 100);
}

TEST(WrapLine, BreaksAtTheLastFittingSpaceAndKeepsItAtTheFrontOfTheRest)
{
    const auto width = [](std::string_view s) { return static_cast<int>(s.size()); };
    using Pair = std::pair<std::string, std::string>;
    EXPECT_EQ(WrapLine("short", 10, width), (Pair{"short", ""}));
    EXPECT_EQ(WrapLine("aaa bbb ccc", 8, width), (Pair{"aaa bbb", " ccc"}));
    EXPECT_EQ(WrapLine("aaa bbb ccc", 5, width), (Pair{"aaa", " bbb ccc"}));
    // Further spaces before the break stay with the line.
    EXPECT_EQ(WrapLine("aa  bbbbbb", 5, width), (Pair{"aa ", " bbbbbb"}));
    // A word wider than the column runs past it, whole.
    EXPECT_EQ(WrapLine("extraordinarily long", 5, width), (Pair{"extraordinarily long", ""}));
    EXPECT_EQ(WrapLine("", 5, width), (Pair{"", ""}));
}

TEST(PrintHeader, LinesSitBelowHalfACentimetreAndShrinkToFitTheWidth)
{
    RecordingSurface surface(Dpi600(216, 5100, 6600));
    Puzzle p = MakePuzzle({"AB"}, {2});
    // No header: the diagram starts at half a centimetre.
    PrintPuzzle(surface, p, PrinterOptions{}, false);
    EXPECT_EQ(surface.Of(DrawOp::Rect)[0].y, 236 / 2);

    // Only the second line: at half a centimetre, regular, seven eighths of the bold size.
    surface.ops.clear();
    p.HeaderStrings[1] = "By someone";
    PrintPuzzle(surface, p, PrinterOptions{}, false);
    const DrawOp* second = surface.FindText("By someone");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->y, 118);
    EXPECT_EQ(second->font.style, 0);
    const int letterHeight = 236 * 4 / 5;
    const int boldHeight = MulDiv(MulDiv(letterHeight, 72, 600), 600, 72);
    EXPECT_EQ(second->font.height, boldHeight * 7 / 8);
    surface.SetFont(second->font);
    EXPECT_EQ(second->x, (5100 - surface.TextWidth("By someone")) / 2);
    EXPECT_EQ(surface.Of(DrawOp::Rect)[0].y, 118 + 2 * second->font.height);

    // A first line wider than the page shrinks until it fits; the second line follows from there.
    surface.ops.clear();
    p.HeaderStrings[0] = std::string(70, 'M');
    PrintPuzzle(surface, p, PrinterOptions{}, false);
    const DrawOp* first = surface.FindText(p.HeaderStrings[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->font.style, StyleBold);
    EXPECT_LT(first->font.height, boldHeight);
    surface.SetFont(first->font);
    EXPECT_LE(surface.TextWidth(first->text), 5100);
    PrintFont bigger = first->font;
    ++bigger.height;
    surface.SetFont(bigger);
    EXPECT_GT(surface.TextWidth(first->text), 5100);
    EXPECT_GE(first->x, 0);
    second = surface.FindText("By someone");
    EXPECT_EQ(second->font.height, first->font.height * 7 / 8);
    EXPECT_EQ(second->y, 118 + first->font.height);
}

TEST(PrintPages, TallDiagramStandsAloneAndOnlyTheLastPageCarriesTheCredit)
{
    // 25 rows of 1 cm squares on a page 27 cm high leave no room for the first clue.
    RecordingSurface surface(Dpi600(216, 5100, 6378));
    std::vector<std::string> rows(25, "ABCDEFGHIJ");
    Puzzle p = MakePuzzle(rows, std::vector<int>(50, 5));
    for (auto& clue : p.Clues) clue.Text = "A clue of some length that does not wrap";
    p.HeaderStrings[0] = "Title";
    const PrintSummary summary = PrintPuzzle(surface, p, PrinterOptions{}, false);

    ASSERT_GE(summary.pages, 3);
    EXPECT_EQ(std::count(surface.events.begin(), surface.events.end(), "NewPage"), summary.pages - 1);
    EXPECT_EQ(surface.events.front(), "Begin");
    EXPECT_EQ(surface.events.back(), "End");
    const DrawOp* firstLabel = surface.FindText("A.  ");
    ASSERT_NE(firstLabel, nullptr);
    EXPECT_EQ(firstLabel->page, 1);
    EXPECT_EQ(firstLabel->y, 236);  // one centimetre from the top, no header
    EXPECT_EQ(surface.CountText("Title"), 1);
    for (const DrawOp& op : surface.ops) {
        if (op.page == 0) {
            EXPECT_NE(op.kind, DrawOp::Line) << "word list on the diagram's page";
        }
    }

    ASSERT_EQ(surface.CountText(std::string(kCreditLine)), 1);
    const DrawOp* credit = surface.FindText(std::string(kCreditLine));
    EXPECT_EQ(credit->page, summary.pages - 1);
    EXPECT_EQ(credit->font, (PrintFont{"Arial", 0, -50}));
    EXPECT_EQ(credit->y, 6378 - 57);
    EXPECT_EQ(std::string(kCreditLine).rfind("Puzzle printed with Quotewell Program", 0), 0u);

    // Nothing drawn by the word list reaches the credit line's band.
    for (const DrawOp& op : surface.Of(DrawOp::Line)) EXPECT_LT(op.y, 6378 - 100);
}

TEST(PrintContent, FreshShowsNumbersAndFixedCharactersAsFilledAddsEnteredLetters)
{
    RecordingSurface surface(Dpi600(216, 5100, 6600));
    // Letters 1..4 (A, B, C, D), a black square and a fixed comma.
    const Puzzle p = MakePuzzle({"AB ,CD"}, {2, 2}, ",", "X  Y");
    PrinterOptions gray;
    gray.spacesGray = true;
    PrintPuzzle(surface, p, gray, false);
    const PrintGeometry g = ComputePrintGeometry(surface, p, gray);

    const DrawOp* number3 = surface.FindText("3", g.PrintSquareNumberFont);
    ASSERT_NE(number3, nullptr);
    const int x3 = g.DiagramLeft + 4 * g.SquareWidth;
    EXPECT_EQ(number3->x, x3 + 4);
    EXPECT_EQ(number3->y, 118 + 1);
    // Its clue label B, right-aligned four pixels inside the square.
    const DrawOp* labelB = surface.FindText("B", g.PrintSquareNumberFont);
    ASSERT_NE(labelB, nullptr);
    surface.SetFont(g.PrintSquareNumberFont);
    EXPECT_EQ(labelB->x + surface.TextWidth("B") + 4, g.DiagramLeft + 5 * g.SquareWidth);

    const DrawOp* comma = surface.FindText(",");
    ASSERT_NE(comma, nullptr);
    EXPECT_EQ(comma->font, g.PrintLetterFont);
    surface.SetFont(g.PrintLetterFont);
    EXPECT_EQ(comma->x, g.DiagramLeft + 3 * g.SquareWidth + (g.SquareWidth - surface.TextWidth(",")) / 2);
    EXPECT_EQ(comma->y, 118 + g.SquareHeight - g.PrintLetterFont.height);
    EXPECT_EQ(surface.FindText("X"), nullptr);
    EXPECT_EQ(surface.Of(DrawOp::Rect)[2].fill, kPrintSilver);

    surface.ops.clear();
    PrintPuzzle(surface, p, gray, true);
    EXPECT_EQ(surface.CountText("X"), 2);  // in its square and over its blank
    EXPECT_EQ(surface.CountText("Y"), 2);
    EXPECT_EQ(surface.CountText(","), 1);
    std::vector<DrawOp> xs;
    for (const DrawOp& op : surface.ops)
        if (op.kind == DrawOp::Text && op.text == "X") xs.push_back(op);
    EXPECT_EQ(xs[0].font, g.PrintLetterFont);
    EXPECT_EQ(xs[1].font, g.BoldClueFont);
    // The letter over blank 1 stands on the blank's line, its number just below it.
    const auto blanks = surface.Of(DrawOp::Line);
    EXPECT_EQ(xs[1].y - g.BoldClueFont.height, blanks[0].y);
    surface.SetFont(g.BoldClueFont);
    EXPECT_EQ(xs[1].x, blanks[0].x + (g.BlankWidth - surface.TextWidth("X")) / 2);
}

TEST(PrintCopies, EveryCopyIsItsOwnJobAndNoCopiesMeansOne)
{
    RecordingSurface surface(Dpi600(216, 5100, 6600));
    const Puzzle p = MakePuzzle({"AB"}, {2});
    EXPECT_EQ(PrintCopies(3, surface, p, PrinterOptions{}, false), 3);
    EXPECT_EQ(std::count(surface.events.begin(), surface.events.end(), "Begin"), 3);
    EXPECT_EQ(std::count(surface.events.begin(), surface.events.end(), "End"), 3);
    EXPECT_EQ(surface.CountText(std::string(kCreditLine)), 3);
    surface.events.clear();
    EXPECT_EQ(PrintCopies(0, surface, p, PrinterOptions{}, false), 1);
    EXPECT_THAT(surface.events, testing::ElementsAre("Begin", "End"));
}

TEST(SamplePuzzle, EveryLetterBelongsToExactlyOneAnswer)
{
    const Puzzle p = MakeSamplePuzzle(true);
    ASSERT_EQ(p.ClueCount, 16);
    std::vector<int> seen(static_cast<size_t>(p.LetterCount) + 1, 0);
    for (const Clue& clue : p.Clues) {
        ASSERT_FALSE(clue.Answer.empty());
        for (int32_t n : clue.Answer) {
            ASSERT_GE(n, 1);
            ASSERT_LE(n, p.LetterCount);
            ++seen[static_cast<size_t>(n)];
        }
    }
    EXPECT_EQ(std::count(seen.begin() + 1, seen.end(), 1), p.LetterCount);
    std::string first;
    for (int32_t n : p.Clues[0].Answer) first += p.Letters[static_cast<size_t>(n)].Solution;
    EXPECT_EQ(first, "CLENCH");
    EXPECT_TRUE(p.AnyEntered());
    EXPECT_FALSE(MakeSamplePuzzle(false).AnyEntered());
}

}  // namespace
}  // namespace qw
