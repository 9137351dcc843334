#pragma once
// Writes and removes recovery journals on a thread of its own, so that no keystroke ever waits for
// the disk. While a task waits, a newer one for the same journal replaces it; tasks run one at a
// time in the order they were handed over, so an older snapshot never lands after a newer one and
// a removal is never undone by a write handed over before it.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "puzzle/Journal.h"

namespace qw {

class JournalWriter {
public:
    // Journals go into `folder`, made (private to the user) when the first one is written.
    explicit JournalWriter(std::string folder);
    // Finishes everything handed over, then stops.
    ~JournalWriter();
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // `tell` hears, on the writer's thread, why journals stopped being kept, once each time they
    // stop. Set before the first Write.
    void OnFailure(std::function<void(const std::string&)> tell) { tell_ = std::move(tell); }

    void Write(Journal journal);
    void Remove(const std::string& puzzlePath);
    // Waits until everything handed over so far is done.
    void Flush();
    const std::string& Folder() const { return folder_; }

private:
    struct Task {
        std::string file;
        std::optional<Journal> journal;  // nothing: remove the file
    };
    void Hand(Task task);
    void Run();
    // A failure goes once to standard error; the next success makes a later failure worth telling.
    void Perform(const Task& task);

    std::string folder_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Task> pending_;
    bool busy_ = false;
    bool stop_ = false;
    bool failing_ = false;  // the worker's own
    std::function<void(const std::string&)> tell_;
    std::thread thread_;
};

}  // namespace qw
