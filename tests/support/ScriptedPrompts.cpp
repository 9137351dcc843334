#include "support/ScriptedPrompts.h"

#include <QDialog>

namespace qw {

namespace {
template <typename T, typename D>
T Take(std::deque<T>& queue, PromptCall& call, D otherwise)
{
    if (queue.empty()) return T(otherwise);
    call.scripted = true;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
}  // namespace

void ScriptedPrompts::QueuePrinter(bool accepted)
{
    printers.push_back([accepted](QPrinter&) { return accepted; });
}

int ScriptedPrompts::Count(PromptKind kind) const
{
    int n = 0;
    for (const PromptCall& call : calls) n += call.kind == kind ? 1 : 0;
    return n;
}

QStringList ScriptedPrompts::Texts(PromptKind kind) const
{
    QStringList texts;
    for (const PromptCall& call : calls)
        if (call.kind == kind) texts << call.text;
    return texts;
}

bool ScriptedPrompts::AllAnswersUsed() const
{
    return answers.empty() && inputs.empty() && files.empty() && fonts.empty() && colors.empty() &&
           printers.empty() && execs.empty();
}

void ScriptedPrompts::Clear()
{
    calls.clear();
    answers.clear();
    inputs.clear();
    files.clear();
    fonts.clear();
    colors.clear();
    printers.clear();
    execs.clear();
}

PromptCall& ScriptedPrompts::Record(PromptKind kind, const QString& text)
{
    PromptCall call{kind, text, {}, {}, {}, {}, {}, false};
    calls.push_back(call);
    return calls.back();
}

Answer ScriptedPrompts::NextAnswer(PromptCall& call, Answer otherwise)
{
    return Take(answers, call, otherwise);
}

void ScriptedPrompts::Notice(const QString& text) { Record(PromptKind::Notice, text).scripted = true; }

void ScriptedPrompts::Information(const QString& text)
{
    Record(PromptKind::Information, text).scripted = true;
}

void ScriptedPrompts::Warning(const QString& text) { Record(PromptKind::Warning, text).scripted = true; }

void ScriptedPrompts::Error(const QString& text) { Record(PromptKind::Error, text).scripted = true; }

bool ScriptedPrompts::ConfirmYesNo(const QString& text)
{
    return NextAnswer(Record(PromptKind::ConfirmYesNo, text), Answer::No) == Answer::Yes;
}

bool ScriptedPrompts::CautionYesNo(const QString& text)
{
    return NextAnswer(Record(PromptKind::CautionYesNo, text), Answer::No) == Answer::Yes;
}

bool ScriptedPrompts::WarnYesNo(const QString& text)
{
    return NextAnswer(Record(PromptKind::WarnYesNo, text), Answer::No) == Answer::Yes;
}

Answer ScriptedPrompts::ConfirmYesNoCancel(const QString& text)
{
    return NextAnswer(Record(PromptKind::ConfirmYesNoCancel, text), Answer::Cancel);
}

std::optional<QString> ScriptedPrompts::InputBox(const QString& title, const QString& prompt,
                                                 const QString& initial)
{
    PromptCall& call = Record(PromptKind::InputBox, prompt);
    call.title = title;
    call.initial = initial;
    return Take(inputs, call, std::nullopt);
}

std::optional<QString> ScriptedPrompts::OpenFile(const QString& startDir, const QString& preset)
{
    PromptCall& call = Record(PromptKind::OpenFile, startDir);
    call.initial = preset;
    return Take(files, call, std::nullopt);
}

std::optional<QString> ScriptedPrompts::ExportFile(const QString& startDir, const QString& preset)
{
    PromptCall& call = Record(PromptKind::ExportFile, startDir);
    call.initial = preset;
    return Take(files, call, std::nullopt);
}

std::optional<QFont> ScriptedPrompts::ChooseFont(const QFont& initial, const FontDialogOptions& options)
{
    PromptCall& call = Record(PromptKind::ChooseFont, initial.family());
    call.font = initial;
    call.fontOptions = options;
    return Take(fonts, call, std::nullopt);
}

std::optional<QColor> ScriptedPrompts::ChooseColor(const QColor& initial)
{
    PromptCall& call = Record(PromptKind::ChooseColor, initial.name());
    call.color = initial;
    return Take(colors, call, std::nullopt);
}

bool ScriptedPrompts::ChoosePrinter(QPrinter& printer)
{
    PromptCall& call = Record(PromptKind::ChoosePrinter, QString());
    auto choose = Take(printers, call, nullptr);
    return choose ? choose(printer) : false;
}

int ScriptedPrompts::Exec(QDialog& dialog)
{
    PromptCall& call = Record(PromptKind::Exec, dialog.windowTitle());
    call.title = QString::fromLatin1(dialog.metaObject()->className());
    auto run = Take(execs, call, nullptr);
    if (!run) {
        dialog.setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    // Shown without blocking, so that the dialog's show handling runs as it would for the user;
    // a dialog the function left open is closed the way its buttons would close it.
    constexpr int kStillOpen = -0x5eed;
    dialog.setResult(kStillOpen);
    dialog.show();
    const int result = run(dialog);
    if (dialog.result() == kStillOpen || dialog.isVisible()) dialog.done(result);
    return result;
}

}  // namespace qw
