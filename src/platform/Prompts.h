#pragma once
// Every modal question the program asks goes through Prompts, so tests answer them instead of
// blocking on a modal window.

#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <optional>

#include "solve/SessionPrompts.h"

class QDialog;
class QPrinter;
class QWidget;

namespace qw {

struct FontDialogOptions {
    bool noEffects = true;       // no colour, underline or strike-out choice
    int maxPointSize = 0;        // 0: no limit
    bool scalableOnly = true;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    // Plain notice: OK button, caption "Quotewell".
    virtual void Notice(const QString& text) = 0;
    // Information box: caption "Information", information icon.
    virtual void Information(const QString& text) = 0;
    // Warning box with OK, caption "Quotewell".
    virtual void Warning(const QString& text) = 0;
    // The application's general error report: the error's text in a message box.
    virtual void Error(const QString& text) = 0;
    virtual bool ConfirmYesNo(const QString& text) = 0;
    // A warning with Yes and No buttons.
    virtual bool WarnYesNo(const QString& text) = 0;
    // A warning with Yes and No buttons where No is the default: Enter pressed in haste changes
    // nothing.
    virtual bool CautionYesNo(const QString& text) = 0;
    virtual Answer ConfirmYesNoCancel(const QString& text) = 0;
    virtual std::optional<QString> InputBox(const QString& title, const QString& prompt,
                                            const QString& initial) = 0;
    virtual std::optional<QString> OpenFile(const QString& startDir, const QString& preset) = 0;
    // The Export dialog: a new file name, with the extension of the chosen format.
    virtual std::optional<QString> ExportFile(const QString& startDir, const QString& preset) = 0;
    virtual std::optional<QFont> ChooseFont(const QFont& initial, const FontDialogOptions& options) = 0;
    virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
    // The print dialog: printer and copies, no page range. False when cancelled.
    virtual bool ChoosePrinter(QPrinter& printer) = 0;
    // Shows a dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int Exec(QDialog& dialog) = 0;
};

// The real thing: Qt's message boxes and common dialogs, owned by `parent`.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }
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
    std::optional<QString> ExportFile(const QString& startDir, const QString& preset) override;
    std::optional<QFont> ChooseFont(const QFont& initial, const FontDialogOptions& options) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
    bool ChoosePrinter(QPrinter& printer) override;
    int Exec(QDialog& dialog) override;

private:
    QWidget* parent_;
};

// The session's questions asked through `prompts`.
class PromptsForSession : public SessionPrompts {
public:
    explicit PromptsForSession(Prompts& prompts) : prompts_(prompts) {}
    void Notice(const std::string& text) override;
    void Warning(const std::string& text) override;
    void Error(const std::string& text) override;
    bool ConfirmYesNo(const std::string& text) override;
    bool CautionYesNo(const std::string& text) override;
    Answer ConfirmYesNoCancel(const std::string& text) override;
    std::optional<std::string> OpenFile(const std::string& startDir, const std::string& preset) override;

private:
    Prompts& prompts_;
};

}  // namespace qw
