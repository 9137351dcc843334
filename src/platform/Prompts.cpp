#include "platform/Prompts.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QInputDialog>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace qw {

namespace {

const QString kProgramCaption = QStringLiteral("Quotewell");
const QString kInformationCaption = QStringLiteral("Information");
// File names are case-sensitive here: the dialog matches these patterns in any letter case, and
// both spellings of .QWL are offered for dialogs that do not.
const QString kPuzzleFileFilter = QStringLiteral(
    "Acrostic puzzles (*.QWL *.jpz *.ipuz);;Quotewell files (*.QWL *.qwl);;JPZ acrostics (*.jpz);;"
    "ipuz acrostics (*.ipuz);;All files (*)");
const QStringList kExportFilters = {QStringLiteral("JPZ acrostic (*.jpz)"), QStringLiteral("ipuz acrostic (*.ipuz)")};

int ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
            QMessageBox::StandardButton escapeButton)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(escapeButton);
    return box.exec();
}

// Qt's font dialog has no switch for leaving out the effects or for an upper size limit, so the
// widget-based dialog is trimmed here: the effects group goes, sizes above the limit leave the
// size list, and a size typed above the limit is brought down to it when the dialog is accepted.
class LimitedFontDialog : public QFontDialog {
public:
    LimitedFontDialog(const QFont& initial, const qw::FontDialogOptions& options, QWidget* parent)
        : QFontDialog(parent), maxPointSize_(options.maxPointSize)
    {
        setOption(QFontDialog::DontUseNativeDialog, true);
        if (options.scalableOnly) setOption(QFontDialog::ScalableFonts, true);
        setCurrentFont(initial);
        if (options.noEffects) {
            for (QGroupBox* group : findChildren<QGroupBox*>()) {
                if (!group->findChildren<QCheckBox*>().isEmpty()) group->hide();
            }
        }
        if (maxPointSize_ > 0) LimitSizes();
    }

    void accept() override
    {
        if (maxPointSize_ > 0 && currentFont().pointSize() > maxPointSize_) {
            QFont font = currentFont();
            font.setPointSize(maxPointSize_);
            setCurrentFont(font);
        }
        QFontDialog::accept();
    }

private:
    void LimitSizes()
    {
        // The size edit is the one editable line edit apart from the sample text.
        for (QLineEdit* edit : findChildren<QLineEdit*>()) {
            if (edit->isReadOnly() || edit->objectName() == QLatin1String("qt_fontDialog_sampleEdit"))
                continue;
            edit->setValidator(new QIntValidator(1, maxPointSize_, edit));
        }
        // The third list holds the sizes; it is refilled whenever family or style change.
        const QList<QListView*> lists = findChildren<QListView*>();
        if (lists.size() < 3) return;
        sizeList_ = lists[2];
        if (QAbstractItemModel* model = sizeList_->model()) {
            connect(model, &QAbstractItemModel::modelReset, this, [this] { HideLargeSizes(); });
        }
        HideLargeSizes();
    }

    void HideLargeSizes()
    {
        QAbstractItemModel* model = sizeList_->model();
        if (!model) return;
        for (int row = 0; row < model->rowCount(); ++row) {
            bool ok = false;
            const int size = model->index(row, 0).data().toString().toInt(&ok);
            sizeList_->setRowHidden(row, ok && size > maxPointSize_);
        }
    }

    int maxPointSize_;
    QListView* sizeList_ = nullptr;
};

}  // namespace

void QtPrompts::Notice(const QString& text)
{
    ShowBox(parent_, QMessageBox::NoIcon, kProgramCaption, text, QMessageBox::Ok, QMessageBox::Ok,
            QMessageBox::Ok);
}

void QtPrompts::Information(const QString& text)
{
    ShowBox(parent_, QMessageBox::Information, kInformationCaption, text, QMessageBox::Ok,
            QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompts::Warning(const QString& text)
{
    ShowBox(parent_, QMessageBox::Warning, kProgramCaption, text, QMessageBox::Ok, QMessageBox::Ok,
            QMessageBox::Ok);
}

void QtPrompts::Error(const QString& text)
{
    ShowBox(parent_, QMessageBox::Critical, kProgramCaption, text, QMessageBox::Ok, QMessageBox::Ok,
            QMessageBox::Ok);
}

bool QtPrompts::ConfirmYesNo(const QString& text)
{
    return ShowBox(parent_, QMessageBox::Question, kProgramCaption, text,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtPrompts::WarnYesNo(const QString& text)
{
    return ShowBox(parent_, QMessageBox::Warning, kProgramCaption, text,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No) ==
           QMessageBox::Yes;
}

bool QtPrompts::CautionYesNo(const QString& text)
{
    return ShowBox(parent_, QMessageBox::Warning, kProgramCaption, text,
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

Answer QtPrompts::ConfirmYesNoCancel(const QString& text)
{
    switch (ShowBox(parent_, QMessageBox::Question, kProgramCaption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                    QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::optional<QString> QtPrompts::InputBox(const QString& title, const QString& prompt,
                                           const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<QString> QtPrompts::OpenFile(const QString& startDir, const QString& preset)
{
    QFileDialog dialog(parent_, QStringLiteral("Open"), startDir, kPuzzleFileFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("QWL"));
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (!preset.isEmpty()) dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return files.first();
}

std::optional<QString> QtPrompts::ExportFile(const QString& startDir, const QString& preset)
{
    QFileDialog dialog(parent_, QStringLiteral("Export"), startDir);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kExportFilters);
    // The extension follows the format chosen, and the preset name follows the extension.
    auto suffixOf = [](const QString& filter) { return filter.contains(QLatin1String(".ipuz")) ? "ipuz" : "jpz"; };
    const bool ipuz = preset.endsWith(QLatin1String(".ipuz"), Qt::CaseInsensitive);
    dialog.selectNameFilter(kExportFilters[ipuz ? 1 : 0]);
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (!preset.isEmpty()) dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return files.first();
}

std::optional<QFont> QtPrompts::ChooseFont(const QFont& initial, const FontDialogOptions& options)
{
    LimitedFontDialog dialog(initial, options, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedFont();
}

std::optional<QColor> QtPrompts::ChooseColor(const QColor& initial)
{
    // No alpha channel: the stored colours are solid.
    const QColor chosen = QColorDialog::getColor(initial, parent_, QStringLiteral("Color"));
    if (!chosen.isValid()) return std::nullopt;
    return QColor(chosen.red(), chosen.green(), chosen.blue());
}

bool QtPrompts::ChoosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

int QtPrompts::Exec(QDialog& dialog) { return dialog.exec(); }

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

void PromptsForSession::Notice(const std::string& text) { prompts_.Notice(Q(text)); }
void PromptsForSession::Warning(const std::string& text) { prompts_.Warning(Q(text)); }
void PromptsForSession::Error(const std::string& text) { prompts_.Error(Q(text)); }
bool PromptsForSession::ConfirmYesNo(const std::string& text) { return prompts_.ConfirmYesNo(Q(text)); }
bool PromptsForSession::CautionYesNo(const std::string& text) { return prompts_.CautionYesNo(Q(text)); }
Answer PromptsForSession::ConfirmYesNoCancel(const std::string& text) { return prompts_.ConfirmYesNoCancel(Q(text)); }

std::optional<std::string> PromptsForSession::OpenFile(const std::string& startDir, const std::string& preset)
{
    const std::optional<QString> chosen = prompts_.OpenFile(Q(startDir), Q(preset));
    if (!chosen) return std::nullopt;
    return chosen->toStdString();
}

}  // namespace qw
