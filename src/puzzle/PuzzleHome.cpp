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

std::string WithoutCopyNumber(const std::string& fileName)
{
    // "Name[2].QWL": the bracket sits just before the extension.
    std::string name = fileName;
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0 || name[dot - 1] != ']') return name;
    const size_t opening = name.rfind('[', dot - 1);
    if (opening != std::string::npos) name.erase(opening, dot - opening);
    return name;
}

std::string RehomedPath(const std::string& path, const std::string& home)
{
    return FirstFreeName((fs::path(home) / WithoutCopyNumber(fs::path(path).filename().string())).string());
}

}  // namespace qw
