#pragma once
// The drawing interface of the printout on a painter the caller has opened on a widget, so that
// the screen and the colour dialog draw the diagram's squares with the same code as paper. Fonts
// are the caller's Qt fonts (SetQtFont); colours are the platform's, the ink taken as `inkUse`.

#include <QFont>
#include <QFontMetrics>
#include <QStaticText>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

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
    const Entry& Get(const QFont& font, const QFontMetrics& metrics, std::string_view text);

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    QFont font_;
    std::unordered_map<std::string, Entry, Hash, std::equal_to<>> entries_;
};

class PainterSurface : public PrintSurface {
public:
    // With `staticGlyphs`, single characters are laid out once per font and drawn from that
    // layout: a fitted big diagram shows thousands of squares, and shaping each letter anew was
    // most of the cost of painting it.
    // Longer texts are then laid out in `kept`, when given.
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
    QPainter& painter_;
    ColorUse inkUse_;
    bool staticGlyphs_;
    StaticTextCache* kept_;
    QFontMetrics metrics_;
    std::optional<std::pair<uint32_t, QColor>> ink_;  // the last ink and its colour
    std::array<int, 256> advance_{};  // -1: not measured yet in this font
    std::array<QStaticText, 256> glyphs_;
};

}  // namespace qw
