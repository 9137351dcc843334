#include "platform/QtConvert.h"

#include <QApplication>
#include <QPalette>

#include "puzzle/Win1252.h"

namespace qw {

QColor ToQColor(uint32_t platformColor, ColorUse use)
{
    if (IsSystemColor(platformColor)) {
        const QPalette palette = QApplication::palette();
        switch (SystemColorRole(platformColor, use)) {
        case PaletteRole::Window: return palette.color(QPalette::Base);
        case PaletteRole::WindowText: return palette.color(QPalette::Text);
        case PaletteRole::Face: return palette.color(QPalette::Button);
        case PaletteRole::FaceText: return palette.color(QPalette::ButtonText);
        case PaletteRole::Highlight: return palette.color(QPalette::Highlight);
        case PaletteRole::HighlightText: return palette.color(QPalette::HighlightedText);
        case PaletteRole::GrayText: return palette.color(QPalette::Disabled, QPalette::Text);
        case PaletteRole::ToolTip: return palette.color(QPalette::ToolTipBase);
        case PaletteRole::ToolTipText: return palette.color(QPalette::ToolTipText);
        case PaletteRole::Light: return palette.color(QPalette::Light);
        case PaletteRole::Midlight: return palette.color(QPalette::Midlight);
        case PaletteRole::Mid: return palette.color(QPalette::Mid);
        case PaletteRole::Dark: return palette.color(QPalette::Dark);
        case PaletteRole::Shadow: return palette.color(QPalette::Shadow);
        case PaletteRole::Link: return palette.color(QPalette::Link);
        }
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

}  // namespace qw
