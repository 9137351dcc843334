#pragma once
// A print surface with chosen metrics that records every drawing call, page by page. Text widths
// are simple and predictable: "W" is as wide as the font's character height, every other
// character half of it; the cell height is 115% of a character height.

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "print/PrintSurface.h"

namespace qw::test {

struct DrawOp {
    enum Kind { Text, Rect, Line, Fill } kind;
    int page = 0;  // from 0
    int x = 0, y = 0, x2 = 0, y2 = 0;
    std::string text;
    PrintFont font;
    std::optional<uint32_t> fill;
    uint32_t ink = 0;
};

class RecordingSurface : public PrintSurface {
public:
    explicit RecordingSurface(DeviceMetrics m) : metrics(m) {}

    DeviceMetrics metrics;
    std::vector<DrawOp> ops;
    std::vector<std::string> events;  // Begin, NewPage, End, Abort
    int page = 0;
    PrintFont font;
    uint32_t ink = 0;
    std::function<int(const PrintFont&, std::string_view)> widthOverride;

    static int CharWidth(const PrintFont& f, char ch)
    {
        const int h = CharHeight(f);
        return ch == 'W' ? h : h / 2;
    }
    static int CharHeight(const PrintFont& f) { return f.height < 0 ? -f.height : f.height * 100 / 115; }

    DeviceMetrics Metrics() const override { return metrics; }
    void BeginJob() override
    {
        events.push_back("Begin");
        page = 0;
    }
    void NewPage() override
    {
        events.push_back("NewPage");
        ++page;
    }
    void EndJob() override { events.push_back("End"); }
    void AbortJob() noexcept override { events.push_back("Abort"); }
    void SetFont(const PrintFont& f) override { font = f; }
    int TextWidth(std::string_view text) override
    {
        if (widthOverride) return widthOverride(font, text);
        int w = 0;
        for (char ch : text) w += CharWidth(font, ch);
        return w;
    }
    int TextHeight(std::string_view) override
    {
        return font.height > 0 ? font.height : -font.height * 115 / 100;
    }
    void TextOut(int x, int y, std::string_view text) override
    {
        ops.push_back({DrawOp::Text, page, x, y, 0, 0, std::string(text), font, std::nullopt, ink});
    }
    void Rectangle(int l, int t, int r, int b, std::optional<uint32_t> fill) override
    {
        ops.push_back({DrawOp::Rect, page, l, t, r, b, {}, font, fill, ink});
    }
    void SetInk(uint32_t color) override { ink = color; }
    void Fill(int l, int t, int w, int h, uint32_t color) override
    {
        ops.push_back({DrawOp::Fill, page, l, t, l + w, t + h, {}, font, color, ink});
    }
    void Line(int x1, int y1, int x2, int y2) override
    {
        ops.push_back({DrawOp::Line, page, x1, y1, x2, y2, {}, font, std::nullopt, ink});
    }

    std::vector<DrawOp> Of(DrawOp::Kind kind) const
    {
        std::vector<DrawOp> out;
        for (const DrawOp& op : ops)
            if (op.kind == kind) out.push_back(op);
        return out;
    }
    const DrawOp* FindText(std::string_view text) const
    {
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Text && op.text == text) return &op;
        return nullptr;
    }
    const DrawOp* FindText(std::string_view text, const PrintFont& inFont) const
    {
        for (const DrawOp& op : ops)
            if (op.kind == DrawOp::Text && op.text == text && op.font == inFont) return &op;
        return nullptr;
    }
    int CountText(std::string_view text) const
    {
        int n = 0;
        for (const DrawOp& op : ops) n += op.kind == DrawOp::Text && op.text == text;
        return n;
    }
};

}  // namespace qw::test
