#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>

#include "MainWindowFixture.h"
#include "app/HelpViewer.h"
#include "platform/QtConvert.h"
#include "print/qt/PrinterOptionsForm.h"
#include "solve/qt/TCursorForm.h"
#include "view/qt/TColorDlg.h"

namespace qw::test {
namespace {

TEST_F(MainWindowTest, ColourDialogOkChangesTheSchemeAndItIsStoredAtClose)
{
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    prompts.QueueColor(QColor(10, 20, 30));
    prompts.QueueExec([](QDialog& dialog) {
        auto& colors = static_cast<TColorDlg&>(dialog);
        colors.ColorButtons[DiaActCursor]->click();  // the chooser answers (10, 20, 30)
        return static_cast<int>(QDialog::Accepted);
    });
    form->Colors1Click();
    EXPECT_EQ(form->Colors()[DiaActCursor], FromQColor(QColor(10, 20, 30)));

    // Cancel keeps the scheme as it is.
    prompts.QueueColor(QColor(200, 0, 0));
    prompts.QueueExec([](QDialog& dialog) {
        static_cast<TColorDlg&>(dialog).ColorButtons[DiaActCursor]->click();
        return static_cast<int>(QDialog::Rejected);
    });
    form->Colors1Click();
    EXPECT_EQ(form->Colors()[DiaActCursor], FromQColor(QColor(10, 20, 30)));

    ASSERT_TRUE(form->close());
    Restart();
    EXPECT_EQ(form->Colors()[DiaActCursor], FromQColor(QColor(10, 20, 30)));
}

TEST_F(MainWindowTest, CursorBehaviourChoiceAppliesToTyping)
{
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    Type("H");      // letter 1 filled, cursor on letter 2 (word-list order)
    form->CurrentPuzzle().Letters[4].Entered = 'O';
    // Skipping is the default: from letter 2, "I" skips the filled letter 4 and lands on 5.
    Type("I");
    EXPECT_EQ(form->Cursor().CurrentLetter, 5);

    prompts.QueueExec([](QDialog& dialog) {
        auto& cursor = static_cast<TCursorForm&>(dialog);
        cursor.SetWordListSetting(1);  // "Move to next space, whether blank or not"
        return static_cast<int>(QDialog::Accepted);
    });
    form->Cursorbehavior1Click();
    EXPECT_EQ(form->CursorForm().WordListSetting(), 1);
    form->Cursor().CurrentLetter = 2;
    Type("I");
    EXPECT_EQ(form->Cursor().CurrentLetter, 4);
}

TEST_F(MainWindowTest, StoredDialogSettingsHoldFromStartWhenTheirDialogsAreMadeLater)
{
    ASSERT_TRUE(settings->OpenKey("Quotewell\\Cursor", true));
    settings->WriteInteger("Wordlist", 1);  // "Move to next space, whether blank or not"
    settings->CloseKey();
    ASSERT_TRUE(settings->OpenKey("Quotewell\\PrintOptions", true));
    settings->WriteInteger("Color", 2);  // gray spaces
    settings->CloseKey();
    Restart();

    // Typing follows the stored setting before the dialog has ever been opened.
    ASSERT_TRUE(form->OpenPuzzleFile(WritePuzzle("Small")));
    form->CurrentPuzzle().Letters[4].Entered = 'O';
    form->Cursor().CurrentLetter = 2;
    Type("I");  // onto the filled letter 4, where skipping would pass on to 5
    EXPECT_EQ(form->Cursor().CurrentLetter, 4);

    // What the store says later is not what the program started with: the dialogs show the latter.
    ASSERT_TRUE(settings->OpenKey("Quotewell\\Cursor", true));
    settings->WriteInteger("Wordlist", 0);
    settings->CloseKey();
    ASSERT_TRUE(settings->OpenKey("Quotewell\\PrintOptions", true));
    settings->WriteInteger("Color", 1);
    settings->CloseKey();
    EXPECT_EQ(form->CursorForm().WordListSetting(), 1);
    EXPECT_TRUE(form->CursorForm().WordlistItems[1]->isChecked());
    EXPECT_TRUE(form->PrinterOptionsForm().Options().spacesGray);
    EXPECT_TRUE(form->PrinterOptionsForm().RadioButton2->isChecked());
}

TEST_F(MainWindowTest, QuickReferenceOpensAtItsContentsOrSaysItIsMissing)
{
    form->Quickreference1Click();  // the fixture gives no help file
    EXPECT_EQ(prompts.Count(PromptKind::Error), 1);

    const QString help = dir.filePath("quickref.html");
    {
        QFile f(help);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><body><h1 id=\"contents\">Contents</h1><p>Tab switches panes.</p></body></html>");
    }
    StartupOptions options;
    options.programDir = dir.path();
    options.helpFile = help;
    form.reset();
    form = std::make_unique<TForm1>(Services{*settings, prompts, shell, clock}, options);
    form->Quickreference1Click();
    EXPECT_EQ(prompts.Count(PromptKind::Error), 1);
    auto* viewer = form->findChild<HelpViewer*>();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains("Tab switches panes."));
    viewer->close();
}

TEST_F(MainWindowTest, AboutBoxLinkOpensTheHomePage)
{
    prompts.QueueExec([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "About Quotewell");
        return static_cast<int>(QDialog::Accepted);
    });
    form->About1Click();
    EXPECT_EQ(prompts.Count(PromptKind::Exec), 1);
}

}  // namespace
}  // namespace qw::test
