#include "app/CopyGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include "puzzle/FileAccess.h"
#include "puzzle/Journal.h"

namespace qw {

namespace {

// Another copy's look at whether a puzzle is held shares the lock for a moment: wait that out.
constexpr auto kLook = std::chrono::milliseconds(200);
constexpr char kFront[] = "front\n";

bool MakePrivateFolder(const QString& folder)
{
    if (QDir(folder).exists()) return true;
    if (!QDir().mkpath(folder)) return false;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Whether the descriptor's file is still the one `path` names: a holder removes its lock file as
// it lets go, and a lock taken on the removed file would hold nothing.
bool StillNamed(int fd, const QByteArray& path)
{
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 && ::stat(path.constData(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

bool SocketAddress(const QString& path, sockaddr_un& address)
{
    const QByteArray bytes = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(bytes.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, bytes.constData(), static_cast<size_t>(bytes.size()));
    return true;
}

}  // namespace

CopyGuard::CopyGuard(const QString& folder, QObject* parent) : QObject(parent), folder_(folder)
{
    if (!folder_.isEmpty() && !MakePrivateFolder(folder_)) folder_.clear();
}

CopyGuard::~CopyGuard()
{
    KeepOnly({});
    if (listener_ < 0) return;
    ::close(listener_);
    ::unlink(QFile::encodeName(SocketPath(QCoreApplication::applicationPid())).constData());
}

QString CopyGuard::LockPath(const std::string& identity) const
{
    // The journal's readable and collision-free name serves the lock as well.
    QString name = QString::fromStdString(JournalFileName(identity));
    name.chop(static_cast<int>(QStringLiteral(".json").size()));
    return QDir(folder_).filePath(name + ".lock");
}

QString CopyGuard::SocketPath(qint64 pid) const { return QDir(folder_).filePath(QString("copy-%1").arg(pid)); }

void CopyGuard::Listen()
{
    if (folder_.isEmpty() || listener_ >= 0) return;
    sockaddr_un address;
    if (!SocketAddress(SocketPath(QCoreApplication::applicationPid()), address)) return;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return;
    // Left by a dead copy that had this process number.
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return;
    }
    listener_ = fd;
    listening_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(listening_, &QSocketNotifier::activated, this, [this] {
        for (int client; (client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0;) {
            auto* reading = new QSocketNotifier(client, QSocketNotifier::Read, this);
            auto said = std::make_shared<std::string>();
            connect(reading, &QSocketNotifier::activated, this, [this, reading, client, said] {
                char buffer[64];
                const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
                if (n > 0) said->append(buffer, static_cast<size_t>(n));
                const bool lineDone = said->find('\n') != std::string::npos;
                if (n > 0 && !lineDone && said->size() < sizeof kFront) return;
                if (*said == kFront) emit frontRequested();
                reading->setEnabled(false);
                reading->deleteLater();
                ::close(client);
            });
        }
    });
}

bool CopyGuard::Hold(const std::string& path)
{
    if (folder_.isEmpty() || path.empty()) return true;
    const std::string identity = FileIdentity(path);
    if (held_.count(identity)) return true;
    const QByteArray lockPath = QFile::encodeName(LockPath(identity));
    const auto giveUp = std::chrono::steady_clock::now() + kLook;
    for (;;) {
        const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        // A folder that takes no lock must not keep the solver from the puzzle.
        if (fd < 0) return true;
        // Shared first: it fails at once when a copy holds the puzzle, and succeeds beside a
        // copy that is only looking, whose look then has to end before the lock is ours.
        if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            ::close(fd);
            return !held;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && StillNamed(fd, lockPath)) {
            // Read by the copy that asks this one to come to the front.
            const QByteArray info = QByteArray::number(QCoreApplication::applicationPid()) + "\nquotewell\n";
            if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, info.constData(), static_cast<size_t>(info.size()), 0) < 0) {
                // The lock holds without its note; only "come to the front" misses it.
            }
            held_.emplace(identity, fd);
            return true;
        }
        ::close(fd);
        if (std::chrono::steady_clock::now() >= giveUp) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void CopyGuard::KeepOnly(const std::vector<std::string>& paths)
{
    std::vector<std::string> keep;
    for (const std::string& path : paths)
        if (!path.empty()) keep.push_back(FileIdentity(path));
    for (auto it = held_.begin(); it != held_.end();) {
        if (std::find(keep.begin(), keep.end(), it->first) != keep.end()) {
            ++it;
            continue;
        }
        // Removed while still locked, so that nobody takes a lock on a file that is going.
        ::unlink(QFile::encodeName(LockPath(it->first)).constData());
        ::close(it->second);
        it = held_.erase(it);
    }
    for (const std::string& path : paths) Hold(path);
}

bool CopyGuard::HeldElsewhere(const std::string& path) const
{
    if (folder_.isEmpty() || path.empty()) return false;
    const std::string identity = FileIdentity(path);
    if (held_.count(identity)) return false;
    // Looking writes nothing and never waits for the disk: the window is not yet open.
    const int fd = ::open(QFile::encodeName(LockPath(identity)).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}

bool CopyGuard::AskHolderToFront(const std::string& path) const
{
    if (folder_.isEmpty()) return false;
    QFile lock(LockPath(FileIdentity(path)));
    if (!lock.open(QIODevice::ReadOnly)) return false;
    bool isNumber = false;
    const qint64 pid = lock.readLine(32).trimmed().toLongLong(&isNumber);
    sockaddr_un address;
    if (!isNumber || pid <= 0 || !SocketAddress(SocketPath(pid), address)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool sent = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                      ::send(fd, kFront, sizeof kFront - 1, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof kFront - 1);
    ::close(fd);
    return sent;
}

}  // namespace qw
