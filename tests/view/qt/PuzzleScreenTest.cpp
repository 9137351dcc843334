#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "ScreenFixture.h"
#include "platform/QtConvert.h"
#include "puzzle/StressPuzzle.h"
#include "view/TitleStrip.h"

namespace qw::testing {
namespace {

QColor PixelAt(QWidget* widget, QPoint at)
{
    QApplication::processEvents();
    return widget->grab().toImage().pixelColor(at);
}

class PuzzleScreenTest : public ::testing::Test {
protected:
    ScreenHarness h{TypicalPuzzle()};
    Puzzle& p = h.puzzle;
    CursorState& c = h.cursor;

    const LetterEntry& Current() const { return p.Letters[static_cast<size_t>(c.CurrentLetter)]; }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(h.screen.get(), static_cast<Qt::Key>(key), mods);
    }
    QPoint SquareCentre(int32_t letter) const
    {
        const int side = h.screen->DiagramSquareSide();
        const Point o = h.screen->Layout().DiagramPos(letter);
        return {o.x + side / 2, o.y + side / 2};
    }
};

TEST_F(PuzzleScreenTest, ShowingAPuzzleStartsOnTheFirstClueWithTheMarksInPlace)
{
    EXPECT_EQ(c.ActivePane, Pane::WordListPane);
    EXPECT_EQ(c.CurrentLetter, p.Clues[0].Answer[0]);
    auto* panel = h.Part("DiagramPanel");
    auto* mark = h.Part("DiagramCursorPanel");
    const int side = h.screen->DiagramSquareSide();
    EXPECT_EQ(panel->width(), (side - 1) * p.ColumnCount + 1);
    EXPECT_EQ(mark->size(), QSize(side - 2, side - 2));
    const Point d = h.screen->Layout().DiagramPos(c.CurrentLetter);
    EXPECT_EQ(mark->pos(), panel->pos() + QPoint(d.x + 1, d.y + 1));
    auto* clueMark = h.Part("ClueCursorPanel");
    auto* paintBox = h.Part("CluePaintBox");
    const int L = h.screen->WordListLineHeight();
    EXPECT_EQ(clueMark->size(), QSize(L, L));
    const Point a = h.screen->Layout().AnswerPos(c.CurrentLetter);
    EXPECT_EQ(clueMark->pos(), paintBox->pos() + QPoint(a.x + (h.screen->SlotWidth() - L) / 2, a.y));
    EXPECT_TRUE(mark->isVisible());
    EXPECT_TRUE(clueMark->isVisible());
    // One title label per clue, em dashes while blank; two header sections of 17 px.
    const auto labels = h.Part("TitlePanel")->findChildren<QLabel*>();
    EXPECT_EQ(labels.size(), p.ClueCount);
    EXPECT_EQ(labels[0]->text(), QString(QChar(0x2014)));
    auto* header = h.Part<QHeaderView>("HeaderControl1");
    EXPECT_EQ(header->count(), 2);
    EXPECT_EQ(header->height(), 17);
    EXPECT_EQ(h.Part("TitlePanel")->height(), 25);
}

TEST_F(PuzzleScreenTest, ArrowKeysCrossClueBoundariesInTheWordList)
{
    const auto& first = p.Clues[0].Answer;
    const auto& second = p.Clues[1].Answer;
    for (size_t i = 1; i < first.size(); ++i) Key(Qt::Key_Right);
    EXPECT_EQ(c.CurrentLetter, first.back());
    Key(Qt::Key_Right);
    EXPECT_EQ(c.CurrentLetter, second[0]);
    Key(Qt::Key_Left);
    EXPECT_EQ(c.CurrentLetter, first.back());
    Key(Qt::Key_Right);
    // Backspace at the start of an answer clears it and stays; the title strip shows the dash again.
    p.Letters[static_cast<size_t>(second[0])].Entered = 'Z';
    h.screen->RefreshTitleStrip();
    const auto labels = h.Part("TitlePanel")->findChildren<QLabel*>();
    EXPECT_EQ(labels[1]->text(), QString("Z"));
    Key(Qt::Key_Backspace);
    EXPECT_EQ(c.CurrentLetter, second[0]);
    EXPECT_EQ(p.Letters[static_cast<size_t>(second[0])].Entered, ' ');
    EXPECT_TRUE(p.Modified);
    EXPECT_EQ(labels[1]->text(), QString(QChar(0x2014)));
    // Down keeps aiming at the remembered position.
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    EXPECT_EQ(Current().ClueIndex, 2);
    EXPECT_EQ(Current().Position, 2);
    // Ctrl and Alt leave the cursor alone and the key to others.
    const int32_t before = c.CurrentLetter;
    EXPECT_FALSE(h.screen->HandleKeyDown(Qt::Key_Left, Qt::ControlModifier));
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(c.CurrentLetter, before);
    EXPECT_FALSE(h.screen->HandleKeyDown(Qt::Key_Home, Qt::NoModifier));
    EXPECT_FALSE(c.KeyBusy);
    // The marks followed every move.
    const Point d = h.screen->Layout().DiagramPos(c.CurrentLetter);
    EXPECT_EQ(h.Part("DiagramCursorPanel")->pos(), h.Part("DiagramPanel")->pos() + QPoint(d.x + 1, d.y + 1));
}

TEST_F(PuzzleScreenTest, DiagramOrderAndTheMarkFollowTheKeys)
{
    Key(Qt::Key_Tab);
    ASSERT_EQ(c.ActivePane, Pane::DiagramPane);
    c.CurrentLetter = 1;
    h.screen->PlaceCursor(true);
    Key(Qt::Key_Left);
    EXPECT_EQ(c.CurrentLetter, 1);
    Key(Qt::Key_Right);
    EXPECT_EQ(c.CurrentLetter, 2);
    Key(Qt::Key_Down);
    EXPECT_EQ(Current().Row, 1);
    Key(Qt::Key_Delete);
    EXPECT_EQ(Current().Row, 1);
    const Point d = h.screen->Layout().DiagramPos(c.CurrentLetter);
    EXPECT_EQ(h.Part("DiagramCursorPanel")->pos(), h.Part("DiagramPanel")->pos() + QPoint(d.x + 1, d.y + 1));
    // Shift+Tab toggles like Tab.
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(c.ActivePane, Pane::WordListPane);
}

TEST_F(PuzzleScreenTest, TabSwapsThePaneColours)
{
    auto* panel = h.Part("DiagramPanel");
    auto* clueBox = h.Part("ClueScrollBox");
    auto* diagramMark = h.Part("DiagramCursorPanel");
    auto* clueMark = h.Part("ClueCursorPanel");
    // Pick a blank letter square away from the cursor.
    int32_t other = c.CurrentLetter == 1 ? 2 : 1;
    const QPoint square = SquareCentre(other);
    const QPoint clueBackground(clueBox->width() - 30, clueBox->height() / 2);
    EXPECT_EQ(PixelAt(panel, square), ToQColor(h.colors[DiaInactLetter]));
    EXPECT_EQ(PixelAt(clueBox, clueBackground), ToQColor(h.colors[ClueActBack]));
    EXPECT_EQ(PixelAt(diagramMark, {2, 2}), ToQColor(h.colors[DiaInactCursor]));
    EXPECT_EQ(PixelAt(clueMark, {3, 3}), ToQColor(h.colors[ClueActCursor]));
    Key(Qt::Key_Tab);
    EXPECT_EQ(c.ActivePane, Pane::DiagramPane);
    EXPECT_EQ(PixelAt(panel, square), ToQColor(h.colors[DiaActLetter]));
    EXPECT_EQ(PixelAt(clueBox, clueBackground), ToQColor(h.colors[ClueInactBack]));
    EXPECT_EQ(PixelAt(diagramMark, {2, 2}), ToQColor(h.colors[DiaActCursor]));
    EXPECT_EQ(PixelAt(clueMark, {3, 3}), ToQColor(h.colors[ClueInactCursor]));
    EXPECT_EQ(PixelAt(clueMark, {0, 0}), ToQColor(h.colors[ClueInactFont]));  // outline
}

TEST_F(PuzzleScreenTest, ClicksMoveTheCursorAndActivateThePane)
{
    auto* panel = h.Part("DiagramPanel");
    const int side = h.screen->DiagramSquareSide();
    // The line between squares 1 and 2 belongs to square 1.
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(side - 1, side / 2));
    EXPECT_EQ(c.CurrentLetter, 1);
    EXPECT_EQ(c.ActivePane, Pane::DiagramPane);
    EXPECT_EQ(c.PreferredColumn, 0);
    QTest::mouseClick(panel, Qt::RightButton, {}, QPoint(side + 1, side / 2));
    EXPECT_EQ(c.CurrentLetter, 2);
    // A black square leaves the cursor alone.
    int blackRow = -1, blackColumn = -1;
    for (int r = 0; r < p.RowCount && blackRow < 0; ++r)
        for (int col = 0; col < p.ColumnCount; ++col)
            if (p.Grid.GetCell(r, col) == 0) {
                blackRow = r;
                blackColumn = col;
                break;
            }
    ASSERT_GE(blackRow, 0);
    QTest::mouseClick(panel, Qt::LeftButton, {},
                      QPoint(blackColumn * (side - 1) + side / 2, blackRow * (side - 1) + side / 2));
    EXPECT_EQ(c.CurrentLetter, 2);
    // A slot in the word list: current letter and word list active.
    const int32_t target = p.Clues[2].Answer[1];
    const Point slot = h.screen->Layout().AnswerPos(target);
    QTest::mouseClick(h.Part("CluePaintBox"), Qt::LeftButton, {}, QPoint(slot.x + 2, slot.y + h.screen->SlotWidth()));
    EXPECT_EQ(c.CurrentLetter, target);
    EXPECT_EQ(c.ActivePane, Pane::WordListPane);
    // The diagram's background activates the diagram without moving the cursor.
    QTest::mouseClick(h.Part<QAbstractScrollArea>("DiagramScrollBox")->viewport(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(c.ActivePane, Pane::DiagramPane);
    EXPECT_EQ(c.CurrentLetter, target);
    // The word-list mark activates the word list.
    QTest::mouseClick(h.Part("ClueCursorPanel"), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(c.ActivePane, Pane::WordListPane);
    QTest::mouseClick(h.Part("DiagramCursorPanel"), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(c.ActivePane, Pane::DiagramPane);
    EXPECT_EQ(c.CurrentLetter, target);
}

TEST_F(PuzzleScreenTest, PointerFeedbackNamesTheSquare)
{
    QSignalSpy spy(h.screen.get(), &PuzzleScreen::statusTextChanged);
    QTest::mouseMove(h.Part("DiagramPanel"), SquareCentre(12));
    ASSERT_FALSE(spy.isEmpty());
    EXPECT_EQ(spy.last().at(0).toString(), QString("12  ") + FromAnsi(p.Letters[12].ClueLabel));
    QTest::mouseMove(h.Part("CluePaintBox"), QPoint(5, 5));
    EXPECT_EQ(spy.last().at(0).toString(), QString());
}

TEST_F(PuzzleScreenTest, TitleLabelClickGoesToTheClueInTheWordList)
{
    Key(Qt::Key_Tab);
    ASSERT_EQ(c.ActivePane, Pane::DiagramPane);
    const auto labels = h.Part("TitlePanel")->findChildren<QLabel*>();
    QTest::mouseClick(labels[3], Qt::LeftButton);
    EXPECT_EQ(c.ActivePane, Pane::WordListPane);
    EXPECT_EQ(c.CurrentLetter, p.Clues[3].Answer[0]);
    EXPECT_EQ(c.PreferredPosition, 0);
    // The row stays centred when the window width changes.
    h.screen->resize(700, 700);
    QApplication::processEvents();
    const int left = labels.first()->x();
    const int right = h.Part("TitlePanel")->width() - (labels.last()->x() + labels.last()->width());
    EXPECT_LE(std::abs(left - right), 1);
}

// The zoom rules themselves are the layout's (ScreenLayoutTest); here, that a step lays the
// diagram out again and that a big diagram scrolls to keep the mark in view.
TEST_F(PuzzleScreenTest, ZoomLaysTheDiagramOutAgain)
{
    h.screen->SetFit(PuzzleScreen::FitMode::None);
    h.screen->SetDiagramSquareSide(100);
    h.screen->SetFit(PuzzleScreen::FitMode::Puzzle);
    h.screen->ZoomOut();
    EXPECT_EQ(h.screen->Fit(), PuzzleScreen::FitMode::None);
    EXPECT_EQ(h.Part("DiagramPanel")->width(), 94 * p.ColumnCount + 1);
    c.CurrentLetter = p.LetterCount;
    h.screen->PlaceCursor(true);
    auto* box = h.Part<QAbstractScrollArea>("DiagramScrollBox");
    const QRect mark = h.Part("DiagramCursorPanel")->geometry();
    EXPECT_TRUE(box->viewport()->rect().contains(mark)) << mark.x() << "," << mark.y();
}

TEST_F(PuzzleScreenTest, FitFollowsTheWindowSizeButZoomKeepsTheSide)
{
    h.screen->FitCommand(PuzzleScreen::FitMode::Puzzle);
    auto* box = h.Part("DiagramScrollBox");
    auto fits = [&] {
        return h.screen->DiagramSquareSide() ==
               FitPuzzle(box->width(), box->height(), p.RowCount, p.ColumnCount);
    };
    EXPECT_TRUE(fits());
    const int before = h.screen->DiagramSquareSide();
    h.screen->resize(1400, 1000);
    QApplication::processEvents();
    EXPECT_TRUE(fits());
    EXPECT_GT(h.screen->DiagramSquareSide(), before);
    h.screen->ZoomOut();
    const int zoomed = h.screen->DiagramSquareSide();
    h.screen->resize(900, 650);
    QApplication::processEvents();
    EXPECT_EQ(h.screen->DiagramSquareSide(), zoomed);
}

TEST_F(PuzzleScreenTest, PanesKeepTheirRatioAndTheSplitterStopsShortOfEitherPane)
{
    auto* splitter = h.Part<QSplitter>("Splitter1");
    auto* box = h.Part("DiagramScrollBox");
    h.screen->SetDiagramScrollBoxRatio(0.3);
    h.screen->resize(1000, 803);
    QApplication::processEvents();
    const int available = splitter->height() - 3;
    EXPECT_EQ(box->height(), DiagramPaneHeight(available, 0.3));
    EXPECT_EQ(splitter->handleWidth(), 3);
    // Dragging the handle to the very top leaves 51 pixels and changes the ratio.
    QWidget* handle = splitter->handle(1);
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(10, 1));
    QTest::mouseMove(handle, handle->mapFromGlobal(splitter->mapToGlobal(QPoint(10, 0))));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, handle->mapFromGlobal(splitter->mapToGlobal(QPoint(10, 0))));
    QApplication::processEvents();
    EXPECT_EQ(box->height(), 51);
    EXPECT_NEAR(h.screen->DiagramScrollBoxRatio(), 51.0 / available, 1e-9);
    // ... and to the very bottom leaves the word list 50 pixels.
    const QPoint bottom = handle->mapFromGlobal(splitter->mapToGlobal(QPoint(10, splitter->height())));
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(10, 1));
    QTest::mouseMove(handle, bottom);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, bottom);
    QApplication::processEvents();
    EXPECT_EQ(h.Part("ClueScrollBox")->height(), 50);
}

TEST(PuzzleScreenWheel, OneNotchScrollsOneIncrement)
{
    ScreenHarness h(MakeStressPuzzle(), {1000, 700});
    const int increment = h.screen->WordListScrollIncrement();
    EXPECT_EQ(increment, h.screen->WordListContentHeight() / 30);
    auto* box = h.Part<QAbstractScrollArea>("ClueScrollBox");
    QScrollBar* bar = box->verticalScrollBar();
    EXPECT_EQ(bar->singleStep(), increment);
    bar->setValue(1000);
    auto wheel = [&](QWidget* target, int delta) {
        const QPointF at(target->width() / 2, 20);
        QWheelEvent e(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &e);
    };
    wheel(box->viewport(), -360);
    EXPECT_EQ(bar->value(), 1000 + increment);
    wheel(box->viewport(), 15);
    EXPECT_EQ(bar->value(), 1000);
    wheel(bar, -120);  // over the scroll bar too: one increment, not the bar's own three lines
    EXPECT_EQ(bar->value(), 1000 + increment);
    wheel(box->viewport(), 120);
    // The painted list follows the scroll position.
    EXPECT_EQ(h.Part("CluePaintBox")->y(), -1000);
}

TEST(PuzzleScreenLifecycle, APuzzleShownBeforeTheWindowGetsItsLayoutOnShow)
{
    Puzzle p = TypicalPuzzle();
    CursorState c;
    ColorScheme colors;
    PuzzleScreen screen(p, c, colors);
    screen.SetDiagramScrollBoxRatio(0.3);
    screen.SetFit(PuzzleScreen::FitMode::Width);
    screen.resize(900, 700);
    screen.ShowPuzzle();
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    auto* splitter = screen.findChild<QSplitter*>("Splitter1");
    auto* box = screen.findChild<QWidget*>("DiagramScrollBox");
    EXPECT_EQ(box->height(), DiagramPaneHeight(splitter->height() - 3, 0.3));
    EXPECT_EQ(screen.DiagramSquareSide(), FitWidth(box->width(), box->height(), p.RowCount, p.ColumnCount));
    const Point d = screen.Layout().DiagramPos(c.CurrentLetter);
    EXPECT_EQ(screen.findChild<QWidget*>("DiagramCursorPanel")->pos(),
              screen.findChild<QWidget*>("DiagramPanel")->pos() + QPoint(d.x + 1, d.y + 1));
}

TEST(PuzzleScreenLifecycle, ClosingHidesTheBandsAndIgnoresKeys)
{
    ScreenHarness h(TypicalPuzzle());
    h.screen->SetUpHeader(true);
    EXPECT_FALSE(h.Part("TitlePanel")->isVisible());
    EXPECT_FALSE(h.Part("Splitter1")->isVisible());
    EXPECT_FALSE(h.Part("HeaderControl1")->isVisible());
    const int32_t before = h.cursor.CurrentLetter;
    EXPECT_FALSE(h.screen->HandleKeyDown(Qt::Key_Right, Qt::NoModifier));
    EXPECT_EQ(h.cursor.CurrentLetter, before);
    // Another puzzle, smaller, replaces the first in place and is shown afresh.
    Puzzle small;
    ASSERT_TRUE(small.BuildPuzzle(1, 3, "", {"ABC"}, {{"One", {2, 1}, "XY"}, {"Two", {3}, ""}}));
    small.HeaderStrings[1] = "Only the middle header";
    small.MoreInfo.Lines = {"About this puzzle"};
    h.puzzle = small;
    h.cursor.KeyBusy = true;  // as a handler that failed half way would have left it
    h.screen->ShowPuzzle();
    QApplication::processEvents();
    EXPECT_EQ(h.cursor.CurrentLetter, 2);
    EXPECT_TRUE(h.screen->HandleKeyDown(Qt::Key_Right, Qt::NoModifier));
    EXPECT_EQ(h.cursor.CurrentLetter, 1) << "the new puzzle does not take keys";
    auto* header = h.Part<QHeaderView>("HeaderControl1");
    EXPECT_EQ(header->count(), 1);
    EXPECT_EQ(header->sectionSize(0), header->width());
    EXPECT_EQ(header->toolTip(), QString("Click here for more about this puzzle"));
    QSignalSpy clicked(h.screen.get(), &PuzzleScreen::headerClicked);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(20, 8));
    EXPECT_EQ(clicked.size(), 1);
    EXPECT_EQ(h.Part("TitlePanel")->findChildren<QLabel*>().size(), 2);
    EXPECT_EQ(h.Part("TitlePanel")->findChildren<QLabel*>()[0]->text(), QString("X"));
}

}  // namespace
}  // namespace qw::testing
