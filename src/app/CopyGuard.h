#pragma once
// One running copy of the program per puzzle file. A copy holds a lock for each puzzle it has open,
// named by the file's identity so every path to the file finds it; a lock whose copy died is
// stale and taken over. Each copy also listens on a local socket of its own, in the same private
// folder, where another copy asks it to bring its window to the front.

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QLocalServer;
class QLockFile;

namespace qw {

class CopyGuard : public QObject {
    Q_OBJECT
public:
    // `folder` holds the locks and sockets (made private to the user when missing); empty: every
    // copy may open every puzzle, as when no folder can be had.
    explicit CopyGuard(const QString& folder, QObject* parent = nullptr);
    ~CopyGuard() override;

    // Starts answering other copies' requests to come to the front.
    void Listen();
    // Takes the puzzle at `path` for this copy; false only when another running copy holds it.
    bool Hold(const std::string& path);
    // Holds the puzzles at `paths` (where no other copy does) and lets every other one go.
    void KeepOnly(const std::vector<std::string>& paths);
    // Whether another running copy holds the puzzle at `path`.
    bool HeldElsewhere(const std::string& path) const;
    // Asks the copy holding `path` to bring its window to the front; false when none answered.
    bool AskHolderToFront(const std::string& path) const;

signals:
    void frontRequested();

private:
    QString LockPath(const std::string& identity) const;
    QString SocketPath(qint64 pid) const;

    QString folder_;
    std::map<std::string, std::unique_ptr<QLockFile>> held_;  // by the file's identity
    QLocalServer* server_ = nullptr;
};

}  // namespace qw
