#include "solve/qt/TUnscrambleForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/Prompts.h"
#include "platform/QtConvert.h"

namespace qw {

TUnscrambleForm::TUnscrambleForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("UnscrambleForm");
    setWindowTitle("Key to unscramble solution");
    setFixedSize(249, 105);

    Label1 = new QLabel("Enter 4-digit key:", this);
    Label1->setGeometry(16, 16, Label1->sizeHint().width(), 21);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(Label1->geometry().right() + 9, 14, 233 - Label1->geometry().right() - 9, 23);
    Label1->setBuddy(Edit1);
    Edit1->installEventFilter(this);
    connect(Edit1, &QLineEdit::textEdited, this, &TUnscrambleForm::KeepDigitsOnly);

    OKBtn = new QPushButton("&OK", this);
    OKBtn->setGeometry(40, 64, 75, 25);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    CancelBtn = new QPushButton("&Cancel", this);
    CancelBtn->setGeometry(134, 64, 75, 25);
    CancelBtn->setAutoDefault(false);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

bool TUnscrambleForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Control characters (Backspace, Enter, Escape, Ctrl+V...) keep their usual meaning;
        // every printable character but a digit is swallowed.
        if (!text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127) {
            for (QChar ch : text)
                if (ch < u'0' || ch > u'9') return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TUnscrambleForm::KeepDigitsOnly()
{
    // Text arrives here from pasting or dropping; the key filter already stopped typed letters.
    // Characters outside ASCII become bytes that are never digits, so the UTF-8 form filters alike.
    const QString text = Edit1->text();
    const QString digits = QString::fromStdString(FilterKeyDigits(text.toStdString()));
    if (digits == text) return;
    const auto before = FilterKeyDigits(text.left(Edit1->cursorPosition()).toStdString()).size();
    Edit1->setText(digits);
    Edit1->setCursorPosition(static_cast<int>(before));
}

int AskKeyNumber(Prompts& prompts, QWidget* parent, std::string& text, bool constructorMode)
{
    TUnscrambleForm dialog(parent);
    dialog.Edit1->clear();
    if (constructorMode) dialog.Edit1->setText(FromAnsi(text));
    dialog.Edit1->setFocus();
    const int result = prompts.Exec(dialog);
    text = ToAnsi(dialog.Edit1->text());
    return result;
}

std::optional<KeyOutcome> RunKeyNumberCommand(Prompts& prompts, QWidget* parent, Puzzle& puzzle,
                                              bool constructorMode)
{
    std::string text = InitialKeyText(puzzle, constructorMode);
    if (AskKeyNumber(prompts, parent, text, constructorMode) != QDialog::Accepted) return std::nullopt;
    return ApplyKeyNumber(puzzle, text);
}

}  // namespace qw
