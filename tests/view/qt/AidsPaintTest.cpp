#include <QAbstractScrollArea>
#include <QImage>
#include <gtest/gtest.h>

#include "ScreenFixture.h"
#include "platform/QtConvert.h"

namespace qw::testing {
namespace {

QImage Grab(QWidget* w)
{
    QApplication::processEvents();
    return w->grab().toImage();
}

// With the shape aid the two panes differ by more than colour: the inactive cursor mark is a
// hollow frame of its colour around the square's own fill, and the active pane is framed in its
// text colour. Without it the inactive mark is a filled square and no pane is framed.
TEST(AidsPaint, ActivePaneByShape)
{
    ScreenHarness h(TypicalPuzzle(), {1000, 750});
    h.screen->SetFit(PuzzleScreen::FitMode::None);
    h.screen->SetDiagramSquareSide(25);
    h.cursor.CurrentLetter = 7;  // blank: the middle of a mark shows its fill only
    h.screen->PlaceCursor(true);
    const QColor black = ToQColor(h.colors[ClueActFont], ColorUse::Text);
    struct Row {
        bool on;
        Pane active;
        const char *mark, *activeBox;
    };
    const Row rows[] = {
        {false, Pane::WordListPane, "DiagramCursorPanel", "ClueScrollBox"},
        {true, Pane::WordListPane, "DiagramCursorPanel", "ClueScrollBox"},
        {true, Pane::DiagramPane, "ClueCursorPanel", "DiagramScrollBox"},
        {false, Pane::DiagramPane, "ClueCursorPanel", "DiagramScrollBox"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.on ? "on, " : "off, ") + row.mark);
        h.screen->SetPaneShape(row.on);
        h.screen->ActivatePane(row.active);
        const bool diagramMark = row.active == Pane::WordListPane;
        const QColor cursor = ToQColor(h.colors[diagramMark ? DiaInactCursor : ClueInactCursor]);
        const QColor fill = ToQColor(h.colors[diagramMark ? DiaInactLetter : ClueInactBack]);
        const QImage mark = Grab(h.Part(row.mark));
        const QPoint middle(mark.width() / 2, mark.height() / 2);
        EXPECT_EQ(mark.pixelColor(2, middle.y()), cursor) << "the frame, or the filled mark";
        EXPECT_EQ(mark.pixelColor(middle), row.on ? fill : cursor);
        // The left edge of the active pane's viewport, half way down.
        auto* box = h.Part<QAbstractScrollArea>(row.activeBox);
        const QImage viewport = Grab(box->viewport());
        for (int x : {0, 1}) EXPECT_EQ(viewport.pixelColor(x, viewport.height() / 2) == black, row.on) << x;
    }
}

// Whether any pixel of `area` differs from `fill`.
bool Inked(const QImage& image, const QRect& area, const QColor& fill)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != fill) return true;
    return false;
}

// The labels go into the top corners of every letter square, the cursor's too, and only while the
// squares are big enough to read them.
TEST(AidsPaint, SquareLabels)
{
    ScreenHarness h(TypicalPuzzle(), {1000, 750});
    h.screen->SetFit(PuzzleScreen::FitMode::None);
    const int32_t probe = 5;  // blank, away from the cursor
    struct Row {
        bool on;
        int side;
        bool labelled;
    };
    for (const Row row : {Row{false, 25, false}, Row{true, 25, true}, Row{true, 40, true}, Row{true, 17, false}}) {
        SCOPED_TRACE(std::to_string(row.side) + (row.on ? " on" : " off"));
        h.screen->SetLabels(row.on);
        h.screen->SetDiagramSquareSide(row.side);
        h.cursor.CurrentLetter = 7;
        h.screen->PlaceCursor(true);
        const QImage diagram = Grab(h.Part("DiagramPanel"));
        const Point o = h.screen->Layout().DiagramPos(probe);
        const int S = row.side;
        const QRect topLeft(o.x + 1, o.y + 1, S / 2 - 1, S / 3), topRight(o.x + S / 2, o.y + 1, S / 2 - 1, S / 3);
        const QColor fill = ToQColor(h.colors[DiaInactLetter]);
        EXPECT_EQ(Inked(diagram, topLeft, fill), row.labelled) << "the number";
        EXPECT_EQ(Inked(diagram, topRight, fill), row.labelled) << "the clue's label";
        const QImage mark = Grab(h.Part("DiagramCursorPanel"));
        EXPECT_EQ(Inked(mark, QRect(0, 0, mark.width(), S / 3), ToQColor(h.colors[DiaInactCursor])), row.labelled);
    }
}

// A checked wrong entry gets a stroke from corner to corner of its square and of its answer slot
// while the aid is on; an entry not marked, or the aid off, none.
TEST(AidsPaint, WrongLettersMarked)
{
    ScreenHarness h(TypicalPuzzle(), {1000, 750});
    h.screen->SetFit(PuzzleScreen::FitMode::None);
    h.screen->SetDiagramSquareSide(25);
    const int32_t wrong = 5, right = 6;
    for (int32_t letter : {wrong, right}) h.puzzle.Letters[static_cast<size_t>(letter)].Entered = 'W';
    h.screen->SetWrongMarks([&](int32_t letter) { return letter == wrong; });
    h.cursor.CurrentLetter = 7;
    h.screen->PlaceCursor(true);
    const int S = 25;
    for (const bool on : {false, true, false}) {
        h.screen->SetMarkWrong(on);
        const QImage diagram = Grab(h.Part("DiagramPanel"));
        const QImage list = Grab(h.Part("CluePaintBox"));
        for (int32_t letter : {wrong, right}) {
            SCOPED_TRACE(std::to_string(letter) + (on ? " on" : " off"));
            const Point d = h.screen->Layout().DiagramPos(letter);
            const Point a = h.screen->Layout().AnswerPos(letter);
            // The bottom-left corners, where neither the letter nor anything else is drawn.
            const QRect square(d.x + 2, d.y + S - S / 4, S / 4, S / 4 - 2);
            EXPECT_EQ(Inked(diagram, square, ToQColor(h.colors[DiaInactLetter])), on && letter == wrong);
            const int L = h.screen->WordListLineHeight();
            const QRect slot(a.x + 1, a.y + L - L / 4, L / 4, L / 4 - 1);
            EXPECT_EQ(Inked(list, slot, ToQColor(h.colors[ClueActBack])), on && letter == wrong);
        }
    }
}

}  // namespace
}  // namespace qw::testing
