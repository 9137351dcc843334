#include "app/CopyGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <algorithm>

#include "puzzle/FileAccess.h"
#include "puzzle/Journal.h"

namespace qw {

namespace {

constexpr int kAnswerMs = 2000;
// Another copy's look at whether a puzzle is held takes the lock for a moment: wait that out.
constexpr int kLookMs = 200;
constexpr char kFront[] = "front\n";

bool MakePrivateFolder(const QString& folder)
{
    if (QDir(folder).exists()) return true;
    if (!QDir().mkpath(folder)) return false;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

CopyGuard::CopyGuard(const QString& folder, QObject* parent) : QObject(parent), folder_(folder)
{
    if (!folder_.isEmpty() && !MakePrivateFolder(folder_)) folder_.clear();
}

CopyGuard::~CopyGuard() = default;

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
    if (folder_.isEmpty() || server_) return;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = SocketPath(QCoreApplication::applicationPid());
    // Left by a dead copy that had this process number.
    QLocalServer::removeServer(name);
    if (!server_->listen(name)) return;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->canReadLine() && socket->readLine() == kFront) emit frontRequested();
            });
        }
    });
}

bool CopyGuard::Hold(const std::string& path)
{
    if (folder_.isEmpty() || path.empty()) return true;
    const std::string identity = FileIdentity(path);
    if (held_.count(identity)) return true;
    auto lock = std::make_unique<QLockFile>(LockPath(identity));
    // Held for as long as the puzzle is open, however long that is; only a dead holder's lock is
    // stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(kLookMs)) {
        held_.emplace(identity, std::move(lock));
        return true;
    }
    // A folder that takes no lock must not keep the solver from the puzzle.
    return lock->error() != QLockFile::LockFailedError;
}

void CopyGuard::KeepOnly(const std::vector<std::string>& paths)
{
    std::vector<std::string> keep;
    for (const std::string& path : paths)
        if (!path.empty()) keep.push_back(FileIdentity(path));
    std::erase_if(held_, [&](const auto& entry) { return std::find(keep.begin(), keep.end(), entry.first) == keep.end(); });
    for (const std::string& path : paths) Hold(path);
}

bool CopyGuard::HeldElsewhere(const std::string& path) const
{
    if (folder_.isEmpty() || path.empty()) return false;
    const std::string identity = FileIdentity(path);
    if (held_.count(identity)) return false;
    // Without a lock file nobody holds it, and taking the lock to learn that would write the file
    // and wait for the disk before the window could open.
    const QString lockPath = LockPath(identity);
    if (!QFileInfo::exists(lockPath)) return false;
    QLockFile lock(lockPath);
    lock.setStaleLockTime(0);
    if (lock.tryLock(kLookMs)) return false;
    return lock.error() == QLockFile::LockFailedError;
}

bool CopyGuard::AskHolderToFront(const std::string& path) const
{
    if (folder_.isEmpty()) return false;
    const QLockFile lock(LockPath(FileIdentity(path)));
    qint64 pid = 0;
    QString host, app;
    if (!lock.getLockInfo(&pid, &host, &app)) return false;
    QLocalSocket socket;
    socket.connectToServer(SocketPath(pid));
    if (!socket.waitForConnected(kAnswerMs)) return false;
    socket.write(kFront);
    const bool sent = socket.waitForBytesWritten(kAnswerMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kAnswerMs);
    return sent;
}

}  // namespace qw
