// The whole program's costs, measured on the offscreen platform: start-up to the first painted
// frame of a puzzle beside a bare main window and one with a menu bar and text, started the same
// way; a typed letter until both cursor marks are repainted, also with the highlight of the current
// answer on (its squares and slots are repainted in the same frame); a full repaint of both panes; a
// window resize with Fit Puzzle; the peak memory of a session with the stress puzzle open.
//
// Start-up and memory are measured in fresh processes: this program runs itself with --probe.
//   bench_app --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "app/TForm1.h"
#include "platform/Clock.h"
#include "platform/SettingsStore.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"
#include "view/qt/PuzzleScreen.h"

extern char** environ;

using namespace qw;

namespace {

double MonotonicSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The largest sample puzzle, or nothing when the samples are missing.
std::string SamplePuzzle()
{
    const QDir samples(QStringLiteral(QW_SOURCE_DIR "/Puzzles"));
    QString best;
    qint64 bestSize = -1;
    for (const QFileInfo& info : samples.entryInfoList({"*.QWL"}, QDir::Files)) {
        if (info.size() > bestSize) {
            best = info.absoluteFilePath();
            bestSize = info.size();
        }
    }
    return best.toStdString();
}

// Counts paint events of chosen widgets.
class PaintCounter : public QObject {
public:
    void Watch(QWidget* widget)
    {
        widget->installEventFilter(this);
        counts[widget] = 0;
    }
    bool AllPainted() const
    {
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() == 0) return false;
        return !counts.isEmpty();
    }
    void Reset()
    {
        for (auto it = counts.begin(); it != counts.end(); ++it) it.value() = 0;
    }
    QHash<QObject*, int> counts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++counts[watched];
        return false;
    }
};

// Processes events until every watched widget has painted; false when that never happens.
bool PumpUntilPainted(PaintCounter& counter, double timeout = 5.0)
{
    const double end = MonotonicSeconds() + timeout;
    while (!counter.AllPainted()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (MonotonicSeconds() > end) return false;
    }
    return true;
}

// The main window as the program builds it, with prompts that never block and settings of its own.
struct Session {
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> settings;
    ScriptedPrompts prompts;
    RecordingShell shell;
    SystemClock clock;
    std::unique_ptr<TForm1> form;

    explicit Session(QStringList parameters = {})
    {
        settings = std::make_unique<SettingsStore>(dir.filePath("Tamarisk.ini"));
        StartupOptions options;
        options.parameters = std::move(parameters);
        options.programDir = dir.path();
        options.puzzlesDir = QStringLiteral(QW_SOURCE_DIR "/Puzzles");
        options.screenWidth = 1024;
        options.startupPlacement = QRect(0, 0, 1000, 740);
        options.recoveryDir = dir.filePath("recovery");  // typing pays for its journal, as in the program
        form = std::make_unique<TForm1>(Services{*settings, prompts, shell, clock}, options);
    }
    QWidget* Part(const char* name) { return form->Screen().findChild<QWidget*>(QString::fromLatin1(name)); }
};

// ---- probes: run in a fresh process, print one number and exit -----------------------------

// `kind`: "bare" an empty main window; "text" one with a menu bar, a line of text and a status
// bar (what any window that shows text pays for its fonts); "app" the program with a puzzle.
int ProbeStartup(int argc, char** argv, const std::string& kind, const std::string& puzzle)
{
    QApplication app(argc, argv);
    PaintCounter counter;
    std::unique_ptr<QMainWindow> window;
    std::unique_ptr<Session> session;
    if (kind == "bare" || kind == "text") {
        window = std::make_unique<QMainWindow>();
        window->setGeometry(0, 0, 1000, 740);
        counter.Watch(window.get());
        if (kind == "text") {
            for (const char* menu : {"&File", "&View", "&Options", "&Solution", "&Help"})
                window->menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("&Item"));
            auto* label = new QLabel(QStringLiteral("A line of text"), window.get());
            window->setCentralWidget(label);
            window->statusBar()->showMessage(QStringLiteral("Ready"));
            counter.Watch(label);
        }
        window->show();
    } else {
        // As the program starts with a puzzle on its command line: the window opens it when shown.
        session = std::make_unique<Session>(QStringList{QString::fromStdString(puzzle)});
        counter.Watch(session->Part("DiagramPanel"));
        counter.Watch(session->Part("CluePaintBox"));
        session->form->show();
    }
    if (!PumpUntilPainted(counter)) return 3;
    if (session && session->form->CurrentPuzzle().FileName.empty()) return 4;
    std::printf("%.9f\n", MonotonicSeconds());
    std::fflush(stdout);
    return 0;
}

long PeakResidentKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').front().toLong();
    }
    return -1;
}

int ProbeMemory(int argc, char** argv, bool bare)
{
    QApplication app(argc, argv);
    std::unique_ptr<QMainWindow> window;
    std::unique_ptr<Session> session;
    QTemporaryDir dir;
    if (bare) {
        window = std::make_unique<QMainWindow>();
        window->setGeometry(0, 0, 1000, 740);
        window->show();
        QTest::qWait(50);
    } else {
        Puzzle stress = MakeStressPuzzle();
        stress.FileName = dir.filePath("Stress.QWL").toStdString();
        SavePuzzle(stress);
        session = std::make_unique<Session>(QStringList{QString::fromStdString(stress.FileName)});
        session->form->show();
        QTest::qWait(50);
        if (session->form->CurrentPuzzle().FileName.empty()) return 4;
        // A little solving: letters, a zoom, a fit, a resize.
        for (char ch : std::string("ACROSTIC")) {
            QTest::keyClick(session->form->focusWidget() ? session->form->focusWidget() : session->form.get(), ch);
        }
        session->form->View1Click();
        session->form->ZoomIn1->trigger();
        session->form->FitPuzzle1->trigger();
        session->form->resize(1400, 1000);
        QTest::qWait(50);
    }
    // The peak of this process's own memory: ru_maxrss survives execve on Linux and so would
    // report the benchmark process that started this one whenever that was larger.
    std::printf("%ld\n", PeakResidentKib());
    return 0;
}

// Runs this program again with `args`, returning its one line of output (empty on failure).
std::string RunProbe(const std::vector<std::string>& args, double* started = nullptr)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<std::string> all{"/proc/self/exe"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (started) *started = MonotonicSeconds();
    const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string out;
    char buffer[256];
    ssize_t n = 0;
    while (spawned == 0 && (n = read(pipeFds[0], buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    if (spawned == 0) waitpid(pid, &status, 0);
    if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    return out;
}

// ---- benchmarks ------------------------------------------------------------------------------

void StartupToFirstFrame(benchmark::State& state, const char* kind)
{
    const std::string puzzle = SamplePuzzle();
    if (std::string(kind) == "app" && puzzle.empty()) {
        state.SkipWithError("no sample puzzle");
        return;
    }
    for (auto _ : state) {
        double started = 0;
        const std::string out = RunProbe({"--probe", kind, puzzle}, &started);
        if (out.empty()) {
            state.SkipWithError("the probe failed");
            return;
        }
        state.SetIterationTime(std::stod(out) - started);
    }
}
void BM_StartupBareMainWindow(benchmark::State& state) { StartupToFirstFrame(state, "bare"); }
void BM_StartupMainWindowWithText(benchmark::State& state) { StartupToFirstFrame(state, "text"); }
void BM_StartupWithSamplePuzzle(benchmark::State& state) { StartupToFirstFrame(state, "app"); }
BENCHMARK(BM_StartupBareMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartupMainWindowWithText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartupWithSamplePuzzle)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A window showing `puzzle`, painted once.
std::unique_ptr<Session> ShownSession(const std::string& path)
{
    auto session = std::make_unique<Session>();
    session->form->setGeometry(0, 0, 1000, 740);
    if (!session->form->OpenPuzzleFile(path)) return nullptr;
    session->form->show();
    if (!QTest::qWaitForWindowExposed(session->form.get())) return nullptr;
    QTest::qWait(20);
    return session;
}

std::string StressFile(QTemporaryDir& dir)
{
    Puzzle stress = MakeStressPuzzle();
    stress.FileName = dir.filePath("Stress.QWL").toStdString();
    SavePuzzle(stress);
    return stress.FileName;
}

// The aids of the Options menu a benchmark turns on.
using AidItem = QAction* TForm1::*;

void TypedLetter(benchmark::State& state, const std::string& path, std::initializer_list<AidItem> aids = {})
{
    auto session = ShownSession(path);
    if (!session) {
        state.SkipWithError("cannot open the puzzle");
        return;
    }
    for (AidItem aid : aids) {
        QAction* item = session->form.get()->*aid;
        item->trigger();
        if (!item->isChecked()) {
            state.SkipWithError("an aid did not come on");
            return;
        }
    }
    PaintCounter marks;
    marks.Watch(session->Part("DiagramCursorPanel"));
    marks.Watch(session->Part("ClueCursorPanel"));
    QWidget* target = session->form->focusWidget() ? session->form->focusWidget() : session->form.get();
    const QString letters = QStringLiteral("ETAOINSHRDLU");
    int n = 0;
    for (auto _ : state) {
        marks.Reset();
        const QChar ch = letters[n++ % letters.size()];
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key(Qt::Key_A + (ch.unicode() - 'A')), QString(ch),
                            Qt::NoModifier);
        if (!PumpUntilPainted(marks)) {
            state.SkipWithError("the marks were not repainted");
            return;
        }
    }
    session->prompts.Clear();
    // Whether a screen reader's bridge listened (tools/bench/reader_cost.py runs this both ways).
    state.counters["reader"] = QAccessible::isActive() ? 1 : 0;
}
void BM_TypedLetterSample(benchmark::State& state)
{
    const std::string sample = SamplePuzzle();
    if (sample.empty()) {
        state.SkipWithError("no sample puzzle");
        return;
    }
    // Typing changes the puzzle; work on a copy.
    QTemporaryDir dir;
    const QString copy = dir.filePath("Sample.QWL");
    QFile::copy(QString::fromStdString(sample), copy);
    TypedLetter(state, copy.toStdString());
}
void BM_TypedLetterStress(benchmark::State& state)
{
    QTemporaryDir dir;
    TypedLetter(state, StressFile(dir));
}
void BM_TypedLetterStressHighlight(benchmark::State& state)
{
    QTemporaryDir dir;
    TypedLetter(state, StressFile(dir), {&TForm1::Highlightcurrentanswer1});
}
void BM_TypedLetterStressAllAids(benchmark::State& state)
{
    QTemporaryDir dir;
    TypedLetter(state, StressFile(dir),
                {&TForm1::Highlightcurrentanswer1, &TForm1::Showtheactivepanebyshape1, &TForm1::Showsquarelabels1,
                 &TForm1::Markwrongletterswhenchecking1});
}
BENCHMARK(BM_TypedLetterSample)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypedLetterStress)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypedLetterStressHighlight)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypedLetterStressAllAids)->Unit(benchmark::kMicrosecond);

void BM_RepaintBothPanesStress(benchmark::State& state)
{
    QTemporaryDir dir;
    auto session = ShownSession(StressFile(dir));
    if (!session) {
        state.SkipWithError("cannot open the puzzle");
        return;
    }
    PaintCounter panes;
    panes.Watch(session->Part("DiagramPanel"));
    panes.Watch(session->Part("CluePaintBox"));
    for (auto _ : state) {
        panes.Reset();
        session->form->Screen().RepaintPanes();
        if (!PumpUntilPainted(panes)) {
            state.SkipWithError("the panes were not repainted");
            return;
        }
    }
}
BENCHMARK(BM_RepaintBothPanesStress)->Unit(benchmark::kMillisecond);

// A full repaint with squares big enough for the labels (a fitted stress diagram leaves them
// out), without (0) and with (1) them.
void BM_RepaintStressLabels(benchmark::State& state)
{
    QTemporaryDir dir;
    auto session = ShownSession(StressFile(dir));
    if (!session) {
        state.SkipWithError("cannot open the puzzle");
        return;
    }
    PuzzleScreen& screen = session->form->Screen();
    screen.SetFit(FitMode::None);
    screen.SetDiagramSquareSide(25);
    if (state.range(0) != 0) session->form->Showsquarelabels1->trigger();
    QTest::qWait(20);
    PaintCounter panes;
    panes.Watch(session->Part("DiagramPanel"));
    panes.Watch(session->Part("CluePaintBox"));
    for (auto _ : state) {
        panes.Reset();
        screen.RepaintPanes();
        if (!PumpUntilPainted(panes)) {
            state.SkipWithError("the panes were not repainted");
            return;
        }
    }
}
BENCHMARK(BM_RepaintStressLabels)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// `fresh`: every step a width the window has not had yet, as when an edge is dragged; otherwise
// back and forth between two sizes, as when the window is maximised and restored.
void ResizeFitPuzzle(benchmark::State& state, bool fresh)
{
    QTemporaryDir dir;
    auto session = ShownSession(StressFile(dir));
    if (!session) {
        state.SkipWithError("cannot open the puzzle");
        return;
    }
    session->form->View1Click();
    session->form->FitPuzzle1->trigger();
    QTest::qWait(20);
    PaintCounter panes;
    panes.Watch(session->Part("DiagramPanel"));
    panes.Watch(session->Part("CluePaintBox"));
    int step = 0;
    for (auto _ : state) {
        panes.Reset();
        ++step;
        const QSize size = fresh ? QSize(900 + (step * 37) % 997, 700 + (step * 23) % 301)
                                 : (step % 2 ? QSize(1200, 900) : QSize(1000, 740));
        session->form->resize(size);
        if (!PumpUntilPainted(panes)) {
            state.SkipWithError("the panes were not repainted");
            return;
        }
    }
}
void BM_ResizeFitPuzzleStress(benchmark::State& state) { ResizeFitPuzzle(state, true); }
void BM_ResizeFitPuzzleStressTwoSizes(benchmark::State& state) { ResizeFitPuzzle(state, false); }
BENCHMARK(BM_ResizeFitPuzzleStress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeFitPuzzleStressTwoSizes)->Unit(benchmark::kMillisecond);

void PeakMemory(benchmark::State& state, bool bare)
{
    long kib = 0;
    for (auto _ : state) {
        const std::string out = RunProbe({"--probe", bare ? "memory-bare" : "memory-stress"});
        if (out.empty()) {
            state.SkipWithError("the probe failed");
            return;
        }
        kib = std::stol(out);
        if (kib <= 0) {
            state.SkipWithError("no peak memory figure");
            return;
        }
    }
    // A label, not a counter: aggregated reports of single runs mix counters up.
    char label[64];
    std::snprintf(label, sizeof label, "peak RSS %.1f MiB", static_cast<double>(kib) / 1024.0);
    state.SetLabel(label);
}
void BM_PeakMemoryBareMainWindow(benchmark::State& state) { PeakMemory(state, true); }
void BM_PeakMemoryStressSession(benchmark::State& state) { PeakMemory(state, false); }
BENCHMARK(BM_PeakMemoryBareMainWindow)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemoryStressSession)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 3 && !std::strcmp(argv[1], "--probe")) {
        const std::string mode = argv[2];
        const std::string puzzle = argc >= 4 ? argv[3] : "";
        int probeArgc = 1;
        if (mode == "bare" || mode == "text" || mode == "app") return ProbeStartup(probeArgc, argv, mode, puzzle);
        if (mode == "memory-bare" || mode == "memory-stress") return ProbeMemory(probeArgc, argv, mode == "memory-bare");
        return 2;
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
