// The recovery journal without a window: its JSON form, when it may be offered, what happens to
// damaged and hostile ones, its file names and folder, and the writer's ordering and failures.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <nlohmann/json.hpp>

#include "puzzle/FileAccess.h"
#include "puzzle/Journal.h"
#include "puzzle/JournalWriter.h"

using namespace qw;
namespace fs = std::filesystem;
using Json = nlohmann::json;

namespace {

// "HI YO" / "U,ALL": letters 1 H, 2 I, 3 Y, 4 O, 5 U, 6 A, 7 L, 8 L.
Puzzle Small()
{
    Puzzle p;
    EXPECT_TRUE(p.BuildPuzzle(2, 5, ",", {"HI YO", "U,ALL"},
                              {{"", {1, 2}, ""}, {"", {4, 5}, ""}, {"", {6, 7, 8}, ""}, {"", {3}, ""}}));
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    return p;
}

Journal Sample(const std::string& path = "/puzzles/Small.QWL")
{
    return {path, {1234, 1700000000123456789}, "HI  Q  L", 3};
}

void WriteText(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "qw-journal-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        folder = (root / "state" / "recovery").string();
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(root); }

    // A puzzle file on disk and the journal that matches it.
    std::pair<std::string, Journal> SavedPuzzle(const std::string& name)
    {
        const std::string path = (root / name).string();
        WriteText(path, "puzzle bytes of " + name);
        Journal journal = Sample(path);
        journal.Stamp = StampOf(path);
        return {path, journal};
    }

    fs::path root;
    std::string folder;
};

TEST(Journal, EncodingKeepsEveryByteAndField)
{
    std::string everyByte;
    for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
    const std::vector<Journal> journals = {
        Sample(),
        {"/home/zoë/\"Puzzles\"/Ça va.QWL", {-1, 0}, everyByte, 256},  // a file never saved
        {"/p.QWL", {0, -5}, " ", 1},
    };
    for (const Journal& journal : journals) {
        SCOPED_TRACE(journal.PuzzlePath);
        const auto back = DecodeJournal(EncodeJournal(journal));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->PuzzlePath, journal.PuzzlePath);
        EXPECT_EQ(back->Stamp, journal.Stamp);
        EXPECT_EQ(back->Entered, journal.Entered);
        EXPECT_EQ(back->CurrentLetter, journal.CurrentLetter);
    }
    EXPECT_TRUE(Json::parse(EncodeJournal(Sample())).contains("letterCount"));
}

TEST(Journal, DecodingRefusesAnythingItDidNotWrite)
{
    const Json good = Json::parse(EncodeJournal(Sample()));
    const std::vector<std::pair<const char*, std::function<void(Json&)>>> damage = {
        {"another format", [](Json& j) { j["format"] = "something else"; }},
        {"a newer version", [](Json& j) { j["version"] = 2; }},
        {"no path", [](Json& j) { j.erase("path"); }},
        {"a relative path", [](Json& j) { j["path"] = "Small.QWL"; }},
        {"a path with NUL", [](Json& j) { j["path"] = std::string("/a\0b", 4); }},
        {"size as text", [](Json& j) { j["size"] = "1234"; }},
        {"size below -1", [](Json& j) { j["size"] = -2; }},
        {"time as a fraction", [](Json& j) { j["modifiedNs"] = 1.5; }},
        {"time beyond 64 bits", [](Json& j) { j["modifiedNs"] = 18446744073709551615ull; }},
        {"letter count zero", [](Json& j) { j["letterCount"] = 0; }},
        {"letter count beyond 32 bits", [](Json& j) { j["letterCount"] = 4294967304ll; }},
        {"fewer letters than counted", [](Json& j) { j["entered"] = "HI"; }},
        {"more letters than counted", [](Json& j) { j["entered"] = "HI  Q  LL"; }},
        {"letters as a list", [](Json& j) { j["entered"] = Json::array({"H", "I"}); }},
        {"a character outside the code page", [](Json& j) { j["entered"] = "HI  Q  \xF0\x9F\x98\x80"; }},
        {"current letter zero", [](Json& j) { j["currentLetter"] = 0; }},
        {"current letter past the end", [](Json& j) { j["currentLetter"] = 9; }},
        {"current letter missing", [](Json& j) { j.erase("currentLetter"); }},
    };
    for (const auto& [name, change] : damage) {
        Json j = good;
        change(j);
        EXPECT_FALSE(DecodeJournal(j.dump())) << name;
    }
    for (const std::string text : {"", "{", "[]", "null", "\"text\"", "{\"format\": 1}", "\xFF\xFE{}"})
        EXPECT_FALSE(DecodeJournal(text)) << text;
    EXPECT_FALSE(DecodeJournal(std::string(100000, '[') + std::string(100000, ']')));
}

TEST(Journal, JudgedAgainstTheFileAndThePuzzle)
{
    const Puzzle puzzle = Small();
    const std::string path = "/puzzles/Small.QWL";
    const FileStamp stamp = Sample().Stamp;
    struct Case {
        const char* name;
        std::function<void(Journal&, FileStamp&, std::string&)> change;
        JournalVerdict verdict;
    };
    const std::vector<Case> cases = {
        {"unchanged", [](Journal&, FileStamp&, std::string&) {}, JournalVerdict::Offer},
        {"file grew", [](Journal&, FileStamp& now, std::string&) { now.Size += 1; }, JournalVerdict::Stale},
        {"file touched", [](Journal&, FileStamp& now, std::string&) { now.ModifiedNs += 1; }, JournalVerdict::Stale},
        {"file gone", [](Journal&, FileStamp& now, std::string&) { now = {}; }, JournalVerdict::Stale},
        {"never saved, still absent", [](Journal& j, FileStamp& now, std::string&) { j.Stamp = now = {}; },
         JournalVerdict::Offer},
        {"never saved, now there", [](Journal& j, FileStamp&, std::string&) { j.Stamp = {}; }, JournalVerdict::Stale},
        {"letter count differs", [](Journal& j, FileStamp&, std::string&) { j.Entered += ' '; }, JournalVerdict::Stale},
        {"another puzzle's journal", [](Journal&, FileStamp&, std::string& p) { p = "/elsewhere/Small.QWL"; },
         JournalVerdict::None},
        {"a letter nobody can type", [](Journal& j, FileStamp&, std::string&) { j.Entered[0] = '\x01'; },
         JournalVerdict::Bad},
        {"a lower-case letter", [](Journal& j, FileStamp&, std::string&) { j.Entered[0] = 'h'; }, JournalVerdict::Bad},
    };
    for (const Case& c : cases) {
        Journal journal = Sample(path);
        FileStamp now = stamp;
        std::string opened = path;
        c.change(journal, now, opened);
        EXPECT_EQ(Judge(journal, puzzle, opened, now), c.verdict) << c.name;
    }
    // What the file itself holds, or a revealed solution letter, is never a reason to refuse.
    Puzzle odd = Small();
    odd.Letters[2].Entered = '\x01';
    Journal journal = Sample(path);
    journal.Entered = std::string("\x01\x01", 2) + journal.Entered.substr(2);  // letter 2 holds its own
    EXPECT_EQ(Judge(journal, odd, path, stamp), JournalVerdict::Bad);
    odd.Letters[1].Entered = '\x01';
    EXPECT_EQ(Judge(journal, odd, path, stamp), JournalVerdict::Offer);
}

TEST_F(TempFolder, FindingSetsAsideWhatCannotBeOffered)
{
    const Puzzle puzzle = Small();
    struct Case {
        const char* name;
        std::function<void(const std::string& file, Journal&, const std::string& puzzlePath)> plant;
        JournalVerdict verdict;
        const char* leftAs;  // the journal's name afterwards, relative to its own
    };
    const std::vector<Case> cases = {
        {"sound", [](auto& file, Journal& j, auto&) { WriteText(file, EncodeJournal(j)); }, JournalVerdict::Offer, ""},
        {"puzzle file changed",
         [](auto& file, Journal& j, auto& path) {
             WriteText(file, EncodeJournal(j));
             WriteText(path, "changed");
         },
         JournalVerdict::Stale, ".stale"},
        {"not JSON", [](auto& file, Journal&, auto&) { WriteText(file, "{\"format\": \"Quotewell"); }, JournalVerdict::Bad,
         ".bad"},
        {"huge",
         [](auto& file, Journal& j, auto&) { WriteText(file, EncodeJournal(j) + std::string(kMaxJournalBytes, ' ')); },
         JournalVerdict::Bad, ".bad"},
        {"a named pipe", [](auto& file, Journal&, auto&) { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); },
         JournalVerdict::Bad, ".bad"},
        {"a link to a sound journal",
         [this](auto& file, Journal& j, auto&) {
             WriteText(root / "elsewhere.json", EncodeJournal(j));
             fs::create_symlink(root / "elsewhere.json", file);
         },
         JournalVerdict::Bad, ".bad"},
        {"a folder", [](auto& file, Journal&, auto&) { fs::create_directory(file); }, JournalVerdict::Bad, ".bad"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto [path, journal] = SavedPuzzle("Small.QWL");
        const std::string file = JournalPath(folder, path);
        c.plant(file, journal, path);
        const FoundJournal found = FindJournal(folder, path, puzzle);
        EXPECT_EQ(found.Verdict, c.verdict);
        if (c.verdict == JournalVerdict::Offer) {
            EXPECT_EQ(found.Content.Entered, journal.Entered);
        }
        EXPECT_TRUE(fs::exists(fs::symlink_status(file + c.leftAs)));
        if (*c.leftAs) {
            EXPECT_FALSE(fs::exists(fs::symlink_status(file)));
        }
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    EXPECT_EQ(FindJournal(folder, "/no/journal.QWL", puzzle).Verdict, JournalVerdict::None);

    // A journal named by the path the puzzle was opened by, as they once were, is still offered
    // and from then on goes by the file's own name.
    auto [path, journal] = SavedPuzzle("Small.QWL");
    fs::create_symlink(path, root / "Link.QWL");
    const std::string link = (root / "Link.QWL").string();
    journal.PuzzlePath = link;
    WriteText(JournalPath(folder, link), EncodeJournal(journal));
    const FoundJournal found = FindJournal(folder, path, puzzle, link);
    EXPECT_EQ(found.Verdict, JournalVerdict::Offer);
    EXPECT_EQ(found.Content.PuzzlePath, path);
    EXPECT_FALSE(fs::exists(JournalPath(folder, link)));
    EXPECT_EQ(DecodeJournal(*ReadRegularFile(JournalPath(folder, path)))->Entered, journal.Entered);
}

TEST(Journal, FileNamesAreStableReadableAndDistinct)
{
    // The hash is FNV-1a, the same in every build, so a journal outlives an upgrade.
    const std::string name = JournalFileName("/home/ann/Puzzles/Shakespeare.QWL");
    EXPECT_EQ(name, "Shakespeare-6276e327de0943fc.json");
    EXPECT_NE(name, JournalFileName("/home/bob/Puzzles/Shakespeare.QWL"));
    EXPECT_NE(name, JournalFileName("/home/ann/Puzzles/shakespeare.QWL"));
    const std::string odd = JournalFileName("/p/../Ça va\n" + std::string(300, 'x') + ".QWL");
    EXPECT_EQ(odd.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-_."),
              std::string::npos) << odd;
    EXPECT_LT(odd.size(), 80u);
    EXPECT_EQ(JournalFileName("/").rfind("puzzle-", 0), 0u);
}

TEST(Journal, FolderFollowsTheBaseDirectoryRules)
{
    EXPECT_EQ(JournalFolder("/state", "/home/ann"), "/state/quotewell/recovery");
    EXPECT_EQ(JournalFolder(nullptr, "/home/ann"), "/home/ann/.local/state/quotewell/recovery");
    EXPECT_EQ(JournalFolder("", "/home/ann"), "/home/ann/.local/state/quotewell/recovery");
    EXPECT_EQ(JournalFolder("relative/state", "/home/ann"), "/home/ann/.local/state/quotewell/recovery");
    EXPECT_EQ(JournalFolder(nullptr, nullptr), "");
}

TEST_F(TempFolder, WriterKeepsTheNewestAndOrdersRemovals)
{
    const std::string fresh = (root / "new" / "state" / "recovery").string();
    const std::string file = JournalPath(fresh, Sample().PuzzlePath);
    JournalWriter writer(fresh);
    for (int n = 1; n <= 300; ++n) {
        Journal journal = Sample();
        journal.CurrentLetter = n % 8 + 1;
        journal.Entered = std::string(8, static_cast<char>('A' + n % 26));
        writer.Write(journal);
        if (n % 100 == 50) writer.Remove(journal.PuzzlePath);
    }
    writer.Flush();
    const auto last = DecodeJournal(*ReadRegularFile(file));
    ASSERT_TRUE(last);
    EXPECT_EQ(last->Entered, std::string(8, static_cast<char>('A' + 300 % 26)));
    struct stat st {};
    ASSERT_EQ(::stat(fresh.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "journals name the user's puzzles";

    writer.Write(Sample());
    writer.Remove(Sample().PuzzlePath);
    writer.Flush();
    EXPECT_FALSE(fs::exists(file));
    // A link planted in a journal's place is replaced, not written through.
    WriteText(root / "target", "keep");
    fs::create_symlink(root / "target", file);
    writer.Write(Sample());
    writer.Flush();
    EXPECT_FALSE(fs::is_symlink(file));
    EXPECT_EQ(*ReadRegularFile((root / "target").string()), "keep");
}

TEST_F(TempFolder, WriterReportsAFailureOnceUntilAWriteSucceeds)
{
    const fs::path blocker = root / "blocker";
    JournalWriter writer((blocker / "recovery").string());
    const auto failures = [&](int writes) {
        ::testing::internal::CaptureStderr();
        for (int n = 0; n < writes; ++n) {
            writer.Write(Sample());
            writer.Flush();
        }
        const std::string said = ::testing::internal::GetCapturedStderr();
        int count = 0;
        for (size_t at = said.find("recovery journal"); at != std::string::npos; at = said.find("recovery journal", at + 1))
            ++count;
        return count;
    };
    WriteText(blocker, "a file where the folder should be");
    EXPECT_EQ(failures(3), 1);
    fs::remove(blocker);
    EXPECT_EQ(failures(2), 0);
    fs::remove_all(blocker);
    WriteText(blocker, "in the way again");
    EXPECT_EQ(failures(2), 1);
}

TEST_F(TempFolder, StartUpListsThePuzzlesLeftWithUnsavedLetters)
{
    auto [older, olderJournal] = SavedPuzzle("Older.QWL");
    auto [newer, newerJournal] = SavedPuzzle("Newer.QWL");
    auto [opening, openingJournal] = SavedPuzzle("Opening.QWL");
    auto [changed, changedJournal] = SavedPuzzle("Changed.QWL");
    Journal unsaved = Sample((root / "Unsaved.QWL").string());
    unsaved.Stamp = {};
    for (const Journal* j : {&olderJournal, &newerJournal, &openingJournal, &changedJournal, &unsaved})
        WriteText(JournalPath(folder, j->PuzzlePath), EncodeJournal(*j));
    fs::last_write_time(JournalPath(folder, older), fs::file_time_type::clock::now() - std::chrono::hours(1));
    WriteText(changed, "saved since by another program");
    WriteText(fs::path(folder) / "junk.json", "not a journal");
    WriteText(fs::path(folder) / "renamed.json", EncodeJournal(newerJournal));

    // Another running copy's puzzle is its own: neither listed nor judged.
    const auto heldByAnother = [&](const std::string& path) { return path == newer; };
    EXPECT_EQ(JournaledPuzzles(folder, changed, heldByAnother), (std::vector<std::string>{opening, older}));
    EXPECT_TRUE(fs::exists(JournalPath(folder, changed))) << "left to the load, though its file changed";
    fs::create_symlink(opening, root / "Opening link.QWL");
    EXPECT_EQ(JournaledPuzzles(folder, (root / "Opening link.QWL").string()), (std::vector<std::string>{newer, older}));
    EXPECT_TRUE(fs::exists(JournalPath(folder, opening))) << "the opening puzzle's journal is for its load";
    EXPECT_TRUE(fs::exists(JournalPath(folder, changed) + ".stale"));
    EXPECT_TRUE(fs::exists(JournalPath(folder, unsaved.PuzzlePath))) << "kept for when it is brought in again";
    EXPECT_TRUE(fs::exists(fs::path(folder) / "junk.json.bad"));
    EXPECT_TRUE(fs::exists(fs::path(folder) / "renamed.json.bad"));
    EXPECT_TRUE(JournaledPuzzles((root / "missing").string(), "").empty());
}

}  // namespace
