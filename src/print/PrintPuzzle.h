#pragma once
// The printed puzzle: header lines, the diagram, the word list with dot leaders and numbered answer
// blanks, page breaks and the credit line, laid out against a PrintSurface in device pixels.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "print/PrintSurface.h"
#include "print/PrinterOptions.h"
#include "puzzle/Puzzle.h"

namespace qw {

inline constexpr uint32_t kPrintBlack = 0x00000000;
inline constexpr uint32_t kPrintSilver = 0x00C0C0C0;

// The first words are fixed; the rest is ours.
inline constexpr std::string_view kCreditLine =
    "Puzzle printed with Quotewell Program - a quotation puzzle solver for the desktop";

// Everything a job derives from the device and the options before it draws.
struct PrintGeometry {
    DeviceMetrics device;
    int W = 0;
    int H = 0;
    int CmX = 0;
    int CmY = 0;
    int SquareWidth = 0;
    int SquareHeight = 0;
    int DiagramLeft = 0;
    int LabelRight = 0;
    int ClueRight = 0;
    int AnswerLeft = 0;
    int BlankWidth = 0;
    int ClueLineAdvance = 0;
    int AnswerRowAdvance = 0;
    int AnswerWrapLimit = 0;
    PrintFont PrintLetterFont;
    PrintFont PrintSquareNumberFont;
    PrintFont ClueFont;
    PrintFont BoldClueFont;
    PrintFont AnswerNumberFont;
    PrintFont PrintCreditFont;

    // A length across turned into the same physical length down.
    int Vertical(int length) const;
};

struct PrintSummary {
    int pages = 0;
    int wordListTop = 0;  // PenY at which the word list begins on the first page
};

// round(a * b / c) with halves to even; c must be positive.
int RoundHalfEvenDiv(int64_t a, int64_t b, int64_t c);

// Reads the metrics and sets up the fonts and measures of a job (fits the letter font on the
// surface, so it changes the surface's current font). Throws std::runtime_error when the device
// reports an empty or unmeasured printable area.
PrintGeometry ComputePrintGeometry(PrintSurface& surface, const Puzzle& puzzle, const PrinterOptions& options);

// Word wrap of the word list: the first line that fits `maxWidth` and the rest, which starts with
// the breaking space. A single word wider than `maxWidth` is returned whole, with no rest.
std::pair<std::string, std::string> WrapLine(std::string_view text, int maxWidth,
                                             const std::function<int(std::string_view)>& width);
// The same, measured in the surface's current font.
std::pair<std::string, std::string> WrapLine(PrintSurface& surface, std::string_view text, int maxWidth);

// Estimate made before a clue is drawn: does its block fit below `penY` on the current page,
// leaving room for the credit line? Sets the clue font on the surface.
bool FitsOnPage(PrintSurface& surface, const PrintGeometry& geometry, const Clue& clue, int penY);

// The whole puzzle as one job: begin, draw, new pages as needed, end. `asFilled` adds the entered
// letters. A failure aborts the job and propagates.
PrintSummary PrintPuzzle(PrintSurface& surface, const Puzzle& puzzle, const PrinterOptions& options,
                         bool asFilled);

// One separate job per copy; a copy count below 1 (what some print dialogs report) prints once.
// Returns the number of jobs run.
int PrintCopies(int copies, PrintSurface& surface, const Puzzle& puzzle, const PrinterOptions& options,
                bool asFilled);

}  // namespace qw
