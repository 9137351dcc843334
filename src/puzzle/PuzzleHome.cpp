#include "puzzle/PuzzleHome.h"

#include <algorithm>
#include <filesystem>

#include "puzzle/FileAccess.h"

namespace qw {

namespace fs = std::filesystem;

bool IsTemporaryPath(const std::string& path, const std::string& systemTemp)
{
    const fs::path normal = fs::path(path).lexically_normal();
    for (const fs::path& part : normal.parent_path())
        if (std::ranges::equal(part.string(), std::string_view("TEMP"),
                               [](char a, char b) { return (a & ~0x20) == b; }))
            return true;
    if (systemTemp.empty()) return false;
    const fs::path temp = fs::path(systemTemp).lexically_normal();
    const fs::path relative = normal.lexically_relative(temp);
    return !relative.empty() && *relative.begin() != "..";
}

std::string RehomedPath(const std::string& path, const std::string& home)
{
    std::string name = fs::path(path).filename().string();
    // "Name[2].QWL": the bracket sits just before a three-letter extension.
    if (name.size() >= 5 && name[name.size() - 5] == ']') {
        const size_t closing = name.size() - 5;
        const size_t opening = name.rfind('[', closing);
        if (opening != std::string::npos) name.erase(opening, closing - opening + 1);
    }
    return FirstFreeName((fs::path(home) / name).string());
}

}  // namespace qw
