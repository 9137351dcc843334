#pragma once
// Where the program finds its puzzles and its quick reference, in a build tree or installed.

#include <QString>
#include <QStringList>
#include <future>
#include <thread>

namespace qw {

struct StartupPaths {
    QString programDir;
    QString puzzlesDir;  // the Open dialog's start folder; empty when there is none
    QString helpFile;
};

// A writable "Puzzles" folder beside the program wins (a build tree, a portable copy). Otherwise
// the per-user puzzles folder under the XDG data location is used, created and seeded with copies
// of the bundled samples the first time.
StartupPaths ResolveStartupPaths(const QString& programDir);

// Command-line parameters that name a puzzle are joined with single spaces (a path containing
// spaces may arrive split) and a relative path is taken from the folder the program was started in.
QStringList ResolvePuzzleParameters(const QStringList& parameters, const QString& startFolder);

// Load from disk, each on a thread of its own, what the first window needs but the main thread
// need not load itself; the main thread finds it loaded when it gets there, or waits for it as it
// would have loaded it.

// The installed fonts: fontconfig's configuration and caches first, which needs no window system,
// then, once QApplication exists, Qt's table of fonts built from them, which every thread shares.
// A font lookup that starts while the configuration is still being read reads it a second time,
// so the table is built on the same thread, and the main thread waits for the configuration
// before its first lookup.
class FontPreload {
public:
    FontPreload();
    ~FontPreload();
    FontPreload(const FontPreload&) = delete;
    FontPreload& operator=(const FontPreload&) = delete;

    // QApplication exists: Qt's table may be built.
    void ApplicationReady();
    // Returns once the configuration is read, before the first font is looked up.
    void WaitForConfiguration();
    // Waits for the thread; called before QApplication goes.
    void Finish();

private:
    void Decide(bool buildTable);

    std::promise<bool> buildTable_;
    std::future<bool> tableWanted_ = buildTable_.get_future();
    bool decided_ = false;
    std::promise<void> configured_;
    std::shared_future<void> configurationRead_ = configured_.get_future().share();
    std::jthread thread_;
};

// The image format plug-ins the style's icons are read through: once QApplication exists, and the
// handle must go before it does.
std::jthread PreloadImageFormats();

}  // namespace qw
