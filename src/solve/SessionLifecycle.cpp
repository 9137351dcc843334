// The open puzzle's life in the session: opening, importing, saving, leaving and closing it, and
// the recovery offer.

#include <unistd.h>

#include <filesystem>

#include "formats/PuzzleFormats.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/PuzzleHome.h"
#include "solve/Session.h"

namespace qw {

namespace {

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file name up to its last dot.
std::string Stem(const std::string& fileName) { return fileName.substr(0, fileName.rfind('.')); }

bool Exists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace

bool Session::CheckSolved()
{
    const bool solved = puzzle_.IsSolved();
    if (solved) RemoveSolvedFromRecent();
    return solved;
}

Change Session::Save(SessionPrompts& ask)
{
    Change change;
    if (!puzzle_.IsOpen()) return change;
    try {
        const std::string path = RecentList::Expand(puzzle_.FileName);
        switch (CheckBeforeSave(fileOnDisk_, StateOf(path), !importSource_.empty())) {
        case SaveCheck::Write: break;
        case SaveCheck::AskChanged:
            if (!ask.CautionYesNo("\"" + FileNamePart(path) +
                                  "\" was changed by another program after Quotewell opened it. "
                                  "Save your letters over it?")) {
                change.stopped = true;
                return change;
            }
            break;
        case SaveCheck::NewName:
            puzzle_.FileName = FirstFreeName(path);
            change.windowTitle = true;
            change.status = "Imported " + FileNamePart(importSource_) + "; saving keeps your progress in " +
                            FileNamePart(puzzle_.FileName) + ".";
            break;
        }
        SavePuzzle(puzzle_);
        RememberFileOnDisk();
        history_.MarkSaved(puzzle_);
        change.saved = true;
        change.fileLocks = true;
    } catch (const std::exception& e) {
        ask.Error(e.what());
        change.stopped = true;
    }
    return change;
}

Change Session::PutJournaledFirst(const std::vector<std::string>& journaled)
{
    for (auto it = journaled.rbegin(); it != journaled.rend(); ++it) recent_.AddToRecent(*it);
    Change change;
    change.recentList = !journaled.empty();
    return change;
}

void Session::LeaveCurrent()
{
    if (!puzzle_.IsOpen() || CheckSolved()) return;
    // An import never saved has no file yet: the list keeps the file it came from instead.
    const bool unsavedImport = !importSource_.empty() && !Exists(puzzle_.FileName);
    recent_.AddToRecent(unsavedImport ? importSource_ : puzzle_.FileName);
}

Change Session::Close(SessionPrompts& ask)
{
    if (!puzzle_.IsOpen()) return {};
    LeaveCurrent();
    Change change;
    if (puzzle_.Modified && ask.ConfirmYesNo("Puzzle not saved.  Save before closing?")) {
        change = Save(ask);
        // A failed save stops the close: the puzzle stays open and modified.
        if (change.stopped) return change;
    }
    puzzle_.FileName.clear();
    history_.Reset(puzzle_);
    puzzle_.Modified = false;
    change.closed = true;
    change.windowTitle = true;
    change.fileLocks = true;
    change.recentList = true;
    change.fileMenu = true;
    return change;
}

Change Session::DeleteFile(SessionPrompts& ask)
{
    if (puzzle_.IsOpen() && ask.ConfirmYesNo("Delete this puzzle.  Are you sure?")) {
        std::error_code ec;
        std::filesystem::remove(puzzle_.FileName, ec);  // a missing file is no error
    }
    return {};
}

Change Session::CloseQuery(SessionPrompts& ask)
{
    if (!puzzle_.Modified || !puzzle_.IsOpen()) return {};
    switch (ask.ConfirmYesNoCancel("Puzzle not saved.  Save before closing?")) {
    case Answer::Yes: return Save(ask);
    case Answer::No: return {};
    case Answer::Cancel: break;
    }
    Change change;
    change.stopped = true;
    return change;
}

Change Session::LeaveForAnother(SessionPrompts& ask)
{
    LeaveCurrent();
    if (!puzzle_.Modified || !puzzle_.IsOpen()) return {};
    Change change = Close(ask);
    // A save that failed keeps the puzzle open, with nothing lost.
    change.stopped = puzzle_.IsOpen();
    return change;
}

std::optional<std::string> Session::AskForPuzzle(SessionPrompts& ask)
{
    return ask.OpenFile(places_.puzzlesDir, puzzle_.FileName);
}

Change Session::OpenRecent(size_t index, SessionPrompts& ask)
{
    if (index >= recent_.Entries().size()) return {};
    const std::string path = recent_.Entries()[index];
    if (!Exists(path)) {
        ask.Notice("Puzzle " + RecentList::Caption(path) + " no longer exists.");
        recent_.Remove(path);
        Change change;
        change.recentList = true;
        return change;
    }
    Change change = LeaveForAnother(ask);
    if (!change.stopped) change.open = path;
    return change;
}

Change Session::OpenFile(const std::string& path, SessionPrompts& ask)
{
    Change change;
    if (hold_ && !hold_(path)) {
        change.handOver = path;
        change.status = FileNamePart(path) + " is open in another Quotewell window.";
        change.recentList = true;
        change.stopped = true;
        return change;
    }
    change = ImportKindOf(path) ? Import(path, ask) : Load(path, ask);
    change.fileLocks = true;
    return change;
}

Change Session::Load(const std::string& path, SessionPrompts& ask)
{
    Change failed;
    failed.recentList = true;
    failed.stopped = true;
    try {
        Puzzle loaded = LoadPuzzle(path);
        loaded.FileName = path;
        puzzle_ = std::move(loaded);
        importSource_.clear();
    } catch (const VersionError& e) {
        ask.Notice(e.what());
        return failed;
    } catch (const ReadError& e) {
        ask.Warning(e.what());
        return failed;
    } catch (const std::exception& e) {
        ask.Error(e.what());
        return failed;
    }
    return Opened();
}

Change Session::Opened()
{
    history_.Reset(puzzle_);
    RememberFileOnDisk();
    puzzle_.Modified = false;
    Change change;
    change.loaded = true;
    change.solverInfo = CheckSolved() && puzzle_.HasSolverInfo();
    change.windowTitle = true;
    change.recentList = true;
    change.fileMenu = true;
    change.offerRecovery = true;
    return change;
}

std::string Session::HomeFolder() const
{
    return places_.puzzlesDir.empty() ? places_.programDir : places_.puzzlesDir;
}

bool Session::FromTemporaryFolder(const std::string& path) const
{
    return IsTemporaryPath(RecentList::Expand(path), places_.systemTemp);
}

Change Session::Import(const std::string& path, SessionPrompts& ask)
{
    Puzzle imported;
    try {
        imported = ImportPuzzle(path);
    } catch (const std::exception& e) {
        ask.Warning(e.what());
        Change failed;
        failed.recentList = true;
        failed.stopped = true;
        return failed;
    }

    // The progress goes beside the file, unless that folder cannot take it or is soon emptied.
    const std::string source = RecentList::Expand(path);
    const std::string sourceName = FileNamePart(source);
    std::string folder = std::filesystem::path(source).parent_path().string();
    std::string stem = Stem(sourceName);
    const bool temporary = FromTemporaryFolder(source);
    if (temporary) stem = Stem(WithoutCopyNumber(sourceName));
    if (temporary || ::access(folder.c_str(), W_OK) != 0) folder = HomeFolder();
    const std::string qwl = (std::filesystem::path(folder) / (stem + ".QWL")).string();

    const ImportTarget target = ChooseImportTarget(imported, qwl);
    const std::string qwlName = FileNamePart(target.path);
    Change change;
    if (target.existing) {
        change = OpenFile(target.path, ask);
        if (change.stopped) return change;
        change.status = qwlName + " holds your progress on " + sourceName + " and is opened instead.";
    } else {
        imported.FileName = target.path;
        puzzle_ = std::move(imported);
        change = Opened();
        change.status = "Imported " + sourceName + "; saving keeps your progress in " + qwlName + ".";
    }
    importSource_ = path;
    return change;
}

Change Session::RehomeFromTemporaryFolder(const std::string& path)
{
    // An import has already chosen where its progress goes.
    const std::string opened = RecentList::Expand(path);
    if (ImportKindOf(opened) || !FromTemporaryFolder(path)) return {};
    puzzle_.FileName = RehomedPath(opened, HomeFolder());
    RememberFileOnDisk();
    puzzle_.Modified = true;
    Change change;
    change.fileLocks = true;
    change.windowTitle = true;
    change.recentList = true;
    // Letters journaled under the new name (the load asked about the old one's).
    change.offerRecovery = true;
    return change;
}

Change Session::OfferRecovery(const std::function<std::optional<Journal>()>& recoverable, SessionPrompts& ask)
{
    Change change;
    if (!puzzle_.IsOpen()) return change;
    const std::optional<Journal> journal = recoverable();
    if (!journal) return change;
    if (!ask.ConfirmYesNo("Quotewell closed without saving your latest letters in \"" + FileNamePart(puzzle_.FileName) +
                          "\". Restore them?")) {
        change.dropJournal = true;
        return change;
    }
    RestoreJournal(*journal, puzzle_, cursor_);
    change.freezeDrawing = true;
    change.titleStrip = true;
    change.repaintPanes = true;
    change.placeCursor = true;
    change.rememberPosition = true;
    change.solverInfo = CheckSolved() && puzzle_.HasSolverInfo();
    change.recentList = true;
    change.fileMenu = true;
    change.lettersChanged = true;
    return change;
}

}  // namespace qw
