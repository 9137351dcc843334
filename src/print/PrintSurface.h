#pragma once
// What the print layout needs from a printer: device metrics, fonts, text measurement and output,
// rectangles, fills, lines, an ink colour and pages. Text handed to a surface is Windows-1252, as
// the puzzle stores it. The diagram's squares are drawn on it on screen too (DiagramSquare.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qw {

// Device metrics of the printable area, read once per job.
struct DeviceMetrics {
    int HORZSIZE = 0;    // width in millimetres
    int HORZRES = 0;     // width in device pixels
    int VERTRES = 0;     // height in device pixels
    int LOGPIXELSX = 0;  // device pixels per inch across
    int LOGPIXELSY = 0;  // device pixels per inch down
};

// A font as the layout sets it. The height follows the usual device convention: a negative value
// is the character (em) height in device pixels, a positive value the cell height (ascent plus
// descent), which is what TextHeight reports.
struct PrintFont {
    std::string face = "Arial";  // UTF-8
    int style = 0;               // FontStyleBits of puzzle/FontDescription.h
    int height = 0;
    bool operator==(const PrintFont&) const = default;

    // s points become s * logPixelsY / 72 device pixels of character height.
    static PrintFont FromPoints(std::string face, int style, int points, int logPixelsY);
};

// Windows-style MulDiv: a * b / c rounded to the nearest, halves away from zero; 0 when c is 0.
int MulDiv(int a, int b, int c);

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    virtual DeviceMetrics Metrics() const = 0;

    virtual void BeginJob() = 0;
    virtual void NewPage() = 0;
    virtual void EndJob() = 0;
    // Gives up a job that failed half-way; must not throw.
    virtual void AbortJob() noexcept = 0;

    virtual void SetFont(const PrintFont& font) = 0;
    virtual int TextWidth(std::string_view text) = 0;
    // The cell height of the current font (the same for every text).
    virtual int TextHeight(std::string_view text) = 0;
    // Draws in the ink with a transparent background; (x, y) is the top-left of the text box.
    virtual void TextOut(int x, int y, std::string_view text) = 0;

    // The colour (0x00BBGGRR) of the text, outlines and lines drawn from here on; a job starts
    // in black.
    virtual void SetInk(uint32_t color) = 0;
    // A 1-pixel outline in the ink on the lines x = left, x = right, y = top, y = bottom, so that
    // neighbouring squares share their edge; with `fill`, the whole rectangle is first painted in
    // that colour (0x00BBGGRR).
    virtual void Rectangle(int left, int top, int right, int bottom, std::optional<uint32_t> fill) = 0;
    // Paints `width` x `height` pixels from (left, top) in `color`, with no outline.
    virtual void Fill(int left, int top, int width, int height, uint32_t color) = 0;
    // A 1-pixel line in the ink.
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
};

}  // namespace qw
