#pragma once
// Ways to make a save fail for real while the tests run as root, where permission bits fault
// nothing: the immutable attribute, a tiny tmpfs, a file-size limit. Each is undone by its
// destructor, and each says whether this machine can do it at all so a test can skip cleanly.

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace qw::faults {

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The names in a folder, to show a failed save left no temporary file behind.
inline std::set<std::string> Listing(const std::string& folder)
{
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) names.insert(entry.path().filename());
    return names;
}

// chattr +i on a file or folder: not even root may then write, rename over or create in it.
class Immutable {
public:
    explicit Immutable(const std::string& path) : path_(path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            set_ = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
    }
    ~Immutable() { Release(); }
    Immutable(const Immutable&) = delete;
    Immutable& operator=(const Immutable&) = delete;

    bool Active() const { return set_; }
    void Release()
    {
        if (!set_) return;
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return;
        int flags = 0;
        if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0) set_ = false;
        }
        ::close(fd);
    }

private:
    std::string path_;
    bool set_ = false;
};

// A tmpfs of `bytes` mounted on `folder` (created if needed); needs root and a kernel that lets
// this process mount.
class TinyDisk {
public:
    TinyDisk(const std::string& folder, size_t bytes) : folder_(folder)
    {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
        if (!mounted_) error_ = std::strerror(errno);
    }
    ~TinyDisk()
    {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Error() const { return error_; }

    // Fills the disk until no more than `leave` bytes are free.
    void FillLeaving(size_t leave)
    {
        const std::string filler = folder_ + "/filler";
        const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (fd < 0) return;
        const std::string block(512, 'x');
        for (;;) {
            const auto space = std::filesystem::space(folder_);
            if (space.available <= leave) break;
            const size_t chunk = std::min<size_t>(block.size(), space.available - leave);
            if (::write(fd, block.data(), chunk) <= 0) break;
        }
        ::close(fd);
    }

private:
    std::string folder_;
    bool mounted_ = false;
    std::string error_;
};

// A soft RLIMIT_FSIZE with SIGXFSZ ignored: a write past the limit fails with EFBIG instead of
// killing the process, as a full disk would fail it part way.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &oldAction_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { Release(); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Active() const { return active_; }
    void Release()
    {
        if (!active_) return;
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::sigaction(SIGXFSZ, &oldAction_, nullptr);
        active_ = false;
    }

private:
    rlimit old_{};
    struct sigaction oldAction_ {};
    bool active_ = false;
};

}  // namespace qw::faults
