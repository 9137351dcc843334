#pragma once
// One running copy of the program per puzzle file. A copy holds a lock for each puzzle it has open,
// named by the file's identity so every path to the file finds it; the system lets a lock go when
// its copy ends, however it ends. Each copy also listens on a local socket of its own, in the
// same private folder, where another copy asks it to bring its window to the front.
//
// Plain system locks and sockets rather than Qt's lock file and local server: those wait for the
// disk at every lock taken and bring in a networking library, both before the first window.

#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QSocketNotifier;

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
    // Open descriptors of the lock files, by the file's identity; closing one lets its lock go.
    std::map<std::string, int> held_;
    int listener_ = -1;
    QSocketNotifier* listening_ = nullptr;
};

}  // namespace qw
