#include <gtest/gtest.h>

#include <cmath>

#include "FakeMetrics.h"
#include "view/DiagramLayout.h"
#include "view/TitleStrip.h"
#include "view/WordListLayout.h"

namespace qw {
namespace {

// A 3 x 4 diagram: row 1 has a black square and a fixed '-'.
Puzzle SmallPuzzle(std::vector<ClueInput> clues)
{
    Puzzle p;
    EXPECT_TRUE(p.BuildPuzzle(3, 4, "-", {"ABCD", "E -F", "GHIJ"}, clues));
    return p;
}

Puzzle TenLetterPuzzle()
{
    return SmallPuzzle({{"First clue", {1, 2, 3, 4}, ""}, {"Second", {5, 6, 7}, ""}, {"Third", {8, 9, 10}, ""}});
}

TEST(DiagramGeometry, FitArithmeticLeavesRoomForTheOtherScrollBar)
{
    // 15 rows x 10 columns in a pane 403 x 300: 41 would be 601 high, so the bar's 16 px go.
    EXPECT_EQ(FitWidth(403, 300, 15, 10), 39);
    EXPECT_EQ(FitWidth(403, 1000, 15, 10), 41);
    // Fit Height of a wide diagram: trunc((300-3)/10)+1 = 30 -> 29*40+1 > 401, so trunc(281/10)+1.
    EXPECT_EQ(FitHeight(403, 300, 10, 40), 29);
    EXPECT_EQ(FitHeight(2000, 300, 10, 40), 30);
    // Equal height per row and width per column fits to height; a taller pane fits to width.
    EXPECT_EQ(FitPuzzle(200, 200, 10, 10), FitHeight(200, 200, 10, 10));
    EXPECT_EQ(FitPuzzle(200, 400, 10, 10), FitWidth(200, 400, 10, 10));
    EXPECT_EQ(ApplyFit(FitMode::None, 33, 403, 300, 15, 10), 33);
    EXPECT_EQ(ApplyFit(FitMode::Width, 33, 403, 300, 15, 10), 39);
    // A pane squeezed to nothing must still give a drawable side.
    EXPECT_GE(ApplyFit(FitMode::Width, 25, 5, 5, 15, 10), 2);
    EXPECT_EQ(ApplyFit(FitMode::Puzzle, 25, 400, 300, 0, 0), 25);
}

TEST(DiagramGeometry, ZoomLimitsComeFromTheScreenWidth)
{
    const ZoomLimits z = ZoomLimitsFromScreenWidth(1024);
    EXPECT_EQ(z.ZoomStep, 5);
    EXPECT_EQ(z.MaxSquareSide, 102);
    EXPECT_EQ(z.MinSquareSide, 20);
    const ZoomLimits small = ZoomLimitsFromScreenWidth(800);
    EXPECT_EQ(small.ZoomStep, 4);
    EXPECT_EQ(small.MaxSquareSide, 80);
    EXPECT_EQ(small.MinSquareSide, 16);
    EXPECT_FALSE(CanZoomIn(100, z));
    EXPECT_TRUE(CanZoomIn(97, z));
    EXPECT_TRUE(CanZoomOut(100, z));
    EXPECT_FALSE(CanZoomOut(24, z));
    EXPECT_TRUE(CanZoomOut(25, z));
}

TEST(DiagramGeometry, FitModeNamesRoundTripAndUnknownMeansNone)
{
    for (FitMode m : {FitMode::None, FitMode::Width, FitMode::Height, FitMode::Puzzle})
        EXPECT_EQ(FitModeFromName(FitModeName(m)), m);
    EXPECT_EQ(FitModeFromName("width"), FitMode::None);
    EXPECT_EQ(FitModeFromName(nullptr), FitMode::None);
}

TEST(DiagramGeometry, PanelIsCentredOrScrolled)
{
    EXPECT_EQ(DiagramExtent(25, 3), 73);
    // Fits both ways: centred.
    DiagramPlacement p = PlaceDiagram(25, 3, 3, 200, 100, 198, 98, 0, 0);
    EXPECT_EQ(p.PanelWidth, 73);
    EXPECT_EQ(p.Left, (200 - 73 - 2) / 2);
    EXPECT_EQ(p.Top, (100 - 73 - 2) / 2);
    EXPECT_EQ(p.HorizontalRange, 0);
    EXPECT_EQ(p.VerticalRange, 0);
    // Taller than the pane: scrolls down, and is centred 9 px further left for the bar.
    p = PlaceDiagram(25, 20, 3, 200, 100, 182, 98, 0, 30);
    EXPECT_EQ(p.VerticalRange, 481);
    EXPECT_EQ(p.Top, -30);
    EXPECT_EQ(p.Left, (200 - 73 - 2) / 2 - 9);
    // Wider than the pane: scrolls across and moves 9 px up.
    p = PlaceDiagram(25, 3, 20, 200, 150, 198, 132, 40, 0);
    EXPECT_EQ(p.HorizontalRange, 481);
    EXPECT_EQ(p.Left, -40);
    EXPECT_EQ(p.Top, (150 - 73 - 2) / 2 - 9);
}

TEST(DiagramGeometry, HitTestTakesTheLowerIndexOnSharedBorders)
{
    Puzzle p = TenLetterPuzzle();
    const std::vector<Point> at = DiagramPositions(p, 25);
    EXPECT_EQ(at[2], (Point{24, 0}));
    EXPECT_EQ(at[5], (Point{0, 24}));
    EXPECT_EQ(HitTest(at, 25, 10, 10), 1);
    EXPECT_EQ(HitTest(at, 25, 24, 10), 1);   // border between 1 and 2
    EXPECT_EQ(HitTest(at, 25, 25, 10), 1);   // the far edge is inclusive too
    EXPECT_EQ(HitTest(at, 25, 26, 10), 2);
    EXPECT_EQ(HitTest(at, 25, 10, 24), 1);   // border between 1 and 5 (below)
    EXPECT_EQ(HitTest(at, 25, 72, 72), 9);   // corner shared by 9 and 10
    EXPECT_EQ(HitTest(at, 25, 74, 60), 10);
    EXPECT_EQ(HitTest(at, 25, 30, 30), 0);   // black square
    EXPECT_EQ(HitTest(at, 25, 55, 30), 0);   // fixed character
    EXPECT_EQ(HitTest(at, 25, 98, 10), 0);   // outside
    EXPECT_EQ(HitTest(at, 25, -1, 0), 0);
}

TEST(DiagramGeometry, ScrollingAndPaneHeights)
{
    EXPECT_EQ(ScrollIntoView(0, 100, 500, 150, 23), 73);
    EXPECT_EQ(ScrollIntoView(200, 100, 500, 150, 23), 150);
    EXPECT_EQ(ScrollIntoView(100, 100, 500, 150, 23), 100);
    EXPECT_EQ(ScrollIntoView(0, 100, 20, 150, 23), 20);
    EXPECT_EQ(DiagramPaneHeight(101, 0.5), 50);  // 50.5 rounds to even
    EXPECT_EQ(DiagramPaneHeight(103, 0.5), 52);  // 51.5 too
    EXPECT_EQ(DiagramPaneHeight(300, 0.3), 90);
    for (double damaged : {0.0, 1.0, -0.2, 7.0, std::nan("")}) EXPECT_EQ(UsablePaneRatio(damaged), 0.5);
    EXPECT_EQ(UsablePaneRatio(0.3), 0.3);
    EXPECT_EQ(HeaderHeight(0), 0);
    EXPECT_EQ(HeaderHeight(2), 17);
}

TEST(WordListLayoutTest, MeasuresFollowTheFontsAndWidth)
{
    const FakeMetrics metrics;
    const WordListMeasures m = MeasureWordList(metrics, WordListFonts{}, 800);
    EXPECT_EQ(m.SlotWidth, 20);
    EXPECT_EQ(m.SlotGap, 6);
    EXPECT_EQ(m.LineHeight, 16);
    EXPECT_EQ(m.TextLeft, 36);
    EXPECT_EQ(m.TextRight, 300);
    EXPECT_EQ(m.AnswerLeft, 340);
}

TEST(WordListLayoutTest, LineSplittingBreaksAfterWords)
{
    const FakeMetrics metrics;
    const FontSpec font;
    auto [line, rest] = SplitLine(metrics, font, "alpha beta gamma", 60);  // 10 characters fit
    EXPECT_EQ(line, "alpha beta");
    EXPECT_EQ(rest, "gamma");
    std::tie(line, rest) = SplitLine(metrics, font, "ab   cdefgh", 30);
    EXPECT_EQ(line, "ab  ");    // only the one space before the break is moved
    EXPECT_EQ(rest, "cdefgh");
    // A first word wider than the column takes the whole text, overflowing.
    std::tie(line, rest) = SplitLine(metrics, font, "extraordinarily long", 30);
    EXPECT_EQ(line, "extraordinarily long");
    EXPECT_EQ(rest, "");
    std::tie(line, rest) = SplitLine(metrics, font, "", 30);
    EXPECT_EQ(line, "");
    EXPECT_EQ(rest, "");
}

TEST(WordListLayoutTest, DotLeaderFillsToTheColumnButNotPastIt)
{
    const FakeMetrics metrics;
    const FontSpec font;
    EXPECT_EQ(DotLeader(metrics, font, "abc", 60), "abc  ....");  // 9 chars = 54 < 60; 10th dropped
    EXPECT_EQ(DotLeader(metrics, font, "abcdefgh", 60), "abcdefgh");  // 48 + 12 >= 60
    const std::string dots = DotLeader(metrics, font, "x", 100000);
    EXPECT_EQ(dots.size(), 254u);  // stops at 255 characters, then drops the last
}

// Widths that are not a sum of character widths (as with kerning), to check that the searches
// give what the plain rules give: move a character at a time, append a dot at a time.
class UnevenMetrics : public TextMetrics {
public:
    int TextWidth(const FontSpec&, std::string_view text) const override
    {
        int w = 0;
        for (char ch : text) w += ch == '.' ? 3 : ch == ' ' ? 4 : 7;
        return w - static_cast<int>(text.size()) / 5;
    }
    int TextHeight(const FontSpec&, std::string_view) const override { return 16; }
};

std::pair<std::string, std::string> PlainSplit(const TextMetrics& m, std::string_view text, int max)
{
    std::string line(text), rest;
    while (!line.empty() && m.TextWidth(FontSpec{}, line) > max) {
        while (!line.empty() && line.back() != ' ') {
            rest.insert(rest.begin(), line.back());
            line.pop_back();
        }
        if (!line.empty()) {
            rest.insert(rest.begin(), ' ');
            line.pop_back();
        }
    }
    if (line.empty()) return {std::string(text), ""};
    rest.erase(0, std::min(rest.find_first_not_of(' '), rest.size()));
    return {line, rest};
}

std::string PlainDots(const TextMetrics& m, std::string line, int max)
{
    if (m.TextWidth(FontSpec{}, line) + m.TextWidth(FontSpec{}, "  ") >= max) return line;
    line += "  ";
    while (m.TextWidth(FontSpec{}, line) < max && line.size() < 255) line += '.';
    line.pop_back();
    return line;
}

TEST(WordListLayoutTest, SearchesAgreeWithTheCharacterAtATimeRules)
{
    const UnevenMetrics m;
    const std::string texts[] = {"", "a", "word", " lead", "two  spaces here", "a b c d e f g h i j k",
                                 "averyveryverylongword then short", "trailing space ", std::string(240, 'x')};
    for (const std::string& text : texts) {
        for (int max = 0; max <= 200; max += 7) {
            EXPECT_EQ(SplitLine(m, FontSpec{}, text, max), PlainSplit(m, text, max)) << text << " " << max;
            EXPECT_EQ(DotLeader(m, FontSpec{}, text, max), PlainDots(m, text, max)) << text << " " << max;
        }
        EXPECT_EQ(DotLeader(m, FontSpec{}, text, 5000), PlainDots(m, text, 5000)) << text;
    }
}

TEST(WordListLayoutTest, CluesGetTextLinesAndSlots)
{
    const FakeMetrics metrics;
    // Width 400: text column 36..150 (114 px = 19 characters), answers from 170, slot pitch 26.
    // Seven slots fit before 400 (170 + 6*26 + 20 = 346; the 9th would end at 398... 8th at 372+20=392).
    Puzzle p = SmallPuzzle({{"Short", {1, 2, 3, 4}, ""},
                            {"A rather longer clue text here", {5, 6, 7, 8, 9, 10}, ""},
                            {"", {}, ""}});
    WordListLayout layout = LayoutWordList(p, metrics, WordListFonts{}, 400);
    ASSERT_EQ(layout.Clues.size(), 3u);
    // The leaders come when a clue is painted, and only once however often it is.
    EXPECT_EQ(layout.Clues[0].Lines[0].Text, "Short");
    EXPECT_EQ(layout.Clues[2].Lines[0].Text, "");
    for (ClueBlock& block : layout.Clues) AddDotLeader(block, layout.Measures, metrics, WordListFonts{});
    const std::string once = layout.Clues[0].Lines[0].Text;
    AddDotLeader(layout.Clues[0], layout.Measures, metrics, WordListFonts{});
    EXPECT_EQ(layout.Clues[0].Lines[0].Text, once);
    const ClueBlock& a = layout.Clues[0];
    EXPECT_EQ(a.Top, 16);
    EXPECT_EQ(a.Label, "A.");
    ASSERT_EQ(a.Lines.size(), 1u);
    EXPECT_EQ(a.Lines[0].Text.substr(0, 7), "Short  ");
    EXPECT_EQ(metrics.TextWidth(FontSpec{}, a.Lines[0].Text), 108);  // one dot short of 114
    EXPECT_EQ(layout.AnswerPos[1], (Point{170, 16}));
    EXPECT_EQ(layout.AnswerPos[4], (Point{170 + 3 * 26, 16}));
    EXPECT_EQ(layout.ClueTop[4], 16);
    const ClueBlock& b = layout.Clues[1];
    EXPECT_EQ(b.Top, 16 + 32);
    ASSERT_EQ(b.Lines.size(), 2u);
    EXPECT_EQ(b.Lines[0].Text, "A rather longer");
    EXPECT_EQ(b.Lines[1].Y, 64);
    EXPECT_EQ(b.Lines[1].Text.substr(0, 15), "clue text here ");
    EXPECT_EQ(layout.AnswerPos[5], (Point{170, 64}));  // slots on the last text line
    EXPECT_EQ(layout.ClueTop[5], 48);
    const ClueBlock& c = layout.Clues[2];
    EXPECT_EQ(c.Label, "C.");
    ASSERT_EQ(c.Lines.size(), 1u);
    EXPECT_EQ(c.Lines[0].Text.find_first_not_of(". "), std::string::npos);  // only dots
    EXPECT_EQ(layout.FinalY, 16 + 32 + 16 + 32 + 32);
}

TEST(WordListLayoutTest, LongAnswersWrapTwoPitchesIn)
{
    const FakeMetrics metrics;
    Puzzle p = SmallPuzzle({{"x", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, ""}});
    // Width 300: A = 15 + 112 = 127; slots at 127, 153, 179, 205, 231, 257; 283+20 > 300.
    const WordListLayout layout = LayoutWordList(p, metrics, WordListFonts{}, 300);
    EXPECT_EQ(layout.AnswerPos[6], (Point{257, 16}));
    EXPECT_EQ(layout.AnswerPos[7], (Point{127 + 2 * 26, 48}));
    EXPECT_EQ(layout.AnswerPos[10], (Point{127 + 5 * 26, 48}));
    EXPECT_EQ(layout.ClueTop[10], 16);
}

TEST(WordListLayoutTest, AnswerIndicesOutsideTheLettersAreSkipped)
{
    const FakeMetrics metrics;
    Puzzle p = SmallPuzzle({{"x", {1, 2}, ""}});
    p.Clues[0].Answer = {1, 99, -3, 2};  // what a damaged model could hold
    const WordListLayout layout = LayoutWordList(p, metrics, WordListFonts{}, 400);
    EXPECT_EQ(layout.Clues.size(), 1u);
    EXPECT_EQ(layout.AnswerPos[2].x, 170 + 3 * 26);
}

TEST(WordListLayoutTest, HitTestCoversTheSlotSquareBelowTheLetter)
{
    const FakeMetrics metrics;
    Puzzle p = TenLetterPuzzle();
    const WordListLayout layout = LayoutWordList(p, metrics, WordListFonts{}, 400);
    ASSERT_EQ(layout.Measures.SlotWidth, 20);
    EXPECT_EQ(ClueHitTest(layout, 170, 16), 1);
    EXPECT_EQ(ClueHitTest(layout, 190, 36), 1);  // 20 below the top: the underline and under it
    EXPECT_EQ(ClueHitTest(layout, 190, 37), 0);
    EXPECT_EQ(ClueHitTest(layout, 191, 20), 0);  // the gap
    EXPECT_EQ(ClueHitTest(layout, 196, 20), 2);
}

TEST(WordListLayoutTest, ScrollRangeAndIncrement)
{
    WordListScroll s = WordListScrollFor(300, 600, 24);
    EXPECT_EQ(s.Range, 600);
    EXPECT_EQ(s.Increment, 20);
    s = WordListScrollFor(600, 600, 24);
    EXPECT_EQ(s.Range, 0);
    EXPECT_EQ(s.Increment, 24);
    s = WordListScrollFor(700, 600, 20);
    EXPECT_EQ(s.Increment, 20);  // kept once set
}

TEST(WordListLayoutTest, CursorScrollingOfTheList)
{
    // First clue goes to the top, last to the end, wherever the mark is.
    EXPECT_EQ(WordListScrollForCursor(300, 200, 800, 400, 420, 16, true, false), 0);
    EXPECT_EQ(WordListScrollForCursor(0, 200, 800, 400, 420, 16, false, true), 800);
    // A clue top out of sight is scrolled to first; then the line under the slot stays visible.
    EXPECT_EQ(WordListScrollForCursor(0, 200, 800, 400, 400, 16, false, false), 400);
    // Mark near the bottom: room 200 - 190 = 10 < 32, so 22 more.
    EXPECT_EQ(WordListScrollForCursor(0, 200, 800, 150, 190, 16, false, false), 22);
    EXPECT_EQ(WordListScrollForCursor(0, 200, 800, 100, 100, 16, false, false), 0);
}

TEST(TitleStripTest, LettersDashesAndCentring)
{
    Puzzle p = TenLetterPuzzle();
    EXPECT_EQ(TitleStripChar(p, 1), kEmDash);
    p.Letters[5].Entered = 'Q';
    p.Letters[6].Entered = 'R';
    EXPECT_EQ(TitleStripChar(p, 1), 'Q');
    EXPECT_EQ(TitleStripChar(p, 2), kEmDash);
    EXPECT_EQ(TitleStripChar(p, 7), kEmDash);
    EXPECT_EQ(CentreTitleStrip({10, 10, 10}, 100), (std::vector<int>{33, 45, 57}));
    EXPECT_EQ(CentreTitleStrip({60, 60}, 100), (std::vector<int>{-11, 51}));  // overflows both ends
    EXPECT_EQ(TitleClickTarget(p, 2), 8);
    EXPECT_EQ(TitleClickTarget(p, 5), 0);
}

TEST(TitleStripTest, HeaderSectionsFillTheHeader)
{
    const FakeMetrics metrics;
    Puzzle p = TenLetterPuzzle();
    p.HeaderStrings[1] = "Only";
    auto sections = HeaderSections(p, metrics, FontSpec{}, 500);
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].Width, 500);
    p.HeaderStrings[0] = "First";
    p.HeaderStrings[2] = "Third";
    sections = HeaderSections(p, metrics, FontSpec{}, 500);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].Width, 6 * 9);
    EXPECT_EQ(sections[1].Width, 6 * 8);
    EXPECT_EQ(sections[2].Width, 500 - 54 - 48);
    p.HeaderStrings[0] = p.HeaderStrings[1] = p.HeaderStrings[2] = "";
    EXPECT_TRUE(HeaderSections(p, metrics, FontSpec{}, 500).empty());
}

}  // namespace
}  // namespace qw
