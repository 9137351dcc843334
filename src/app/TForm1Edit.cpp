// The main window's Edit menu (undo and redo of entered letters, the jumps to blank letters), the
// highlight aid of the Options menu, and what follows any change of entered letters.

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "app/AppSettings.h"
#include "app/JournalKeeper.h"
#include "app/TForm1.h"
#include "platform/Prompts.h"
#include "view/qt/PuzzleScreen.h"

namespace qw {

void TForm1::LettersChanged()
{
    journal_->Changed();
    RefreshFileMenu();
    RefreshEditMenu();
}

void TForm1::Edit1Click() { RefreshEditMenu(); }

void TForm1::RefreshEditMenu()
{
    const bool open = puzzle_.IsOpen();
    Undo1->setEnabled(open && history_.CanUndo());
    Redo1->setEnabled(open && history_.CanRedo());
    NextBlankLetter1->setEnabled(open);
    NextUnfinishedAnswer1->setEnabled(open);
}

void TForm1::Undo1Click()
{
    RefreshEditMenu();
    if (!Undo1->isEnabled()) return;
    ApplyChange(session_.Undo());
}

void TForm1::Redo1Click()
{
    RefreshEditMenu();
    if (!Redo1->isEnabled()) return;
    ApplyChange(session_.Redo());
}

void TForm1::NextBlankLetter1Click()
{
    if (puzzle_.IsOpen() && screen_->PuzzleShown()) ApplyChange(session_.NextBlankLetter());
}

void TForm1::NextUnfinishedAnswer1Click()
{
    if (puzzle_.IsOpen() && screen_->PuzzleShown()) ApplyChange(session_.NextUnfinishedAnswer());
}

void TForm1::ApplyChange(const Change& change)
{
    if (change.saved) {
        journal_->Track();
        journal_->Discard();
    }
    if (change.dropJournal) journal_->Discard();
    if (change.closed) {
        journal_->Discard();
        SetUpHeader(true);
    }
    if (change.loaded) ShowLoadedPuzzle();
    if (change.solverInfo) AdditionalInfoForSuccessfulSolvers1->setEnabled(true);
    if (change.windowTitle) ShowWindowTitle();
    if (change.recentList) RebuildRecentMenu();
    if (change.fileMenu) RefreshFileMenu();
    if (change.offerRecovery) OfferRecovery();
    if (change.status) statusLabel_->setText(QString::fromStdString(*change.status));
    if (change.fileLocks) KeepLocks();
    if (change.freezeDrawing) setUpdatesEnabled(false);
    if (change.repaintPanes) screen_->RepaintPanes();
    if (!change.letters.empty()) screen_->RepaintLetters(change.letters);
    if (change.titleStrip) screen_->RefreshTitleStrip();
    if (change.placeCursor) screen_->PlaceCursor(change.rememberPosition);
    else if (change.repaintMarks) screen_->RepaintCursorMarks();
    if (change.freezeDrawing) setUpdatesEnabled(true);
    if (change.lettersChanged) LettersChanged();
    screen_->AnnounceToReader(change.lettersChanged, change.letters);
    if (!change.notice.empty()) services_.prompts.Notice(QString::fromStdString(change.notice));
    if (!change.information.empty()) services_.prompts.Information(QString::fromStdString(change.information));
    if (change.congratulate) ShowCongratulations();
}

void TForm1::Highlightcurrentanswer1Click()
{
    const bool on = Highlightcurrentanswer1->isChecked();
    screen_->SetHighlight(on);
    WriteHighlight(services_.settings, on);
}

void TForm1::AidClick(QAction* item)
{
    ApplyAid(item);
    WriteAid(services_.settings, item->data().toString(), item->isChecked());
}

void TForm1::ApplyAid(QAction* item)
{
    const bool on = item->isChecked();
    if (item == Showtheactivepanebyshape1) screen_->SetPaneShape(on);
    if (item == Showsquarelabels1) screen_->SetLabels(on);
    if (item == Markwrongletterswhenchecking1) screen_->SetMarkWrong(on);
    if (item == Showtimer1) UpdateTimer();
}

}  // namespace qw
