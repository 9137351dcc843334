// Which paths name one file.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

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
