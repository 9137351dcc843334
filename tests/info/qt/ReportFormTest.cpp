#include <gmock/gmock.h>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "info/qt/InfoCommands.h"
#include "info/qt/TAboutBox.h"
#include "info/qt/TReportForm.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"

namespace qw {
namespace {

using testing::ElementsAre;
using testing::EndsWith;
using testing::IsEmpty;

QRadioButton* PublishItem(TReportForm& form, int index)
{
    return form.RadioGroup1->findChild<QRadioButton*>(QStringLiteral("PublishItem%1").arg(index));
}

// The questions asked, as the user read them.
QStringList Asked(const ScriptedPrompts& prompts)
{
    QStringList asked;
    for (const PromptCall& call : prompts.calls)
        asked << (call.kind == PromptKind::InputBox ? call.title + "|" + call.text + "|" + call.initial : call.text);
    return asked;
}

struct ReportFixture : testing::Test {
    ScriptedPrompts prompts;
    RecordingShell shell;
    TReportForm form{prompts, shell};
};

TEST_F(ReportFixture, SendButtonsWaitForAPublishChoice)
{
    form.ShowFor("/home/sol/Puzzles/P1.QWL", "con@example.org");
    EXPECT_EQ(form.FileName(), "P1.QWL");
    EXPECT_EQ(form.SendToConstBtn->text(), "Send report to constructor 'con@example.org'");
    EXPECT_FALSE(form.SendToConstBtn->isEnabled());
    EXPECT_FALSE(form.SendToMakerBtn->isEnabled());
    form.RadioButton4->click();
    form.Memo1->setPlainText("Too hard");
    EXPECT_FALSE(form.SendToConstBtn->isEnabled());
    EXPECT_EQ(form.Rating(), 4);
    EXPECT_EQ(form.PublishIndex(), -1);
    QTest::mouseClick(PublishItem(form, 1), Qt::LeftButton);
    EXPECT_TRUE(form.SendToConstBtn->isEnabled());
    EXPECT_TRUE(form.SendToMakerBtn->isEnabled());
}

TEST_F(ReportFixture, ConstructorThenMakerReport)
{
    form.ShowFor("P1.QWL", "con@example.org");
    PublishItem(form, 2)->click();
    form.RadioButton3->click();
    form.Memo1->setPlainText("Nice.");
    form.SendToMakerBtn->click();
    form.SendToConstBtn->click();
    form.SendToMakerBtn->click();
    ASSERT_EQ(shell.urls.size(), 3u);
    EXPECT_THAT(shell.urls[0], EndsWith("0|2|3|Nice."));
    EXPECT_EQ(shell.urls[1], "mailto:con@example.org?Subject=%5BQWB%5D%20P1.QWL&Body=Publication%20recommended"
                             "%0D%0A%0D%0ADifficulty%20rating:%203%0D%0A%0D%0ANice.%0D%0A");
    EXPECT_THAT(shell.urls[2], EndsWith("1|2|3|Nice."));
    EXPECT_EQ(form.SentToConstructor(), 1);
    EXPECT_THAT(prompts.calls, IsEmpty());

    // Hiding and showing again starts a fresh report.
    form.ExitBtn->click();
    EXPECT_FALSE(form.isVisible());
    form.ShowFor("P2.QWL", "con@example.org");
    EXPECT_EQ(form.SentToConstructor(), 0);
    EXPECT_EQ(form.PublishIndex(), -1);
    EXPECT_EQ(form.Rating(), 0);
    EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());
    EXPECT_FALSE(form.SendToMakerBtn->isEnabled());
}

TEST_F(ReportFixture, MakerReportMergesBlankLinesAndKeepsTypedText)
{
    form.ShowFor("P1.QWL", "");
    PublishItem(form, 0)->click();
    form.Memo1->setPlainText(QString::fromUtf8("Clue B: Q&A?\n\n50% too easy #1 café"));
    form.SendToMakerBtn->click();
    ASSERT_EQ(shell.urls.size(), 1u);
    EXPECT_THAT(shell.urls[0], EndsWith("0|0|0|Clue%20B:%20Q%26A%3F|50%25%20too%20easy%20%231%20caf%C3%A9"));
}

TEST_F(ReportFixture, ReshowingAnOpenWindowKeepsTheChoices)
{
    form.ShowFor("P1.QWL", "");
    PublishItem(form, 1)->click();
    form.Memo1->setPlainText("Keep me");
    form.ShowFor("/x/P2.QWL", "new@example.org");
    EXPECT_EQ(form.FileName(), "P2.QWL");
    EXPECT_EQ(form.ConstructorAddress(), "new@example.org");
    EXPECT_EQ(form.PublishIndex(), 1);
    EXPECT_EQ(form.Memo1->toPlainText(), "Keep me");
    EXPECT_EQ(form.SendToConstBtn->text(), "Send report to constructor");
}

TEST_F(ReportFixture, MissingAddressIsAskedForAndChecked)
{
    form.ShowFor("P1.QWL", "");
    EXPECT_EQ(form.SendToConstBtn->text(), "Send report to constructor");
    PublishItem(form, 2)->click();

    // No full stop, then two at signs, then a good one with the full stop before the at sign.
    for (const char* typed : {"ann@example", "a@b@example.org", "ann.lee@example"}) prompts.QueueInput(QString(typed));
    prompts.QueueAnswer(Answer::Yes);
    prompts.QueueAnswer(Answer::Yes);
    form.SendToConstBtn->click();
    EXPECT_THAT(Asked(prompts),
                ElementsAre("Email address|Enter the constructors'email address:|",
                            "ann@example is not a valid email address. Try again?",
                            "Email address|Enter the constructors'email address:|",
                            "a@b@example.org is not a valid email address. Try again?",
                            "Email address|Enter the constructors'email address:|"));
    ASSERT_EQ(shell.urls.size(), 1u);
    EXPECT_THAT(shell.urls[0], testing::StartsWith("mailto:ann.lee@example?Subject="));
    EXPECT_EQ(form.ConstructorAddress(), "ann.lee@example");
    EXPECT_EQ(form.SendToConstBtn->text(), "Send report to constructor");

    // The address is kept for the next report.
    prompts.Clear();
    form.SendToConstBtn->click();
    EXPECT_THAT(prompts.calls, IsEmpty());
    EXPECT_EQ(shell.urls.size(), 2u);
}

TEST_F(ReportFixture, GivingUpOnTheAddressSendsNothing)
{
    form.ShowFor("P1.QWL", "");
    PublishItem(form, 2)->click();
    prompts.QueueInput(std::nullopt);  // cancelled
    form.SendToConstBtn->click();
    prompts.QueueInput(QString(""));  // confirmed empty
    form.SendToConstBtn->click();
    prompts.QueueInput(QString("nobody"));
    prompts.QueueAnswer(Answer::No);  // no second try
    form.SendToConstBtn->click();
    EXPECT_THAT(shell.urls, IsEmpty());
    EXPECT_EQ(form.SentToConstructor(), 0);
    EXPECT_EQ(form.ConstructorAddress(), "");
    EXPECT_TRUE(prompts.AllAnswersUsed());
}

TEST(AuthorMail, UsesHeaderSectionsOrCaptionAndNeedsAnAddress)
{
    RecordingShell shell;
    Puzzle puzzle;
    puzzle.HeaderStrings[0] = "";
    puzzle.HeaderStrings[1] = "Acrostic 12";
    puzzle.HeaderStrings[2] = "Q&A";
    EmailPuzzleAuthor(shell, puzzle, "Quotewell - P1.QWL");
    EXPECT_THAT(shell.urls, IsEmpty());
    puzzle.AuthorAddress = "ann@example.org";
    EmailPuzzleAuthor(shell, puzzle, "Quotewell - P1.QWL");
    puzzle.HeaderStrings[1] = puzzle.HeaderStrings[2] = "";
    EmailPuzzleAuthor(shell, puzzle, QString::fromUtf8("Quotewell - Café.QWL"));
    EXPECT_THAT(shell.urls, ElementsAre("mailto:ann@example.org?Subject=Q%26A",
                                        "mailto:ann@example.org?Subject=Quotewell%20-%20Caf%C3%A9.QWL"));
}

TEST(AboutBox, ShowsVersionAndLinkOpensTheHomePage)
{
    ScriptedPrompts prompts;
    RecordingShell shell;
    QString version;
    prompts.QueueExec([&](QDialog& dialog) {
        auto& box = static_cast<TAboutBox&>(dialog);
        EXPECT_EQ(box.size(), QSize(326, 200));
        EXPECT_TRUE(box.windowFlags() & Qt::FramelessWindowHint);
        version = box.Label2->text();
        EXPECT_EQ(box.Comments->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(box.Comments, Qt::LeftButton);
        box.OKButton->click();
        return box.result();
    });
    TAboutBox::Show(prompts, shell, nullptr);
    EXPECT_EQ(version, "Version 2.1");
    OpenHomePage(shell);
    ASSERT_EQ(shell.urls.size(), 2u);
    EXPECT_EQ(shell.urls[0], shell.urls[1]);
    EXPECT_THAT(shell.urls[0], testing::StartsWith("https://www.example.com/"));
}

}  // namespace
}  // namespace qw
