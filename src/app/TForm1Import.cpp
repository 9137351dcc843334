// The open puzzle written out as a JPZ or ipuz file (a file in either format is opened by the
// session, as a .QWL puzzle that keeps the progress).

#include <QFileInfo>
#include <QLabel>

#include "app/TForm1.h"
#include "formats/PuzzleFormats.h"
#include "platform/Prompts.h"

namespace qw {

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
