#include "solve/qt/TCursorForm.h"

#include <QButtonGroup>
#include <QFontInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "platform/SettingsStore.h"

namespace qw {

namespace {

const char* const kSection = "Quotewell\\Cursor";
const char* const kDiagramValue = "Diagram";
const char* const kWordlistValue = "Wordlist";

// Values above 1 mean the last item, below 0 no item.
int Clamped(int value) { return value > 1 ? 1 : value < 0 ? -1 : value; }

}  // namespace

CursorBehavior ReadCursorBehavior(SettingsStore& store)
{
    int diagram = 0;
    int wordlist = 0;
    if (store.OpenKey(kSection, true)) {
        diagram = store.ReadIntegerDefault(kDiagramValue, 0);
        wordlist = store.ReadIntegerDefault(kWordlistValue, 0);
        store.CloseKey();
    }
    return CursorBehavior{Clamped(diagram), Clamped(wordlist)};
}

TCursorForm::TCursorForm(SettingsStore& store, QWidget* parent) : TCursorForm(store, own_, parent) {}

TCursorForm::TCursorForm(SettingsStore& store, CursorBehavior& settings, QWidget* parent)
    : TCursorForm(store, settings, AlreadyRead{}, parent)
{
    settings_ = ReadCursorBehavior(store_);
    ShowSettings();
}

TCursorForm::TCursorForm(SettingsStore& store, CursorBehavior& settings, AlreadyRead, QWidget* parent)
    : QDialog(parent), store_(store), settings_(settings)
{
    setObjectName("CursorForm");
    setWindowTitle("Cursor behavior");
    // The dialog's face where it exists; Arial's metrics otherwise, which keep the group captions
    // inside their boxes (wider substitutes would clip them).
    QFont dialogFont("MS Sans Serif");
    if (!QFontInfo(dialogFont).family().startsWith("MS Sans Serif")) dialogFont.setFamily("Arial");
    dialogFont.setStyleHint(QFont::SansSerif);
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    setFixedSize(283, 216);

    DiagramCursorRadioGroup = MakeGroup(" In diagram, after a letter is entered, cursor should: ", 16, diagramButtons_,
                                        DiagramItems);
    DiagramCursorRadioGroup->setObjectName("DiagramCursorRadioGroup");
    WordlistCursorRadioGroup = MakeGroup(" In word list, after a letter is entered, cursor should: ", 104,
                                         wordlistButtons_, WordlistItems);
    WordlistCursorRadioGroup->setObjectName("WordlistCursorRadioGroup");

    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setGeometry(112, 184, 75, 25);
    CancelButton->setAutoDefault(false);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    OKButton = new QPushButton("OK", this);
    OKButton->setGeometry(198, 184, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    settings_ = CursorBehavior{Clamped(settings_.Diagram), Clamped(settings_.WordList)};
    ShowSettings();
}

QGroupBox* TCursorForm::MakeGroup(const QString& caption, int top, QButtonGroup*& buttons, QRadioButton* (&items)[2])
{
    auto* group = new QGroupBox(caption, this);
    group->setGeometry(8, top, 265, 73);
    buttons = new QButtonGroup(group);
    const char* const texts[2] = {"Move to next blank space", "Move to next space, whether blank or not"};
    for (int i = 0; i < 2; ++i) {
        items[i] = new QRadioButton(texts[i], group);
        items[i]->setGeometry(8, 20 + 24 * i, 249, 20);
        buttons->addButton(items[i], i);
    }
    return group;
}

void TCursorForm::Select(QButtonGroup* buttons, int value)
{
    if (value >= 0) {
        buttons->button(value)->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last checked button.
    buttons->setExclusive(false);
    for (QAbstractButton* b : buttons->buttons()) b->setChecked(false);
    buttons->setExclusive(true);
}

void TCursorForm::ShowSettings()
{
    Select(diagramButtons_, settings_.Diagram);
    Select(wordlistButtons_, settings_.WordList);
}

void TCursorForm::SetDiagramSetting(int value)
{
    settings_.Diagram = Clamped(value);
    Select(diagramButtons_, settings_.Diagram);
}

void TCursorForm::SetWordListSetting(int value)
{
    settings_.WordList = Clamped(value);
    Select(wordlistButtons_, settings_.WordList);
}

void TCursorForm::FormShow() { ShowSettings(); }

void TCursorForm::FormClose(int result)
{
    if (result != QDialog::Accepted) {
        ShowSettings();
        return;
    }
    settings_ = CursorBehavior{diagramButtons_->checkedId(), wordlistButtons_->checkedId()};
    if (store_.OpenKey(kSection, true)) {
        store_.WriteInteger(kDiagramValue, settings_.Diagram);
        store_.WriteInteger(kWordlistValue, settings_.WordList);
        store_.CloseKey();
        store_.Sync();
    }
}

void TCursorForm::showEvent(QShowEvent* event)
{
    // A window restored by the window system is not a new opening of the dialog.
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TCursorForm::done(int result)
{
    FormClose(result);
    QDialog::done(result);
}

}  // namespace qw
