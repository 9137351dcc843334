// The composer's figures over the replay set (tools/bench/replay/pools.tsv): auto-fill time and
// fill rate, numbering time and collision-free share, suggestion refresh time, word-list start.
// Run with --benchmark_filter; QW_REPLAY_LIMIT=N uses only the first N pools.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "compose/ComposeText.h"
#include "compose/Filler.h"
#include "compose/Numbering.h"
#include "compose/WordList.h"

using namespace qw::compose;
using Clock = std::chrono::steady_clock;

namespace {

struct Pool {
    std::string source;
    std::string quotation;
};

std::vector<Pool> ReplaySet()
{
    std::vector<Pool> pools;
    std::ifstream in(std::string(QW_SOURCE_DIR) + "/tools/bench/replay/pools.tsv");
    std::string line;
    while (std::getline(in, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos) pools.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    if (const char* limit = std::getenv("QW_REPLAY_LIMIT"))
        pools.resize(std::min(pools.size(), static_cast<size_t>(std::atoi(limit))));
    return pools;
}

const WordList& Words()
{
    static const WordList words = WordList::Load(WordListOptions{});
    return words;
}

FillRequest RequestFor(const QuoteAnalysis& quote, uint64_t seed)
{
    FillRequest r;
    r.pool = quote.pool;
    r.quotationWords = quote.words;
    r.seed = seed;
    r.timeoutSeconds = 10;
    for (char initial : quote.sourceLetters) r.answerSlots.push_back({initial, {}});
    return r;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Quantile(std::vector<double> v, double q)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size())))];
}

void BM_WordListReady(benchmark::State& state)
{
    const std::string cache = (std::filesystem::temp_directory_path() / "qw-bench-wordlist").string();
    WordListOptions options;
    options.cacheDir = cache;
    WordList::Load(options);  // builds the cache once
    for (auto _ : state) {
        WordList words = WordList::Load(options);
        benchmark::DoNotOptimize(words.size());
    }
    std::filesystem::remove_all(cache);
}
BENCHMARK(BM_WordListReady)->Unit(benchmark::kMillisecond);

void BM_WordListBuild(benchmark::State& state)
{
    WordListOptions options;
    options.cacheDir = "-";
    for (auto _ : state) benchmark::DoNotOptimize(WordList::Load(options).size());
}
BENCHMARK(BM_WordListBuild)->Unit(benchmark::kMillisecond);

// One pass over the whole set per iteration: the figures are the counters.
void BM_ReplayFillAndNumber(benchmark::State& state)
{
    const auto pools = ReplaySet();
    const WordList& words = Words();
    for (auto _ : state) {
        std::vector<double> fill, number;
        int filled = 0, clean = 0;
        for (const Pool& p : pools) {
            const QuoteAnalysis quote = AnalyzeQuote(p.quotation, p.source);
            const auto t0 = Clock::now();
            const FillResult result = AutoFill(words, RequestFor(quote, 1));
            fill.push_back(Ms(Clock::now() - t0));
            if (!result.filled) continue;
            ++filled;
            const DiagramLayout layout = LayOutDiagram(quote, 27);
            const auto t1 = Clock::now();
            const Numbering n = NumberAnswers(layout, result.answers, 1);
            number.push_back(Ms(Clock::now() - t1));
            if (n.complete && n.collisions == 0) ++clean;
        }
        state.counters["pools"] = static_cast<double>(pools.size());
        state.counters["fill_median_ms"] = Quantile(fill, 0.5);
        state.counters["fill_p95_ms"] = Quantile(fill, 0.95);
        state.counters["filled_pct"] = 100.0 * filled / static_cast<double>(pools.size());
        state.counters["number_median_ms"] = Quantile(number, 0.5);
        state.counters["number_max_ms"] = Quantile(number, 1.0);
        state.counters["collision_free_pct"] = filled ? 100.0 * clean / filled : 0;
    }
}
BENCHMARK(BM_ReplayFillAndNumber)->Unit(benchmark::kSecond)->Iterations(1);

// The refresh after an edit: a filled puzzle with one answer cleared, and with three cleared.
void BM_SuggestionRefresh(benchmark::State& state)
{
    auto pools = ReplaySet();
    pools.resize(std::min<size_t>(pools.size(), 60));
    const WordList& words = Words();
    std::vector<std::pair<FillRequest, size_t>> cases;
    for (const Pool& p : pools) {
        const QuoteAnalysis quote = AnalyzeQuote(p.quotation, p.source);
        FillRequest r = RequestFor(quote, 1);
        const FillResult result = AutoFill(words, r);
        if (!result.filled) continue;
        for (size_t s = 0; s < r.answerSlots.size(); ++s) r.answerSlots[s].answer = result.answers[s];
        const size_t slot = cases.size() % r.answerSlots.size();
        for (size_t k = 0; k < static_cast<size_t>(state.range(0)); ++k) r.answerSlots[(slot + k) % r.answerSlots.size()].answer.clear();
        cases.push_back({r, slot});
    }
    std::vector<double> times;
    size_t offered = 0;
    for (auto _ : state) {
        for (const auto& [r, slot] : cases) {
            const auto t0 = Clock::now();
            offered += Suggest(words, r, slot).size();
            times.push_back(Ms(Clock::now() - t0));
        }
    }
    state.counters["refresh_median_ms"] = Quantile(times, 0.5);
    state.counters["refresh_p95_ms"] = Quantile(times, 0.95);
    state.counters["refresh_max_ms"] = Quantile(times, 1.0);
    state.counters["offered_mean"] = times.empty() ? 0 : static_cast<double>(offered) / static_cast<double>(times.size());
}
BENCHMARK(BM_SuggestionRefresh)->Arg(1)->Arg(3)->Arg(8)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
