// The open puzzle's life in the session: saving, leaving and closing it.

#include <filesystem>

#include "puzzle/PuzzleFile.h"
#include "solve/Session.h"

namespace qw {

namespace {

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
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

void Session::LeaveCurrent()
{
    if (!puzzle_.IsOpen() || CheckSolved()) return;
    // An import never saved has no file yet: the list keeps the file it came from instead.
    std::error_code ec;
    const bool unsavedImport = !importSource_.empty() && !std::filesystem::exists(puzzle_.FileName, ec);
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

}  // namespace qw
