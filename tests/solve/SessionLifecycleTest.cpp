#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <stdlib.h>

#include "TestPuzzles.h"
#include "puzzle/PuzzleFile.h"
#include "solve/Session.h"
#include "support/ScriptedSessionPrompts.h"

using namespace qw;
using namespace qw::testing;
namespace fs = std::filesystem;

namespace {

const std::string kSaveText = "Puzzle not saved.  Save before closing?";
const std::string kSaveQuestion = "ConfirmYesNo: " + kSaveText;

class SessionFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qw-session-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    // "CAT" / "DOG" written as NAME.QWL in the test's folder.
    std::string Write(const std::string& name, const std::string& entries = "")
    {
        Puzzle p = Build({"CATDOG"}, {{"a", Range(1, 3), ""}, {"b", Range(4, 6), ""}});
        SetEntries(p, entries);
        p.FileName = (fs::path(dir) / (name + ".QWL")).string();
        SavePuzzle(p);
        return p.FileName;
    }
    // The puzzle at `path` open in the session as a load leaves it.
    void Open(const std::string& path)
    {
        s.CurrentPuzzle() = LoadPuzzle(path);
        s.CurrentPuzzle().FileName = path;
        s.Cursor() = StartCursor(s.CurrentPuzzle());
        s.History().Reset(s.CurrentPuzzle());
        s.RememberFileOnDisk();
    }
    static std::string Bytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::string dir;
    Session s;
    ScriptedSessionPrompts ask;
};

TEST_F(SessionFiles, SaveAsksBeforeWritingOverAFileAnotherProgramChanged)
{
    const std::string path = Write("Small");
    const std::string question = "CautionYesNo: \"Small.QWL\" was changed by another program after Quotewell "
                                 "opened it. Save your letters over it?";
    Open(path);
    s.TypeLetter('C');
    Write("Small", "  T");  // another program's letters
    const std::string theirs = Bytes(path);

    // No, from Save and from the save offered on closing: nothing written, nothing lost.
    EXPECT_TRUE(s.Save(ask).stopped);
    ask.answers = {Answer::Yes};
    const Change close = s.Close(ask);
    EXPECT_TRUE(close.stopped && !close.closed);
    EXPECT_EQ(ask.calls, (std::vector<std::string>{question, kSaveQuestion, question}));
    EXPECT_EQ(Bytes(path), theirs);
    EXPECT_TRUE(s.CurrentPuzzle().Modified);

    ask.answers = {Answer::Yes};
    const Change saved = s.Save(ask);
    EXPECT_TRUE(saved.saved && saved.fileLocks && !saved.stopped && !saved.windowTitle);
    EXPECT_FALSE(s.CurrentPuzzle().Modified);
    EXPECT_EQ(LoadPuzzle(path).Letters[1].Entered, 'C');
    // Its own save is no other program's; a deleted file is simply written again.
    ask.calls.clear();
    s.TypeLetter('A');
    EXPECT_TRUE(s.Save(ask).saved);
    fs::remove(path);
    EXPECT_TRUE(s.Save(ask).saved);
    EXPECT_TRUE(ask.calls.empty());
    EXPECT_EQ(LoadPuzzle(path).Letters[2].Entered, 'A');
}

TEST_F(SessionFiles, CloseAndExitOfferTheSaveAndAFailedSaveStopsThem)
{
    enum class Road { Close, Exit };
    struct Row {
        const char* what;
        Road road;
        bool typed;
        std::deque<Answer> answers;
        bool blocked;  // the puzzle's folder is a plain file: every save fails
        bool stopped;
        char onDisk;   // the first letter in the file afterwards
    };
    const Row rows[] = {
        {"close, unmodified: no question", Road::Close, false, {}, false, false, ' '},
        {"exit, unmodified: no question", Road::Exit, false, {}, false, false, ' '},
        {"close, No", Road::Close, true, {Answer::No}, false, false, ' '},
        {"close, Yes", Road::Close, true, {Answer::Yes}, false, false, 'C'},
        {"exit, Cancel", Road::Exit, true, {Answer::Cancel}, false, true, ' '},
        {"exit, No", Road::Exit, true, {Answer::No}, false, false, ' '},
        {"exit, Yes", Road::Exit, true, {Answer::Yes}, false, false, 'C'},
        {"close, Yes, the save fails", Road::Close, true, {Answer::Yes}, true, true, ' '},
        {"exit, Yes, the save fails", Road::Exit, true, {Answer::Yes}, true, true, ' '},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string path = Write("Small");
        Open(path);
        if (row.typed) s.TypeLetter('C');
        if (row.blocked) s.CurrentPuzzle().FileName = path + "/Small.QWL";
        ask = {};
        ask.answers = row.answers;
        const Change c = row.road == Road::Close ? s.Close(ask) : s.CloseQuery(ask);

        EXPECT_EQ(c.stopped, row.stopped);
        EXPECT_EQ(ask.calls.size(), (row.typed ? 1u : 0u) + (row.blocked ? 1u : 0u));
        if (row.typed) {
            EXPECT_EQ(ask.calls.front(), row.road == Road::Close ? kSaveQuestion : "ConfirmYesNoCancel: " + kSaveText);
        }
        if (row.blocked) {
            EXPECT_EQ(ask.calls.back().rfind("Error: ", 0), 0u);
        }
        EXPECT_TRUE(ask.answers.empty());
        EXPECT_EQ(LoadPuzzle(path).Letters[1].Entered, row.onDisk);
        // A close that went through empties the session; anything stopped keeps the work open.
        const bool closed = row.road == Road::Close && !row.stopped;
        EXPECT_EQ(c.closed && c.windowTitle && c.recentList && c.fileMenu, closed);
        EXPECT_EQ(s.CurrentPuzzle().IsOpen(), !closed);
        EXPECT_EQ(s.CurrentPuzzle().Modified, row.typed && row.onDisk == ' ' && !closed);
        if (row.stopped) {
            EXPECT_EQ(s.CurrentPuzzle().Letters[1].Entered, 'C');
        }
    }
}

TEST_F(SessionFiles, LeavingAnUnsolvedPuzzleKeepsItInTheRecentList)
{
    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) {
        paths.push_back(Write("P" + std::to_string(i)));
        Open(paths.back());
        s.Close(ask);
    }
    ASSERT_EQ(s.Recent().Entries().size(), 10u);
    EXPECT_EQ(s.Recent().Entries().front(), paths[10]);
    EXPECT_EQ(s.Recent().Entries().back(), paths[1]);

    // Solved, it leaves the list, and closing it does not bring it back.
    Open(paths[10]);
    EXPECT_TRUE(s.RevealAllLetters().congratulate);
    EXPECT_EQ(s.Recent().Entries().front(), paths[9]);
    EXPECT_FALSE(s.CurrentPuzzle().Modified) << "revealing is not a change to save";
    s.Close(ask);
    EXPECT_TRUE(ask.calls.empty());
    EXPECT_EQ(s.Recent().Entries().front(), paths[9]);

    // An import never saved has no file of its own yet: the list keeps the file it came from.
    Open(paths[0]);
    s.SetImportSource(dir + "/P0.jpz");
    s.CurrentPuzzle().FileName = dir + "/P0 (2).QWL";
    s.LeaveCurrent();
    EXPECT_EQ(s.Recent().Entries().front(), dir + "/P0.jpz");
}

}  // namespace
