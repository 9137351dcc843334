#include <gtest/gtest.h>

#include "RecordingSurface.h"
#include "print/DiagramSquare.h"

namespace qw {
namespace {

using test::DrawOp;
using test::RecordingSurface;

// One square painter, three looks: the screen's (no outline, the inside filled, the letter
// centred), paper's (the letter on the bottom line under the outline) and the colour dialog's
// blank square (outline and fill in one colour). Letter font: 20-pixel characters, so an "A" is
// 10 wide and its cell 23 high.
TEST(DiagramSquare, EachLookDrawsItsPartsInOrder)
{
    const SquareBox box{100, 50, 124, 74};  // 25 pixels across, lines shared with neighbours
    struct Row {
        const char* name;
        SquareLook look;
        char letter;
        std::vector<DrawOp::Kind> kinds;
        int textX, textY;
    };
    const Row rows[] = {
        {"screen", {std::nullopt, 0x00FFFFFF, 0x000000FF}, 'A', {DrawOp::Fill, DrawOp::Text}, 100 + 7, 50 + 1},
        {"paper", {0, std::nullopt, 0, LetterPlace::OnBottom, 20}, 'A', {DrawOp::Text, DrawOp::Rect}, 100 + 7, 74 - 20},
        {"blank", {0x00123456, 0x00123456, 0}, ' ', {DrawOp::Rect}, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RecordingSurface s({100, 1000, 1000, 96, 96});
        s.SetFont({"Arial", 0, -20});
        PaintSquare(s, box, row.look, row.letter);
        std::vector<DrawOp::Kind> kinds;
        for (const DrawOp& op : s.ops) kinds.push_back(op.kind);
        EXPECT_EQ(kinds, row.kinds);
        for (const DrawOp& op : s.ops) {
            if (op.kind == DrawOp::Fill) {  // the inside only: the outline is the background's
                EXPECT_EQ(std::vector<int>({op.x, op.y, op.x2, op.y2}), std::vector<int>({101, 51, 124, 74}));
                EXPECT_EQ(op.fill, row.look.Fill);
            } else if (op.kind == DrawOp::Rect) {
                EXPECT_EQ(std::vector<int>({op.x, op.y, op.x2, op.y2}), std::vector<int>({100, 50, 124, 74}));
                EXPECT_EQ(op.ink, *row.look.Outline);
                EXPECT_EQ(op.fill, row.look.Fill);
            } else {
                EXPECT_EQ(op.text, std::string(1, row.letter));
                EXPECT_EQ(op.ink, row.look.Ink);
                EXPECT_EQ(op.x, row.textX);
                EXPECT_EQ(op.y, row.textY);
            }
        }
    }
}

TEST(DiagramSquare, LabelsStandInFromTheirSides)
{
    RecordingSurface s({100, 1000, 1000, 96, 96});
    s.SetFont({"Arial", 0, -8});  // 4 pixels a character
    PaintSquareLabels(s, {10, 20, 60, 70}, {0x000000FF, 2, 1}, "12", std::string_view("AB"));
    PaintSquareLabels(s, {10, 20, 60, 70}, {0, 4, 4}, "3", std::nullopt);
    ASSERT_EQ(s.ops.size(), 3u);
    EXPECT_EQ(s.ops[0].text, "12");
    EXPECT_EQ(std::make_pair(s.ops[0].x, s.ops[0].y), std::make_pair(12, 21));
    EXPECT_EQ(s.ops[0].ink, 0x000000FFu);
    EXPECT_EQ(s.ops[1].text, "AB");
    EXPECT_EQ(std::make_pair(s.ops[1].x, s.ops[1].y), std::make_pair(60 - 1 - 8, 21));
    EXPECT_EQ(s.ops[2].text, "3");  // no label: a letter without a clue
    EXPECT_EQ(s.ops[2].x, 14);
}

}  // namespace
}  // namespace qw
