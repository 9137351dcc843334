#include "solve/SolvingTime.h"

#include <charconv>
#include <filesystem>
#include <cstdio>
#include <map>
#include <sstream>

#include "puzzle/FileAccess.h"

namespace qw {

namespace {

// A line per puzzle: seconds, a tab, 1 when solved else 0, a tab, the path (which may hold tabs
// but no line break, so it comes last).
using TimeTable = std::map<std::string, SolvingTime>;

constexpr size_t kMaxFileBytes = 4 << 20;

TimeTable Parse(const std::string& text)
{
    TimeTable table;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const size_t tab1 = line.find('\t');
        const size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos || tab2 + 1 >= line.size()) continue;  // not a line of ours
        SolvingTime time;
        const auto [end, error] = std::from_chars(line.data(), line.data() + tab1, time.seconds);
        if (error != std::errc() || end != line.data() + tab1 || time.seconds < 0) continue;
        time.solved = line.compare(tab1 + 1, tab2 - tab1 - 1, "1") == 0;
        table[line.substr(tab2 + 1)] = time;
    }
    return table;
}

TimeTable Read(const std::string& file)
{
    if (file.empty()) return {};
    const auto text = ReadRegularFile(file, kMaxFileBytes);
    return text ? Parse(*text) : TimeTable{};
}

}  // namespace

std::string FormatSolvingTime(int64_t seconds)
{
    if (seconds < 0) seconds = 0;
    const int64_t h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
    char text[32];
    if (h > 0)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(h), static_cast<long long>(m),
                      static_cast<long long>(s));
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(m), static_cast<long long>(s));
    return text;
}

SolvingTime SolvingTimes::Get(const std::string& puzzlePath) const
{
    const TimeTable table = Read(file_);
    const auto it = table.find(puzzlePath);
    return it == table.end() ? SolvingTime{} : it->second;
}

void SolvingTimes::Put(const std::string& puzzlePath, const SolvingTime& time)
{
    if (file_.empty() || puzzlePath.empty() || puzzlePath.find_first_of("\r\n") != std::string::npos) return;
    TimeTable table = Read(file_);
    if (table[puzzlePath] == time) return;
    table[puzzlePath] = time;
    std::string text;
    for (const auto& [path, t] : table)
        text += std::to_string(t.seconds) + '\t' + (t.solved ? '1' : '0') + '\t' + path + '\n';
    // The state folder is made with the first thing kept in it.
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(file_).parent_path(), ignored);
    WriteFileAtomically(file_, text);
}

}  // namespace qw
