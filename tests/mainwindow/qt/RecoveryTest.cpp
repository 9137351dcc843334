// The recovery journal in the window: it follows every change of the letters, goes whenever the
// solver saves or lets the letters go, and after a kill brings them back on request. Restart()
// drops the window without closing it, as a killed program would.

#include <QAction>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "MainWindowFixture.h"
#include "app/JournalKeeper.h"
#include "puzzle/FileAccess.h"
#include "puzzle/Journal.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/RecentList.h"

namespace qw::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class Recovery : public MainWindowTest {
protected:
    std::string JournalOf(const std::string& puzzle) const
    {
        return JournalPath(RecoveryDir().toStdString(), FileIdentity(puzzle));
    }
    std::optional<Journal> Read(const std::string& puzzle) const
    {
        const auto bytes = ReadRegularFile(JournalOf(puzzle));
        return bytes ? DecodeJournal(*bytes) : std::nullopt;
    }
    std::string Entered() const
    {
        const Puzzle& p = form->CurrentPuzzle();
        std::string entered;
        for (int32_t i = 1; i <= p.LetterCount; ++i) entered += p.Letters[static_cast<size_t>(i)].Entered;
        return entered;
    }
    void Sync() { form->RecoveryJournal().Sync(); }
    QString Question(const char* name) const
    {
        return QString("Quotewell closed without saving your latest letters in \"%1\". Restore them?").arg(name);
    }
};

TEST_F(Recovery, JournalFollowsEveryChangeOfTheLetters)
{
    const std::string path = WritePuzzle("Small");
    ASSERT_TRUE(form->OpenPuzzleFile(path));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Type("H");
    // Within the second, without anyone asking.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Read(path).has_value(); }, 1000));
    // Each change at a letter of its own: H at 1, then I at 2 and O at 4 typed.
    const std::vector<std::tuple<const char*, int32_t, std::function<void()>>> changes = {
        {"typed", 2, [&] { Type("IO"); }},
        {"space", 1, [&] { Type(" "); }},
        {"Backspace", 2, [&] { QTest::keyClick(form.get(), Qt::Key_Backspace); }},
        {"Delete", 4, [&] { QTest::keyClick(form.get(), Qt::Key_Delete); }},
        {"reveal current", 5, [&] { form->Currentletter2Click(); }},
        {"reveal all", 1, [&] { form->Allletters1Click(); }},
    };
    for (const auto& [name, letter, change] : changes) {
        SCOPED_TRACE(name);
        const std::string before = Entered();
        form->Cursor().CurrentLetter = letter;
        change();
        ASSERT_NE(Entered(), before);
        Sync();
        const auto journal = Read(path);
        ASSERT_TRUE(journal);
        EXPECT_EQ(journal->Entered, Entered());
        EXPECT_EQ(journal->CurrentLetter, form->Cursor().CurrentLetter);
        EXPECT_EQ(journal->Stamp, StampOf(path));
    }
    prompts.Clear();
}

TEST_F(Recovery, JournalGoesWhenTheLettersAreSavedOrLetGo)
{
    const std::string path = WritePuzzle("Small");
    const std::vector<std::pair<const char*, std::function<void()>>> roads = {
        {"Save", [&] { form->Save1->trigger(); }},
        {"Close, saving", [&] { prompts.QueueAnswer(Answer::Yes); form->Close1Click(); }},
        {"Close, not saving", [&] { prompts.QueueAnswer(Answer::No); form->Close1Click(); }},
        {"Exit, not saving", [&] { prompts.QueueAnswer(Answer::No); form->close(); }},
        {"Open another, not saving", [&] {
             prompts.QueueAnswer(Answer::No);
             prompts.QueueFile(QString::fromStdString(WritePuzzle("Other")));
             form->Open1Click();
         }},
        {"undone to the saved letters", [&] {
             form->CurrentPuzzle().Modified = false;
             form->LettersChanged();
         }},
    };
    for (const auto& [name, road] : roads) {
        SCOPED_TRACE(name);
        Restart();
        ASSERT_TRUE(form->OpenPuzzleFile(path));
        Type("Q");
        Sync();
        ASSERT_TRUE(Read(path));
        road();
        Sync();
        EXPECT_FALSE(fs::exists(JournalOf(path)));
        EXPECT_EQ(prompts.Count(PromptKind::Error), 0);
        WritePuzzle("Small");
    }
}

TEST_F(Recovery, KilledProgramOffersTheLettersBack)
{
    const std::string path = WritePuzzle("Small");
    // Typed through a link, offered by the real path: the journal goes by the file.
    const std::string link = QDir(dir.path()).filePath("Small link.QWL").toStdString();
    fs::create_symlink(path, link);
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
        Restart();
        ASSERT_TRUE(form->OpenPuzzleFile(answer == Answer::Yes ? link : path));
        Type("HIO");
        Sync();
        const std::string typed = Entered();
        const int32_t current = form->Cursor().CurrentLetter;
        Restart();
        prompts.Clear();
        prompts.QueueAnswer(answer);
        ASSERT_TRUE(form->OpenPuzzleFile(path));
        EXPECT_EQ(prompts.Texts(PromptKind::ConfirmYesNo), QStringList{Question("Small.QWL")});
        const bool yes = answer == Answer::Yes;
        EXPECT_EQ(Entered(), yes ? typed : std::string(8, ' '));
        EXPECT_EQ(form->CurrentPuzzle().Modified, yes);
        EXPECT_EQ(form->Cursor().CurrentLetter, yes ? current : 1);
        Sync();
        EXPECT_EQ(fs::exists(JournalOf(path)), yes) << "Yes keeps it until the letters are saved";
        EXPECT_EQ(LoadPuzzle(path).Letters[1].Entered, ' ') << "the file is written only by a save";
    }
    form->Save1->trigger();
    EXPECT_EQ(LoadPuzzle(path).Letters[4].Entered, 'O');
}

TEST_F(Recovery, StaleOrDamagedJournalIsSetAsideWithoutAsking)
{
    const std::string path = WritePuzzle("Small");
    const std::vector<std::tuple<const char*, std::function<void()>, const char*>> cases = {
        {"the file was saved since", [&] {
             WritePuzzle("Small");
             fs::last_write_time(path, fs::last_write_time(path) + 1s);  // past the clock's tick
         }, ".stale"},
        {"damaged", [&] { std::ofstream(JournalOf(path)) << "{\"format\": \"Quotewell recovery journal\", \"ver"; },
         ".bad"},
    };
    for (const auto& [name, spoil, suffix] : cases) {
        SCOPED_TRACE(name);
        WritePuzzle("Small");
        Restart();
        ASSERT_TRUE(form->OpenPuzzleFile(path));
        Type("HI");
        Sync();
        Restart();
        spoil();
        const std::string onDisk = ReadRegularFile(path).value();
        prompts.Clear();
        ASSERT_TRUE(form->OpenPuzzleFile(path));
        EXPECT_EQ(prompts.Count(PromptKind::ConfirmYesNo), 0);
        EXPECT_FALSE(form->CurrentPuzzle().Modified);
        EXPECT_EQ(form->CurrentPuzzle().Letters[1].Entered, ' ');
        EXPECT_TRUE(fs::exists(JournalOf(path) + suffix));
        EXPECT_EQ(ReadRegularFile(path).value(), onDisk);
    }
}

TEST_F(Recovery, StartUpPutsPuzzlesWithJournalsFirstInTheRecentList)
{
    const std::string left = WritePuzzle("Left");
    const std::string opening = WritePuzzle("Opening");
    for (const std::string& path : {opening, left}) {
        ASSERT_TRUE(form->OpenPuzzleFile(path));
        Type("H");
        Sync();
        Restart();
    }
    fs::last_write_time(JournalOf(opening), fs::last_write_time(JournalOf(opening)) - 1h);
    Restart();
    EXPECT_EQ(form->Recent().Entries(), (std::vector<std::string>{left, opening}));
    EXPECT_TRUE(form->Puz[0]->isVisible());
    EXPECT_EQ(form->Puz[0]->text(), "Left");

    // The puzzle on the command line is offered when it loads instead.
    form.reset();
    StartupOptions options;
    options.parameters = {QString::fromStdString(opening)};
    options.programDir = dir.path();
    options.puzzlesDir = puzzlesDir;
    options.recoveryDir = RecoveryDir();
    form = std::make_unique<TForm1>(Services{*settings, prompts, shell, clock}, options);
    EXPECT_EQ(form->Recent().Entries(), std::vector<std::string>{left});
}

TEST_F(Recovery, AJournalThatCannotBeKeptIsSaidOnceInTheStatusBar)
{
    // The state folder's place is taken by a plain file.
    std::ofstream(dir.filePath("state").toStdString()) << "in the way";
    const std::string path = WritePuzzle("Small");
    ASSERT_TRUE(form->OpenPuzzleFile(path));
    QSignalSpy said(&form->RecoveryJournal(), &JournalKeeper::failed);
    Type("HI");
    Sync();
    Type("O");
    Sync();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->StatusText().startsWith("Unsaved letters are not kept for recovery: "); }, 2000))
        << form->StatusText().toStdString();
    EXPECT_TRUE(form->StatusText().contains("Not a directory")) << form->StatusText().toStdString();
    EXPECT_EQ(said.count(), 1);
    EXPECT_EQ(Entered().substr(0, 4), "HI O");
}

TEST_F(Recovery, APuzzleAnotherCopyHoldsIsLeftToItWithItsJournal)
{
    StartupOptions options;
    options.programDir = dir.path();
    options.puzzlesDir = puzzlesDir;
    options.recoveryDir = RecoveryDir();
    options.copiesDir = dir.filePath("state/quotewell/copies");
    const std::string held = WritePuzzle("Held");
    const std::string own = WritePuzzle("Own");
    const std::string link = QDir(dir.path()).filePath("Held link.QWL").toStdString();
    fs::create_symlink(held, link);

    form.reset();
    form = std::make_unique<TForm1>(Services{*settings, prompts, shell, clock}, options);
    ASSERT_TRUE(form->OpenPuzzleFile(held));
    Type("HI");
    Sync();
    const auto journal = ReadRegularFile(JournalOf(held));
    ASSERT_TRUE(journal);

    ScriptedPrompts otherPrompts;
    TForm1 other(Services{*settings, otherPrompts, shell, clock}, options);
    EXPECT_TRUE(other.Recent().Entries().empty()) << "the other copy's puzzle is not offered at start-up";
    ASSERT_TRUE(other.OpenPuzzleFile(own));
    for (const std::string& path : {held, link}) {
        EXPECT_FALSE(other.OpenPuzzleFile(path));
        EXPECT_EQ(other.CurrentPuzzle().FileName, own);
        EXPECT_EQ(other.StatusText(), QString::fromStdString(fs::path(path).filename().string()) +
                                          " is open in another Quotewell window.");
    }
    other.Close1Click();
    other.RecoveryJournal().Sync();
    EXPECT_EQ(ReadRegularFile(JournalOf(held)), journal);
    // Once the first copy lets it go, the puzzle is anyone's.
    form->Close1Click();
    Sync();
    EXPECT_TRUE(otherPrompts.calls.empty());
    EXPECT_EQ(ReadRegularFile(JournalOf(held)), std::nullopt) << "closed by its own copy";
    EXPECT_TRUE(other.OpenPuzzleFile(link));
}

TEST_F(Recovery, PuzzleNotYetSavedIsRecoveredWhileItsFileIsStillAbsent)
{
    // A puzzle opened from the temporary folder takes a name in the puzzles folder where no file
    // is yet: the journal records the absence and matches while it lasts.
    QTemporaryDir temp(QDir::tempPath() + "/qwtestXXXXXX");
    Puzzle p = SmallPuzzle();
    p.FileName = QDir(temp.path()).filePath("Cryptic[1].QWL").toStdString();
    SavePuzzle(p);
    const std::string home = QDir(puzzlesDir).filePath("Cryptic.QWL").toStdString();
    StartupOptions options;
    options.parameters = {QString::fromStdString(p.FileName)};
    options.programDir = dir.path();
    options.puzzlesDir = puzzlesDir;
    options.recoveryDir = RecoveryDir();
    for (const bool second : {false, true}) {
        form.reset();
        form = std::make_unique<TForm1>(Services{*settings, prompts, shell, clock}, options);
        if (second) prompts.QueueAnswer(Answer::Yes);
        form->FormActivate();
        ASSERT_EQ(form->CurrentPuzzle().FileName, home);
        EXPECT_EQ(prompts.Count(PromptKind::ConfirmYesNo), second ? 1 : 0);
        EXPECT_EQ(form->CurrentPuzzle().Letters[1].Entered, second ? 'H' : ' ');
        Type("H");
        Sync();
        ASSERT_TRUE(Read(home));
        EXPECT_EQ(Read(home)->Stamp, FileStamp{});
    }
    EXPECT_FALSE(fs::exists(home));
}

}  // namespace
}  // namespace qw::test
