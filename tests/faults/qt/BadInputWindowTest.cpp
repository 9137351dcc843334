// Bad input through the whole program: every truncation of real puzzle files opened over a puzzle
// with unsaved work, and settings files that are garbage, of the wrong kinds, or not files at all.

#include <QDir>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QFile>
#include <QTest>
#include <filesystem>
#include <random>

#include <sys/stat.h>

#include "../FaultInjection.h"
#include "MainWindowFixture.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/RecentList.h"
#include "puzzle/StressPuzzle.h"
#include "view/qt/PuzzleScreen.h"

namespace qw::test {
namespace {

namespace fs = std::filesystem;
using namespace qw::faults;

std::string Entries(const Puzzle& p)
{
    std::string entered;
    for (int32_t i = 1; i <= p.LetterCount; ++i) entered += p.Letters[static_cast<size_t>(i)].Entered;
    return entered;
}

QStringList SamplePaths()
{
    const QDir samples(QStringLiteral(QW_SOURCE_DIR "/Puzzles"));
    QStringList paths;
    for (const QString& name : samples.entryList({"*.QWL", "*.qwl"}, QDir::Files, QDir::Name))
        paths << samples.filePath(name);
    return paths;
}

class TruncatedFiles : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // The puzzle already open holds unsaved work that no failed open may touch.
        good = WritePuzzle("Good");
        ASSERT_TRUE(form->OpenPuzzleFile(good));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        Type("HX");
        ASSERT_TRUE(form->CurrentPuzzle().Modified);
        entries = Entries(form->CurrentPuzzle());
        cursor = form->Cursor().CurrentLetter;
        title = form->windowTitle();
        prompts.Clear();
    }

    // Opens the first `length` bytes of `bytes`; returns how many offsets went wrong.
    int OpenPrefix(const std::string& bytes, size_t length, const std::string& path)
    {
        const std::string prefix = bytes.substr(0, length);
        WriteBytes(path, prefix);
        const std::string what = "prefix of " + std::to_string(length) + " bytes";
        int wrong = ExpectRefused(path, what);
        // A file that cannot be read is not "repaired" either.
        const bool untouched = ReadBytes(path) == prefix;
        EXPECT_TRUE(untouched) << what << " was rewritten";
        return untouched ? wrong : 1;
    }

    // Opening `path` gives the one read-error warning and leaves the open puzzle as it was;
    // returns 1 when it did not.
    int ExpectRefused(const std::string& path, const std::string& what)
    {
        prompts.Clear();
        const bool opened = form->OpenPuzzleFile(path);
        const QString expected = QString::fromStdString("Error reading file " + path + ".");
        const bool right = !opened && prompts.calls.size() == 1 && prompts.calls[0].kind == PromptKind::Warning &&
                           prompts.calls[0].text == expected;
        EXPECT_TRUE(right) << what << ": opened " << opened << ", " << prompts.calls.size() << " prompts, first: "
                           << (prompts.calls.empty() ? std::string() : prompts.calls[0].text.toStdString());
        const Puzzle& p = form->CurrentPuzzle();
        const bool kept = p.FileName == good && p.Modified && Entries(p) == entries &&
                          form->Cursor().CurrentLetter == cursor && form->windowTitle() == title &&
                          form->Screen().PuzzleShown();
        EXPECT_TRUE(kept) << what << " disturbed the open puzzle";
        return (right && kept) ? 0 : 1;
    }

    std::string good;
    std::string entries;
    int32_t cursor = 0;
    QString title;
};

TEST_F(TruncatedFiles, EveryPrefixOfEverySampleIsAReadError)
{
    const QStringList samples = SamplePaths();
    if (samples.isEmpty()) GTEST_SKIP() << "no sample puzzles";
    const std::string path = QDir(puzzlesDir).filePath("Truncated.QWL").toStdString();
    size_t tried = 0;
    for (const QString& sample : samples) {
        SCOPED_TRACE(sample.toStdString());
        const std::string bytes = ReadBytes(sample.toStdString());
        ASSERT_FALSE(bytes.empty());
        int wrong = 0;
        for (size_t length = 0; length < bytes.size() && wrong < 5; ++length, ++tried)
            wrong += OpenPrefix(bytes, length, path);
        // The whole file still opens: the prefixes failed for being short, nothing else.
        WriteBytes(path, bytes);
        EXPECT_NO_THROW(LoadPuzzle(path));
    }
    RecordProperty("prefixes", static_cast<int>(tried));
    // Leaving the window: the work in progress is still there to be saved.
    prompts.QueueAnswer(Answer::Yes);
    form->close();
    EXPECT_EQ(Entries(LoadPuzzle(good)), entries);
}

TEST_F(TruncatedFiles, PipesAndDevicesAreRefusedWithoutWaiting)
{
    const std::string fifo = QDir(puzzlesDir).filePath("Pipe.QWL").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    ExpectRefused(fifo, "a named pipe");
    ExpectRefused("/dev/zero", "a device");
}

TEST_F(TruncatedFiles, PrefixesOfTheStressPuzzle)
{
    Puzzle stress = MakeStressPuzzle();
    const std::string bytes = EncodePuzzle(stress);
    const std::string path = QDir(puzzlesDir).filePath("Stress.QWL").toStdString();
    // Every offset near both ends, where the header and the last answers and notes are, and a
    // stride through the middle.
    std::vector<size_t> lengths;
    for (size_t n = 0; n < 256 && n < bytes.size(); ++n) lengths.push_back(n);
    for (size_t n = 256; n + 256 < bytes.size(); n += bytes.size() / 200) lengths.push_back(n);
    for (size_t n = bytes.size() > 256 ? bytes.size() - 256 : 0; n < bytes.size(); ++n) lengths.push_back(n);
    int wrong = 0;
    for (size_t length : lengths) {
        wrong += OpenPrefix(bytes, length, path);
        if (wrong >= 5) break;
    }
    RecordProperty("prefixes", static_cast<int>(lengths.size()));
}

// ----- settings ---------------------------------------------------------------------------------

class CorruptSettings : public MainWindowTest {
protected:
    QString IniPath() const { return dir.filePath("Tamarisk.ini"); }

    // A new window over whatever is at the settings path now.
    void Reload()
    {
        form.reset();
        settings = std::make_unique<SettingsStore>(IniPath());
        Restart();
    }

    bool SaysSettingsCannotBeSaved()
    {
        return QTest::qWaitFor([&] { return form->statusBar()->currentMessage().contains("settings cannot be saved"); }, 200);
    }

    // The window works: it opens a sample (or the small puzzle), takes letters, saves and closes.
    void ExpectWorkingWindow()
    {
        ASSERT_NE(form, nullptr);
        EXPECT_GE(form->Screen().DiagramSquareSide(), 2);
        const double ratio = form->Screen().DiagramScrollBoxRatio();
        EXPECT_TRUE(ratio > 0.0 && ratio < 1.0) << ratio;
        const QStringList samples = SamplePaths();
        std::string path;
        if (samples.isEmpty()) {
            path = WritePuzzle("Small");
        } else {
            path = QDir(puzzlesDir).filePath("Sample.QWL").toStdString();
            fs::copy_file(samples.front().toStdString(), path, fs::copy_options::overwrite_existing);
        }
        ASSERT_TRUE(form->OpenPuzzleFile(path));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QTest::keyClicks(form->focusWidget() ? form->focusWidget() : form.get(), "ABC");
        EXPECT_TRUE(form->CurrentPuzzle().Modified);
        form->ZoomIn1->trigger();
        form->FitPuzzle1->trigger();
        prompts.QueueAnswer(Answer::Yes);
        form->close();
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(prompts.Count(PromptKind::Error), 0) << prompts.Texts(PromptKind::Error).join("\n").toStdString();
        EXPECT_FALSE(form->CurrentPuzzle().Modified);
        form.reset();
    }
};

TEST_F(CorruptSettings, BinaryGarbageGivesAWorkingWindow)
{
    std::mt19937 rng(7);
    for (size_t size : {1u, 17u, 4096u, 65536u}) {
        SCOPED_TRACE(size);
        std::string garbage(size, '\0');
        for (char& ch : garbage) ch = static_cast<char>(rng());
        // Some of it where the sections are, so the parser gets past the first line.
        garbage = "[Quotewell]\nDimensions\\Top=" + garbage + "\n[Quotewell]\nColors\\DiaActBack=" + garbage;
        WriteBytes(IniPath().toStdString(), garbage);
        Reload();
        ExpectWorkingWindow();
    }
}

TEST_F(CorruptSettings, WrongKindsEverywhereReadAsDefaults)
{
    std::string ini = "[Quotewell]\n";
    const char* wrong[] = {"x", "", "1e999", "-99999999999999999999", "nan", "@Variant(\\0\\0\\0\\x7f\\xff)",
                           "@ByteArray(\\xff)", "@Rect(1 2 3)", "a, b, c", "0x7fffffff"};
    int n = 0;
    auto value = [&] { return std::string(wrong[n++ % std::size(wrong)]); };
    for (const char* key : {"Top", "Left", "Height", "Width", "DiagramSquareSide", "DiagramScrollBoxRatio", "Fit"})
        ini += std::string("Dimensions\\") + key + "=" + value() + "\n";
    for (const char* key : kColorNames) ini += std::string("Colors\\") + key + "=" + value() + "\n";
    for (const char* key : {"Name", "Size", "Style"}) ini += std::string("ScreenClueFont\\") + key + "=" + value() + "\n";
    for (int k = 0; k < 12; ++k) ini += "LastPuz\\Puz" + std::to_string(k) + "=" + value() + "\n";
    ini += "Cursor\\Diagram=" + value() + "\nCursor\\Wordlist=" + value() + "\n";
    ini += "[QWB]\nStartUp\\Last=" + value() + "\n";
    WriteBytes(IniPath().toStdString(), ini);
    Reload();
    EXPECT_EQ(form->Colors().colors, kDefaultColors);
    EXPECT_EQ(form->frameGeometry(), QRect(0, 0, 1000, 740));
    EXPECT_EQ(form->Screen().DiagramSquareSide(), 25);
    EXPECT_EQ(form->Screen().DiagramScrollBoxRatio(), 0.5);
    EXPECT_TRUE(form->FitPuzzle1->isChecked());
    EXPECT_FALSE(form->ConstructorMode());
    // Texts are the right kind for the recent list, just not puzzles: each is dropped when chosen.
    const size_t bogus = form->Recent().Entries().size();
    for (size_t n = 0; n < bogus; ++n) form->Puz0Click(0);
    EXPECT_TRUE(form->Recent().Entries().empty());
    EXPECT_EQ(prompts.Count(PromptKind::Notice), static_cast<int>(bogus));
    EXPECT_EQ(prompts.Count(PromptKind::Error), 0);
    prompts.Clear();
    ExpectWorkingWindow();
    // The close wrote good values over the bad ones.
    Reload();
    EXPECT_EQ(form->Colors().colors, kDefaultColors);
    ExpectWorkingWindow();
}

TEST_F(CorruptSettings, AbsurdWindowBoundsStartAsAWindowOnTheWorkArea)
{
    WriteBytes(IniPath().toStdString(), "[Quotewell]\nDimensions\\Width=99999999\nDimensions\\Height=2147483647\n"
                                        "Dimensions\\Left=-900000\nDimensions\\Top=5000000\n");
    QElapsedTimer timer;
    timer.start();
    Reload();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(form->frameGeometry(), QRect(0, 0, 1000, 740));
    ASSERT_TRUE(form->close());
    EXPECT_FALSE(QString::fromStdString(ReadBytes(IniPath().toStdString())).contains("99999999"));
}

TEST_F(CorruptSettings, AFolderWhereTheFileBelongs)
{
    form.reset();
    QFile::remove(IniPath());
    ASSERT_TRUE(QDir().mkpath(IniPath()));
    Reload();
    EXPECT_EQ(form->Colors().colors, kDefaultColors);
    EXPECT_TRUE(SaysSettingsCannotBeSaved());
    ExpectWorkingWindow();  // writing the settings at close fails harmlessly
    EXPECT_TRUE(QFileInfo(IniPath()).isDir());
    Reload();
    ExpectWorkingWindow();
    QDir(IniPath()).removeRecursively();
    Reload();
    EXPECT_FALSE(SaysSettingsCannotBeSaved()) << "a store that can be written says nothing";
}

TEST_F(CorruptSettings, AnUnwritableFile)
{
    form.reset();
    WriteBytes(IniPath().toStdString(), "[Quotewell]\nDimensions\\DiagramSquareSide=31\n");
    Immutable guard(IniPath().toStdString());
    if (!guard.Active()) GTEST_SKIP() << "this filesystem has no immutable attribute";
    Reload();
    EXPECT_TRUE(SaysSettingsCannotBeSaved());
    ExpectWorkingWindow();
    EXPECT_EQ(ReadBytes(IniPath().toStdString()), "[Quotewell]\nDimensions\\DiagramSquareSide=31\n");
    guard.Release();
}

}  // namespace
}  // namespace qw::test
