#pragma once
// Puzzles opened straight from a temporary folder (a mail attachment, a download a browser opened)
// would vanish with it; they are given a home in the user's puzzles folder instead.

#include <string>

namespace qw {

// Whether `path` lies in a temporary folder: one of its folders is named TEMP, in any case, or it
// is under `systemTemp` (empty: no system folder to compare with).
bool IsTemporaryPath(const std::string& path, const std::string& systemTemp);

// The file name without the "[n]" copy number a browser adds just before the extension.
std::string WithoutCopyNumber(const std::string& fileName);

// Where a puzzle from a temporary `path` lives in `home`: its file name without the " [n]" copy
// number a browser adds before the extension, at the first name in `home` that no file has taken.
std::string RehomedPath(const std::string& path, const std::string& home);

}  // namespace qw
