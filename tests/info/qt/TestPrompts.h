#pragma once
// Answers the program's questions from queues and records what was asked.

#include <QDialog>
#include <deque>
#include <functional>

#include "platform/Prompts.h"

namespace qw::test {

class TestPrompts : public Prompts {
public:
    std::deque<std::optional<QString>> inputs;
    std::deque<bool> yesNo;
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<QFont>> fonts;
    QStringList asked;  // every question, in order
    std::vector<QColor> colorPresets;
    std::vector<FontDialogOptions> fontOptions;
    // Runs while a dialog is "shown"; the dialog is visible meanwhile.
    std::function<int(QDialog&)> onExec = [](QDialog&) { return int(QDialog::Accepted); };
    int execCount = 0;

    void Notice(const QString& text) override { asked << text; }
    void Information(const QString& text) override { asked << text; }
    void Warning(const QString& text) override { asked << text; }
    void Error(const QString& text) override { asked << text; }
    bool ConfirmYesNo(const QString& text) override { return Pop(text); }
    bool WarnYesNo(const QString& text) override { return Pop(text); }
    Answer ConfirmYesNoCancel(const QString& text) override { return Pop(text) ? Answer::Yes : Answer::No; }
    std::optional<QString> InputBox(const QString& title, const QString& prompt, const QString& initial) override
    {
        asked << title + "|" + prompt + "|" + initial;
        if (inputs.empty()) return std::nullopt;
        auto answer = inputs.front();
        inputs.pop_front();
        return answer;
    }
    std::optional<QString> OpenFile(const QString&, const QString&) override { return std::nullopt; }
    std::optional<QFont> ChooseFont(const QFont& initial, const FontDialogOptions& options) override
    {
        asked << "font:" + initial.family();
        fontOptions.push_back(options);
        if (fonts.empty()) return std::nullopt;
        auto answer = fonts.front();
        fonts.pop_front();
        return answer;
    }
    std::optional<QColor> ChooseColor(const QColor& initial) override
    {
        colorPresets.push_back(initial);
        if (colors.empty()) return std::nullopt;
        auto answer = colors.front();
        colors.pop_front();
        return answer;
    }
    bool ChoosePrinter(QPrinter&) override { return false; }
    int Exec(QDialog& dialog) override
    {
        ++execCount;
        dialog.show();
        const int result = onExec(dialog);
        dialog.hide();
        return result;
    }

private:
    bool Pop(const QString& text)
    {
        asked << text;
        if (yesNo.empty()) return false;
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
};

}  // namespace qw::test
