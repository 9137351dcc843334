#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QScrollBar>

#include "ScreenFixture.h"
#include "puzzle/StressPuzzle.h"

namespace qw::testing {
namespace {

// Where a colour is painted in an image: the box around its pixels and how many there are.
struct ColourSpot {
    QRect box;
    int count = 0;
};

ColourSpot FindColour(const QImage& image, QColor colour)
{
    ColourSpot spot;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour) {
                spot.box |= QRect(x, y, 1, 1);
                ++spot.count;
            }
    return spot;
}

// Shows a typical puzzle the way the window shows it, in both pane states, at the default side
// and fitted: the active pane's mark is the only green and the other pane's the only red, each
// where its mark stands. With QW_SCREENSHOT_DIR set the images are also written there.
TEST(ScreenShot, BothPanesAtDefaultSideAndFitted)
{
    ScreenHarness h(TypicalPuzzle(), {1000, 750});
    h.puzzle.Letters[3].Entered = 'E';
    h.puzzle.Letters[10].Entered = 'Q';
    h.puzzle.Letters[h.puzzle.Clues[1].Answer[0]].Entered = 'R';
    h.screen->RefreshTitleStrip();
    h.screen->SetFit(PuzzleScreen::FitMode::None);
    h.screen->SetDiagramSquareSide(25);
    const QString dir = qEnvironmentVariable("QW_SCREENSHOT_DIR");
    auto shoot = [&](const char* name) {
        SCOPED_TRACE(name);
        QApplication::processEvents();
        const QImage image = h.screen->grab().toImage();
        if (!dir.isEmpty()) image.save(QDir(dir).filePath(QString::fromLatin1(name)));
        const bool diagramActive = h.cursor.ActivePane == Pane::DiagramPane;
        QWidget* diagramMark = h.Part("DiagramCursorPanel");
        QWidget* clueMark = h.Part("ClueCursorPanel");
        const auto onScreen = [&](QWidget* mark) { return QRect(mark->mapTo(h.screen.get(), QPoint()), mark->size()); };
        const struct {
            QWidget* mark;
            QColor colour;
        } marks[] = {{diagramActive ? diagramMark : clueMark, QColor(0, 255, 0)},
                     {diagramActive ? clueMark : diagramMark, QColor(255, 0, 0)}};
        for (const auto& [mark, colour] : marks) {
            const ColourSpot spot = FindColour(image, colour);
            const QRect where = onScreen(mark);
            EXPECT_TRUE(where.contains(spot.box)) << mark->objectName().toStdString();
            EXPECT_GT(spot.count, where.width() * where.height() / 2) << mark->objectName().toStdString();
        }
    };
    shoot("s25_wordlist.png");
    QTest::keyClick(h.screen.get(), Qt::Key_Tab);
    shoot("s25_diagram.png");
    h.screen->FitCommand(PuzzleScreen::FitMode::Puzzle);
    shoot("fit_diagram.png");
    QTest::keyClick(h.screen.get(), Qt::Key_Tab);
    shoot("fit_wordlist.png");
}

// The stress puzzle scrolled to its last clue: long answers wrap, the list scrolls to its end and
// the diagram scrolls to the mark.
TEST(ScreenShot, StressPuzzleAtItsLastLetter)
{
    ScreenHarness h(MakeStressPuzzle(), {1000, 750});
    h.screen->SetFit(PuzzleScreen::FitMode::None);
    h.screen->SetDiagramSquareSide(25);
    h.cursor.CurrentLetter = h.puzzle.Clues.back().Answer.back();
    h.screen->PlaceCursor(true);
    QApplication::processEvents();
    auto* clueBox = h.screen->findChild<QAbstractScrollArea*>(QStringLiteral("ClueScrollBox"));
    auto* diagramBox = h.screen->findChild<QAbstractScrollArea*>(QStringLiteral("DiagramScrollBox"));
    EXPECT_EQ(clueBox->verticalScrollBar()->value(), clueBox->verticalScrollBar()->maximum());
    for (QAbstractScrollArea* box : {clueBox, diagramBox}) {
        const QString mark = box == clueBox ? "ClueCursorPanel" : "DiagramCursorPanel";
        EXPECT_TRUE(box->viewport()->rect().contains(box->findChild<QWidget*>(mark)->geometry()));
    }
    const QString dir = qEnvironmentVariable("QW_SCREENSHOT_DIR");
    if (!dir.isEmpty()) h.screen->grab().toImage().save(QDir(dir).filePath("stress_end.png"));
}

// Dot leaders are worked out when their clue is first painted and kept: after a new width and a
// new clue font the list must look as it does on a screen that never had the old ones.
TEST(ScreenShot, WordListAfterResizeAndFontChangeLooksFresh)
{
    const FontSpec font{"Arial", 12, StyleItalic};
    ScreenHarness changed(TypicalPuzzle(), {1000, 750});
    auto* list = changed.Part("CluePaintBox");
    list->grab();  // paint, so that leaders for the old width and font are made
    changed.screen->resize(840, 700);
    QApplication::processEvents();
    list->grab();
    changed.screen->SetScreenClueFont(font);
    QApplication::processEvents();
    ScreenHarness fresh(TypicalPuzzle(), {840, 700});
    fresh.screen->SetScreenClueFont(font);
    QApplication::processEvents();
    const QImage a = list->grab().toImage();
    const QImage b = fresh.Part("CluePaintBox")->grab().toImage();
    ASSERT_EQ(a.size(), b.size());
    EXPECT_TRUE(a == b);
    const QString dir = qEnvironmentVariable("QW_SCREENSHOT_DIR");
    if (!dir.isEmpty()) a.save(QDir(dir).filePath("resized_wordlist.png"));
}

}  // namespace
}  // namespace qw::testing
