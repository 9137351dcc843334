#include <QDir>
#include <QImage>
#include <QPaintEvent>
#include <QScreen>
#include <gtest/gtest.h>

#include "ScreenFixture.h"
#include "platform/QtConvert.h"

namespace qw::testing {
namespace {

// Golden pictures of both panes, made by the painters as they were before the highlight existed.
// QW_WRITE_GOLDEN=1 writes them afresh (only ever from a tree whose painting is known good).
const QString kGoldenDir = QStringLiteral(QW_SOURCE_DIR "/tests/view/golden");

struct PaneShots {
    QImage diagram, wordList;
};

PaneShots Shoot(ScreenHarness& h)
{
    QApplication::processEvents();
    return {h.Part("DiagramPanel")->grab().toImage(), h.Part("CluePaintBox")->grab().toImage()};
}

void ExpectGolden(const QImage& image, const QString& name)
{
    const QString path = QDir(kGoldenDir).filePath(name);
    if (qEnvironmentVariableIsSet("QW_WRITE_GOLDEN")) {
        QDir().mkpath(kGoldenDir);
        ASSERT_TRUE(image.save(path));
    }
    const QImage golden(path);
    ASSERT_FALSE(golden.isNull()) << path.toStdString();
    EXPECT_TRUE(image.convertToFormat(QImage::Format_RGB32) == golden.convertToFormat(QImage::Format_RGB32))
        << name.toStdString() << " differs from its golden picture";
}

// A few letters entered, the cursor in the middle of the second diagram row.
void Prepare(ScreenHarness& h)
{
    h.screen->SetFit(PuzzleScreen::FitMode::None);
    h.screen->SetDiagramSquareSide(25);
    for (int32_t letter : {3, 10, 11, 12, 40}) h.puzzle.Letters[static_cast<size_t>(letter)].Entered = 'W';
    h.puzzle.Letters[h.puzzle.Clues[1].Answer[0]].Entered = 'R';
    h.cursor.CurrentLetter = 12;
    h.screen->RepaintPanes();
    h.screen->PlaceCursor(true);
}

// With the highlight off the panes paint as they always did, also once it has been on.
TEST(HighlightPaint, OffPaintsAsTheGoldenPictures)
{
    ScreenHarness h(TypicalPuzzle(), {1000, 750});
    Prepare(h);
    for (const char* when : {"never on", "after being on"}) {
        SCOPED_TRACE(when);
        for (const char* pane : {"wordlist", "diagram"}) {
            const PaneShots shots = Shoot(h);
            ExpectGolden(shots.diagram, QStringLiteral("diagram_%1_active.png").arg(pane));
            ExpectGolden(shots.wordList, QStringLiteral("wordlist_%1_active.png").arg(pane));
            QTest::keyClick(h.screen.get(), Qt::Key_Tab);
        }
        h.screen->SetHighlight(true);
        for (int n = 0; n < 9; ++n) QTest::keyClick(h.screen.get(), Qt::Key_Down);
        h.screen->SetHighlight(false);
        h.cursor.CurrentLetter = 12;
        h.screen->PlaceCursor(true);
    }
}

// Collects the regions each surface paints.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(std::initializer_list<QWidget*> widgets)
    {
        for (QWidget* w : widgets) {
            w->installEventFilter(this);
            painted[w] = QRegion();
        }
    }
    QHash<QObject*, QRegion> painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) painted[watched] += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

// What the window shows, read back from its backing store (grab() would paint afresh).
QImage Shown(QWidget* window)
{
    QApplication::processEvents();
    return window->screen()->grabWindow(window->winId()).toImage();
}

// Walking the cursor through both orders with the highlight on: each move repaints no more than
// the squares and slots whose tint changes and the two cursor squares, and leaves the screen
// exactly as a repaint of everything would.
TEST(HighlightPaint, MovesRepaintOnlyWhatChangesAndLeaveNothingStale)
{
    ScreenHarness h(TypicalPuzzle(), {1000, 750});
    Prepare(h);
    h.screen->SetHighlight(true);
    QWidget* diagram = h.Part("DiagramPanel");
    QWidget* list = h.Part("CluePaintBox");
    auto entry = [&](int32_t letter) -> const LetterEntry& { return h.puzzle.Letters[static_cast<size_t>(letter)]; };
    auto square = [&](int32_t letter) {
        const int side = h.screen->DiagramSquareSide();
        const Point d = h.screen->Layout().DiagramPos(letter);
        return QRect(d.x + 1, d.y + 1, side - 2, side - 2);
    };
    auto slot = [&](int32_t letter) {
        const Point a = h.screen->Layout().AnswerPos(letter);
        return QRect(a.x, a.y, h.screen->SlotWidth(), h.screen->WordListLineHeight());
    };
    // The inactive diagram's tint: a quarter of its cursor colour over its letter squares.
    const int32_t partner = h.puzzle.Clues[static_cast<size_t>(entry(12).ClueIndex)].Answer[0];
    ASSERT_NE(partner, 12);
    auto rgb = [&](ColorIndex i) { return FromQColor(ToQColor(h.colors[i])); };
    EXPECT_EQ(FromQColor(diagram->grab().toImage().pixelColor(square(partner).topLeft())),
              HighlightTint(rgb(DiaInactCursor), rgb(DiaInactLetter), rgb(DiaActCursor)));

    for (int pane = 0; pane < 2; ++pane) {
        if (pane == 1) QTest::keyClick(h.screen.get(), Qt::Key_Tab);
        for (int n = 0; n < 14; ++n) {
            Shown(h.screen.get());
            const int32_t from = h.cursor.CurrentLetter;
            PaintRecorder recorder{diagram, list};
            QTest::keyClick(h.screen.get(), Qt::Key_Right);
            const QImage incremental = Shown(h.screen.get());
            const int32_t to = h.cursor.CurrentLetter;
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));
            const HighlightSet before = HighlightFor(h.puzzle, from), after = HighlightFor(h.puzzle, to);
            QRegion squares = QRegion(square(from)) + square(to), changedSlots;
            for (int32_t letter : ChangedSquares(h.puzzle, before, after)) squares += square(letter);
            for (int32_t letter : ChangedSlots(h.puzzle, before, after)) changedSlots += slot(letter);
            EXPECT_TRUE((recorder.painted[diagram] - squares).isEmpty());
            EXPECT_TRUE((recorder.painted[list] - changedSlots - slot(from) - slot(to)).isEmpty());
            EXPECT_TRUE((changedSlots.intersected(list->visibleRegion()) - recorder.painted[list]).isEmpty());
            h.screen->RepaintPanes();
            EXPECT_TRUE(Shown(h.screen.get()) == incremental);
        }
    }
}

}  // namespace
}  // namespace qw::testing
