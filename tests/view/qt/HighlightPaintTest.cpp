#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

#include "ScreenFixture.h"

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
    h.screen->PlaceCursor(true);
}

TEST(HighlightPaint, PanesPaintAsTheGoldenPictures)
{
    ScreenHarness h(TypicalPuzzle(), {1000, 750});
    Prepare(h);
    for (const char* pane : {"wordlist", "diagram"}) {
        const PaneShots shots = Shoot(h);
        ExpectGolden(shots.diagram, QStringLiteral("diagram_%1_active.png").arg(pane));
        ExpectGolden(shots.wordList, QStringLiteral("wordlist_%1_active.png").arg(pane));
        QTest::keyClick(h.screen.get(), Qt::Key_Tab);
    }
}

}  // namespace
}  // namespace qw::testing
