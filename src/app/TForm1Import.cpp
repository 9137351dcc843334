// Acrostics from elsewhere: a JPZ or ipuz file opens as a .QWL puzzle that keeps the progress,
// and the open puzzle is written out in either format.

#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "app/TForm1.h"
#include "formats/PuzzleFormats.h"
#include "platform/Prompts.h"
#include "puzzle/PuzzleHome.h"

namespace qw {

bool TForm1::OpenImportedPuzzle(const std::string& path)
{
    Puzzle imported;
    try {
        imported = ImportPuzzle(path);
    } catch (const std::exception& e) {
        services_.prompts.Warning(QString::fromStdString(e.what()));
        RebuildRecentMenu();
        return false;
    }

    // The progress goes beside the file, unless that folder cannot take it or is soon emptied.
    const QFileInfo source(QString::fromStdString(path));
    QString folder = source.absolutePath();
    QString stem = source.completeBaseName();
    const bool temporary = FromTemporaryFolder(source.absoluteFilePath());
    if (temporary)
        stem = QFileInfo(QString::fromStdString(WithoutCopyNumber(source.fileName().toStdString()))).completeBaseName();
    if (temporary || !QFileInfo(folder).isWritable()) folder = TempHomeFolder();
    const std::string qwl = QDir(folder).filePath(stem + ".QWL").toStdString();

    const ImportTarget target = ChooseImportTarget(imported, qwl);
    const QString qwlName = QFileInfo(QString::fromStdString(target.path)).fileName();
    if (target.existing) {
        if (!OpenPuzzleFile(target.path)) return false;
        statusLabel_->setText(qwlName + " holds your progress on " + source.fileName() + " and is opened instead.");
    } else {
        imported.FileName = target.path;
        puzzle_ = std::move(imported);
        ShowLoadedPuzzle();
        statusLabel_->setText("Imported " + source.fileName() + "; saving keeps your progress in " + qwlName + ".");
    }
    session_.SetImportSource(path);
    return true;
}

void TForm1::Export1Click()
{
    RefreshFileMenu();
    if (!puzzle_.IsOpen()) return;
    try {
        // Before the file name is asked for, so nobody picks one for nothing.
        CheckExportable(puzzle_);
    } catch (const ExportError& e) {
        services_.prompts.Warning(QString::fromStdString(e.what()));
        return;
    }
    const QFileInfo current(QString::fromStdString(puzzle_.FileName));
    const auto chosen = services_.prompts.ExportFile(current.absolutePath(), current.completeBaseName() + ".jpz");
    if (!chosen) return;
    try {
        ExportPuzzle(puzzle_, chosen->toStdString());
    } catch (const ExportError& e) {
        services_.prompts.Error(QString::fromStdString(e.what()));
        return;
    }
    statusLabel_->setText("Exported to " + QFileInfo(*chosen).fileName() + ".");
}

}  // namespace qw
