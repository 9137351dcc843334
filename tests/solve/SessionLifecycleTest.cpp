#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <stdlib.h>

#include "TestPuzzles.h"
#include "formats/PuzzleFormats.h"
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
        home = dir + "/home";
        fs::create_directories(home);
        s.SetPlaces({home, dir, dir + "/tmp"});
    }
    void TearDown() override { fs::remove_all(dir); }

    static Puzzle CatDog(const std::string& clue = "a")
    {
        return Build({"CATDOG"}, {{clue, Range(1, 3), ""}, {"b", Range(4, 6), ""}});
    }
    // "CAT" / "DOG" written as NAME.QWL (or in the format NAME's extension names) in `folder`,
    // by default the test's own.
    std::string Write(const std::string& name, const std::string& entries = "", std::string folder = "",
                      Puzzle p = CatDog())
    {
        SetEntries(p, entries);
        p.FileName = (fs::path(folder.empty() ? dir : folder) / (name.find('.') == std::string::npos ? name + ".QWL" : name)).string();
        fs::create_directories(fs::path(p.FileName).parent_path());
        if (const auto kind = ImportKindOf(p.FileName)) WriteFileAtomically(p.FileName, ExportPuzzleBytes(p, *kind));
        else SavePuzzle(p);
        return p.FileName;
    }
    // Opens `path` without a question, as the solver left it.
    void Open(const std::string& path)
    {
        ScriptedSessionPrompts quiet;
        ASSERT_FALSE(s.OpenFile(path, quiet).stopped) << (quiet.calls.empty() ? "" : quiet.calls.front());
        s.Cursor() = StartCursor(s.CurrentPuzzle());  // as the screen places it
    }
    static std::string Bytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::string dir;
    std::string home;  // the puzzles folder
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

TEST_F(SessionFiles, DeleteAsksFirstAndLeavesThePuzzleOpenToBeSavedAgain)
{
    const std::string path = Write("Small");
    Open(path);
    s.DeleteFile(ask);
    EXPECT_TRUE(fs::exists(path));
    ask.answers = {Answer::Yes};
    s.DeleteFile(ask);
    EXPECT_EQ(ask.calls, std::vector<std::string>(2, "ConfirmYesNo: Delete this puzzle.  Are you sure?"));
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(s.CurrentPuzzle().IsOpen());
    EXPECT_TRUE(s.Save(ask).saved);
    EXPECT_TRUE(fs::exists(path));
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
    const std::string jpz = Write("Q.jpz");
    Open(jpz);
    s.Close(ask);
    EXPECT_FALSE(fs::exists(dir + "/Q.QWL"));
    EXPECT_EQ(s.Recent().Entries().front(), jpz);

    // At start-up the puzzles with journals come first, the newest at the top.
    EXPECT_FALSE(s.PutJournaledFirst({}).recentList);
    EXPECT_TRUE(s.PutJournaledFirst({"/j/New.QWL", jpz}).recentList);
    EXPECT_EQ(std::vector<std::string>(s.Recent().Entries().begin(), s.Recent().Entries().begin() + 3),
              (std::vector<std::string>{"/j/New.QWL", jpz, paths[9]}));
}

TEST_F(SessionFiles, AFileThatCannotBeOpenedIsSaidAndTheOpenPuzzleStays)
{
    const std::string good = Write("Good");
    Open(good);
    s.TypeLetter('C');
    const std::string bad = Write("Bad");
    fs::resize_file(bad, 20);
    const std::string crossword = dir + "/Cross.ipuz";
    WriteFileAtomically(crossword, R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"]})");
    const std::string said[] = {
        "Warning: Error reading file " + bad + ".",
        "Warning: Cannot open \"" + crossword + "\": it is a crossword, not an acrostic.",
    };
    for (const std::string& path : {bad, crossword}) {
        ask = {};
        const Change c = s.OpenFile(path, ask);
        EXPECT_TRUE(c.stopped && c.recentList && !c.loaded);
        EXPECT_EQ(ask.calls, std::vector<std::string>{said[path == bad ? 0 : 1]});
        EXPECT_EQ(s.CurrentPuzzle().FileName, good);
        EXPECT_TRUE(s.CurrentPuzzle().Modified);
        EXPECT_EQ(s.CurrentPuzzle().Letters[1].Entered, 'C');
    }
}

TEST_F(SessionFiles, APuzzleAnotherCopyHoldsIsHandedOver)
{
    const std::string mine = Write("Mine"), theirs = Write("Theirs");
    s.SetHolder([&](const std::string& path) { return path != theirs; });
    Open(mine);
    const Change c = s.OpenFile(theirs, ask);
    EXPECT_EQ(c.handOver, theirs);
    EXPECT_EQ(c.status, "Theirs.QWL is open in another Quotewell window.");
    EXPECT_TRUE(c.stopped && c.recentList && ask.calls.empty());
    EXPECT_EQ(s.CurrentPuzzle().FileName, mine);
}

TEST_F(SessionFiles, TheRecentListOpensItsEntriesAndDropsTheOnesThatAreGone)
{
    const std::string gone = Write("Gone"), kept = Write("Kept");
    for (const std::string& path : {gone, kept}) {
        Open(path);
        s.Close(ask);
    }
    fs::remove(gone);
    Change c = s.OpenRecent(1, ask);
    EXPECT_EQ(ask.calls, std::vector<std::string>{"Notice: Puzzle Gone no longer exists."});
    EXPECT_TRUE(c.recentList && c.open.empty());
    EXPECT_EQ(s.Recent().Entries(), std::vector<std::string>{kept});
    EXPECT_TRUE(s.OpenRecent(1, ask).open.empty()) << "past the end";

    // A modified puzzle is offered for saving first; a failed save opens nothing.
    Open(Write("Typed"));
    s.TypeLetter('C');
    s.CurrentPuzzle().FileName = kept + "/Typed.QWL";
    ask = {};
    ask.answers = {Answer::Yes};
    c = s.OpenRecent(0, ask);
    EXPECT_TRUE(c.stopped && c.open.empty());
    EXPECT_EQ(ask.calls.size(), 2u) << "the question, then the error";
    ask.answers = {Answer::No};
    ASSERT_EQ(s.Recent().Entries()[1], kept) << "the typed puzzle went to the front";
    c = s.OpenRecent(1, ask);
    EXPECT_TRUE(c.closed && !c.stopped);
    EXPECT_EQ(c.open, kept);
}

TEST_F(SessionFiles, AnImportKeepsItsProgressBesideItOrAtHomeNeverOverAnotherFile)
{
    Puzzle unrelated = CatDog("Hello");
    Write("Taken", "", home, unrelated);
    Write("Saved", "C", home);
    struct Row {
        const char* what;
        std::string source;
        std::string progress;  // where the progress goes
        std::string status;
    };
    const Row rows[] = {
        {"beside the file", Write("Beside.jpz"), dir + "/Beside.QWL",
         "Imported Beside.jpz; saving keeps your progress in Beside.QWL."},
        {"from a temporary folder, without its copy number", Write("Saved[1].ipuz", "", dir + "/tmp"),
         home + "/Saved.QWL", "Saved.QWL holds your progress on Saved[1].ipuz and is opened instead."},
        {"an unrelated file holds the name", Write("Taken.jpz", "", dir + "/TEMP"), home + "/Taken (2).QWL",
         "Imported Taken.jpz; saving keeps your progress in Taken (2).QWL."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const Change c = s.OpenFile(row.source, ask);
        EXPECT_TRUE(c.loaded && c.fileLocks && !c.stopped);
        EXPECT_EQ(c.status, row.status);
        EXPECT_EQ(s.CurrentPuzzle().FileName, row.progress);
        EXPECT_EQ(s.ImportSource(), row.source);
        EXPECT_FALSE(s.CurrentPuzzle().Modified);
    }
    EXPECT_EQ(s.CurrentPuzzle().Letters[1].Entered, ' ');
    EXPECT_TRUE(ask.calls.empty());

    // A file that took the progress's name after the import is left alone: a save picks a free one.
    Open(rows[0].source);
    Write("Beside", "", "", unrelated);
    const std::string theirs = Bytes(dir + "/Beside.QWL");
    s.TypeLetter('C');
    const Change saved = s.Save(ask);
    EXPECT_TRUE(saved.saved && saved.windowTitle);
    EXPECT_EQ(saved.status, "Imported Beside.jpz; saving keeps your progress in Beside (2).QWL.");
    EXPECT_EQ(Bytes(dir + "/Beside.QWL"), theirs);
    EXPECT_EQ(LoadPuzzle(dir + "/Beside (2).QWL").Letters[1].Entered, 'C');
    EXPECT_TRUE(ask.calls.empty());
}

TEST_F(SessionFiles, APuzzleFromATemporaryFolderIsGivenAHomeAndBecomesModified)
{
    Write("Cryptic", "", home);  // never written over
    const std::string temporary = Write("Cryptic[1]", "", dir + "/tmp");
    Open(temporary);
    Change c = s.RehomeFromTemporaryFolder(temporary);
    EXPECT_TRUE(c.windowTitle && c.fileLocks && c.recentList && c.offerRecovery);
    EXPECT_EQ(s.CurrentPuzzle().FileName, home + "/Cryptic (2).QWL");
    EXPECT_TRUE(s.CurrentPuzzle().Modified);
    EXPECT_TRUE(s.Save(ask).saved);
    EXPECT_TRUE(ask.calls.empty());

    const std::string settled = Write("Settled");
    Open(settled);
    c = s.RehomeFromTemporaryFolder(settled);
    EXPECT_FALSE(c.windowTitle || c.offerRecovery);
    EXPECT_EQ(s.CurrentPuzzle().FileName, settled);
}

TEST_F(SessionFiles, JournaledLettersAreOfferedBackAndLetGoOnNo)
{
    const std::string question =
        "ConfirmYesNo: Quotewell closed without saving your latest letters in \"Small.QWL\". Restore them?";
    Open(Write("Small"));
    Journal journal;
    journal.Entered = "CAT   ";
    journal.CurrentLetter = 4;
    bool looked = false;
    const auto found = [&]() -> std::optional<Journal> { return looked = true, journal; };

    Change c = s.OfferRecovery(found, ask);
    EXPECT_EQ(ask.calls, std::vector<std::string>{question});
    EXPECT_TRUE(c.dropJournal && !c.lettersChanged);
    EXPECT_EQ(s.CurrentPuzzle().Letters[1].Entered, ' ');

    ask = {};
    ask.answers = {Answer::Yes};
    c = s.OfferRecovery(found, ask);
    EXPECT_TRUE(c.lettersChanged && c.placeCursor && c.repaintPanes && c.titleStrip && !c.dropJournal);
    EXPECT_EQ(s.CurrentPuzzle().Letters[3].Entered, 'T');
    EXPECT_EQ(s.Cursor().CurrentLetter, 4);
    EXPECT_TRUE(s.CurrentPuzzle().Modified);

    // Nothing journaled, or nothing open: nothing asked.
    ask = {};
    EXPECT_FALSE(s.OfferRecovery([] { return std::optional<Journal>(); }, ask).dropJournal);
    s.Close(ask);
    looked = false;
    ask = {};
    s.OfferRecovery(found, ask);
    EXPECT_FALSE(looked);
    EXPECT_TRUE(ask.calls.empty());
}

}  // namespace
