// The main window's Edit menu (undo and redo of entered letters), the highlight aid of the
// Options menu, and what follows any change of entered letters.

#include <QAction>
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
}

void TForm1::Undo1Click()
{
    RefreshEditMenu();
    if (!Undo1->isEnabled()) return;
    FollowUndoOutcome(UndoLastStep(puzzle_, cursor_, history_));
}

void TForm1::Redo1Click()
{
    RefreshEditMenu();
    if (!Redo1->isEnabled()) return;
    FollowUndoOutcome(RedoNextStep(puzzle_, cursor_, history_));
}

void TForm1::FollowUndoOutcome(const UndoOutcome& outcome)
{
    if (!outcome.changed) return;
    screen_->RepaintLetters(outcome.letters);
    if (outcome.refreshTitleStrip) screen_->RefreshTitleStrip();
    screen_->PlaceCursor(true);
    LettersChanged();
    if (outcome.solved) RemoveSolvedFromRecent();
    FollowCompletion(outcome.completion);
}

void TForm1::FollowCompletion(Completion completion)
{
    switch (completion) {
    case Completion::Congratulate: ShowCongratulations(); break;
    case Completion::FilledMessage: services_.prompts.Information(kPuzzleFilledMessage); break;
    case Completion::None: break;
    }
}

void TForm1::Highlightcurrentanswer1Click()
{
    const bool on = Highlightcurrentanswer1->isChecked();
    screen_->SetHighlight(on);
    WriteHighlight(services_.settings, on);
}

}  // namespace qw
