#include "puzzle/FileAccess.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qw {
namespace {

std::string SystemMessage(int error) { return std::strerror(error); }

struct FileCloser {
    int fd;
    ~FileCloser()
    {
        if (fd >= 0) ::close(fd);
    }
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool WriteAllAt(int fd, std::string_view bytes)
{
    off_t offset = 0;
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
        offset += n;
    }
    return true;
}

bool Overwrite(int fd, std::string_view bytes)
{
    return WriteAllAt(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// The fallback where no temporary file can be made beside `target`: the file's own blocks are
// written over (not truncated first, so a full disk cannot take them), and on failure the old
// bytes go back. Returns 0 when the new bytes are in place, else the error that stopped them, or
// -1 when there is no file to rewrite.
int RewriteInPlace(const std::string& target, std::string_view bytes)
{
    const std::optional<std::string> old = ReadRegularFile(target);
    if (!old) return -1;
    FileCloser file{::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    if (file.fd < 0) return errno;
    errno = 0;
    if (Overwrite(file.fd, bytes)) return 0;
    const int error = errno != 0 ? errno : EIO;
    Overwrite(file.fd, *old);
    return error;
}

}  // namespace

std::optional<std::string> ReadRegularFile(const std::string& path, size_t maxBytes)
{
    // Opening a FIFO for reading blocks until a writer comes; without blocking, fstat tells what
    // the path is before a single byte is awaited.
    FileCloser file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    if (file.fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) return std::nullopt;
    const int flags = ::fcntl(file.fd, F_GETFL);
    if (flags < 0 || ::fcntl(file.fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) break;
        if (bytes.size() + static_cast<size_t>(n) > maxBytes) return std::nullopt;  // grew while read
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

std::string ResolveLink(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    return ec ? path : resolved.string();
}

bool SameFile(const std::string& a, const std::string& b)
{
    struct stat sa {}, sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string FileIdentity(const std::string& path)
{
    namespace fs = std::filesystem;
    if (path.empty()) return {};
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    if (ec) return path;
    const fs::path canonical = fs::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal().string() : canonical.string();
}

FileState StateOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {true, static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino), static_cast<int64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

SaveCheck CheckBeforeSave(const FileState& remembered, const FileState& now, bool importTarget)
{
    if (!now.Exists || now == remembered) return SaveCheck::Write;
    if (!remembered.Exists && importTarget) return SaveCheck::NewName;
    return SaveCheck::AskChanged;
}

bool WritableByMode(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    // The superuser passes every permission check, so access() would call any file writable;
    // the mode bits say what the file's owner meant.
    const uid_t user = ::geteuid();
    mode_t bit = S_IWOTH;
    if (user == 0) bit = S_IWUSR | S_IWGRP | S_IWOTH;
    else if (user == st.st_uid) bit = S_IWUSR;
    else if (::getegid() == st.st_gid) bit = S_IWGRP;
    if ((st.st_mode & bit) == 0) return false;
    FileCloser file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
    int flags = 0;
    if (file.fd >= 0 && ::ioctl(file.fd, FS_IOC_GETFLAGS, &flags) == 0 &&
        (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0)
        return false;
    return true;
}

void WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    auto fail = [&path](int error) {
        throw SaveError("Cannot save file \"" + path + "\". " + SystemMessage(error));
    };

    const std::string target = ResolveLink(path);
    // Replacing the file by rename would slip past a read-only mark that truncating respects.
    if (::access(target.c_str(), W_OK) != 0 && errno != ENOENT) fail(errno);

    std::string temp = target + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        // A folder that takes no new file may still hold a file its owner lets us change.
        const int error = errno;
        const int rewrite = RewriteInPlace(target, bytes);
        if (rewrite != 0) fail(rewrite > 0 ? rewrite : error);
        return;
    }
    FileCloser file{fd};
    auto abandon = [&](int error) {
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temp.c_str());
        fail(error);
    };

    // A replaced file keeps its permissions; a new one gets what the user's umask allows.
    struct stat st {};
    mode_t mode = 0;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0) abandon(errno);
    errno = 0;
    if (!WriteAll(fd, bytes)) abandon(errno != 0 ? errno : EIO);
    if (::fsync(fd) != 0) abandon(errno);
    const int closed = ::close(fd);
    file.fd = -1;
    if (closed != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(error);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(error);
    }
    // Make the rename itself durable; a failure here no longer endangers the old contents.
    const std::string folder = fs::path(target).parent_path().string();
    FileCloser dir{::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0) ::fsync(dir.fd);
}

std::string NumberedName(const std::string& path, int n)
{
    const std::filesystem::path original(path);
    return (original.parent_path() /
            (original.stem().string() + " (" + std::to_string(n) + ")" + original.extension().string()))
        .string();
}

std::string FirstFreeName(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) return path;
    for (int n = 2;; ++n) {
        const std::string candidate = NumberedName(path, n);
        if (!fs::exists(fs::symlink_status(candidate, ec))) return candidate;
    }
}

}  // namespace qw
