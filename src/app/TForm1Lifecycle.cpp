// Opening, showing, saving, closing and deleting the one open puzzle, and the list of recent
// unsolved puzzles.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "app/CopyGuard.h"
#include "app/JournalKeeper.h"
#include "app/TForm1.h"
#include "formats/PuzzleFormats.h"
#include "info/qt/TReportForm.h"
#include "info/qt/NoteViewers.h"
#include "platform/Prompts.h"
#include "platform/QtConvert.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/PuzzleHome.h"
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
    handedOver_ = false;
    if (!copies_->Hold(path)) {
        HandOver(path);
        return false;
    }
    const bool opened = ImportKindOf(path) ? OpenImportedPuzzle(path) : LoadPuzzleFile(path);
    KeepLocks();
    return opened;
}

void TForm1::HandOver(const std::string& path)
{
    handedOver_ = true;
    copies_->AskHolderToFront(path);
    statusLabel_->setText(FileNamePart(path) + " is open in another Quotewell window.");
    RebuildRecentMenu();
}

void TForm1::KeepLocks()
{
    if (!puzzle_.IsOpen()) copies_->KeepOnly({});
    else copies_->KeepOnly({RecentList::Expand(puzzle_.FileName), session_.ImportSource()});
}

bool TForm1::LoadPuzzleFile(const std::string& path)
{
    try {
        int version = 0;
        Puzzle loaded = LoadPuzzle(path, &version);
        loaded.FileName = path;
        puzzle_ = std::move(loaded);
        session_.SetImportSource({});
    } catch (const VersionError& e) {
        services_.prompts.Notice(QString::fromStdString(e.what()));
        RebuildRecentMenu();
        return false;
    } catch (const ReadError& e) {
        services_.prompts.Warning(QString::fromStdString(e.what()));
        RebuildRecentMenu();
        return false;
    } catch (const std::exception& e) {
        services_.prompts.Error(QString::fromLocal8Bit(e.what()));
        RebuildRecentMenu();
        return false;
    }
    ShowLoadedPuzzle();
    return true;
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
    history_.Reset(puzzle_);
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

    ShowWindowTitle();
    session_.RememberFileOnDisk();
    puzzle_.Modified = false;
    if (session_.CheckSolved() && puzzle_.HasSolverInfo()) AdditionalInfoForSuccessfulSolvers1->setEnabled(true);
    RebuildRecentMenu();
    RefreshFileMenu();
    openOfferDeclined_ = false;
    OfferRecovery();
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
    if (!puzzle_.IsOpen()) return;
    SaveCurrent();
}

void TForm1::Open1Click()
{
    RefreshFileMenu();
    session_.LeaveCurrent();
    if (puzzle_.Modified && puzzle_.IsOpen()) {
        Close1Click();
        // A save that failed keeps the puzzle open, with nothing lost.
        if (puzzle_.IsOpen()) return;
    }
    const QString preset = QString::fromStdString(puzzle_.FileName);
    const auto chosen = services_.prompts.OpenFile(options_.puzzlesDir, preset);
    if (!chosen) return;
    if (OpenPuzzleFile(chosen->toStdString()) && reportForm_) reportForm_->hide();
}

void TForm1::Puz0Click(int tag)
{
    const auto& entries = recent_.Entries();
    if (tag < 0 || static_cast<size_t>(tag) >= entries.size()) return;
    const std::string path = entries[static_cast<size_t>(tag)];
    if (QFileInfo::exists(QString::fromStdString(path))) {
        session_.LeaveCurrent();
        if (puzzle_.Modified && puzzle_.IsOpen()) {
            Close1Click();
            if (puzzle_.IsOpen()) return;
        }
        OpenPuzzleFile(path);
    } else {
        services_.prompts.Notice("Puzzle " + QString::fromStdString(RecentList::Caption(path)) + " no longer exists.");
        recent_.Remove(path);
        RebuildRecentMenu();
    }
}

void TForm1::Close1Click()
{
    RefreshFileMenu();
    ApplyChange(session_.Close(ask_));
}

void TForm1::Deletepuzzle1Click()
{
    RefreshFileMenu();
    if (!puzzle_.IsOpen()) return;
    if (!services_.prompts.ConfirmYesNo("Delete this puzzle.  Are you sure?")) return;
    std::error_code ec;
    std::filesystem::remove(std::filesystem::path(puzzle_.FileName), ec);  // a missing file is no error
}

void TForm1::Exit1Click() { close(); }

bool TForm1::FormCloseQuery()
{
    const Change change = session_.CloseQuery(ask_);
    ApplyChange(change);
    return !change.stopped;
}

bool TForm1::FromTemporaryFolder(const QString& path)
{
    return IsTemporaryPath(RecentList::Expand(path.toStdString()), QDir::tempPath().toStdString());
}

QString TForm1::TempHomeFolder() const
{
    return options_.puzzlesDir.isEmpty() ? options_.programDir : options_.puzzlesDir;
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
        // An import has already chosen where its progress goes.
        const std::string opened = RecentList::Expand(path.toStdString());
        if (!ImportKindOf(opened) && FromTemporaryFolder(path)) {
            puzzle_.FileName = RehomedPath(opened, TempHomeFolder().toStdString());
            session_.RememberFileOnDisk();
            KeepLocks();
            puzzle_.Modified = true;
            ShowWindowTitle();
            RebuildRecentMenu();
            // Letters journaled under the new name (the load asked about the old one's).
            OfferRecovery();
        }
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
