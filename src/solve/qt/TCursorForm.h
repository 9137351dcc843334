#pragma once
// "Cursor behavior": where the cursor goes after a typed letter, one choice per pane. The dialog
// lives for the whole run; its selected radio items are the live settings letter entry reads.

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QShowEvent;

namespace qw {

class SettingsStore;

class TCursorForm : public QDialog {
    Q_OBJECT
public:
    // Reads Diagram and Wordlist of "Quotewell/Cursor" from `store`, which must outlive the dialog.
    explicit TCursorForm(SettingsStore& store, QWidget* parent = nullptr);

    // Selected item index: 0 "Move to next blank space", 1 "... whether blank or not", -1 none.
    int DiagramSetting() const;
    int WordListSetting() const;
    // Stored values above 1 select the last item, values below 0 select nothing.
    void SetDiagramSetting(int value);
    void SetWordListSetting(int value);

    // Remembers the selections, so that a cancelled dialog can put them back.
    void FormShow();
    // OK writes both selections to the store; anything else restores the remembered ones.
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

    SettingsStore& store_;
    QButtonGroup* diagramButtons_ = nullptr;
    QButtonGroup* wordlistButtons_ = nullptr;
    int shownDiagram_ = 0;
    int shownWordlist_ = 0;
};

}  // namespace qw
