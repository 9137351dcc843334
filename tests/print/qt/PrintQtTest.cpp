#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

#include "platform/SettingsStore.h"
#include "print/SamplePuzzle.h"
#include "print/qt/PrinterOptionsForm.h"
#include "print/qt/QtPrintSurface.h"
#include "support/ScriptedPrompts.h"

namespace qw {
namespace {

int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

Puzzle LongPuzzle()
{
    Puzzle p = MakeSamplePuzzle(true);
    // The same diagram with its word list repeated: more clues than one page holds.
    std::vector<Clue> clues;
    for (int k = 0; k < 6; ++k) clues.insert(clues.end(), p.Clues.begin(), p.Clues.end());
    p.Clues = clues;
    p.ClueCount = static_cast<int32_t>(clues.size());
    return p;
}

TEST(PrintToPdf, WritesOnePdfPagePerLaidOutPage)
{
    QTemporaryDir dir;
    const QString one = dir.filePath(QStringLiteral("sample.pdf"));
    PrintSummary summary = PrintToPdf(MakeSamplePuzzle(true), PrinterOptions{}, true, one);
    EXPECT_EQ(summary.pages, 1);
    EXPECT_EQ(PdfPageCount(one), 1);

    const QString many = dir.filePath(QStringLiteral("long.pdf"));
    summary = PrintToPdf(LongPuzzle(), PrinterOptions{}, false, many);
    EXPECT_GE(summary.pages, 3);
    EXPECT_EQ(PdfPageCount(many), summary.pages);
}

TEST(PrintToPdf, AnUnwritablePathIsAClearError)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/folder/out.pdf"));
    try {
        PrintToPdf(MakeSamplePuzzle(), PrinterOptions{}, false, path);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_THAT(e.what(), testing::HasSubstr("out.pdf"));
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST(QtPrintSurface, FontsScaleWithTheDeviceResolution)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    QtPrintSurface surface(printer);
    const DeviceMetrics m = surface.Metrics();
    EXPECT_EQ(m.LOGPIXELSX, 600);
    EXPECT_EQ(m.LOGPIXELSY, 600);
    EXPECT_NEAR(m.HORZRES * 25.4 / 600, m.HORZSIZE, 1.0);

    EXPECT_EQ(surface.ToDeviceFont(PrintFont::FromPoints("Arial", StyleBold, 10, 600)).pixelSize(), 83);
    // A cell height comes out as the text height.
    surface.SetFont(PrintFont{"Arial", 0, 180});
    EXPECT_NEAR(surface.TextHeight("W"), 180, 2);
    surface.SetFont(PrintFont{"Arial", 0, -100});
    const int regular = surface.TextWidth("abcdef");
    surface.SetFont(PrintFont{"Arial", StyleBold, -100});
    EXPECT_GT(surface.TextWidth("abcdef"), regular);
    EXPECT_GT(regular, 250);
}

TEST(PrintWithDialog, CancelPrintsNothingAndAcceptPrintsToTheChosenPrinter)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printed.pdf"));
    ScriptedPrompts prompts;
    PrintWithDialog(prompts, nullptr, MakeSamplePuzzle(), PrinterOptions{}, false);
    EXPECT_EQ(prompts.Count(PromptKind::ChoosePrinter), 1);
    EXPECT_FALSE(QFile::exists(path));

    int copiesSeen = -1;
    prompts.QueuePrinterScript([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setCopyCount(3);
        copiesSeen = printer.copyCount();
        return true;
    });
    PrintWithDialog(prompts, nullptr, MakeSamplePuzzle(), PrinterOptions{}, false);
    EXPECT_EQ(copiesSeen, 3);
    EXPECT_EQ(PdfPageCount(path), 1);  // each copy its own job, never multiplied by the printer

    prompts.QueuePrinterScript([&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("no/such/folder.pdf")));
        return true;
    });
    EXPECT_THROW(PrintWithDialog(prompts, nullptr, MakeSamplePuzzle(), PrinterOptions{}, false),
                 std::runtime_error);
}

struct OptionsDialog : testing::Test {
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("Tamarisk.ini"));
    ScriptedPrompts prompts;

    void Seed(const QString& key, const QString& name, const QVariant& value)
    {
        SettingsStore store(ini);
        store.OpenKey(key, true);
        if (value.typeId() == QMetaType::QString) store.WriteString(name, value.toString());
        else store.WriteInteger(name, value.toInt());
        store.CloseKey();
        store.Sync();
    }
    std::optional<int> Int(const QString& key, const QString& name)
    {
        SettingsStore store(ini);
        if (!store.OpenKey(key, false)) return std::nullopt;
        return store.ReadInteger(name);
    }
    std::optional<QString> Str(const QString& key, const QString& name)
    {
        SettingsStore store(ini);
        if (!store.OpenKey(key, false)) return std::nullopt;
        return store.ReadString(name);
    }
};

TEST_F(OptionsDialog, FirstRunGivesDefaultsAndOkStoresThem)
{
    SettingsStore store(ini);
    TPrinterOptionsForm form(store, prompts);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Printer Options"));
    EXPECT_EQ(form.size(), QSize(456, 663));
    EXPECT_EQ(form.Options(), (PrinterOptions{{"Arial", 10, 0}, {"Arial", 10, 0}, false}));
    EXPECT_TRUE(form.RadioButton1->isChecked());

    form.show();
    EXPECT_EQ(form.Image1->pixmap().size(), QSize(412, 532));
    QTest::mouseClick(form.OKBtn, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(Int(QStringLiteral("Quotewell/PrintOptions"), QStringLiteral("Color")), 1);
    EXPECT_EQ(Str(QStringLiteral("Quotewell/PrinterClueFont"), QStringLiteral("Name")), QStringLiteral("Arial"));
    EXPECT_EQ(Int(QStringLiteral("Quotewell/PrinterClueFont"), QStringLiteral("Size")), 10);
    EXPECT_EQ(Int(QStringLiteral("Quotewell/PrinterAnswerNumberFont"), QStringLiteral("Style")), 0);
}

TEST_F(OptionsDialog, StoredValuesAreReadAndOddOnesFallBack)
{
    Seed(QStringLiteral("Quotewell\\PrinterClueFont"), QStringLiteral("Name"), QStringLiteral("Liberation Serif"));
    Seed(QStringLiteral("Quotewell\\PrinterClueFont"), QStringLiteral("Style"), 3 | 16);
    Seed(QStringLiteral("Quotewell\\PrinterAnswerNumberFont"), QStringLiteral("Size"), 0);
    Seed(QStringLiteral("Quotewell\\PrintOptions"), QStringLiteral("Color"), 5);
    SettingsStore store(ini);
    TPrinterOptionsForm form(store, prompts);
    const PrinterOptions o = form.Options();
    EXPECT_EQ(o.clueFont, (FontSpec{"Liberation Serif", 10, StyleBold | StyleItalic}));
    EXPECT_EQ(o.answerNumberFont.pointSize, 10);
    EXPECT_FALSE(o.spacesGray);

    form.show();
    QTest::mouseClick(form.OKBtn, Qt::LeftButton);
    EXPECT_EQ(Int(QStringLiteral("Quotewell/PrintOptions"), QStringLiteral("Color")), 1);
    EXPECT_EQ(Int(QStringLiteral("Quotewell/PrinterClueFont"), QStringLiteral("Style")), 3);

    Seed(QStringLiteral("Quotewell\\PrintOptions"), QStringLiteral("Color"), 2);
    SettingsStore again(ini);
    TPrinterOptionsForm gray(again, prompts);
    EXPECT_TRUE(gray.Options().spacesGray);
    EXPECT_TRUE(gray.RadioButton2->isChecked());
    EXPECT_EQ(ReadPrinterOptions(again), gray.Options());
}

TEST_F(OptionsDialog, RectanglesShowHintsTurnGreenAndOpenTheirFontDialog)
{
    SettingsStore store(ini);
    TPrinterOptionsForm form(store, prompts);
    form.show();
    EXPECT_TRUE(form.MouseStatusLabel->text().isEmpty());

    QTest::mouseMove(form.ClueRect, QPoint(20, 20));
    EXPECT_EQ(form.MouseStatusLabel->text(), QStringLiteral("Change font for clues"));
    QTest::mouseMove(form.Image1, QPoint(5, 5));
    EXPECT_TRUE(form.MouseStatusLabel->text().isEmpty());
    QTest::mouseMove(form.AnswerRect, QPoint(30, 30));
    EXPECT_EQ(form.MouseStatusLabel->text(),
              QStringLiteral("Change font for numbers under word list answer letters"));

    QFont big(QStringLiteral("Liberation Sans"));
    big.setPointSize(14);
    prompts.QueueFont(big);
    QTest::mouseClick(form.AnswerRect, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(prompts.Count(PromptKind::ChooseFont), 1);
    EXPECT_EQ(prompts.calls.back().fontOptions.maxPointSize, 10);
    EXPECT_TRUE(prompts.calls.back().fontOptions.noEffects);
    EXPECT_EQ(form.AnswerRect->Color(), QColor(0, 128, 0));
    EXPECT_EQ(form.ClueRect->Color(), QColor(255, 0, 0));
    EXPECT_EQ(form.Options().answerNumberFont, (FontSpec{"Liberation Sans", 10, 0}));

    // A cancelled font dialog changes nothing; the clue rectangle takes the green.
    QTest::mouseClick(form.ClueRect, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(prompts.calls.back().fontOptions.maxPointSize, 0);
    EXPECT_EQ(prompts.calls.back().font.pointSize(), 10);
    EXPECT_EQ(form.ClueRect->Color(), QColor(0, 128, 0));
    EXPECT_EQ(form.AnswerRect->Color(), QColor(255, 0, 0));
    EXPECT_EQ(form.Options().clueFont, (FontSpec{"Arial", 10, 0}));

    // From the keyboard: the rectangle takes the focus, says its hint and opens its dialog on Space.
    form.MouseStatusLabel->clear();
    form.activateWindow();
    form.AnswerRect->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(form.MouseStatusLabel->text(), form.AnswerRect->accessibleName());
    QTest::keyClick(form.AnswerRect, Qt::Key_Space);
    EXPECT_EQ(prompts.Count(PromptKind::ChooseFont), 3);
    EXPECT_EQ(prompts.calls.back().fontOptions.maxPointSize, 10);
}

TEST_F(OptionsDialog, RestoreThenOkStoresArialSixButCancelBringsBackWhatWasShown)
{
    SettingsStore store(ini);
    TPrinterOptionsForm form(store, prompts);
    QFont times(QStringLiteral("Liberation Serif"));
    times.setPointSize(12);
    prompts.QueueFont(times);
    form.show();
    form.ClueRectClick();
    form.RadioButton2->setChecked(true);
    QTest::mouseClick(form.RestoreBtn, Qt::LeftButton);
    EXPECT_EQ(form.Options().clueFont, (FontSpec{"Arial", 10, 0}));
    EXPECT_EQ(form.Options().answerNumberFont, (FontSpec{"Arial", 6, 0}));
    EXPECT_TRUE(form.Options().spacesGray);  // shading untouched
    QTest::mouseClick(form.CancelBtn, Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(form.Options(), PrinterOptions{});
    EXPECT_FALSE(Int(QStringLiteral("Quotewell/PrintOptions"), QStringLiteral("Color")).has_value());

    // Shown again through the prompts, as the menu command does: Restore and OK.
    prompts.QueueExec([](QDialog& dialog) {
        auto& f = static_cast<TPrinterOptionsForm&>(dialog);
        f.RestoreBtnClick();
        f.RadioButton2->setChecked(true);
        QTest::mouseClick(f.OKBtn, Qt::LeftButton);
        return f.result();
    });
    EXPECT_EQ(prompts.Exec(form), QDialog::Accepted);
    EXPECT_EQ(Int(QStringLiteral("Quotewell/PrinterAnswerNumberFont"), QStringLiteral("Size")), 6);
    EXPECT_EQ(Int(QStringLiteral("Quotewell/PrintOptions"), QStringLiteral("Color")), 2);
    EXPECT_TRUE(form.Options().spacesGray);

    // The close box is a cancel too.
    form.show();
    form.RadioButton1->setChecked(true);
    form.close();
    EXPECT_TRUE(form.Options().spacesGray);
}

}  // namespace
}  // namespace qw
