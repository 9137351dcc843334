// The main window's side of the recovery journal: every change of the entered letters arms it, and
// a puzzle opened again after the program was killed gets its unsaved letters back on request.


#include "app/JournalKeeper.h"
#include "app/TForm1.h"

namespace qw {

void TForm1::OfferRecovery()
{
    ApplyChange(session_.OfferRecovery([this] { return journal_->Recoverable(); }, ask_));
}

}  // namespace qw
