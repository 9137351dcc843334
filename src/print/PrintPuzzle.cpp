#include "print/PrintPuzzle.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "print/DiagramSquare.h"
#include "view/WordListLayout.h"

namespace qw {

namespace {

// On paper the number and the label stand four pixels in from the square's sides.
constexpr LabelLook kLabels{kPrintBlack, 4, 4};

// Fonts never shrink below one pixel and never grow past what any page could show; the bound
// only stops a surface whose text height ignores the font from looping for ever.
constexpr int kMaxFontHeight = 100000;

int Abs(int v) { return v < 0 ? -v : v; }

std::string Str(std::string_view s) { return std::string(s); }

// A font's pixel height reduced by one, whichever convention it uses.
void ShrinkByOne(PrintFont& font)
{
    if (font.height > 1) --font.height;
    else if (font.height < -1) ++font.height;
}

class Job {
public:
    Job(PrintSurface& surface, const Puzzle& puzzle, const PrinterOptions& options, bool asFilled)
        : s_(surface), p_(puzzle), o_(options), asFilled_(asFilled)
    {
    }

    PrintSummary Run()
    {
        s_.BeginJob();
        try {
            g_ = ComputePrintGeometry(s_, p_, o_);
            summary_.pages = 1;
            Header();
            Diagram();
            WordList();
            Credit();
        } catch (...) {
            s_.AbortJob();
            throw;
        }
        s_.EndJob();
        return summary_;
    }

private:
    void Use(const PrintFont& font) { s_.SetFont(font); }

    // Shrinks the font until the text fits the width, then centres it; the shrink stays.
    void CentredLine(PrintFont& font, const std::string& text)
    {
        Use(font);
        int width = s_.TextWidth(text);
        while (width > g_.W && Abs(font.height) > 1) {
            ShrinkByOne(font);
            Use(font);
            width = s_.TextWidth(text);
        }
        s_.TextOut((g_.W - width) / 2, penY_, text);
    }

    void Header()
    {
        penY_ = g_.CmY / 2;
        // The first line takes the letter font's cell height by way of its size in points, as a
        // point-sized font would.
        const int ly = g_.device.LOGPIXELSY;
        const int points = MulDiv(g_.PrintLetterFont.height, 72, ly);
        PrintFont font{"Arial", StyleBold, std::max(1, MulDiv(points, ly, 72))};

        const std::string& first = p_.HeaderStrings[0];
        const std::string& second = p_.HeaderStrings[1];
        if (!first.empty()) {
            CentredLine(font, first);
            penY_ += Abs(font.height);
        }
        font.style &= ~StyleBold;
        font.height = font.height * 7 / 8;
        if (font.height == 0) font.height = 1;
        if (!second.empty()) {
            CentredLine(font, second);
            penY_ += 2 * Abs(font.height);
        } else if (!first.empty()) {
            penY_ += Abs(font.height);
        }
    }

    const LetterEntry* Letter(int32_t index) const
    {
        if (index <= 0 || static_cast<size_t>(index) >= p_.Letters.size()) return nullptr;
        return &p_.Letters[static_cast<size_t>(index)];
    }

    // A square's outline over its letter, which stands on the bottom, centred across.
    void Square(const SquareBox& box, std::optional<uint32_t> fill, char ch)
    {
        if (ch != ' ') Use(g_.PrintLetterFont);
        const SquareLook look{kPrintBlack, fill, kPrintBlack, LetterPlace::OnBottom, Abs(g_.PrintLetterFont.height)};
        PaintSquare(s_, box, look, ch);
    }

    void Diagram()
    {
        const int top = penY_;
        const int rows = std::min<int>(p_.RowCount, p_.Grid.Rows());
        const int columns = std::min<int>(p_.ColumnCount, p_.Grid.Columns());
        for (int r = 0; r < rows; ++r) {
            const int y = top + r * g_.SquareHeight;
            for (int c = 0; c < columns; ++c) {
                const int x = g_.DiagramLeft + c * g_.SquareWidth;
                const SquareBox box{x, y, x + g_.SquareWidth, y + g_.SquareHeight};
                const DiagramSquare square = p_.Grid.GetCell(r, c);
                if (square == 0) {
                    Square(box, o_.spacesGray ? kPrintSilver : kPrintBlack, ' ');
                } else if (square > 0) {
                    Use(g_.PrintSquareNumberFont);
                    const LetterEntry* e = Letter(square);
                    PaintSquareLabels(s_, box, kLabels, std::to_string(square),
                                      e ? std::optional<std::string_view>(e->ClueLabel) : std::nullopt);
                    Square(box, std::nullopt, e && asFilled_ ? e->Entered : ' ');
                } else {
                    Square(box, std::nullopt, static_cast<char>(static_cast<unsigned char>(-square)));
                }
            }
        }
        penY_ = top + std::max(rows - 1, 0) * g_.SquareHeight + g_.CmY;
        summary_.wordListTop = penY_;
    }

    void WordList()
    {
        const int textWidth = g_.ClueRight - g_.LabelRight;
        const int boldHeight = Abs(g_.BoldClueFont.height);
        const int step = 3 * g_.BlankWidth / 2;
        for (size_t i = 0; i < p_.Clues.size(); ++i) {
            const Clue& clue = p_.Clues[i];
            if (!FitsOnPage(s_, g_, clue, penY_)) {
                s_.NewPage();
                ++summary_.pages;
                penY_ = g_.CmY;
            }

            Use(g_.BoldClueFont);
            const std::string label = ClueLabel(static_cast<int32_t>(i)) + ".  ";
            s_.TextOut(g_.LabelRight - s_.TextWidth(label), penY_, label);

            Use(g_.ClueFont);
            std::string text = clue.Text;
            std::string line;
            for (;;) {
                auto [first, rest] = WrapLine(s_, text, textWidth);
                line = std::move(first);
                s_.TextOut(g_.LabelRight, penY_, line + "   ");
                if (rest.empty()) break;
                penY_ += g_.ClueLineAdvance;
                text = std::move(rest);
            }

            std::string leader;
            const std::string lead = line + "   ";
            int width = s_.TextWidth(lead);
            while (width + g_.LabelRight < g_.ClueRight) {
                leader += ". ";
                const int grown = s_.TextWidth(lead + leader);
                if (grown <= width) break;  // a surface that cannot measure dots
                width = grown;
            }
            if (!leader.empty()) s_.TextOut(g_.ClueRight - s_.TextWidth(leader), penY_, leader);

            int x = g_.AnswerLeft;
            for (int32_t n : clue.Answer) {
                if (x + step <= g_.AnswerWrapLimit) {
                    x += step;
                } else {
                    x = g_.AnswerLeft + 3 * g_.BlankWidth;
                    penY_ += g_.AnswerRowAdvance;
                }
                const LetterEntry* e = Letter(n);
                if (asFilled_ && e && e->Entered != ' ') {
                    Use(g_.BoldClueFont);
                    const std::string ch(1, e->Entered);
                    s_.TextOut(x + (g_.BlankWidth - s_.TextWidth(ch)) / 2, penY_, ch);
                }
                Use(g_.AnswerNumberFont);
                const std::string number = std::to_string(n);
                s_.TextOut(x + (g_.BlankWidth - s_.TextWidth(number)) / 2, penY_ + boldHeight + 1, number);
                s_.Line(x, penY_ + boldHeight, x + g_.BlankWidth, penY_ + boldHeight);
            }
            penY_ += g_.AnswerRowAdvance;
        }
    }

    void Credit()
    {
        Use(g_.PrintCreditFont);
        const std::string text = Str(kCreditLine);
        s_.TextOut((g_.W - s_.TextWidth(text)) / 2, g_.H - s_.TextHeight(text), text);
    }

    PrintSurface& s_;
    const Puzzle& p_;
    const PrinterOptions& o_;
    const bool asFilled_;
    PrintGeometry g_;
    PrintSummary summary_;
    int penY_ = 0;
};

}  // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0) return 0;
    const int64_t num = static_cast<int64_t>(a) * b;
    int64_t den = c;
    int64_t n = num;
    if (den < 0) {
        den = -den;
        n = -n;
    }
    const int64_t half = den / 2;
    const int64_t q = n >= 0 ? (n + half) / den : -((-n + half) / den);
    return static_cast<int>(q);
}

PrintFont PrintFont::FromPoints(std::string face, int style, int points, int logPixelsY)
{
    return PrintFont{std::move(face), style, -MulDiv(points, logPixelsY, 72)};
}

int RoundHalfEvenDiv(int64_t a, int64_t b, int64_t c)
{
    int64_t num = a * b;
    const bool negative = num < 0;
    if (negative) num = -num;
    int64_t q = num / c;
    const int64_t r = num % c;
    if (2 * r > c || (2 * r == c && (q & 1))) ++q;
    return static_cast<int>(negative ? -q : q);
}

int PrintGeometry::Vertical(int length) const
{
    return RoundHalfEvenDiv(length, device.LOGPIXELSY, device.LOGPIXELSX);
}

PrintGeometry ComputePrintGeometry(PrintSurface& surface, const Puzzle& puzzle, const PrinterOptions& options)
{
    PrintGeometry g;
    g.device = surface.Metrics();
    const DeviceMetrics& d = g.device;
    // A device that reports no size would divide by zero below; refuse it with a clear message.
    if (d.HORZSIZE <= 0 || d.HORZRES <= 0 || d.VERTRES <= 0 || d.LOGPIXELSX <= 0 || d.LOGPIXELSY <= 0)
        throw std::runtime_error("The printer reports no printable area.");

    g.W = d.HORZRES;
    g.H = d.VERTRES;
    g.CmX = d.HORZRES * 10 / d.HORZSIZE;
    g.CmY = g.Vertical(g.CmX);
    const int columns = std::max<int>(puzzle.ColumnCount, 0);
    g.SquareWidth = g.CmX;
    if (static_cast<int64_t>(columns + 2) * g.CmX > g.W) g.SquareWidth = g.W / (columns + 2);
    g.SquareHeight = g.Vertical(g.SquareWidth);
    g.DiagramLeft = (g.W - columns * g.SquareWidth) / 2;

    // The letter font is grown or shrunk a pixel at a time until "W" fills four fifths of a square.
    PrintFont letter = PrintFont::FromPoints("Arial", 0, 10, d.LOGPIXELSY);
    letter.height = std::max(1, Abs(letter.height));
    const int target = g.SquareHeight * 4 / 5;
    surface.SetFont(letter);
    int th = surface.TextHeight("W");
    if (th < target) {
        while (th < target && letter.height < kMaxFontHeight) {
            ++letter.height;
            surface.SetFont(letter);
            th = surface.TextHeight("W");
        }
    } else if (th > target) {
        while (th > target && letter.height > 1) {
            --letter.height;
            surface.SetFont(letter);
            th = surface.TextHeight("W");
        }
    }
    g.PrintLetterFont = letter;
    g.PrintSquareNumberFont = letter;
    g.PrintSquareNumberFont.height = std::max(1, letter.height * 5 / 12);

    const int clueStyle = options.clueFont.style & 15;
    g.ClueFont = PrintFont::FromPoints(options.clueFont.name, clueStyle, options.clueFont.pointSize, d.LOGPIXELSY);
    g.BoldClueFont = g.ClueFont;
    g.BoldClueFont.style |= StyleBold;
    g.AnswerNumberFont = PrintFont::FromPoints(options.answerNumberFont.name, options.answerNumberFont.style & 15,
                                               options.answerNumberFont.pointSize, d.LOGPIXELSY);
    g.PrintCreditFont = PrintFont::FromPoints("Arial", 0, 6, d.LOGPIXELSY);

    surface.SetFont(g.BoldClueFont);
    const int wWidth = surface.TextWidth("W");
    g.LabelRight = surface.TextWidth("WW.  ");
    surface.SetFont(g.AnswerNumberFont);
    g.BlankWidth = std::max(wWidth, surface.TextWidth("555"));

    g.ClueRight = g.W / 2 - g.W / 100;
    g.AnswerLeft = g.W / 100 + g.W / 2;
    g.ClueLineAdvance = Abs(g.ClueFont.height) * 11 / 10;
    g.AnswerRowAdvance = (Abs(g.BoldClueFont.height) + Abs(g.AnswerNumberFont.height) + 1) * 11 / 10;
    g.AnswerWrapLimit = static_cast<int>(static_cast<int64_t>(g.W) * 97 / 100);
    return g;
}

std::pair<std::string, std::string> WrapLine(std::string_view text, int maxWidth,
                                             const std::function<int(std::string_view)>& width)
{
    // The cut space opens the rest.
    const size_t cut = LineBreak(text, maxWidth, width);
    return {std::string(text.substr(0, cut)), std::string(text.substr(cut))};
}

std::pair<std::string, std::string> WrapLine(PrintSurface& surface, std::string_view text, int maxWidth)
{
    return WrapLine(text, maxWidth, [&surface](std::string_view s) { return surface.TextWidth(s); });
}

bool FitsOnPage(PrintSurface& surface, const PrintGeometry& g, const Clue& clue, int penY)
{
    surface.SetFont(g.ClueFont);
    int lines = 1;
    std::string text = clue.Text;
    for (;;) {
        auto [line, rest] = WrapLine(surface, text, g.ClueRight - g.LabelRight);
        if (rest.empty()) break;
        ++lines;
        text = std::move(rest);
    }
    int64_t e = Abs(g.ClueFont.height) + static_cast<int64_t>(lines - 1) * g.ClueLineAdvance;
    e += Abs(g.AnswerNumberFont.height) + 1;
    const int step = 3 * g.BlankWidth / 2;
    int64_t d = g.AnswerLeft + step;
    for (size_t k = 0; k < clue.Answer.size(); ++k) {
        if (d + g.BlankWidth > g.W) {
            e += g.AnswerRowAdvance;
            d = g.AnswerLeft;
        } else {
            d += step;
        }
    }
    return penY + e + 2 * static_cast<int64_t>(Abs(g.PrintCreditFont.height)) < g.H;
}

PrintSummary PrintPuzzle(PrintSurface& surface, const Puzzle& puzzle, const PrinterOptions& options, bool asFilled)
{
    return Job(surface, puzzle, options, asFilled).Run();
}

int PrintCopies(int copies, PrintSurface& surface, const Puzzle& puzzle, const PrinterOptions& options,
                bool asFilled)
{
    const int jobs = std::max(copies, 1);
    for (int i = 0; i < jobs; ++i) PrintPuzzle(surface, puzzle, options, asFilled);
    return jobs;
}

}  // namespace qw
