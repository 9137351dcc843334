#pragma once
// Where the program finds its puzzles and its quick reference, in a build tree or installed.

#include <QString>
#include <QStringList>
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
// would have loaded it. Each thread is joined when its handle goes.
// Fontconfig's configuration and font caches: needs no window system, so before QApplication.
std::jthread PreloadFonts();
// The image format plug-ins the style's icons are read through: once QApplication exists, and the
// handle must go before it does.
std::jthread PreloadImageFormats();

}  // namespace qw
