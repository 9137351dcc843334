#pragma once
// The solving time of each puzzle: how it reads in the status bar, and where it is kept between
// runs (one small file in the per-user state folder, by the puzzle file's full path, so a copy of
// a puzzle elsewhere has a time of its own).

#include <cstdint>
#include <string>

namespace qw {

// "m:ss" under an hour, "h:mm:ss" from an hour on; a negative time reads as 0:00.
std::string FormatSolvingTime(int64_t seconds);

struct SolvingTime {
    int64_t seconds = 0;
    bool solved = false;  // stopped at the congratulations for good
    bool operator==(const SolvingTime&) const = default;
};

class SolvingTimes {
public:
    // `file` empty: nothing is kept, every puzzle starts at 0:00.
    explicit SolvingTimes(std::string file) : file_(std::move(file)) {}
    SolvingTime Get(const std::string& puzzlePath) const;
    // Rewrites the file whole, so a failed write leaves the old times; throws SaveError then.
    void Put(const std::string& puzzlePath, const SolvingTime& time);

private:
    std::string file_;
};

}  // namespace qw
