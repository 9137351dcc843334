#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include "platform/QtConvert.h"

namespace qw {
namespace {

struct PaletteSlot {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Every palette colour a system colour may take, made distinct so a wrong mapping shows.
class DistinctPalette : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = QApplication::palette();
        QPalette palette;
        int n = 1;
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            for (int role = 0; role < QPalette::NColorRoles; ++role, ++n)
                palette.setColor(group, static_cast<QPalette::ColorRole>(role), QColor(n, 255 - n, (n * 7) % 256));
        QApplication::setPalette(palette);
    }
    void TearDown() override { QApplication::setPalette(saved_); }

    static QColor At(PaletteSlot slot) { return QApplication::palette().color(slot.group, slot.role); }

private:
    QPalette saved_;
};

TEST_F(DistinctPalette, EverySystemColourTakesItsPaletteColour)
{
    using P = QPalette;
    const PaletteSlot face{P::Active, P::Button}, faceText{P::Active, P::ButtonText}, base{P::Active, P::Base},
        text{P::Active, P::Text}, highlight{P::Active, P::Highlight}, highlightText{P::Active, P::HighlightedText},
        gray{P::Disabled, P::Text}, dark{P::Active, P::Dark}, mid{P::Active, P::Mid}, shadow{P::Active, P::Shadow};
    // Indices 0 to 30 in order; 25 has no meaning of its own.
    const PaletteSlot expected[] = {
        face, dark, highlight, mid, face, base, shadow, faceText, text, highlightText, face, face, dark,
        highlight, highlightText, face, dark, gray, faceText, gray, {P::Active, P::Light}, shadow,
        {P::Active, P::Midlight}, {P::Active, P::ToolTipText}, {P::Active, P::ToolTipBase}, base,
        {P::Active, P::Link}, highlight, mid, highlight, face};
    for (int index = 0; index <= 30; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(ToQColor(SystemColorCode(index)), At(expected[index]));
    }
    // Unknown indices fall back by use: the window's background, or its text.
    for (int index : {25, 31, 200}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(ToQColor(SystemColorCode(index), ColorUse::Background), At(base));
        EXPECT_EQ(ToQColor(SystemColorCode(index), ColorUse::Text), At(text));
    }
    // Plain colours are 0x00BBGGRR and come back the same way.
    EXPECT_EQ(ToQColor(0x00563412), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(FromQColor(QColor(0x12, 0x34, 0x56)), 0x00563412u);
}

TEST(SystemColors, TextStaysVisibleOnItsBackgroundInTheDesktopPalette)
{
    const std::pair<int, int> pairs[] = {{WindowColor, WindowTextColor},
                                         {ButtonFaceColor, ButtonTextColor},
                                         {MenuColor, MenuTextColor},
                                         {HighlightColor, HighlightTextColor},
                                         {InfoBackgroundColor, InfoTextColor}};
    for (const auto& [back, fore] : pairs) {
        SCOPED_TRACE(back);
        EXPECT_NE(ToQColor(SystemColorCode(back)), ToQColor(SystemColorCode(fore), ColorUse::Text));
    }
}

}  // namespace
}  // namespace qw
