#pragma once
// A main window wired to scripted prompts, a settings file and a puzzles folder of its own, so a
// test drives the whole program without a display or a modal window.

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "app/TForm1.h"
#include "platform/SettingsStore.h"
#include "puzzle/Puzzle.h"
#include "support/FixedClock.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"

namespace qw::test {

// A small puzzle: the diagram "HI YO" / "U,ALL" with ',' fixed and four clues (HI, OU, ALL, Y)
// that use every letter once.
Puzzle SmallPuzzle();

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes a fresh main window over the same settings file, puzzles and journal folders. The old
    // window goes as a killed program would: without closing, its journal left behind.
    void Restart();
    QString RecoveryDir() const;
    // Writes `puzzle` as NAME.QWL into the puzzles folder and returns its path.
    std::string WritePuzzle(const std::string& name, Puzzle puzzle = SmallPuzzle());
    void Type(const QString& text);

    QTemporaryDir dir;
    QString puzzlesDir;
    std::unique_ptr<SettingsStore> settings;
    ScriptedPrompts prompts;
    RecordingShell shell;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(12, 0))};
    std::unique_ptr<TForm1> form;
};

}  // namespace qw::test
