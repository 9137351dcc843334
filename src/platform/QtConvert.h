#pragma once
// Conversions at the edge between the core (Windows-1252 bytes, 32-bit platform colours, FontSpec)
// and Qt (QString, QColor, QFont).

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "puzzle/FontDescription.h"
#include "puzzle/PlatformColor.h"

namespace qw {

// 0x00BBGGRR, or a system colour code, which takes the matching colour of the application's
// palette; a system colour index without a meaning falls back by what the colour is used for.
QColor ToQColor(uint32_t platformColor, ColorUse use = ColorUse::Background);
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

}  // namespace qw
