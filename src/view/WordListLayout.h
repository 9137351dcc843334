#pragma once
// Word-list geometry: the measures taken from the fonts, line splitting, the dot leader, where each
// clue's lines and answer slots go, and how the list scrolls. Painting and hit-testing read it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "puzzle/Puzzle.h"
#include "view/ColorScheme.h"
#include "view/TextMetrics.h"

namespace qw {

struct WordListFonts {
    FontSpec Clue;                               // ScreenClueFont
    FontSpec Letter{"Arial", 10, StyleBold};     // AnswerLetterFont
    FontSpec Number{"Arial", (10 * 3) / 4, 0};   // AnswerNumberFont
};

struct WordListMeasures {
    int SlotWidth = 0;
    int SlotGap = 0;
    int LineHeight = 0;  // L
    int TextLeft = 0;
    int TextRight = 0;
    int AnswerLeft = 0;  // A
};

WordListMeasures MeasureWordList(const TextMetrics& metrics, const WordListFonts& fonts, int width);

// The word wrap of clue texts on screen and on paper: where the first line of `text` ends so that
// it is no wider than `maxWidth`, broken before a space. A first word too wide for the column
// takes the whole text, as does a text that fits. `width` must grow with the prefix measured.
size_t LineBreak(std::string_view text, int maxWidth, const std::function<int(std::string_view)>& width);
// Splits `text` into a first line no wider than `maxWidth` (broken after a word) and the rest,
// whose leading spaces are dropped. A first word too wide for the column takes the whole text.
std::pair<std::string, std::string> SplitLine(const TextMetrics& metrics, const FontSpec& font,
                                              std::string_view text, int maxWidth);
// Two spaces and dots up to `maxWidth` (the last dot that reaches it is dropped); unchanged when
// even the two spaces do not fit.
std::string DotLeader(const TextMetrics& metrics, const FontSpec& font, std::string line, int maxWidth);

struct TextLine {
    int Y = 0;
    std::string Text;
};

struct ClueBlock {
    int32_t Clue = 0;
    int Top = 0;            // y of the label and the first text line
    int Bottom = 0;         // where the next clue starts
    std::string Label;      // "A." .. "ZZ."
    std::vector<TextLine> Lines;  // the last one gets its dot leader from AddDotLeader
    bool HasLeader = false;
};

struct WordListLayout {
    WordListMeasures Measures;
    int Width = 0;
    std::vector<ClueBlock> Clues;
    int FinalY = 0;  // content height
    // By letter index (index 0 unused): the top-left of the letter's answer slot, and the top of
    // its clue. A letter in no answer stays at the origin.
    std::vector<Point> AnswerPos;
    std::vector<int> ClueTop;
};

constexpr int kLabelLeft = 8;

// Lays out every clue for a surface `width` pixels wide, with the slot of every letter of every
// answer. Answer indices outside the letters are skipped. The dot leaders are left
// out: they move nothing, and shaping a long run of dots for every clue was most of the cost of a
// resize of a long list, of which only a screenful is painted.
WordListLayout LayoutWordList(const Puzzle& puzzle, const TextMetrics& metrics, const WordListFonts& fonts, int width);

// Puts the dot leader on the block's last line, once per layout; `fonts` and `metrics` must be
// those the layout was made with.
void AddDotLeader(ClueBlock& block, const WordListMeasures& measures, const TextMetrics& metrics,
                  const WordListFonts& fonts);

// First letter, in index order, whose slot (a square of the slot width below its top-left, edges
// included) holds the point; 0 for none.
int32_t ClueHitTest(const WordListLayout& layout, int x, int y);

constexpr int kInitialScrollIncrement = 24;

struct WordListScroll {
    int Range = 0;       // 0: no scrolling
    int Increment = 0;
};

// Range and increment for a pane of outer height `paneHeight`; the increment is kept as
// `previousIncrement` when the content fits.
WordListScroll WordListScrollFor(int paneHeight, int finalY, int previousIncrement);

// Where PlaceCursor leaves the list's scroll position. Positions are content coordinates;
// `view` is the visible height, `maxPos` the largest scroll position.
int WordListScrollForCursor(int pos, int view, int maxPos, int clueTop, int markTop, int markHeight,
                            bool firstClue, bool lastClue);

}  // namespace qw
