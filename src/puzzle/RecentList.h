#pragma once
// The puzzles the user left unsolved, most recent first, as full paths (UTF-8). At most ten; a
// path is found again whatever the case of its letters.

#include <cstddef>
#include <string>
#include <vector>

namespace qw {

class RecentList {
public:
    static constexpr std::size_t kMaxEntries = 10;

    // Puts the path, expanded against the current folder, at the front; an entry naming the same
    // path is taken out first, and the oldest entry falls off when the list is full.
    void AddToRecent(const std::string& path);
    // Removes the entry naming `path` (compared without regard to case), if there is one.
    void Remove(const std::string& path);
    const std::vector<std::string>& Entries() const { return entries_; }
    // Replaces the list (as loaded from the settings): empty paths are skipped, at most ten kept.
    void Set(const std::vector<std::string>& entries);

    // The path made absolute against the current folder, with "." and ".." resolved.
    static std::string Expand(const std::string& path);
    // The menu caption of an entry: its file name without folder and without the last four
    // characters (the dot and the extension).
    static std::string Caption(const std::string& path);
    // Whether two paths name the same entry: equal when their letters' case is ignored.
    static bool SamePath(const std::string& a, const std::string& b);

private:
    std::vector<std::string> entries_;
};

// The indices of the entries the recent menu shows: all but the open puzzle's own entry (compared
// exactly with its expanded file name; nothing is open when `openFileName` is empty).
std::vector<int> VisibleItems(const RecentList& list, const std::string& openFileName);

}  // namespace qw
