#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "../TestPuzzles.h"
#include "platform/SettingsStore.h"
#include "solve/qt/TCongratulationsForm.h"
#include "solve/qt/TCursorForm.h"
#include "solve/qt/TUnscrambleForm.h"
#include "support/ScriptedPrompts.h"

using namespace qw;
using namespace qw::testing;

namespace {

class CursorFormTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString ini() const { return dir.filePath("Tamarisk.ini"); }

    void Store(const QString& name, const QVariant& value)
    {
        QSettings settings(ini(), QSettings::IniFormat);
        settings.setValue("Quotewell/Cursor/" + name, value);
    }
    QVariant Stored(const QString& name) const
    {
        QSettings settings(ini(), QSettings::IniFormat);
        return settings.value("Quotewell/Cursor/" + name);
    }
};

}  // namespace

TEST_F(CursorFormTest, OutOfRangeAndWrongKindValuesAreClamped)
{
    Store("Diagram", 5);
    Store("Wordlist", -3);
    {
        SettingsStore store(ini());
        TCursorForm form(store);
        EXPECT_EQ(form.DiagramSetting(), 1);
        EXPECT_EQ(form.WordListSetting(), -1);
        EXPECT_FALSE(form.WordlistItems[0]->isChecked() || form.WordlistItems[1]->isChecked());

        ScriptedPrompts prompts;
        prompts.QueueExec([&](QDialog&) {
            QTest::mouseClick(form.OKButton, Qt::LeftButton);
            return int(QDialog::Accepted);
        });
        prompts.Exec(form);
    }
    EXPECT_EQ(Stored("Diagram").toInt(), 1);
    EXPECT_EQ(Stored("Wordlist").toInt(), -1);

    Store("Diagram", "fast");
    SettingsStore store(ini());
    TCursorForm form(store);
    EXPECT_EQ(form.DiagramSetting(), 0);
}

TEST_F(CursorFormTest, OkStoresTheChoicesAndCancelOrCloseBoxPutsThemBack)
{
    SettingsStore store(ini());
    TCursorForm form(store);
    ScriptedPrompts prompts;

    prompts.QueueExec([&](QDialog&) {
        QTest::mouseClick(form.WordlistItems[1], Qt::LeftButton);
        QTest::mouseClick(form.CancelButton, Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    prompts.Exec(form);
    EXPECT_EQ(form.WordListSetting(), 0);
    EXPECT_FALSE(Stored("Wordlist").isValid());

    prompts.QueueExec([&](QDialog&) {
        QTest::mouseClick(form.DiagramItems[1], Qt::LeftButton);
        form.close();  // the window's close box
        return int(QDialog::Rejected);
    });
    prompts.Exec(form);
    EXPECT_EQ(form.DiagramSetting(), 0);

    prompts.QueueExec([&](QDialog&) {
        QTest::mouseClick(form.WordlistItems[1], Qt::LeftButton);
        QTest::mouseClick(form.OKButton, Qt::LeftButton);
        return int(QDialog::Accepted);
    });
    prompts.Exec(form);
    EXPECT_EQ(form.WordListSetting(), 1);
    EXPECT_EQ(form.DiagramSetting(), 0);
    EXPECT_EQ(Stored("Wordlist").toInt(), 1);
    EXPECT_EQ(Stored("Diagram").toInt(), 0);

    // A later dialog starts from the confirmed choices, so its Cancel keeps them.
    prompts.QueueExec([&](QDialog&) {
        QTest::mouseClick(form.WordlistItems[0], Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    prompts.Exec(form);
    EXPECT_EQ(form.WordListSetting(), 1);

    SettingsStore reread(ini());
    TCursorForm restarted(reread);
    EXPECT_EQ(restarted.WordListSetting(), 1);
    EXPECT_EQ(restarted.DiagramSetting(), 0);
}

TEST(UnscrambleForm, TypedLettersAreDiscardedAndPastedTextKeepsItsDigits)
{
    TUnscrambleForm form;
    form.show();
    QTest::keyClicks(form.Edit1, "0a1 B2-3.4!56789");
    EXPECT_EQ(form.Edit1->text(), "0123456789");  // no length limit either
    QTest::keyClick(form.Edit1, Qt::Key_Backspace);
    EXPECT_EQ(form.Edit1->text(), "012345678");

    form.Edit1->selectAll();
    QTest::keyClicks(form.Edit1, "x");  // a swallowed key leaves the selection in place
    EXPECT_EQ(form.Edit1->selectedText(), "012345678");

    form.Edit1->clear();
    QApplication::clipboard()->setText("key: 08-15 x");
    form.Edit1->paste();
    EXPECT_EQ(form.Edit1->text(), "0815");
    EXPECT_EQ(form.Edit1->cursorPosition(), 4);
}

TEST(UnscrambleForm, SolverTypesTheKeyIntoAnEmptyBox)
{
    Puzzle p = Build({"ABCD"}, {{"a", {1, 2, 3, 4}, "ABCD"}});
    p.KeyNumber = "0042";
    p.SolutionScrambled = 1;
    ScriptedPrompts prompts;

    // Cancel changes nothing, whatever was typed.
    prompts.QueueExec([&](QDialog& d) {
        QTest::keyClicks(static_cast<TUnscrambleForm&>(d).Edit1, "0042");
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(RunKeyNumberCommand(prompts, nullptr, p, false));
    EXPECT_EQ(p.SolutionScrambled, 1);

    prompts.QueueExec([&](QDialog& d) {
        auto& form = static_cast<TUnscrambleForm&>(d);
        EXPECT_TRUE(form.Edit1->text().isEmpty());
        QTest::keyClicks(form.Edit1, "42");
        return int(QDialog::Accepted);
    });
    std::optional<KeyOutcome> outcome = RunKeyNumberCommand(prompts, nullptr, p, false);
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->accepted);  // leading zeros matter
    EXPECT_EQ(p.SolutionScrambled, 1);

    prompts.QueueExec([&](QDialog& d) {
        auto& form = static_cast<TUnscrambleForm&>(d);
        QTest::keyClicks(form.Edit1, "0042");
        QTest::keyClick(form.Edit1, Qt::Key_Return);  // the default button
        EXPECT_FALSE(form.isVisible());
        return form.result();
    });
    outcome = RunKeyNumberCommand(prompts, nullptr, p, false);
    ASSERT_TRUE(outcome);
    EXPECT_TRUE(outcome->accepted);
    EXPECT_TRUE(outcome->congratulate);  // the grid was already right
    EXPECT_TRUE(p.Modified);

    // Constructor mode opens with the right key in the box.
    p.SolutionScrambled = 1;
    prompts.QueueExec([&](QDialog& d) {
        EXPECT_EQ(static_cast<TUnscrambleForm&>(d).Edit1->text(), "0042");
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(RunKeyNumberCommand(prompts, nullptr, p, true)->accepted);
}

TEST(CongratulationsForm, HeightGrowsByEachExtraButton)
{
    Puzzle p = Build({"AB"}, {{"a", {1, 2}, "AB"}});
    auto noop = [] {};
    {
        TCongratulationsForm form(p, noop, noop);
        EXPECT_EQ(form.DesignHeight(), 180);
        EXPECT_TRUE(form.InfoBtn->isHidden());
        EXPECT_TRUE(form.EmailBtn->isHidden());
        EXPECT_EQ(form.OKBtn->geometry().bottom() + 1, form.height() - 9);
        EXPECT_GT(form.OKBtn->geometry().top(), form.Panel1->geometry().bottom());
    }
    p.AuthorAddress = "author@example.org";
    {
        TCongratulationsForm form(p, noop, noop);
        EXPECT_EQ(form.DesignHeight(), 213);
        EXPECT_FALSE(form.EmailBtn->isHidden());
        EXPECT_TRUE(form.InfoBtn->isHidden());
        EXPECT_EQ(form.EmailBtn->geometry().bottom() + 1, form.height() - 45);
    }
    p.SolverInfo.Text = "Well done.";
    TCongratulationsForm form(p, noop, noop);
    EXPECT_EQ(form.DesignHeight(), 246);
    EXPECT_EQ(form.height(), 246 - TCongratulationsForm::kFrameAllowance);
    EXPECT_EQ(form.InfoBtn->geometry(), QRect(16, 112, 281, 25));
    EXPECT_EQ(form.EmailBtn->geometry(), QRect(16, 145, 281, 25));  // 8 pixels under InfoBtn
    EXPECT_EQ(form.OKBtn->geometry(), QRect(223, 181, 75, 25));
}

TEST(CongratulationsForm, ButtonsCallTheirActionsOrStayGreyWithoutOne)
{
    Puzzle p = Build({"AB"}, {{"a", {1, 2}, "AB"}});
    p.AuthorAddress = "author@example.org";
    p.SolverInfo.Text = "Well done.";
    int info = 0;
    ScriptedPrompts prompts;
    prompts.QueueExec([&](QDialog& d) {
        auto& form = static_cast<TCongratulationsForm&>(d);
        EXPECT_EQ(form.InfoBtn->text(), "Additional &info for successful solvers");
        EXPECT_EQ(form.EmailBtn->text(), "Send &E-Mail to Author");
        EXPECT_EQ(form.Label1->text(), "You solved the puzzle!");
        EXPECT_TRUE(form.InfoBtn->isEnabled());
        EXPECT_FALSE(form.EmailBtn->isEnabled());  // no mail action handed in
        QTest::mouseClick(form.InfoBtn, Qt::LeftButton);
        QTest::mouseClick(form.OKBtn, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
        return int(QDialog::Accepted);
    });
    ShowCongratulations(prompts, nullptr, p, [&] { ++info; }, nullptr);
    EXPECT_EQ(info, 1);
    EXPECT_EQ(prompts.Texts(PromptKind::Exec), QStringList{"Congratulations!"});
}
