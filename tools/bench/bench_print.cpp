// The cost of a print job to PDF at 600 dpi: the sample puzzle (one page) and the stress puzzle
// (700 clues over many pages), fresh and as filled; and the layout alone on a surface that only
// measures, to separate our arithmetic from Qt's drawing and PDF writing.

#include "QtBenchMain.h"
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "print/PrintPuzzle.h"
#include "print/SamplePuzzle.h"
#include "print/qt/QtPrintSurface.h"
#include "puzzle/StressPuzzle.h"

using namespace qw;

namespace {

QString OutPath()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("bench.pdf"));
}

void PrintPdf(benchmark::State& state, const Puzzle& puzzle, bool asFilled)
{
    int pages = 0;
    for (auto _ : state) pages = PrintToPdf(puzzle, PrinterOptions{}, asFilled, OutPath()).pages;
    state.counters["pages"] = pages;
}

void BM_PrintSamplePdf(benchmark::State& state)
{
    static const Puzzle puzzle = MakeSamplePuzzle(true);
    PrintPdf(state, puzzle, state.range(0) != 0);
}
BENCHMARK(BM_PrintSamplePdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PrintStressPdf(benchmark::State& state)
{
    static const Puzzle puzzle = MakeStressPuzzle();
    PrintPdf(state, puzzle, state.range(0) != 0);
}
BENCHMARK(BM_PrintStressPdf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Measures like a 600 dpi printer with fixed-pitch text and draws nothing.
class NullSurface : public PrintSurface {
public:
    DeviceMetrics Metrics() const override { return {203, 4800, 6300, 600, 600}; }
    void BeginJob() override {}
    void NewPage() override {}
    void EndJob() override {}
    void AbortJob() noexcept override {}
    void SetFont(const PrintFont& font) override { h_ = font.height < 0 ? -font.height : font.height; }
    int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * h_ / 2; }
    int TextHeight(std::string_view) override { return h_; }
    void TextOut(int, int, std::string_view) override {}
    void SetInk(uint32_t) override {}
    void Rectangle(int, int, int, int, std::optional<uint32_t>) override {}
    void Fill(int, int, int, int, uint32_t) override {}
    void Line(int, int, int, int) override {}

private:
    int h_ = 1;
};

void BM_StressLayoutOnly(benchmark::State& state)
{
    static const Puzzle puzzle = MakeStressPuzzle();
    NullSurface surface;
    int pages = 0;
    for (auto _ : state) pages = PrintPuzzle(surface, puzzle, PrinterOptions{}, true).pages;
    state.counters["pages"] = pages;
}
BENCHMARK(BM_StressLayoutOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return qw::RunQtBenchmarks(argc, argv); }
