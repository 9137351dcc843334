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
// the squares and slots whose tint changes and the two cursor squares, and the screen is then
// exactly what a repaint of everything gives.
TEST(HighlightPaint, MovesRepaintOnlyWhatChangesAndLeaveNothingStale)
{
    ScreenHarness h(TypicalPuzzle(), {1000, 750});
    Prepare(h);
    h.screen->SetHighlight(true);
    QWidget* diagram = h.Part("DiagramPanel");
    QWidget* list = h.Part("CluePaintBox");
    const int side = h.screen->DiagramSquareSide();
    const int slot = h.screen->SlotWidth();
    const int L = h.screen->WordListLineHeight();
    auto square = [&](int32_t letter) {
        const Point& o = h.puzzle.Letters[static_cast<size_t>(letter)].DiagramPos;
        return QRect(o.x + 1, o.y + 1, side - 2, side - 2);
    };
    auto slotArea = [&](int32_t letter) {
        const Point& a = h.puzzle.Letters[static_cast<size_t>(letter)].AnswerPos;
        return QRect(a.x, a.y, slot, L);
    };
    int moves = 0;
    for (Qt::Key tab : {Qt::Key_unknown, Qt::Key_Tab}) {
        if (tab == Qt::Key_Tab) QTest::keyClick(h.screen.get(), tab);
        for (int n = 0; n < 14; ++n, ++moves) {
            Shown(h.screen.get());
            const int32_t from = h.cursor.CurrentLetter;
            const HighlightSet before = HighlightFor(h.puzzle, from);
            PaintRecorder recorder{diagram, list};
            QTest::keyClick(h.screen.get(), Qt::Key_Right);
            const QImage incremental = Shown(h.screen.get());
            const int32_t to = h.cursor.CurrentLetter;
            const HighlightSet after = HighlightFor(h.puzzle, to);
            SCOPED_TRACE(std::to_string(from) + " -> " + std::to_string(to));

            QRegion squares = QRegion(square(from)) + square(to);
            for (int32_t letter : ChangedSquares(h.puzzle, before, after)) squares += square(letter);
            QRegion slotRegion = QRegion(slotArea(from)) + slotArea(to);
            QRegion changedSlots;
            for (int32_t letter : ChangedSlots(h.puzzle, before, after)) changedSlots += slotArea(letter);
            slotRegion += changedSlots;
            EXPECT_TRUE((recorder.painted[diagram] - squares).isEmpty());
            EXPECT_TRUE((recorder.painted[list] - slotRegion).isEmpty());
            EXPECT_TRUE((changedSlots.intersected(list->visibleRegion()) - recorder.painted[list]).isEmpty());

            h.screen->RepaintPanes();
            EXPECT_TRUE(Shown(h.screen.get()) == incremental);
        }
    }
    EXPECT_EQ(moves, 28);
}

// The tint is a quarter of the pane's cursor colour over its letter squares or background, in
// the active and the inactive pane alike.
TEST(HighlightPaint, TintFollowsThePaneColours)
{
    ScreenHarness h(TypicalPuzzle(), {1000, 750});
    Prepare(h);
    h.screen->SetHighlight(true);
    const int32_t current = h.cursor.CurrentLetter;
    const LetterEntry& e = h.puzzle.Letters[static_cast<size_t>(current)];
    const auto& answer = h.puzzle.Clues[static_cast<size_t>(e.ClueIndex)].Answer;
    const int32_t partner = answer.front() == current ? answer.back() : answer.front();
    const HighlightSet set = HighlightFor(h.puzzle, current);
    const int32_t wordmate = set.WordFirst == current ? set.WordLast : set.WordFirst;
    ASSERT_NE(wordmate, current);
    int32_t outsider = 1;
    while (set.InAnswer(h.puzzle.Letters[static_cast<size_t>(outsider)]) || set.InWord(outsider)) ++outsider;
    auto rgb = [&](ColorIndex i) { return FromQColor(ToQColor(h.colors[i])); };
    auto pixel = [](QWidget* w, const Point& p) { return FromQColor(w->grab().toImage().pixelColor(p.x + 2, p.y + 2)); };
    for (bool diagramActive : {false, true}) {
        SCOPED_TRACE(diagramActive ? "diagram active" : "word list active");
        h.screen->ActivatePane(diagramActive ? Pane::DiagramPane : Pane::WordListPane);
        QApplication::processEvents();
        const ColorIndex cursor = diagramActive ? DiaActCursor : DiaInactCursor;
        const ColorIndex letter = diagramActive ? DiaActLetter : DiaInactLetter;
        const ColorIndex other = diagramActive ? DiaInactCursor : DiaActCursor;
        QWidget* diagram = h.Part("DiagramPanel");
        EXPECT_EQ(pixel(diagram, h.puzzle.Letters[static_cast<size_t>(partner)].DiagramPos),
                  HighlightTint(rgb(cursor), rgb(letter), rgb(other)));
        EXPECT_EQ(pixel(diagram, h.puzzle.Letters[static_cast<size_t>(outsider)].DiagramPos), rgb(letter));
        const ColorIndex clueCursor = diagramActive ? ClueInactCursor : ClueActCursor;
        const ColorIndex back = diagramActive ? ClueInactBack : ClueActBack;
        const ColorIndex clueOther = diagramActive ? ClueActCursor : ClueInactCursor;
        QWidget* list = h.Part("CluePaintBox");
        EXPECT_EQ(pixel(list, h.puzzle.Letters[static_cast<size_t>(wordmate)].AnswerPos),
                  HighlightTint(rgb(clueCursor), rgb(back), rgb(clueOther)));
        EXPECT_EQ(pixel(list, h.puzzle.Letters[static_cast<size_t>(outsider)].AnswerPos), rgb(back));
    }
}

}  // namespace
}  // namespace qw::testing
