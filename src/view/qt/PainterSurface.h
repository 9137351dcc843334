#pragma once
// The drawing interface of the printout on a painter the caller has opened on a widget, so that
// the screen and the colour dialog draw the diagram's squares with the same code as paper. Fonts
// are the caller's Qt fonts (SetQtFont); colours are the platform's, the ink taken as `inkUse`.

#include <QFont>
#include <QFontMetrics>
#include <QStaticText>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/QtConvert.h"
#include "print/PrintSurface.h"

class QPainter;

namespace qw {

// Texts laid out once in one font and kept from paint to paint: the square labels of a big
// diagram would otherwise be shaped anew, two per square, at every repaint.
class StaticTextCache {
public:
    struct Entry {
        QStaticText text;
        int width = 0;
    };
    // Keeps the texts while `font` is the one they were laid out in, else starts afresh.
    void Use(const QFont& font);
    // `metrics` must be those of the font in use.
    const Entry& Get(const QFontMetrics& metrics, std::string_view text);

private:
    // Numbers and clue labels are a few characters long: their bytes (with the length) are their
    // key, found by open addressing, which is much quicker than hashing a string. There are two
    // look-ups a square and thousands of squares a repaint.
    static uint64_t ShortKey(std::string_view text);
    const Entry* FindShort(uint64_t key) const;
    void InsertShort(uint64_t key, size_t entry);
    Entry Make(const QFontMetrics& metrics, std::string_view text) const;

    QFont font_;
    std::vector<Entry> entries_;
    std::vector<std::pair<uint64_t, size_t>> slots_;  // key 0: free
    size_t used_ = 0;
    std::unordered_map<std::string, size_t> long_;  // texts of eight bytes or more
};


class PainterSurface : public PrintSurface {
public:
    // With `staticGlyphs`, single characters are laid out once per font and drawn from that
    // layout: a fitted big diagram shows thousands of squares, and shaping each letter anew was
    // most of the cost of painting it.
    // With `kept`, every text is laid out there instead and kept from paint to paint.
    PainterSurface(QPainter& painter, ColorUse inkUse, bool staticGlyphs, StaticTextCache* kept = nullptr);

    void SetQtFont(const QFont& font);

    DeviceMetrics Metrics() const override;
    // The painter is the caller's: a job on it begins and ends with the paint event.
    void BeginJob() override {}
    void NewPage() override {}
    void EndJob() override {}
    void AbortJob() noexcept override {}
    void SetFont(const PrintFont& font) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    void TextOut(int x, int y, std::string_view text) override;
    void SetInk(uint32_t color) override;
    void Rectangle(int left, int top, int right, int bottom, std::optional<uint32_t> fill) override;
    void Fill(int left, int top, int width, int height, uint32_t color) override;
    void Line(int x1, int y1, int x2, int y2) override;

private:
    // Platform colours are resolved once per paint: a system colour reads the palette, and a big
    // diagram fills thousands of squares in two or three colours.
    const QColor& Resolve(uint32_t color, ColorUse use);
    const QStaticText& Glyph(unsigned char code);
    const StaticTextCache::Entry& Kept(std::string_view text);

    QPainter& painter_;
    ColorUse inkUse_;
    bool staticGlyphs_;
    StaticTextCache* kept_;
    bool keptInFont_ = false;  // whether kept_ has been told the current font
    std::optional<QFont> font_;  // set by SetQtFont
    QFontMetrics metrics_;
    int height_ = 0;  // of the font
    struct Resolved {
        uint32_t color;
        ColorUse use;
        QColor qt;
    };
    std::vector<Resolved> colors_;
    std::array<int, 256> advance_{};  // -1: not measured yet in this font
    std::array<int16_t, 256> glyphIndex_{};  // into glyphs_; -1: not laid out yet in this font
    std::vector<QStaticText> glyphs_;
};

}  // namespace qw
