#include "platform/QtConvert.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>

#include "puzzle/Win1252.h"

namespace qw {

QColor ToQColor(uint32_t platformColor)
{
    if (platformColor & 0x80000000u) {
        const QPalette palette = QApplication::palette();
        if ((platformColor & 0xFF) == 0x0F) return palette.color(QPalette::Button);
        return palette.color(QPalette::Window);
    }
    return QColor(static_cast<int>(platformColor & 0xFF), static_cast<int>((platformColor >> 8) & 0xFF),
                  static_cast<int>((platformColor >> 16) & 0xFF));
}

uint32_t FromQColor(const QColor& color)
{
    return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
           (static_cast<uint32_t>(color.blue()) << 16);
}

QString FromAnsi(std::string_view text)
{
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (char ch : text) out += QChar(static_cast<char16_t>(Win1252ToUnicode(ch)));
    return out;
}

QString FromAnsi(char ch) { return QString(QChar(static_cast<char16_t>(Win1252ToUnicode(ch)))); }

bool ToAnsiChar(QChar ch, char& out)
{
    const auto mapped = UnicodeToWin1252(ch.unicode());
    if (!mapped) return false;
    out = *mapped;
    return true;
}

std::string ToAnsi(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar ch : text) {
        char c = '?';
        if (!ToAnsiChar(ch, c)) c = '?';
        out += c;
    }
    return out;
}

QFont ToQFont(const FontSpec& fontSpec)
{
    QFont font(QString::fromStdString(fontSpec.name));
    font.setPointSize(fontSpec.pointSize > 0 ? fontSpec.pointSize : 10);
    font.setBold(fontSpec.style & StyleBold);
    font.setItalic(fontSpec.style & StyleItalic);
    font.setUnderline(fontSpec.style & StyleUnderline);
    font.setStrikeOut(fontSpec.style & StyleStrikeOut);
    return font;
}

FontSpec FromQFont(const QFont& font)
{
    FontSpec fontSpec;
    fontSpec.name = font.family().toStdString();
    fontSpec.pointSize = font.pointSize() > 0 ? font.pointSize() : 10;
    fontSpec.style = (font.bold() ? StyleBold : 0) | (font.italic() ? StyleItalic : 0) |
                 (font.underline() ? StyleUnderline : 0) | (font.strikeOut() ? StyleStrikeOut : 0);
    return fontSpec;
}

int QtTextMetrics::TextWidth(const FontSpec& font, std::string_view text) const
{
    return QFontMetrics(ToQFont(font)).horizontalAdvance(FromAnsi(text));
}

int QtTextMetrics::TextHeight(const FontSpec& font, std::string_view) const
{
    return QFontMetrics(ToQFont(font)).height();
}

}  // namespace qw
