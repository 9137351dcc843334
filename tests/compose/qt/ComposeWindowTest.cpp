#include <QApplication>
#include <QCoreApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

#include "app/AppSettings.h"
#include "compose/qt/ComposeWindow.h"
#include "platform/SettingsStore.h"
#include "puzzle/PuzzleFile.h"

namespace qw {
namespace {

using ::testing::HasSubstr;

compose::WordList Words()
{
    return compose::WordList::FromWords({{"piano", 10}, {"lemon", 10}, {"apple", 10}, {"night", 10}, {"eagle", 20},
                                         {"table", 10}, {"appel", 50}, {"angel", 20}, {"tiger", 20}});
}

TEST(ComposerStart, PutsTheSolverInConstructorMode)
{
    QTemporaryDir dir;
    SettingsStore store(dir.filePath("Tamarisk.ini"));
    EXPECT_FALSE(IsConstructorMode(store, QDateTime::currentDateTime()));
    MarkComposerUsed(store);
    EXPECT_TRUE(IsConstructorMode(store, QDateTime::currentDateTime()));
    EXPECT_FALSE(IsConstructorMode(store, QDateTime(QDate::currentDate().addDays(40), QTime(12, 0))));
}

TEST(ComposeWindow, FromQuotationToPublishedPuzzle)
{
    QTemporaryDir dir;
    ComposeWindow w(Words(), {}, dir.filePath("journal.qwc"));
    w.quoteEdit->setPlainText("Pi a nol em, on app len igh tea gle t able.");
    w.sourceEdit->setText("Planet");
    emit w.sourceEdit->textEdited("Planet");
    EXPECT_THAT(w.warningsLabel->text().toStdString(), HasSubstr("30 letters"));
    ASSERT_EQ(w.slotTable->rowCount(), 6);
    EXPECT_THAT(w.ledgerLabel->text().toStdString(), HasSubstr("Letters left (30)"));

    // A typed answer counts at once; the suggestions for another slot fit what is left.
    w.slotTable->item(1, 1)->setText("lemon");
    QTest::qWait(20);
    EXPECT_THAT(w.ledgerLabel->text().toStdString(), HasSubstr("Letters left (25)"));
    w.slotTable->selectRow(2);
    ASSERT_GT(w.suggestionList->count(), 0);
    EXPECT_EQ(w.suggestionList->item(0)->text(), "APPLE");
    // Enter takes a suggestion as a double-click does.
    w.suggestionList->setCurrentRow(0);
    QTest::keyClick(w.suggestionList, Qt::Key_Return);
    EXPECT_EQ(w.Document().answers[2].word, "apple");

    w.AutoFill();
    EXPECT_THAT(w.ledgerLabel->text().toStdString(), HasSubstr("Balanced"));
    EXPECT_EQ(w.Document().answers[1].word, "lemon");
    w.Number();
    EXPECT_THAT(w.ledgerLabel->text().toStdString(), HasSubstr("no answer takes two letters"));

    const QString puzzle = dir.filePath("out.QWL");
    ASSERT_TRUE(w.ExportPuzzle(puzzle));
    EXPECT_EQ(LoadPuzzle(puzzle.toStdString()).Clues.size(), 6u);

    // The printed blank puzzle; a PDF that cannot be written is said so and leaves no file behind.
    ASSERT_TRUE(w.ExportPuzzle(dir.filePath("out.pdf")));
    QFile pdf(dir.filePath("out.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_TRUE(bytes.contains("/Type /Page"));
    QString message;
    QTimer::singleShot(0, [&message] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->close();
        }
    });
    EXPECT_FALSE(w.ExportPuzzle(dir.filePath("missing/out.pdf")));
    EXPECT_THAT(message.toStdString(), HasSubstr("Cannot write the file"));
    EXPECT_FALSE(QFile::exists(dir.filePath("missing/out.pdf")));

    // Saving keeps the work and ends the journal; the file opens in a new window as it was.
    ASSERT_TRUE(w.SaveFile(dir.filePath("work.qwc")));
    EXPECT_FALSE(QFile::exists(dir.filePath("journal.qwc")));
    ComposeWindow again(Words(), {}, {});
    ASSERT_TRUE(again.OpenFile(dir.filePath("work.qwc")));
    EXPECT_EQ(compose::ComposerJson(again.Document()), compose::ComposerJson(w.Document()));
}

TEST(ComposeWindow, PublishedNameTakesTheChosenKindWhenItHasNone)
{
    const struct {
        const char* chosen;
        const char* filter;
        const char* path;
    } cases[] = {
        {"/p/orchard", "PDF (*.pdf)", "/p/orchard.pdf"},
        {"/p/orchard", "Puzzle files (*.QWL)", "/p/orchard.QWL"},
        {"/p/mara.holt", "ipuz (*.ipuz)", "/p/mara.holt.ipuz"},
        {"/p/orchard.JPZ", "PDF (*.pdf)", "/p/orchard.JPZ"},  // a kind typed out wins
        {"", "PDF (*.pdf)", ""},                                // the dialog was cancelled
    };
    for (const auto& c : cases)
        EXPECT_EQ(PublishPath(c.chosen, c.filter).toStdString(), c.path) << c.chosen << " " << c.filter;
}

TEST(ComposeWindow, UnsavedWorkComesBackFromTheJournal)
{
    QTemporaryDir dir;
    const QString journal = dir.filePath("journal.qwc");
    {
        ComposeWindow w(Words(), {}, journal);
        w.sourceEdit->setText("Planet");
        emit w.sourceEdit->textEdited("Planet");
        QTest::qWait(1300);
        w.widthSpin->setValue(11);  // closed before its second is up
        w.close();
    }
    ComposeWindow back(std::nullopt, "No word list is installed.", journal);
    EXPECT_EQ(back.sourceEdit->text(), "Planet");
    EXPECT_EQ(back.widthSpin->value(), 11);
}

}  // namespace
}  // namespace qw
