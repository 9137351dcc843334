#include "app/Startup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace qw {

namespace {

bool IsWritableDir(const QString& path)
{
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

QString BundledShareDir(const QString& programDir)
{
    return QDir(programDir).absoluteFilePath("../share/quotewell");
}

}  // namespace

StartupPaths ResolveStartupPaths(const QString& programDir)
{
    StartupPaths paths;
    paths.programDir = programDir;
    const QString beside = QDir(programDir).absoluteFilePath("Puzzles");
    const QString share = BundledShareDir(programDir);

    paths.helpFile = QDir(programDir).absoluteFilePath("quickref.html");
    if (!QFileInfo::exists(paths.helpFile)) paths.helpFile = QDir(share).absoluteFilePath("quickref.html");

    if (IsWritableDir(beside)) {
        paths.puzzlesDir = QDir::cleanPath(beside);
        return paths;
    }
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty()) return paths;
    const QString own = QDir(dataHome).absoluteFilePath("quotewell/Puzzles");
    if (!QFileInfo::exists(own)) {
        if (!QDir().mkpath(own)) return paths;
        const QString samples = QFileInfo(beside).isDir() ? beside : QDir(share).absoluteFilePath("Puzzles");
        const QDir source(samples);
        for (const QString& name : source.entryList({"*.QWL", "*.qwl", "*.jpz", "*.ipuz"}, QDir::Files))
            QFile::copy(source.absoluteFilePath(name), QDir(own).absoluteFilePath(name));
    }
    paths.puzzlesDir = own;
    return paths;
}

QStringList ResolvePuzzleParameters(const QStringList& parameters, const QString& startFolder)
{
    if (parameters.isEmpty()) return {};
    const QString joined = parameters.join(' ');
    return {QDir::cleanPath(QDir(startFolder).absoluteFilePath(joined))};
}

}  // namespace qw
