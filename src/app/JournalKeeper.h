#pragma once
// Keeps the open puzzle's recovery journal in step with its entered letters. A change only arms a
// timer; when it fires the letters are copied and the copy goes to the writer's thread, so the
// keystroke itself never waits for the disk.

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "puzzle/Journal.h"
#include "puzzle/Puzzle.h"

namespace qw {

class JournalWriter;

class JournalKeeper : public QObject {
    Q_OBJECT
public:
    // The timer is not restarted by later changes, so a change is on disk within this time plus
    // one write, and a steady stream of typing is written twice a second.
    static constexpr int kIntervalMs = 500;

    // `puzzle` and `cursor` outlive the keeper. No folder: nothing is ever journaled.
    JournalKeeper(const std::string& folder, const Puzzle& puzzle, const CursorState& cursor);
    // Writes nothing more, but waits for what was handed to the writer.
    ~JournalKeeper() override;

    // The entered letters (or Modified) changed.
    void Changed();
    // After a load, a save or a new file name: from now on the journal is compared with the
    // puzzle file as it lies on disk now. A journal of the previous puzzle goes.
    void Track();
    // The open puzzle's journal goes (saved, dropped by the solver, closed, clean exit).
    void Discard();
    // A load: the open puzzle's journal when it can be offered; stale and bad ones are set aside.
    std::optional<Journal> Recoverable();
    // Puzzles with journals that are not `opening` (a path as given, maybe relative), newest first.
    // `held`: whether another running copy has a puzzle open; its journal is that copy's.
    std::vector<std::string> JournaledPuzzles(const std::string& opening,
                                              const std::function<bool(const std::string&)>& held = {});
    // Writes what is due now and waits until it is on disk.
    void Sync();

signals:
    // The journal cannot be kept, and why; said again only after it could be kept once more.
    void failed(const QString& reason);

private:
    void WriteDue();

    const Puzzle& puzzle_;
    const CursorState& cursor_;
    std::unique_ptr<JournalWriter> writer_;
    QTimer timer_;
    std::string path_;  // the absolute path the journal belongs to; empty when none
    FileStamp stamp_;
};

}  // namespace qw
