#pragma once
// "Cursor behavior": where the cursor goes after a typed letter, one choice per pane. The dialog
// lives for the whole run and edits the settings letter entry reads; its radio items only hold
// the choice until OK.

#include <QDialog>

#include "solve/LetterEntry.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace qw {

class SettingsStore;

// Diagram and Wordlist of "Quotewell/Cursor", as the dialog reads them: for letter entry from the
// first key on, before the dialog itself is ever needed.
CursorBehavior ReadCursorBehavior(SettingsStore& store);

class TCursorForm : public QDialog {
    Q_OBJECT
public:
    // Reads Diagram and Wordlist of "Quotewell/Cursor" from `store`, which must outlive the dialog,
    // into `settings` (the session's), or into settings of its own.
    TCursorForm(SettingsStore& store, CursorBehavior& settings, QWidget* parent = nullptr);
    explicit TCursorForm(SettingsStore& store, QWidget* parent = nullptr);
    // Edits `settings`, already read with ReadCursorBehavior, without reading the store again: a
    // dialog made after start-up shows the settings in force, not the store's later content.
    struct AlreadyRead {};
    TCursorForm(SettingsStore& store, CursorBehavior& settings, AlreadyRead, QWidget* parent = nullptr);

    // The settings in force: 0 "Move to next blank space", 1 "... whether blank or not", -1 none.
    const CursorBehavior& Settings() const { return settings_; }
    int DiagramSetting() const { return settings_.Diagram; }
    int WordListSetting() const { return settings_.WordList; }
    // Sets a setting and its radio items. Values above 1 mean the last item, below 0 no item.
    void SetDiagramSetting(int value);
    void SetWordListSetting(int value);

    // The radio items show the settings in force.
    void FormShow();
    // OK takes the selections as the settings and writes them to the store; anything else puts
    // the settings back on the radio items.
    void FormClose(int result);

    QGroupBox* DiagramCursorRadioGroup = nullptr;
    QGroupBox* WordlistCursorRadioGroup = nullptr;
    QRadioButton* DiagramItems[2] = {};
    QRadioButton* WordlistItems[2] = {};
    QPushButton* CancelButton = nullptr;
    QPushButton* OKButton = nullptr;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* MakeGroup(const QString& caption, int top, QButtonGroup*& buttons, QRadioButton* (&items)[2]);
    static void Select(QButtonGroup* buttons, int value);
    void ShowSettings();

    SettingsStore& store_;
    CursorBehavior own_;
    CursorBehavior& settings_;
    QButtonGroup* diagramButtons_ = nullptr;
    QButtonGroup* wordlistButtons_ = nullptr;
};

}  // namespace qw
