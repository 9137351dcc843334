// The screen's costs for the stress puzzle (700 clues, 10,000 letters): the word-list layout (with
// and without the dot leaders, which are made only for clues painted), a full repaint of both
// panes, a paint of the whole diagram surface, and one navigation key from the key event to both
// marks placed. Runs on the offscreen platform unless told otherwise.

#include "QtBenchMain.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <memory>

#include "platform/QtConvert.h"
#include "puzzle/StressPuzzle.h"
#include "view/WordListLayout.h"
#include "view/qt/FontMetricsCache.h"
#include "view/qt/PuzzleScreen.h"

using namespace qw;

namespace {

struct ShownScreen {
    Puzzle puzzle;
    CursorState cursor;
    ColorScheme colors;
    std::unique_ptr<PuzzleScreen> screen;

    explicit ShownScreen(Puzzle p, int side = 25) : puzzle(std::move(p))
    {
        screen = std::make_unique<PuzzleScreen>(puzzle, cursor, colors);
        screen->SetFit(FitMode::None);
        screen->SetDiagramSquareSide(side);
        screen->resize(1000, 750);
        screen->show();
        screen->ShowPuzzle();
        QApplication::processEvents();
    }
};

// A puzzle of ordinary size: 14 columns, about 170 letters, 26 clues.
Puzzle TypicalPuzzle()
{
    std::vector<std::string> rows;
    const std::string quote =
        "WHEN THE WIND IS SOUTHERLY I KNOW A HAWK FROM A HANDSAW AND THE READINESS IS ALL FOR THE REST "
        "IS SILENCE BUT THE PLAY IS THE THING WHEREIN I WILL CATCH THE CONSCIENCE OF THE KING TONIGHT";
    for (size_t at = 0; at < quote.size(); at += 14) {
        std::string row = quote.substr(at, 14);
        row.resize(14, ' ');
        rows.push_back(row);
    }
    int letters = 0;
    for (char ch : quote) letters += ch != ' ';
    std::vector<ClueInput> clues(26);
    for (int i = 1; i <= letters; ++i) clues[static_cast<size_t>((i * 7) % 26)].Answer.push_back(i);
    for (size_t k = 0; k < clues.size(); ++k) clues[k].Text = "A clue of moderate length, number " + std::to_string(k);
    Puzzle p;
    p.BuildPuzzle(static_cast<int32_t>(rows.size()), 14, "", rows, clues);
    return p;
}

void BM_WordListLayout(benchmark::State& state)
{
    Puzzle puzzle = MakeStressPuzzle();
    const FontMetricsCache metrics;
    const WordListFonts fonts;
    for (auto _ : state) {
        WordListLayout layout = LayoutWordList(puzzle, metrics, fonts, 980);
        benchmark::DoNotOptimize(layout.FinalY);
    }
}
BENCHMARK(BM_WordListLayout)->Unit(benchmark::kMillisecond);

// The layout with the dot leader of every clue, as a paint of the whole list would add them.
void BM_WordListLayoutAllLeaders(benchmark::State& state)
{
    Puzzle puzzle = MakeStressPuzzle();
    const FontMetricsCache metrics;
    const WordListFonts fonts;
    for (auto _ : state) {
        WordListLayout layout = LayoutWordList(puzzle, metrics, fonts, 980);
        for (ClueBlock& block : layout.Clues) AddDotLeader(block, layout.Measures, metrics, fonts);
        benchmark::DoNotOptimize(layout.Clues.back().Lines.back().Text.size());
    }
}
BENCHMARK(BM_WordListLayoutAllLeaders)->Unit(benchmark::kMillisecond);

void BM_RepaintBothPanes(benchmark::State& state)
{
    ShownScreen shown(MakeStressPuzzle());
    QImage image(shown.screen->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        shown.screen->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RepaintBothPanes)->Unit(benchmark::kMillisecond);

void BM_PaintWholeDiagramSurface(benchmark::State& state)
{
    ShownScreen shown(MakeStressPuzzle());
    QWidget* panel = shown.screen->findChild<QWidget*>(QStringLiteral("DiagramPanel"));
    QImage image(panel->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        panel->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["pixels"] = static_cast<double>(panel->width()) * panel->height();
}
BENCHMARK(BM_PaintWholeDiagramSurface)->Unit(benchmark::kMillisecond);

void NavigationKey(benchmark::State& state, Puzzle puzzle)
{
    ShownScreen shown(std::move(puzzle));
    int key = Qt::Key_Right;
    for (auto _ : state) {
        // Walk right along the word list and back, so every key moves the cursor.
        if (shown.cursor.CurrentLetter == shown.puzzle.Clues.back().Answer.back()) key = Qt::Key_Left;
        if (shown.cursor.CurrentLetter == shown.puzzle.Clues.front().Answer.front()) key = Qt::Key_Right;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(shown.screen.get(), &press);
    }
}

void BM_NavigationKeyTypical(benchmark::State& state) { NavigationKey(state, TypicalPuzzle()); }
BENCHMARK(BM_NavigationKeyTypical)->Unit(benchmark::kMicrosecond);

void BM_NavigationKeyStress(benchmark::State& state) { NavigationKey(state, MakeStressPuzzle()); }
BENCHMARK(BM_NavigationKeyStress)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) { return qw::RunQtBenchmarks(argc, argv); }
