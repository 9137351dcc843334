// Start-up as a person sees it: from spawning the real program to its first window being mapped
// on the X server, beside a bare QWidget window built in the same tree (bare_window) and a bare
// main window with menus, text and a status bar (bare_window --main-window), all started in turn
// so that all see the same machine. Reported per puzzle: the median of each and the ratios of the
// medians (`ratio` against the bare window, `ratio_main` against the bare main window). Needs an X display:
//   xvfb-run -a build/tools/bench/bench_startup

#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "puzzle/FileAccess.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Watches the root window for windows being mapped.
class MapWatcher {
public:
    MapWatcher()
    {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_)) return;
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
        ok_ = true;
    }
    ~MapWatcher() { xcb_disconnect(connection_); }
    bool Ok() const { return ok_; }

    void Drain()
    {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
    }

    // Waits for the next window to be mapped; false when none is within the time or `child` ended.
    bool WaitForMap(pid_t child, std::chrono::milliseconds limit)
    {
        const auto end = Clock::now() + limit;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
                std::free(event);
                if (mapped) return true;
            }
            if (xcb_connection_has_error(connection_) || ::waitpid(child, nullptr, WNOHANG) == child) return false;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
            if (left <= 0) return false;
            pollfd fd{xcb_get_file_descriptor(connection_), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(std::min<long long>(left, 50)));
        }
    }

private:
    xcb_connection_t* connection_ = nullptr;
    bool ok_ = false;
};

struct Fixture {
    Fixture()
    {
        std::string pattern = (fs::temp_directory_path() / "qw-bench-startup-XXXXXX").string();
        root = ::mkdtemp(pattern.data()) ? pattern : std::string();
        sample = root + "/Classic.QWL";
        fs::copy_file(QW_SOURCE_DIR "/Puzzles/Classic.QWL", sample);
        stress = root + "/Stress.QWL";
        qw::WriteFileAtomically(stress, qw::EncodePuzzle(qw::MakeStressPuzzle()));
        // Settings, journal and puzzles folder of its own, so no start finds a user's state.
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"}) {
            fs::create_directories(root + "/" + name);
            overrides.push_back(std::string(name) + "=" + root + "/" + name);
        }
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            const bool replaced = std::any_of(overrides.begin(), overrides.end(), [&](const std::string& o) {
                return entry.compare(0, o.find('=') + 1, o, 0, o.find('=') + 1) == 0;
            });
            if (!replaced) environment.push_back(entry);
        }
        environment.insert(environment.end(), overrides.begin(), overrides.end());
    }
    ~Fixture()
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // Milliseconds from spawn to the first mapped window; nullopt when none appeared.
    std::optional<double> Start(MapWatcher& watcher, const std::vector<std::string>& command)
    {
        std::vector<char*> argv, envp;
        for (const std::string& a : command) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        for (const std::string& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
        envp.push_back(nullptr);
        watcher.Drain();
        pid_t child = 0;
        const auto start = Clock::now();
        if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return std::nullopt;
        const bool mapped = watcher.WaitForMap(child, std::chrono::seconds(20));
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        if (!mapped) return std::nullopt;
        return ms;
    }

    std::string root, sample, stress;
    std::vector<std::string> overrides, environment;
};

Fixture& Files()
{
    static Fixture fixture;
    return fixture;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void StartupAgainstBareWindow(benchmark::State& state, bool stressPuzzle)
{
    // One connection for the whole run: a display server with no clients left resets itself.
    static MapWatcher watcher;
    if (!watcher.Ok()) {
        state.SkipWithError("no X display: run under xvfb-run -a");
        return;
    }
    Fixture& files = Files();
    const std::vector<std::string> bare = {QW_BARE_WINDOW};
    const std::vector<std::string> bareMain = {QW_BARE_WINDOW, "--main-window"};
    const std::vector<std::string> program = {QW_QUOTEWELL, stressPuzzle ? files.stress : files.sample};
    // One start of each first, so that all find the fonts and libraries in the page cache.
    const std::vector<const std::vector<std::string>*> commands = {&bare, &bareMain, &program};
    for (const auto* command : commands) files.Start(watcher, *command);
    std::vector<std::vector<double>> ms(commands.size());
    for (auto _ : state) {
        // In turn, starting from another one every round, so a drift in the machine's load hits all.
        const size_t round = ms[0].size();
        for (size_t i = 0; i < commands.size(); ++i) {
            const size_t which = (round + i) % commands.size();
            const auto took = files.Start(watcher, *commands[which]);
            if (!took) {
                state.SkipWithError("a window did not appear within 20 s");
                return;
            }
            ms[which].push_back(*took);
        }
        state.SetIterationTime(ms[2].back() / 1000.0);
    }
    state.counters["bare_ms"] = Median(ms[0]);
    state.counters["bare_main_ms"] = Median(ms[1]);
    state.counters["quotewell_ms"] = Median(ms[2]);
    state.counters["ratio"] = Median(ms[2]) / Median(ms[0]);
    state.counters["ratio_main"] = Median(ms[2]) / Median(ms[1]);
}

}  // namespace

BENCHMARK_CAPTURE(StartupAgainstBareWindow, sample_puzzle, false)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(StartupAgainstBareWindow, stress_puzzle, true)->Iterations(9)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
