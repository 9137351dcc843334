// Saving into a place that fails for real: the old file must come through byte for byte, the
// puzzle must stay modified, no temporary file may be left behind, and once the fault is gone
// the same save must work.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>

#include "FaultInjection.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"

namespace qw::faults {
namespace {

namespace fs = std::filesystem;

Puzzle Small()
{
    Puzzle p;
    EXPECT_TRUE(p.BuildPuzzle(2, 5, ",", {"HI YO", "U,ALL"},
                              {{"Greeting", {1, 2}, ""}, {"Ocean", {4, 5}, ""}, {"Every one", {6, 7, 8}, ""},
                               {"Yes", {3}, ""}}));
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    p.HeaderStrings[0] = "Small";
    return p;
}

class SaveFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qw-faults-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        folder = root + "/Puzzles";
        fs::create_directories(folder);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // Saves `puzzle` at `path` unharmed, then changes an entry so there is something to lose.
    void SaveThenChange(Puzzle& puzzle, const std::string& path)
    {
        puzzle.FileName = path;
        SavePuzzle(puzzle);
        puzzle.Letters[1].Entered = puzzle.Letters[1].Entered == 'Q' ? 'R' : 'Q';
        puzzle.Modified = true;
    }

    // The save fails with the system's message naming the file, and nothing is lost.
    void ExpectSaveFails(Puzzle& puzzle, const std::string& keep, const std::string& keepBytes,
                         const std::set<std::string>& keepListing)
    {
        try {
            SavePuzzle(puzzle);
            ADD_FAILURE() << "the save reported success";
        } catch (const SaveError& e) {
            EXPECT_NE(std::string(e.what()).find(puzzle.FileName), std::string::npos) << e.what();
        }
        EXPECT_TRUE(puzzle.Modified);
        if (!keep.empty()) {
            EXPECT_EQ(ReadBytes(keep), keepBytes) << "the old file changed";
        }
        if (fs::is_directory(folder)) {
            EXPECT_EQ(Listing(folder), keepListing) << "a temporary file was left";
        }
    }

    void ExpectSaveWorks(Puzzle& puzzle)
    {
        SavePuzzle(puzzle);
        EXPECT_FALSE(puzzle.Modified);
        EXPECT_EQ(LoadPuzzle(puzzle.FileName).Letters[1].Entered, puzzle.Letters[1].Entered);
    }

    std::string root;
    std::string folder;
};

TEST_F(SaveFaults, ImmutableFileIsNotReplaced)
{
    Puzzle puzzle = Small();
    const std::string path = folder + "/Small.QWL";
    SaveThenChange(puzzle, path);
    const std::string before = ReadBytes(path);
    Immutable guard(path);
    if (!guard.Active()) GTEST_SKIP() << "this filesystem has no immutable attribute";
    ExpectSaveFails(puzzle, path, before, Listing(folder));
    guard.Release();
    ExpectSaveWorks(puzzle);
}

TEST_F(SaveFaults, ImmutableFolderTakesNoNewFileButItsPuzzleIsRewrittenInPlace)
{
    Puzzle puzzle = Small();
    const std::string path = folder + "/Small.QWL";
    SaveThenChange(puzzle, path);
    const auto listing = Listing(folder);
    struct stat before {};
    ::stat(path.c_str(), &before);
    Immutable guard(folder);
    if (!guard.Active()) GTEST_SKIP() << "this filesystem has no immutable attribute";
    ExpectSaveWorks(puzzle);
    EXPECT_EQ(Listing(folder), listing);
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);

    // A new file cannot be made there.
    Puzzle fresh = Small();
    fresh.FileName = folder + "/New.QWL";
    fresh.Modified = true;
    ExpectSaveFails(fresh, "", "", listing);

    // A rewrite that fails part way puts the old bytes back.
    const std::string old = ReadBytes(path);
    Puzzle big = MakeStressPuzzle();
    big.FileName = path;
    big.Modified = true;
    FileSizeLimit limit(old.size() * 2);
    if (!limit.Active()) GTEST_SKIP() << "cannot lower the file-size limit";
    ExpectSaveFails(big, path, old, listing);
}

TEST_F(SaveFaults, FolderThatIsAFile)
{
    const std::string plain = folder + "/NotAFolder";
    WriteBytes(plain, "plain file\n");
    Puzzle puzzle = Small();
    puzzle.FileName = plain + "/Small.QWL";
    puzzle.Modified = true;
    ExpectSaveFails(puzzle, plain, "plain file\n", Listing(folder));
}

TEST_F(SaveFaults, FolderRemovedWhileOpen)
{
    Puzzle puzzle = Small();
    SaveThenChange(puzzle, folder + "/Small.QWL");
    fs::remove_all(folder);
    ExpectSaveFails(puzzle, "", "", {});
    EXPECT_FALSE(fs::exists(folder)) << "the save must not make folders";
    fs::create_directories(folder);
    ExpectSaveWorks(puzzle);
}

TEST_F(SaveFaults, DiskFillsDuringTheWrite)
{
    const std::string disk = root + "/disk";
    TinyDisk tmpfs(disk, 1 << 20);
    if (!tmpfs.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here: " << tmpfs.Error();
    Puzzle puzzle = MakeStressPuzzle();
    const std::string path = disk + "/Stress.QWL";
    SaveThenChange(puzzle, path);
    const std::string before = ReadBytes(path);
    ASSERT_GT(before.size(), 8192u);
    // Room for a few blocks of the new file, not for all of it.
    tmpfs.FillLeaving(8192);
    const std::string saved = folder;
    folder = disk;
    ExpectSaveFails(puzzle, path, before, Listing(disk));
    fs::remove(disk + "/filler");
    ExpectSaveWorks(puzzle);
    folder = saved;
}

TEST_F(SaveFaults, FileSizeLimitStopsTheWritePartWay)
{
    Puzzle puzzle = MakeStressPuzzle();
    const std::string path = folder + "/Stress.QWL";
    SaveThenChange(puzzle, path);
    const std::string before = ReadBytes(path);
    {
        FileSizeLimit limit(before.size() / 2);
        if (!limit.Active()) GTEST_SKIP() << "cannot lower the file-size limit";
        ExpectSaveFails(puzzle, path, before, Listing(folder));
    }
    ExpectSaveWorks(puzzle);
}

}  // namespace
}  // namespace qw::faults
