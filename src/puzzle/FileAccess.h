#pragma once
// Whole-file reads and durable writes shared by every file the program reads or keeps: puzzles,
// imported puzzles, journals.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qw {

// Writing a file failed; the text is the system's message naming the file.
struct SaveError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The bytes of `path` when it is a regular file no larger than `maxBytes`, else nullopt. A named
// pipe or a device is refused without blocking on it.
std::optional<std::string> ReadRegularFile(const std::string& path, size_t maxBytes = SIZE_MAX);

// Through a link, the file it points to is the one to replace, beside which temporary files go.
std::string ResolveLink(const std::string& path);

// Whether two paths name one file: the same device and inode, whichever links, relative spelling
// or hard link lead there. False when either names nothing.
bool SameFile(const std::string& a, const std::string& b);

// What names a file whatever path led to it: its canonical path, links resolved. A file not (yet)
// there is named by its folder's canonical path and its own name; `path` is taken as absolute or
// relative to the current folder.
std::string FileIdentity(const std::string& path);

// A file as it lay on disk: which file it was and when and how long it was written.
struct FileState {
    bool Exists = false;
    uint64_t Device = 0;
    uint64_t Inode = 0;
    int64_t Size = -1;
    int64_t ModifiedNs = 0;
    bool operator==(const FileState&) const = default;
};
FileState StateOf(const std::string& path);

enum class SaveCheck {
    Write,       // the file is as it was, or gone: write it
    AskChanged,  // something else wrote the file since: ask before writing over it
    NewName,     // an unrelated file took the place an import's progress was to go: use a free name
};
// What a save does, from the file as it was at open or the last save and as it lies `now`.
// `importTarget`: the puzzle's file is where an import's progress was to go.
SaveCheck CheckBeforeSave(const FileState& remembered, const FileState& now, bool importTarget);

// Whether the file's owner lets it be changed: its write permission bits for this user (any of
// them for the superuser) and no immutable or append-only flag. False for a missing file.
bool WritableByMode(const std::string& path);

// Replaces `path` with `bytes` through a temporary file in the same folder, so a failure leaves
// the old file exactly as it was. Where the folder takes no new file but the file itself may be
// changed, the file is rewritten in place, and the old bytes are put back when that fails.
// Throws SaveError.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// `path` itself when nothing is there, else the first of "STEM (2)EXT", "STEM (3)EXT", … in the
// same folder that is free, so a new file never takes another's place.
std::string FirstFreeName(const std::string& path);
// "STEM (n)EXT" beside `path`.
std::string NumberedName(const std::string& path, int n);

}  // namespace qw
