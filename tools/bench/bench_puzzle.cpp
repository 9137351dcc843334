// Load and save of the stress puzzle (700 clues, 10,000 letters), next to a plain read and a plain
// synced write of the same bytes, so the codec's own share can be seen.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"

using namespace qw;
namespace fs = std::filesystem;

namespace {

struct StressFile {
    StressFile()
    {
        Path = (fs::temp_directory_path() / ("qw_bench_stress_" + std::to_string(::getpid()) + ".QWL")).string();
        Model = MakeStressPuzzle(1);
        Model.FileName = Path;
        SavePuzzle(Model);
        Bytes = EncodePuzzle(Model);
    }
    ~StressFile()
    {
        std::error_code ec;
        fs::remove(Path, ec);
        fs::remove(Path + ".plain", ec);
    }
    std::string Path;
    Puzzle Model;
    std::string Bytes;
};

StressFile& Stress()
{
    static StressFile file;
    return file;
}

void BM_LoadStressPuzzle(benchmark::State& state)
{
    const std::string& path = Stress().Path;
    for (auto _ : state) benchmark::DoNotOptimize(LoadPuzzle(path));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Stress().Bytes.size()));
}

void BM_DecodeStressPuzzle(benchmark::State& state)
{
    const std::string& bytes = Stress().Bytes;
    for (auto _ : state) benchmark::DoNotOptimize(DecodePuzzle(bytes, "bench"));
}

void BM_PlainReadSameBytes(benchmark::State& state)
{
    const std::string& path = Stress().Path;
    for (auto _ : state) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        benchmark::DoNotOptimize(bytes.str());
    }
}

void BM_SaveStressPuzzle(benchmark::State& state)
{
    Puzzle& p = Stress().Model;
    for (auto _ : state) SavePuzzle(p);
}

void BM_EncodeStressPuzzle(benchmark::State& state)
{
    const Puzzle& p = Stress().Model;
    for (auto _ : state) benchmark::DoNotOptimize(EncodePuzzle(p));
}

// What any durable write of these bytes costs: create, write, fsync, close.
void BM_PlainSyncedWriteSameBytes(benchmark::State& state)
{
    const std::string path = Stress().Path + ".plain";
    const std::string& bytes = Stress().Bytes;
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

BENCHMARK(BM_LoadStressPuzzle)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_DecodeStressPuzzle)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainReadSameBytes)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_SaveStressPuzzle)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_EncodeStressPuzzle)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_PlainSyncedWriteSameBytes)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
