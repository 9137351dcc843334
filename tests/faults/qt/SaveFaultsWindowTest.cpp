// The window's side of a failed save: every road to SavePuzzle (Save, the prompt of Close, of
// Open and of closing the window) reports the system's message once as the general error, keeps
// the puzzle open and modified, leaves the old file exactly as it was and the program running;
// once the fault is gone a save works.

#include <QDir>
#include <QTest>
#include <filesystem>
#include <functional>

#include "../FaultInjection.h"
#include "MainWindowFixture.h"
#include "app/JournalKeeper.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"
#include "view/qt/PuzzleScreen.h"

namespace qw::test {
namespace {

namespace fs = std::filesystem;
using namespace qw::faults;

class WindowSaveFaults : public MainWindowTest {
protected:
    // Opens `puzzle` from `path`, shows the window and types a letter so there is work to lose.
    void OpenAndChange(const std::string& path, Puzzle puzzle = SmallPuzzle())
    {
        puzzle.FileName = path;
        SavePuzzle(puzzle);
        ASSERT_TRUE(form->OpenPuzzleFile(path));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        Type("Q");
        ASSERT_TRUE(form->CurrentPuzzle().Modified);
        entered = form->CurrentPuzzle().Letters[static_cast<size_t>(form->CurrentPuzzle().FirstLetterOfClue(0))].Entered;
        prompts.Clear();
    }

    // Each road to a save, with the fault in place. `keep` is a file that must not change.
    void ExpectEveryRoadFails(const std::string& keep)
    {
        const std::string keepBytes = keep.empty() ? std::string() : ReadBytes(keep);
        const std::string file = form->CurrentPuzzle().FileName;
        const std::string folder = fs::path(file).parent_path();
        const auto listing = Listing(folder);
        const std::vector<std::pair<const char*, std::function<void()>>> roads = {
            {"Save", [this] { form->Save1->trigger(); }},
            {"Close, answering Yes", [this] {
                 prompts.QueueAnswer(Answer::Yes);
                 form->Close1->trigger();
             }},
            {"Open, answering Yes", [this] {
                 prompts.QueueAnswer(Answer::Yes);
                 form->Open1->trigger();
             }},
            {"closing the window, answering Yes", [this] {
                 prompts.QueueAnswer(Answer::Yes);
                 form->close();
             }},
        };
        for (const auto& [name, road] : roads) {
            SCOPED_TRACE(name);
            prompts.Clear();
            road();
            ASSERT_EQ(prompts.Count(PromptKind::Error), 1) << prompts.Texts(PromptKind::Error).join("\n").toStdString();
            EXPECT_TRUE(prompts.Texts(PromptKind::Error).front().contains(QString::fromStdString(file)));
            EXPECT_EQ(prompts.Count(PromptKind::OpenFile), 0) << "Open went on after the failed save";
            EXPECT_EQ(form->CurrentPuzzle().FileName, file) << "the puzzle was closed";
            EXPECT_TRUE(form->CurrentPuzzle().Modified);
            EXPECT_TRUE(form->isVisible()) << "the window closed";
            EXPECT_TRUE(form->Screen().PuzzleShown());
            if (!keep.empty()) {
            EXPECT_EQ(ReadBytes(keep), keepBytes) << "the old file changed";
        }
            if (fs::is_directory(folder)) {
            EXPECT_EQ(Listing(folder), listing) << "a temporary file was left";
        }
        }
        // Still working: the cursor moves and letters are taken.
        Type("Z");
        EXPECT_EQ(prompts.Count(PromptKind::Error), 1);
    }

    // With the fault gone, Save writes the entries and closing no longer asks.
    void ExpectSaveWorks()
    {
        prompts.Clear();
        form->Save1->trigger();
        EXPECT_EQ(prompts.Count(PromptKind::Error), 0) << prompts.Texts(PromptKind::Error).join("\n").toStdString();
        EXPECT_FALSE(form->CurrentPuzzle().Modified);
        const Puzzle& open = form->CurrentPuzzle();
        const Puzzle saved = LoadPuzzle(open.FileName);
        for (int32_t i = 1; i <= open.LetterCount; ++i)
            EXPECT_EQ(saved.Letters[static_cast<size_t>(i)].Entered, open.Letters[static_cast<size_t>(i)].Entered);
        form->close();
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(prompts.Count(PromptKind::ConfirmYesNoCancel), 0);
    }

    std::string Folder(const char* name)
    {
        const std::string folder = QDir(dir.path()).filePath(name).toStdString();
        fs::create_directories(folder);
        return folder;
    }

    char entered = ' ';
};

TEST_F(WindowSaveFaults, ImmutableFile)
{
    const std::string path = Folder("Locked") + "/Small.QWL";
    OpenAndChange(path);
    Immutable guard(path);
    if (!guard.Active()) GTEST_SKIP() << "this filesystem has no immutable attribute";
    ExpectEveryRoadFails(path);
    guard.Release();
    ExpectSaveWorks();
}

TEST_F(WindowSaveFaults, ImmutableFolderStillSavesItsWritablePuzzle)
{
    const std::string folder = Folder("Locked");
    OpenAndChange(folder + "/Small.QWL");
    Immutable guard(folder);
    if (!guard.Active()) GTEST_SKIP() << "this filesystem has no immutable attribute";
    ExpectSaveWorks();
}

TEST_F(WindowSaveFaults, FolderRemovedThenAFileInItsPlace)
{
    const std::string folder = Folder("Gone");
    OpenAndChange(folder + "/Small.QWL");
    fs::remove_all(folder);
    ExpectEveryRoadFails("");
    WriteBytes(folder, "not a folder");
    ExpectEveryRoadFails(folder);
    fs::remove(folder);
    fs::create_directories(folder);
    ExpectSaveWorks();
}

TEST_F(WindowSaveFaults, DiskFillsDuringTheWrite)
{
    const std::string disk = QDir(dir.path()).filePath("disk").toStdString();
    TinyDisk tmpfs(disk, 1 << 20);
    if (!tmpfs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here: " << tmpfs.Error();
    OpenAndChange(disk + "/Stress.QWL", MakeStressPuzzle());
    tmpfs.FillLeaving(8192);
    ExpectEveryRoadFails(disk + "/Stress.QWL");
    fs::remove(disk + "/filler");
    ExpectSaveWorks();
}

TEST_F(WindowSaveFaults, FileSizeLimit)
{
    const std::string path = Folder("Limited") + "/Stress.QWL";
    OpenAndChange(path, MakeStressPuzzle());
    FileSizeLimit limit(fs::file_size(path) / 3);
    if (!limit.Active()) GTEST_SKIP() << "cannot lower the file-size limit";
    ExpectEveryRoadFails(path);
    limit.Release();
    ExpectSaveWorks();
}

// Letters typed while every save fails are journaled all the same, and come back after a kill.
TEST_F(WindowSaveFaults, JournalKeepsWhatAFailedSaveCouldNot)
{
    const std::string path = Folder("Locked") + "/Small.QWL";
    OpenAndChange(path);
    Immutable guard(path);
    if (!guard.Active()) GTEST_SKIP() << "this filesystem has no immutable attribute";
    form->Save1->trigger();
    ASSERT_EQ(prompts.Count(PromptKind::Error), 1);
    Type("Z");
    form->RecoveryJournal().Sync();
    Restart();
    guard.Release();
    prompts.QueueAnswer(Answer::Yes);
    ASSERT_TRUE(form->OpenPuzzleFile(path));
    EXPECT_EQ(prompts.Count(PromptKind::ConfirmYesNo), 1);
    EXPECT_EQ(form->CurrentPuzzle().Letters[1].Entered, 'Q');
    EXPECT_EQ(form->CurrentPuzzle().Letters[2].Entered, 'Z');
    ExpectSaveWorks();
}

}  // namespace
}  // namespace qw::test
