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
    struct Case {
        const char* name;
        std::function<std::string()> other;  // a second path, made by the case
        bool same;
        bool sameIdentity;  // the journal's and the lock's name
    };
    const std::vector<Case> cases = {
        {"the path itself", [&] { return puzzle; }, true, true},
        {"a link to the file",
         [&] {
             fs::create_symlink(puzzle, root / "link.QWL");
             return (root / "link.QWL").string();
         },
         true, true},
        {"a link to its folder",
         [&] {
             fs::create_directory_symlink(root / "real", root / "folder");
             return (root / "folder" / "Small.QWL").string();
         },
         true, true},
        {"a relative path",
         [&] {
             fs::current_path(root / "real");
             return std::string("../real/./Small.QWL");
         },
         true, true},
        {"a hard link",
         [&] {
             fs::create_hard_link(puzzle, root / "hard.QWL");
             return (root / "hard.QWL").string();
         },
         true, false},
        {"a copy", [&] {
             fs::copy_file(puzzle, root / "copy.QWL");
             return (root / "copy.QWL").string();
         },
         false, false},
        {"nothing there", [&] { return (root / "missing.QWL").string(); }, false, false},
    };
    const fs::path start = fs::current_path();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string other = c.other();
        EXPECT_EQ(SameFile(puzzle, other), c.same);
        EXPECT_EQ(SameFile(other, puzzle), c.same);
        EXPECT_EQ(FileIdentity(other) == FileIdentity(puzzle), c.sameIdentity);
        fs::current_path(start);
    }
    // A file not there yet is named through its folder's real path, as it will be once saved.
    fs::create_directory_symlink(root / "real", root / "via");
    EXPECT_EQ(FileIdentity((root / "via" / "New.QWL").string()), (root / "real" / "New.QWL").string());
}

}  // namespace

namespace {

TEST_F(Files, SaveAsksWhenSomethingElseWroteTheFile)
{
    const FileState opened = StateOf(puzzle);
    ASSERT_TRUE(opened.Exists);
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
