#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "MainWindowFixture.h"
#include "formats/PuzzleFormats.h"
#include "puzzle/FileAccess.h"
#include "puzzle/PuzzleFile.h"

namespace qw::test {
namespace {

class ImportExportTest : public MainWindowTest {
protected:
    // SmallPuzzle as a file of another publisher, in `folder` (default: the puzzles folder).
    std::string WriteForeign(const QString& name, QString folder = {})
    {
        if (folder.isEmpty()) folder = puzzlesDir;
        const std::string path = QDir(folder).filePath(name).toStdString();
        WriteFileAtomically(path, ExportPuzzleBytes(SmallPuzzle(), *ImportKindOf(path)));
        return path;
    }
    std::string InPuzzles(const char* name) { return QDir(puzzlesDir).filePath(name).toStdString(); }
};

TEST_F(ImportExportTest, ProgressOnAnImportedPuzzleIsFoundByOpeningItAgain)
{
    const std::string jpz = WriteForeign("Small.jpz");
    const auto original = ReadRegularFile(jpz);
    prompts.QueueFile(QString::fromStdString(jpz));
    form->Open1Click();
    EXPECT_EQ(form->CurrentPuzzle().FileName, InPuzzles("Small.QWL"));
    EXPECT_EQ(form->windowTitle(), "Quotewell - Small.QWL");
    EXPECT_FALSE(form->CurrentPuzzle().Modified);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(InPuzzles("Small.QWL")))) << "nothing written before a save";

    Type("H");
    form->Save1Click();
    form->Close1Click();
    ASSERT_TRUE(form->OpenPuzzleFile(jpz));
    EXPECT_EQ(form->CurrentPuzzle().FileName, InPuzzles("Small.QWL"));
    EXPECT_EQ(form->CurrentPuzzle().Letters[1].Entered, 'H');
    EXPECT_TRUE(form->StatusText().contains("holds your progress")) << form->StatusText().toStdString();
    EXPECT_EQ(ReadRegularFile(jpz), original) << "the imported file is never written";

    // An unrelated puzzle under the same name is left alone: the next free name takes the progress.
    WritePuzzle("Other", SmallPuzzle());
    QFile::rename(QString::fromStdString(InPuzzles("Small.QWL")), QString::fromStdString(InPuzzles("Keep.QWL")));
    Puzzle unrelated = SmallPuzzle();
    unrelated.Clues[0].Text = "Hello";
    WritePuzzle("Small", unrelated);
    ASSERT_TRUE(form->OpenPuzzleFile(jpz));
    EXPECT_EQ(form->CurrentPuzzle().FileName, InPuzzles("Small (2).QWL"));
}

TEST_F(ImportExportTest, ExportWritesTheOpenPuzzleAndRefusesALockedOne)
{
    form->File1Click();
    EXPECT_FALSE(form->Export1->isEnabled());
    Puzzle locked = SmallPuzzle();
    locked.SolutionScrambled = 1;
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Locked", locked)));
    form->File1Click();
    EXPECT_TRUE(form->Export1->isEnabled());
    form->Export1Click();
    EXPECT_EQ(prompts.Count(PromptKind::ExportFile), 0);
    ASSERT_EQ(prompts.Count(PromptKind::Warning), 1);
    EXPECT_TRUE(prompts.Texts(PromptKind::Warning).front().contains("locked"));

    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Open")));
    Type("HI");
    const QString out = QDir(puzzlesDir).filePath("Out.ipuz");
    prompts.QueueFile(out);
    form->Export1Click();
    EXPECT_EQ(prompts.calls.back().initial, "Open.jpz");
    const Puzzle back = ImportPuzzle(out.toStdString());
    EXPECT_TRUE(SameSource(back, form->CurrentPuzzle()));
    EXPECT_EQ(back.Letters[2].Entered, 'I');
}

}  // namespace
}  // namespace qw::test
