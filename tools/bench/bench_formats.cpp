// Importing a JPZ acrostic of the stress puzzle's size (700 clues, 10,000 letters) next to reading
// the same puzzle as .QWL, both from a file: the import should stay within three times the load.

#include <benchmark/benchmark.h>

#include <filesystem>

#include <unistd.h>

#include "formats/PuzzleFormats.h"
#include "puzzle/FileAccess.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"

using namespace qw;
namespace fs = std::filesystem;

namespace {

struct StressFiles {
    StressFiles()
    {
        const std::string stem = (fs::temp_directory_path() / ("qw_bench_formats_" + std::to_string(::getpid()))).string();
        Puzzle p = MakeStressPuzzle(1);
        p.SolutionScrambled = 0;  // a locked puzzle cannot be exported
        Qwl = stem + ".QWL";
        Jpz = stem + ".jpz";
        Ipuz = stem + ".ipuz";
        WriteFileAtomically(Qwl, EncodePuzzle(p));
        ExportPuzzle(p, Jpz);
        ExportPuzzle(p, Ipuz);
    }
    ~StressFiles()
    {
        std::error_code ec;
        for (const std::string& path : {Qwl, Jpz, Ipuz}) fs::remove(path, ec);
    }
    std::string Qwl, Jpz, Ipuz;
};

StressFiles& Files()
{
    static StressFiles files;
    return files;
}

void BM_LoadStressQwl(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(LoadPuzzle(Files().Qwl));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(Files().Qwl)));
}

void BM_ImportStressJpz(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(ImportPuzzle(Files().Jpz));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(Files().Jpz)));
}

void BM_ImportStressIpuz(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(ImportPuzzle(Files().Ipuz));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * fs::file_size(Files().Ipuz)));
}

void BM_ExportStressJpz(benchmark::State& state)
{
    Puzzle p = MakeStressPuzzle(1);
    p.SolutionScrambled = 0;
    for (auto _ : state) benchmark::DoNotOptimize(ExportPuzzleBytes(p, ImportKind::Jpz));
}

}  // namespace

BENCHMARK(BM_LoadStressQwl)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ImportStressJpz)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ImportStressIpuz)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_ExportStressJpz)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
