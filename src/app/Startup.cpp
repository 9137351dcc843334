#include "app/Startup.h"

#include <QDir>
#include <QFontDatabase>
#include <QFile>
#include <QFileInfo>
#include <QBuffer>
#include <QImageReader>
#include <QStandardPaths>
#include <fontconfig/fontconfig.h>

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

FontPreload::FontPreload()
    : thread_([this] {
          FcInit();
          configured_.set_value();
          if (tableWanted_.get()) QFontDatabase::families();
      })
{
}

void FontPreload::WaitForConfiguration() { configurationRead_.wait(); }

FontPreload::~FontPreload() { Finish(); }

void FontPreload::Decide(bool buildTable)
{
    if (decided_) return;
    decided_ = true;
    buildTable_.set_value(buildTable);
}

void FontPreload::ApplicationReady() { Decide(true); }

void FontPreload::Finish()
{
    Decide(false);
    if (thread_.joinable()) thread_.join();
}

std::jthread PreloadImageFormats()
{
    // An image read without a known format asks every plug-in whether it can read it, which
    // loads them all, as the first style icon read does.
    return std::jthread([] {
        QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader(&buffer).canRead();
    });
}

}  // namespace qw
