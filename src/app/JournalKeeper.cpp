#include "app/JournalKeeper.h"

#include "puzzle/FileAccess.h"
#include "puzzle/JournalWriter.h"
#include "puzzle/RecentList.h"

namespace qw {

JournalKeeper::JournalKeeper(const std::string& folder, const Puzzle& puzzle, const CursorState& cursor)
    : puzzle_(puzzle), cursor_(cursor)
{
    if (!folder.empty()) {
        writer_ = std::make_unique<JournalWriter>(folder);
        // Posted: the writer's thread must not touch the window. The writer goes before this
        // object does, so nothing is posted to a keeper that is gone.
        writer_->OnFailure([this](const std::string& reason) {
            QMetaObject::invokeMethod(this, [this, why = QString::fromLocal8Bit(reason.c_str())] { emit failed(why); },
                                      Qt::QueuedConnection);
        });
    }
    timer_.setSingleShot(true);
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] { WriteDue(); });
}

JournalKeeper::~JournalKeeper() = default;

void JournalKeeper::Changed()
{
    if (writer_ && !timer_.isActive()) timer_.start();
}

void JournalKeeper::Track()
{
    timer_.stop();
    if (!writer_) return;
    // Named by the file, not by the path it was opened by, so every way to the file finds it.
    const std::string path = FileIdentity(RecentList::Expand(puzzle_.FileName));
    if (!path_.empty() && path_ != path) writer_->Remove(path_);
    path_ = path;
    stamp_ = path.empty() ? FileStamp{} : StampOf(path);
}

void JournalKeeper::Discard()
{
    timer_.stop();
    if (writer_ && !path_.empty()) writer_->Remove(path_);
}

void JournalKeeper::WriteDue()
{
    if (!writer_ || !puzzle_.IsOpen()) return;
    // A file name given without a load (a puzzle brought in from elsewhere) is followed here.
    if (FileIdentity(RecentList::Expand(puzzle_.FileName)) != path_) Track();
    // Modified can come back to false without a save; such letters are the file's own.
    if (!puzzle_.Modified) writer_->Remove(path_);
    else writer_->Write(SnapshotJournal(puzzle_, cursor_, path_, stamp_));
}

std::optional<Journal> JournalKeeper::Recoverable()
{
    Track();
    if (!writer_ || path_.empty()) return std::nullopt;
    // A removal still on its way must not be read back as a journal to offer.
    writer_->Flush();
    FoundJournal found = FindJournal(writer_->Folder(), path_, puzzle_, RecentList::Expand(puzzle_.FileName));
    if (found.Verdict != JournalVerdict::Offer) return std::nullopt;
    return std::move(found.Content);
}

std::vector<std::string> JournalKeeper::JournaledPuzzles(const std::string& opening,
                                                         const std::function<bool(const std::string&)>& held)
{
    if (!writer_) return {};
    return qw::JournaledPuzzles(writer_->Folder(), RecentList::Expand(opening), held);
}

void JournalKeeper::Sync()
{
    if (!writer_) return;
    if (timer_.isActive()) {
        timer_.stop();
        WriteDue();
    }
    writer_->Flush();
}

}  // namespace qw
