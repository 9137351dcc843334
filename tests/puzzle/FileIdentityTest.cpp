// Which paths name one file, and the stamp that tells whether a file changed under the program.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "puzzle/FileAccess.h"

using namespace qw;
namespace fs = std::filesystem;

namespace {

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class Files : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qw-identity-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = fs::canonical(pattern);
        fs::create_directories(root / "real");
        puzzle = (root / "real" / "Small.QWL").string();
        WriteText(puzzle, "puzzle");
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
    std::string puzzle;
};

TEST_F(Files, PathsNameOneFileWhicheverWayLeadsThere)
{
    fs::create_symlink(puzzle, root / "link.QWL");
    fs::create_directory_symlink(root / "real", root / "folder");
    fs::create_hard_link(puzzle, root / "hard.QWL");
    fs::copy_file(puzzle, root / "copy.QWL");
    // Spelled from inside the puzzle's folder, so every case is a relative path as well.
    const fs::path start = fs::current_path();
    fs::current_path(root / "real");
    const struct {
        const char* path;
        bool same;
        bool sameIdentity;  // the journal's and the lock's name
    } cases[] = {
        {"./Small.QWL", true, true},        {"../link.QWL", true, true},  {"../folder/Small.QWL", true, true},
        {"../hard.QWL", true, false},       {"../copy.QWL", false, false}, {"../missing.QWL", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(SameFile(puzzle, c.path), c.same);
        EXPECT_EQ(SameFile(c.path, puzzle), c.same);
        EXPECT_EQ(FileIdentity(c.path) == FileIdentity(puzzle), c.sameIdentity);
    }
    fs::current_path(start);
    // A file not there yet is named through its folder's real path, as it will be once saved.
    EXPECT_EQ(FileIdentity((root / "folder" / "New.QWL").string()), (root / "real" / "New.QWL").string());
}

TEST_F(Files, SaveAsksWhenSomethingElseWroteTheFile)
{
    ASSERT_TRUE(StateOf(puzzle).Exists);
    struct Case {
        const char* name;
        std::function<void()> meanwhile;
        bool importTarget;
        SaveCheck check;
    };
    const std::vector<Case> cases = {
        {"untouched", [] {}, false, SaveCheck::Write},
        {"deleted", [&] { fs::remove(puzzle); }, false, SaveCheck::Write},
        {"rewritten in place, same size", [&] { WriteText(puzzle, "PUZZLE"); }, false, SaveCheck::AskChanged},
        {"replaced by another file",
         [&] {
             WriteText(root / "other", "puzzle");
             fs::rename(root / "other", puzzle);
         },
         false, SaveCheck::AskChanged},
        {"touched", [&] { fs::last_write_time(puzzle, fs::last_write_time(puzzle) + std::chrono::nanoseconds(1)); },
         false, SaveCheck::AskChanged},
        {"grown", [&] { std::ofstream(puzzle, std::ios::app) << "!"; }, true, SaveCheck::AskChanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteText(puzzle, "puzzle");
        const FileState before = StateOf(puzzle);
        // File times move in clock ticks, not nanoseconds.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        c.meanwhile();
        EXPECT_EQ(CheckBeforeSave(before, StateOf(puzzle), c.importTarget), c.check);
    }
    // Where nothing was when the puzzle was opened, a new file is an import's cue to move aside,
    // and anyone else's to ask.
    const std::string fresh = (root / "real" / "New.QWL").string();
    const FileState none = StateOf(fresh);
    EXPECT_FALSE(none.Exists);
    EXPECT_EQ(CheckBeforeSave(none, StateOf(fresh), true), SaveCheck::Write);
    WriteText(fresh, "unrelated");
    EXPECT_EQ(CheckBeforeSave(none, StateOf(fresh), true), SaveCheck::NewName);
    EXPECT_EQ(CheckBeforeSave(none, StateOf(fresh), false), SaveCheck::AskChanged);
}

}  // namespace
