#pragma once
// Prompts for tests: every call is recorded, and each answer comes from a queue filled by the
// test beforehand. Nothing is ever shown. With nothing queued a prompt takes its "cancel" way out:
// No, Cancel, no text, no file, no font, no colour, printer not chosen, dialog Rejected.
//
//   ScriptedPrompts prompts;
//   prompts.QueueAnswer(Answer::Yes);
//   form.Close1Click();
//   EXPECT_EQ(prompts.Texts(PromptKind::ConfirmYesNo).front(), "Puzzle not saved.  Save before closing?");

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Prompts.h"

namespace qw {

enum class PromptKind {
    Notice, Information, Warning, Error, ConfirmYesNo, WarnYesNo, CautionYesNo, ConfirmYesNoCancel,
    InputBox, OpenFile, ExportFile, ChooseFont, ChooseColor, ChoosePrinter, Exec
};

struct PromptCall {
    PromptKind kind;
    // The message; InputBox: the prompt; OpenFile: the start folder; Exec: the dialog's title.
    QString text;
    // InputBox: the title; Exec: the dialog's class name.
    QString title;
    // InputBox: the initial text; OpenFile, ExportFile: the preset file name.
    QString initial;
    QFont font;                    // ChooseFont: the initial font
    FontDialogOptions fontOptions; // ChooseFont
    QColor color;                  // ChooseColor: the initial colour
    bool scripted = false;         // false when the queue was empty and the default answer was used
};

class ScriptedPrompts : public Prompts {
public:
    // Answers for ConfirmYesNo, WarnYesNo, CautionYesNo (Yes is true, anything else false) and ConfirmYesNoCancel.
    void QueueAnswer(Answer answer) { answers.push_back(answer); }
    void QueueInput(std::optional<QString> text) { inputs.push_back(std::move(text)); }
    void QueueFile(std::optional<QString> path) { files.push_back(std::move(path)); }
    void QueueFont(std::optional<QFont> font) { fonts.push_back(std::move(font)); }
    void QueueColor(std::optional<QColor> color) { colors.push_back(std::move(color)); }
    // The function may configure the printer (a PDF file, say) and says whether the user printed.
    void QueuePrinterScript(std::function<bool(QPrinter&)> choose) { printers.push_back(std::move(choose)); }
    void QueuePrinter(bool accepted);
    // The function gets the dialog, shown but not blocking, may fill it in or click its buttons,
    // and returns its result; a dialog it leaves open is closed with done(result). With nothing
    // queued Exec shows nothing and returns Rejected.
    void QueueExec(std::function<int(QDialog&)> run) { execs.push_back(std::move(run)); }

    // What was asked, in order.
    std::vector<PromptCall> calls;
    int Count(PromptKind kind) const;
    QStringList Texts(PromptKind kind) const;
    // True when every queued answer has been used.
    bool AllAnswersUsed() const;
    void Clear();

    std::deque<Answer> answers;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::optional<QString>> files;
    std::deque<std::optional<QFont>> fonts;
    std::deque<std::optional<QColor>> colors;
    std::deque<std::function<bool(QPrinter&)>> printers;
    std::deque<std::function<int(QDialog&)>> execs;

    void Notice(const QString& text) override;
    void Information(const QString& text) override;
    void Warning(const QString& text) override;
    void Error(const QString& text) override;
    bool ConfirmYesNo(const QString& text) override;
    bool WarnYesNo(const QString& text) override;
    bool CautionYesNo(const QString& text) override;
    Answer ConfirmYesNoCancel(const QString& text) override;
    std::optional<QString> InputBox(const QString& title, const QString& prompt,
                                    const QString& initial) override;
    std::optional<QString> OpenFile(const QString& startDir, const QString& preset) override;
    // Answered from the same queue as OpenFile.
    std::optional<QString> ExportFile(const QString& startDir, const QString& preset) override;
    std::optional<QFont> ChooseFont(const QFont& initial, const FontDialogOptions& options) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
    bool ChoosePrinter(QPrinter& printer) override;
    int Exec(QDialog& dialog) override;

private:
    PromptCall& Record(PromptKind kind, const QString& text);
    Answer NextAnswer(PromptCall& call, Answer otherwise);
};

}  // namespace qw
