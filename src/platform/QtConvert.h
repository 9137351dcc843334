#pragma once
// Conversions at the edge between the core (Windows-1252 bytes, 32-bit platform colours, FontSpec)
// and Qt (QString, QColor, QFont).

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "view/ColorScheme.h"
#include "view/TextMetrics.h"

namespace qw {

// 0x00BBGGRR, or 0x80000000 + system colour index (0x8000000F, the button face, is the palette's
// button colour; other system colours fall back to the window colour).
QColor ToQColor(uint32_t platformColor);
// Inverse for plain RGB colours (what the colour chooser hands back).
uint32_t FromQColor(const QColor& color);

QString FromAnsi(std::string_view text);
QString FromAnsi(char ch);
// Characters outside Windows-1252 become '?'.
std::string ToAnsi(const QString& text);
// A typed character in the code page, or nothing when the code page cannot hold it.
bool ToAnsiChar(QChar ch, char& out);

QFont ToQFont(const FontSpec& fontSpec);
FontSpec FromQFont(const QFont& font);

// Measures with QFontMetrics: width is the horizontal advance, height the font's line height
// (ascent + descent), which is what a text height means for the layouts.
class QtTextMetrics : public TextMetrics {
public:
    int TextWidth(const FontSpec& font, std::string_view text) const override;
    int TextHeight(const FontSpec& font, std::string_view text) const override;
};

}  // namespace qw
