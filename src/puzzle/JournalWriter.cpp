#include "puzzle/JournalWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include "puzzle/FileAccess.h"

namespace qw {
namespace {

// Each missing folder on the way is made readable by the user alone: journals name the puzzles.
void MakeFolder(const std::string& folder)
{
    std::string partial;
    for (const auto& part : std::filesystem::path(folder)) {
        partial = (std::filesystem::path(partial) / part).string();
        if (part == "/" || ::mkdir(partial.c_str(), 0700) == 0 || errno == EEXIST) continue;
        throw SaveError("Cannot create folder \"" + partial + "\". " + std::strerror(errno));
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw SaveError("Cannot create folder \"" + folder + "\". " + std::strerror(ENOTDIR));
}

}  // namespace

JournalWriter::JournalWriter(std::string folder) : folder_(std::move(folder)), thread_([this] { Run(); }) {}

JournalWriter::~JournalWriter()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void JournalWriter::Write(Journal journal)
{
    const std::string file = JournalPath(folder_, journal.PuzzlePath);
    Hand({file, std::move(journal)});
}

void JournalWriter::Remove(const std::string& puzzlePath) { Hand({JournalPath(folder_, puzzlePath), std::nullopt}); }

void JournalWriter::Hand(Task task)
{
    {
        std::lock_guard lock(mutex_);
        std::erase_if(pending_, [&](const Task& waiting) { return waiting.file == task.file; });
        pending_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void JournalWriter::Flush()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return pending_.empty() && !busy_; });
}

void JournalWriter::Run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || !pending_.empty(); });
        if (pending_.empty()) return;
        Task task = std::move(pending_.front());
        pending_.pop_front();
        busy_ = true;
        lock.unlock();
        Perform(task);
        lock.lock();
        busy_ = false;
        if (pending_.empty()) idle_.notify_all();
    }
}

void JournalWriter::Perform(const Task& task)
{
    try {
        if (task.journal) {
            MakeFolder(folder_);
            // The atomic write replaces what a link points to; a journal is never a link of ours.
            std::error_code ec;
            if (std::filesystem::is_symlink(task.file, ec)) ::unlink(task.file.c_str());
            WriteFileAtomically(task.file, EncodeJournal(*task.journal));
        } else if (::unlink(task.file.c_str()) != 0 && errno != ENOENT) {
            throw SaveError("Cannot delete file \"" + task.file + "\". " + std::strerror(errno));
        }
        failing_ = false;
    } catch (const std::exception& e) {
        if (!failing_) {
            std::fprintf(stderr, "quotewell: the recovery journal is not kept: %s\n", e.what());
            if (tell_) tell_(e.what());
        }
        failing_ = true;
    }
}

}  // namespace qw
