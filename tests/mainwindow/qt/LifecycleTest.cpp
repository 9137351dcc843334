#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <filesystem>

#include "MainWindowFixture.h"
#include "puzzle/PuzzleFile.h"

namespace qw::test {
namespace {

TEST_F(MainWindowTest, MenuTreeStartsWithEveryItemInPlace)
{
    const QStringList menus = [&] {
        QStringList out;
        for (QAction* a : form->menuBar()->actions()) out << a->text();
        return out;
    }();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "&View", "&Options", "&Solution", "&Help", "&Constructors"}));
    EXPECT_EQ(form->Open1->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(form->Close1->shortcut(), QKeySequence("Ctrl+W"));
    EXPECT_EQ(form->Save1->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(form->Print1->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(form->Update1->text(), "&Update && Additional Puzzles");
    EXPECT_FALSE(form->Recentunsolvedpuzzles1->menuAction()->isVisible());
    EXPECT_FALSE(form->N2->isVisible());
    EXPECT_FALSE(form->Emailpuzzleauthor1->isVisible());
    EXPECT_FALSE(form->Constructors1->menuAction()->isVisible());
    EXPECT_TRUE(form->FitPuzzle1->isChecked());  // first run
    // No puzzle open: the puzzle-bound menus are off and so are the File items that need one.
    EXPECT_FALSE(form->View1->isEnabled());
    EXPECT_FALSE(form->Options1->isEnabled());
    EXPECT_FALSE(form->Solution1->isEnabled());
    EXPECT_FALSE(form->Edit1->isEnabled());
    form->File1Click();
    EXPECT_FALSE(form->Save1->isEnabled());
    EXPECT_FALSE(form->Print1->isEnabled());
    EXPECT_TRUE(form->PrinterOptions1->isEnabled());
    EXPECT_EQ(form->windowTitle(), "Quotewell");
}

TEST_F(MainWindowTest, TypedLettersSurviveCloseWithSaveAndReopen)
{
    const std::string path = WritePuzzle("Small");
    ASSERT_TRUE(form->OpenPuzzleFile(path));
    EXPECT_EQ(form->windowTitle(), "Quotewell - Small.QWL");
    EXPECT_TRUE(form->View1->isEnabled());
    EXPECT_EQ(form->Cursor().CurrentLetter, 1);
    EXPECT_EQ(form->Cursor().ActivePane, Pane::WordListPane);
    form->File1Click();
    EXPECT_FALSE(form->Printasfilled1->isEnabled());

    Type("hi");
    EXPECT_EQ(form->CurrentPuzzle().Letters[1].Entered, 'H');
    EXPECT_EQ(form->CurrentPuzzle().Letters[2].Entered, 'I');
    EXPECT_TRUE(form->CurrentPuzzle().Modified);
    form->File1Click();
    EXPECT_TRUE(form->Printasfilled1->isEnabled());

    prompts.QueueAnswer(Answer::Yes);
    form->Close1Click();
    EXPECT_EQ(prompts.Texts(PromptKind::ConfirmYesNo), QStringList{"Puzzle not saved.  Save before closing?"});
    EXPECT_TRUE(form->CurrentPuzzle().FileName.empty());
    EXPECT_FALSE(form->View1->isEnabled());
    // Left unsolved, so it is offered again in the recent menu.
    ASSERT_TRUE(form->Puz[0]->isVisible());
    EXPECT_EQ(form->Puz[0]->text(), "Small");

    form->Puz0Click(0);
    EXPECT_EQ(form->CurrentPuzzle().Letters[1].Entered, 'H');
    EXPECT_EQ(form->CurrentPuzzle().Letters[2].Entered, 'I');
    EXPECT_FALSE(form->CurrentPuzzle().Modified);
    // The open puzzle never shows in the submenu; alone there, the submenu hides.
    EXPECT_FALSE(form->Recentunsolvedpuzzles1->menuAction()->isVisible());
}

TEST_F(MainWindowTest, PuzzleFromTemporaryFolderIsRehomedBesideOthersAndModified)
{
    QTemporaryDir temp(QDir::tempPath() + "/qwtestXXXXXX");
    Puzzle p = SmallPuzzle();
    p.FileName = QDir(temp.path()).filePath("Cryptic[1].QWL").toStdString();
    SavePuzzle(p);
    // Another puzzle of that name is at home already: it is never written over.
    const std::string other = WritePuzzle("Cryptic");
    const auto bytesOf = [](const std::string& path) {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray otherBytes = bytesOf(other);
    StartupOptions options;
    options.parameters = {QString::fromStdString(p.FileName)};
    options.programDir = dir.path();
    options.puzzlesDir = puzzlesDir;
    form.reset();
    form = std::make_unique<TForm1>(Services{*settings, prompts, shell, clock}, options);
    form->FormActivate();
    EXPECT_EQ(form->CurrentPuzzle().FileName, QDir(puzzlesDir).filePath("Cryptic (2).QWL").toStdString());
    EXPECT_TRUE(form->CurrentPuzzle().Modified);
    EXPECT_EQ(form->windowTitle(), "Quotewell - Cryptic (2).QWL");
    ASSERT_TRUE(form->SaveCurrent());
    EXPECT_EQ(bytesOf(other), otherBytes);
}

TEST_F(MainWindowTest, ActivationWithoutCommandLineOffersOpenOnlyOnce)
{
    form->FormActivate();
    form->FormActivate();
    EXPECT_EQ(prompts.Count(PromptKind::OpenFile), 1);
}

TEST_F(MainWindowTest, SettingsComeBackAfterRestart)
{
    // The stored bounds and the minimum size are of the outer window, frame included.
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->frameGeometry(), QRect(0, 0, 1000, 740));  // the first start fills the work area
    const QRect outer = form->frameGeometry(), client = form->geometry();
    const QMargins frame(client.left() - outer.left(), client.top() - outer.top(), outer.right() - client.right(),
                         outer.bottom() - client.bottom());
    ASSERT_FALSE(frame.isNull()) << "this platform draws no frame to test with";
    EXPECT_EQ(form->minimumSize().grownBy(frame), QSize(600, 450));
    form->setGeometry(QRect(50, 60, 800, 600).marginsRemoved(frame));
    form->ZoomOut1Click();  // no puzzle: still allowed by the limits, clears the fit mode
    ASSERT_TRUE(form->close());
    Restart();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    EXPECT_EQ(form->frameGeometry(), QRect(50, 60, 800, 600));
    EXPECT_FALSE(form->FitPuzzle1->isChecked());
}

}  // namespace
}  // namespace qw::test
