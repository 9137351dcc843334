#include "MainWindowFixture.h"

#include <QDir>

#include "puzzle/PuzzleFile.h"

namespace qw::test {

Puzzle SmallPuzzle()
{
    // H I . Y O
    // U , A L L     letters 1 H, 2 I, 3 Y, 4 O, 5 U, 6 A, 7 L, 8 L
    Puzzle p;
    const bool built = p.BuildPuzzle(2, 5, ",", {"HI YO", "U,ALL"},
                                     {{"Greeting", {1, 2}, ""}, {"Ocean", {4, 5}, ""}, {"Every one", {6, 7, 8}, ""},
                                      {"Yes", {3}, ""}});
    EXPECT_TRUE(built);
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    p.HeaderStrings[0] = "Small Test";
    p.HeaderStrings[1] = "Second line";
    p.MaskSeed = 0x42;
    return p;
}

void MainWindowTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    puzzlesDir = dir.filePath("Puzzles");
    QDir().mkpath(puzzlesDir);
    settings = std::make_unique<SettingsStore>(dir.filePath("Tamarisk.ini"));
    Restart();
}

void MainWindowTest::TearDown()
{
    form.reset();
    QDir::setCurrent(QDir::tempPath());
}

void MainWindowTest::Restart()
{
    form.reset();
    StartupOptions options;
    options.programDir = dir.path();
    options.puzzlesDir = puzzlesDir;
    options.screenWidth = 1024;
    options.startupPlacement = QRect(0, 0, 1000, 740);
    options.recoveryDir = RecoveryDir();
    form = std::make_unique<TForm1>(Services{*settings, prompts, shell, clock}, options);
}

std::string MainWindowTest::WritePuzzle(const std::string& name, Puzzle puzzle)
{
    puzzle.FileName = QDir(puzzlesDir).filePath(QString::fromStdString(name) + ".QWL").toStdString();
    SavePuzzle(puzzle);
    return puzzle.FileName;
}

QString MainWindowTest::RecoveryDir() const { return dir.filePath("state/quotewell/recovery"); }

void MainWindowTest::Type(const QString& text)
{
    for (QChar ch : text) form->FormKeyPress(ch);
}

}  // namespace qw::test
