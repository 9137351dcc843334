// Opening, showing, saving, closing and deleting the one open puzzle, and the list of recent
// unsolved puzzles.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "app/CopyGuard.h"
#include "app/TForm1.h"
#include "info/qt/TReportForm.h"
#include "info/qt/NoteViewers.h"
#include "platform/Prompts.h"
#include "puzzle/RecentList.h"
#include "view/qt/PuzzleScreen.h"

namespace qw {

namespace {

QString FileNamePart(const std::string& path) { return QFileInfo(QString::fromStdString(path)).fileName(); }

}  // namespace

void TForm1::RebuildRecentMenu()
{
    const auto& entries = recent_.Entries();
    const std::vector<int> visible = VisibleItems(recent_, puzzle_.FileName);
    for (size_t n = 0; n < Puz.size(); ++n) {
        if (n < entries.size()) {
            QString caption = QString::fromStdString(RecentList::Caption(entries[n]));
            // A single & in a file name is not an access key.
            caption.replace("&", "&&");
            Puz[n]->setText(caption);
        }
        Puz[n]->setVisible(std::find(visible.begin(), visible.end(), static_cast<int>(n)) != visible.end());
    }
    Recentunsolvedpuzzles1->menuAction()->setVisible(!visible.empty());
    N2->setVisible(!visible.empty());
}

bool TForm1::OpenPuzzleFile(const std::string& path)
{
    const Change change = session_.OpenFile(path, ask_);
    handedOver_ = !change.handOver.empty();
    if (handedOver_) copies_->AskHolderToFront(change.handOver);
    ApplyChange(change);
    return !change.stopped;
}

void TForm1::KeepLocks()
{
    if (!puzzle_.IsOpen()) copies_->KeepOnly({});
    else copies_->KeepOnly({RecentList::Expand(puzzle_.FileName), session_.ImportSource()});
}

void TForm1::ApplyNotes()
{
    // A viewer not made yet has shown no note, so a puzzle without one leaves it unmade. A note is
    // taken when its puzzle is shown, as it always was: the solvers' viewer sizes itself then.
    if (moreInfoViewer_ || puzzle_.HasMoreInfo()) MoreInfoViewer().ApplyNote(puzzle_.MoreInfo);
    if (solverInfoViewer_ || puzzle_.HasSolverInfo()) SolverInfoViewer().ApplyNote(puzzle_.SolverInfo);
}

void TForm1::ShowLoadedPuzzle()
{
    const bool moreInfo = puzzle_.HasMoreInfo();
    screen_->SetHeaderHint(moreInfo);
    MoreInfoonPuzzle1->setVisible(moreInfo);
    AdditionalInfoForSuccessfulSolvers1->setVisible(puzzle_.HasSolverInfo());
    AdditionalInfoForSuccessfulSolvers1->setEnabled(false);
    Emailpuzzleauthor1->setVisible(!puzzle_.AuthorAddress.empty());
    ApplyNotes();

    setUpdatesEnabled(false);
    SetUpHeader(false);
    screen_->ShowPuzzle();
    setUpdatesEnabled(true);
    openOfferDeclined_ = false;
}

void TForm1::ShowWindowTitle()
{
    setWindowTitle(puzzle_.IsOpen() ? "Quotewell - " + FileNamePart(puzzle_.FileName) : QString("Quotewell"));
}

bool TForm1::SaveCurrent()
{
    const Change change = session_.Save(ask_);
    ApplyChange(change);
    return !change.stopped;
}

void TForm1::Save1Click()
{
    RefreshFileMenu();
    SaveCurrent();
}

void TForm1::Open1Click()
{
    RefreshFileMenu();
    const Change left = session_.LeaveForAnother(ask_);
    ApplyChange(left);
    if (left.stopped) return;
    const auto chosen = session_.AskForPuzzle(ask_);
    if (!chosen) return;
    if (OpenPuzzleFile(*chosen) && reportForm_) reportForm_->hide();
}

void TForm1::Puz0Click(int tag)
{
    if (tag < 0) return;
    const Change change = session_.OpenRecent(static_cast<size_t>(tag), ask_);
    ApplyChange(change);
    if (!change.open.empty()) OpenPuzzleFile(change.open);
}

void TForm1::Close1Click()
{
    RefreshFileMenu();
    ApplyChange(session_.Close(ask_));
}

void TForm1::Deletepuzzle1Click()
{
    RefreshFileMenu();
    ApplyChange(session_.DeleteFile(ask_));
}

void TForm1::Exit1Click() { close(); }

bool TForm1::FormCloseQuery()
{
    const Change change = session_.CloseQuery(ask_);
    ApplyChange(change);
    return !change.stopped;
}

void TForm1::FormActivate()
{
    if (activating_ || closing_ || puzzle_.IsOpen()) return;
    activating_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{activating_};

    if (!options_.parameters.isEmpty()) {
        const QString path = options_.parameters.join(' ');
        if (path == failedCommandLine_) return;
        if (!OpenPuzzleFile(path.toStdString())) {
            failedCommandLine_ = path;
            // Started only to open a puzzle another copy has: that copy shows it.
            if (handedOver_) QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
            return;
        }
        ApplyChange(session_.RehomeFromTemporaryFolder(path.toStdString()));
        return;
    }
    if (openOfferDeclined_) return;
    Open1Click();
    if (!puzzle_.IsOpen()) openOfferDeclined_ = true;
}

void TForm1::File1Click() { RefreshFileMenu(); }

void TForm1::RefreshFileMenu()
{
    const bool open = puzzle_.IsOpen();
    Save1->setEnabled(open);
    Export1->setEnabled(open);
    Close1->setEnabled(open);
    Deletepuzzle1->setEnabled(open);
    Print1->setEnabled(open);
    Printasfilled1->setEnabled(open && puzzle_.AnyEntered());
}

}  // namespace qw
