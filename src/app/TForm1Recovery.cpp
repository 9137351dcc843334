// The main window's side of the recovery journal: every change of the entered letters arms it, and
// a puzzle opened again after the program was killed gets its unsaved letters back on request.

#include <QAction>
#include <QFileInfo>

#include "app/JournalKeeper.h"
#include "app/TForm1.h"
#include "platform/Prompts.h"
#include "view/qt/PuzzleScreen.h"

namespace qw {

void TForm1::OfferRecovery()
{
    if (!puzzle_.IsOpen()) return;
    const std::optional<Journal> journal = journal_->Recoverable();
    if (!journal) return;
    const QString name = QFileInfo(QString::fromStdString(puzzle_.FileName)).fileName();
    if (!services_.prompts.ConfirmYesNo("Quotewell closed without saving your latest letters in \"" + name +
                                        "\". Restore them?")) {
        journal_->Discard();
        return;
    }
    RestoreJournal(*journal, puzzle_, cursor_);
    setUpdatesEnabled(false);
    screen_->RefreshTitleStrip();
    screen_->RepaintPanes();
    screen_->PlaceCursor(true);
    setUpdatesEnabled(true);
    if (session_.CheckSolved() && puzzle_.HasSolverInfo()) AdditionalInfoForSuccessfulSolvers1->setEnabled(true);
    RebuildRecentMenu();
    RefreshFileMenu();
    LettersChanged();
}

}  // namespace qw
