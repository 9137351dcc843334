#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/ScriptedPrompts.h"

namespace qw {
namespace {

TEST(ScriptedPromptsTest, AnswersComeFromTheQueuesInOrder)
{
    ScriptedPrompts prompts;
    prompts.QueueAnswer(Answer::Yes);
    prompts.QueueAnswer(Answer::No);
    prompts.QueueAnswer(Answer::Cancel);
    prompts.QueueInput(QString("12345"));
    prompts.QueueFile(QString("/p/A.QWL"));
    prompts.QueueColor(QColor(1, 2, 3));

    EXPECT_TRUE(prompts.ConfirmYesNo("Delete this puzzle.  Are you sure?"));
    EXPECT_FALSE(prompts.WarnYesNo("Reveal?"));
    EXPECT_EQ(prompts.ConfirmYesNoCancel("Puzzle not saved.  Save before closing?"), Answer::Cancel);
    EXPECT_EQ(prompts.InputBox("Key", "Enter key number", "0"), QString("12345"));
    EXPECT_EQ(prompts.OpenFile("Puzzles", "B.QWL"), QString("/p/A.QWL"));
    EXPECT_EQ(prompts.ChooseColor(Qt::red), QColor(1, 2, 3));
    prompts.Notice("The puzzle is completely filled.");
    EXPECT_TRUE(prompts.AllAnswersUsed());

    ASSERT_EQ(prompts.calls.size(), 7u);
    EXPECT_EQ(prompts.calls[3].kind, PromptKind::InputBox);
    EXPECT_EQ(prompts.calls[3].title, "Key");
    EXPECT_EQ(prompts.calls[3].text, "Enter key number");
    EXPECT_EQ(prompts.calls[3].initial, "0");
    EXPECT_EQ(prompts.calls[4].text, "Puzzles");
    EXPECT_EQ(prompts.calls[4].initial, "B.QWL");
    EXPECT_EQ(prompts.Texts(PromptKind::Notice), QStringList{"The puzzle is completely filled."});
    EXPECT_EQ(prompts.Count(PromptKind::ConfirmYesNo), 1);
}

TEST(ScriptedPromptsTest, UnscriptedPromptsTakeTheWayOut)
{
    ScriptedPrompts prompts;
    QPrinter printer;
    QDialog dialog;
    dialog.setWindowTitle("Cursor behavior");
    bool shown = false;
    QObject::connect(&dialog, &QDialog::finished, [&] { shown = true; });

    EXPECT_FALSE(prompts.ConfirmYesNo("?"));
    EXPECT_EQ(prompts.ConfirmYesNoCancel("?"), Answer::Cancel);
    EXPECT_FALSE(prompts.InputBox("t", "p", "").has_value());
    EXPECT_FALSE(prompts.OpenFile("", "").has_value());
    EXPECT_FALSE(prompts.ChooseFont(QFont("Arial", 10), {}).has_value());
    EXPECT_FALSE(prompts.ChooseColor(Qt::red).has_value());
    EXPECT_FALSE(prompts.ChoosePrinter(printer));
    EXPECT_EQ(prompts.Exec(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(shown);
    for (const PromptCall& call : prompts.calls) EXPECT_FALSE(call.scripted);
    EXPECT_EQ(prompts.calls.back().text, "Cursor behavior");
    EXPECT_EQ(prompts.calls.back().title, "QDialog");
}

TEST(ScriptedPromptsTest, ExecRunsTheScriptOnTheLiveDialog)
{
    ScriptedPrompts prompts;
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    int accepted = 0;
    QObject::connect(&dialog, &QDialog::accepted, [&] { ++accepted; });

    // Clicking OK closes the dialog itself; it must not be closed a second time.
    prompts.QueueExec([&](QDialog& d) {
        EXPECT_TRUE(d.isVisible());
        edit->setText("typed");
        buttons->button(QDialogButtonBox::Ok)->click();
        return d.result();
    });
    EXPECT_EQ(prompts.Exec(dialog), QDialog::Accepted);
    EXPECT_EQ(accepted, 1);
    EXPECT_FALSE(dialog.isVisible());

    // A script that only returns a result still closes the dialog the way a button would.
    prompts.QueueExec([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
    EXPECT_EQ(prompts.Exec(dialog), QDialog::Accepted);
    EXPECT_EQ(accepted, 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(edit->text(), "typed");
}

TEST(ScriptedPromptsTest, PrinterScriptCanSetUpThePrinter)
{
    ScriptedPrompts prompts;
    prompts.QueuePrinterScript([](QPrinter& p) {
        p.setOutputFileName("/tmp/out.pdf");
        return true;
    });
    prompts.QueuePrinter(false);
    QPrinter printer;
    EXPECT_TRUE(prompts.ChoosePrinter(printer));
    EXPECT_EQ(printer.outputFileName(), "/tmp/out.pdf");
    EXPECT_FALSE(prompts.ChoosePrinter(printer));
    EXPECT_TRUE(prompts.calls.back().scripted);
}

// The real prompts, driven from inside their modal loop.
template <typename Act>
void WhenModal(Act act)
{
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        act(modal);
    });
}

TEST(QtPromptsTest, ConfirmationsUseTheProgramCaption)
{
    QtPrompts prompts;
    QString caption;
    WhenModal([&](QWidget* w) {
        caption = w->windowTitle();
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(prompts.ConfirmYesNoCancel("Puzzle not saved.  Save before closing?"), Answer::No);
    EXPECT_EQ(caption, "Quotewell");

    WhenModal([&](QWidget* w) {
        caption = w->windowTitle();
        qobject_cast<QMessageBox*>(w)->reject();
    });
    EXPECT_EQ(prompts.ConfirmYesNoCancel("?"), Answer::Cancel);

    WhenModal([&](QWidget* w) {
        caption = w->windowTitle();
        qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click();
    });
    prompts.Information("Key number accepted.");
    EXPECT_EQ(caption, "Information");
}

TEST(QtPromptsTest, FontDialogHidesEffectsAndKeepsToTheSizeLimit)
{
    QtPrompts prompts;
    FontDialogOptions options;
    options.maxPointSize = 10;
    bool effectsShown = true;
    int largestListed = 0;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFontDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        effectsShown = false;
        for (QGroupBox* group : dialog->findChildren<QGroupBox*>())
            if (!group->findChildren<QCheckBox*>().isEmpty() && group->isVisibleTo(dialog)) effectsShown = true;
        const QListView* sizes = dialog->findChildren<QListView*>().at(2);
        for (int row = 0; row < sizes->model()->rowCount(); ++row)
            if (!sizes->isRowHidden(row))
                largestListed = std::max(largestListed, sizes->model()->index(row, 0).data().toInt());
        QFont big = dialog->currentFont();
        big.setPointSize(14);
        dialog->setCurrentFont(big);
        dialog->accept();
    });
    const auto font = prompts.ChooseFont(QFont("Arial", 8), options);
    ASSERT_TRUE(font.has_value());
    EXPECT_FALSE(effectsShown);
    EXPECT_GT(largestListed, 0);
    EXPECT_LE(largestListed, 10);
    EXPECT_EQ(font->pointSize(), 10);
}

TEST(QtPromptsTest, OpenDialogOffersPuzzleFilesFromTheStartFolder)
{
    QTemporaryDir dir;
    QFile(dir.filePath("lower.qwl")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("Upper.QWL")).open(QIODevice::WriteOnly);
    QtPrompts prompts;
    QStringList filters;
    QString suffix;
    QString folder;
    bool caseSensitive = true;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        caseSensitive = dialog->filter().testFlag(QDir::CaseSensitive);
        suffix = dialog->defaultSuffix();
        folder = dialog->directory().absolutePath();
        dialog->selectFile(dir.filePath("Upper.QWL"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto chosen = prompts.OpenFile(dir.path(), "lower.qwl");
    EXPECT_EQ(chosen, dir.filePath("Upper.QWL"));
    EXPECT_EQ(filters, (QStringList{"Acrostic puzzles (*.QWL *.jpz *.ipuz)", "Quotewell files (*.QWL *.qwl)",
                                    "JPZ acrostics (*.jpz)", "ipuz acrostics (*.ipuz)", "All files (*)"}));
    EXPECT_FALSE(caseSensitive) << "x.JPZ and y.Ipuz are offered too";
    EXPECT_EQ(suffix, "QWL");
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());

    WhenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(prompts.OpenFile(dir.path(), "").has_value());
}

TEST(QtPromptsTest, PrintDialogOffersNoPageRange)
{
    QtPrompts prompts;
    QPrinter printer;
    bool pageRange = true;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QPrintDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        pageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        dialog->reject();
    });
    EXPECT_FALSE(prompts.ChoosePrinter(printer));
    EXPECT_FALSE(pageRange);
}

}  // namespace
}  // namespace qw
