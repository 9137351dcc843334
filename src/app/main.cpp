// Program start: the command line, the platform services and the main window.

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>
#include <cstdio>
#include <cstring>

#include "app/AppSettings.h"
#include "app/CopyGuard.h"
#include "app/Startup.h"
#include "app/TForm1.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "print/qt/QtPrintSurface.h"
#include "print/qt/PrinterOptionsForm.h"
#include "formats/PuzzleFormats.h"
#include "puzzle/FileAccess.h"
#include "puzzle/Journal.h"
#include "puzzle/PuzzleFile.h"

namespace {

constexpr const char* kUsage =
    "Usage: quotewell [PUZZLE]\n"
    "       quotewell --print-pdf OUT.pdf [--as-filled] PUZZLE\n"
    "       quotewell --help | --version\n"
    "\n"
    "Solve an acrostic puzzle (.QWL, .jpz or .ipuz file) on screen, or print it to a PDF file.\n"
    "  --print-pdf OUT.pdf  write the printed puzzle to OUT.pdf without opening a window\n"
    "  --as-filled          print the letters entered so far (with --print-pdf)\n"
    "  --help               show this text\n"
    "  --version            show the program's version\n";

struct CommandLine {
    bool asFilled = false;
    QString pdf;
    QStringList parameters;
    QString error;
};

struct QtOption {
    const char* name;
    bool takesValue;
};
// The options Qt takes for itself (with one dash or two), so that the command line can be read
// before QApplication has removed them.
constexpr QtOption kQtOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"reverse", false},
    {"session", true}, {"display", true}, {"name", true}, {"title", true}, {"visual", true},
    {"geometry", true}, {"style", true}, {"stylesheet", true}, {"widgetcount", false},
    {"qmljsdebugger", false}, {"nograb", false}, {"dograb", false}, {"sync", false}, {"ncols", true},
    {"cmap", false}};

// The Qt option `arg` names, if any.
const QtOption* QtOptionOf(const char* arg)
{
    if (arg[0] != '-') return nullptr;
    const char* name = arg + (arg[1] == '-' ? 2 : 1);
    const char* eq = std::strchr(name, '=');
    const size_t length = eq ? static_cast<size_t>(eq - name) : std::strlen(name);
    for (const QtOption& o : kQtOptions)
        if (std::strlen(o.name) == length && !std::strncmp(name, o.name, length)) return &o;
    return nullptr;
}

// With `qtOptionsPresent`, Qt's own options are still on the command line and are passed over.
CommandLine Parse(int argc, char** argv, bool qtOptionsPresent)
{
    CommandLine cl;
    bool optionsDone = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (!optionsDone && arg == "--") { optionsDone = true; continue; }
        if (!optionsDone && qtOptionsPresent) {
            if (const QtOption* qt = QtOptionOf(argv[i])) {
                if (qt->takesValue && !std::strchr(argv[i], '=')) ++i;
                continue;
            }
        }
        if (!optionsDone && arg.startsWith("--")) {
            if (arg == "--as-filled") cl.asFilled = true;
            else if (arg == "--print-pdf") {
                if (i + 1 >= argc) { cl.error = "--print-pdf needs the name of the PDF file to write"; return cl; }
                cl.pdf = QString::fromLocal8Bit(argv[++i]);
            } else {
                cl.error = "unknown option " + arg;
                return cl;
            }
            continue;
        }
        cl.parameters << arg;
    }
    if (cl.asFilled && cl.pdf.isEmpty()) cl.error = "--as-filled goes with --print-pdf";
    if (!cl.pdf.isEmpty() && cl.parameters.isEmpty()) cl.error = "--print-pdf needs a puzzle to print";
    return cl;
}

// Our options, and the ones Qt takes for itself.
const char* UnknownOption(int argc, char** argv)
{
    static const char* const ours[] = {"--help", "--version", "--print-pdf", "--as-filled"};
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (!std::strcmp(arg, "--")) return nullptr;
        if (std::strncmp(arg, "--", 2) != 0) continue;
        bool known = QtOptionOf(arg) != nullptr;
        for (const char* o : ours) known = known || !std::strcmp(arg, o);
        if (!known) return arg;
        if (!std::strcmp(arg, "--print-pdf")) ++i;  // its file name may start with dashes
    }
    return nullptr;
}

bool WantsHeadless(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--print-pdf")) return true;
    return false;
}

int PrintPdf(const CommandLine& cl, qw::SettingsStore& settings, const QString& startFolder)
{
    const QString path = qw::ResolvePuzzleParameters(cl.parameters, startFolder).join(' ');
    const QString pdf = QDir(startFolder).absoluteFilePath(cl.pdf);
    // Whatever path names it, the puzzle itself is never replaced by its printout.
    if (qw::SameFile(path.toStdString(), pdf.toStdString())) {
        std::fprintf(stderr, "The PDF file %s is the puzzle being printed; give the PDF another name.\n", qPrintable(pdf));
        return 1;
    }
    try {
        qw::Puzzle puzzle = qw::ImportKindOf(path.toStdString()) ? qw::ImportPuzzle(path.toStdString())
                                                                 : qw::LoadPuzzle(path.toStdString());
        puzzle.FileName = path.toStdString();
        qw::PrintToPdf(puzzle, qw::ReadPrinterOptions(settings), cl.asFilled, pdf);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Answered before any window system is touched, so they work anywhere.
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--")) break;
        if (!std::strcmp(argv[i], "--help")) { std::fputs(kUsage, stdout); return 0; }
        if (!std::strcmp(argv[i], "--version")) { std::printf("Quotewell %s\n", QW_VERSION); return 0; }
    }
    // A mistyped option is reported before any window system is touched, so the message arrives
    // even where no display can be opened.
    if (const char* unknown = UnknownOption(argc, argv)) {
        std::fprintf(stderr, "quotewell: unknown option %s\n\n%s", unknown, kUsage);
        return 2;
    }
    // The rest of the command line too: without a display, starting the window system would end
    // the program before any usage message.
    if (const CommandLine early = Parse(argc, argv, true); !early.error.isEmpty()) {
        std::fprintf(stderr, "quotewell: %s\n\n%s", qPrintable(early.error), kUsage);
        return 2;
    }
    // Printing to a file needs no screen.
    if (WantsHeadless(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString startFolder = QDir::currentPath();
    qw::FontPreload fonts;
    QApplication app(argc, argv);
    fonts.ApplicationReady();
    // Whatever way main ends, the thread is done with Qt's fonts before QApplication goes.
    const struct FontsFinished {
        qw::FontPreload& fonts;
        ~FontsFinished() { fonts.Finish(); }
    } fontsFinished{fonts};
    const std::jthread imageFormats = qw::PreloadImageFormats();
    QApplication::setApplicationName("Quotewell");
    QApplication::setOrganizationName("Tamarisk");
    QApplication::setApplicationVersion(QW_VERSION);
    // Ties the windows to quotewell.desktop (its name and icon in the task bar under Wayland too).
    QGuiApplication::setDesktopFileName(QStringLiteral("quotewell"));
    QIcon icon;
    for (const int size : {16, 32, 64, 128})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/quotewell.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    const CommandLine cl = Parse(argc, argv, false);
    if (!cl.error.isEmpty()) {
        std::fprintf(stderr, "quotewell: %s\n\n%s", qPrintable(cl.error), kUsage);
        return 2;
    }

    qw::SettingsStore settings;
    if (!cl.pdf.isEmpty()) {
        fonts.WaitForConfiguration();
        return PrintPdf(cl, settings, startFolder);
    }
    qw::QtPrompts prompts;

    qw::DesktopShell shell;
    qw::SystemClock clock;
    const qw::StartupPaths paths = qw::ResolveStartupPaths(QApplication::applicationDirPath());
    qw::StartupOptions options;
    options.parameters = qw::ResolvePuzzleParameters(cl.parameters, startFolder);
    options.programDir = paths.programDir;
    options.puzzlesDir = paths.puzzlesDir;
    options.helpFile = paths.helpFile;
    QScreen* screen = QApplication::primaryScreen();
    options.screenWidth = screen ? screen->geometry().width() : 1024;
    options.startupPlacement = qw::StartupPlacement();
    options.recoveryDir = QString::fromStdString(qw::JournalFolderFromEnvironment());
    // Beside the journals: the user's own state folder.
    if (!options.recoveryDir.isEmpty()) options.copiesDir = QDir::cleanPath(options.recoveryDir + "/../copies");

    // A copy started for a puzzle that another running copy has open hands it over and is done.
    if (!options.parameters.isEmpty() && !options.copiesDir.isEmpty()) {
        const qw::CopyGuard probe(options.copiesDir);
        const std::string path = options.parameters.join(' ').toStdString();
        if (probe.HeldElsewhere(path)) {
            probe.AskHolderToFront(path);
            return 0;
        }
    }

    fonts.WaitForConfiguration();
    qw::TForm1 form(qw::Services{settings, prompts, shell, clock}, options);
    prompts.SetParent(&form);
    form.show();
    return app.exec();
}
