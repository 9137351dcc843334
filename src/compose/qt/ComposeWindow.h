#pragma once
// The composer's window: quotation and source with their live checks, the ledger, one row per
// answer slot with its suggestions, auto-fill, reroll, numbering and publishing. It shows what the
// core in src/compose works out; it decides nothing itself.

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <optional>

#include "compose/Composition.h"
#include "compose/Filler.h"
#include "compose/WordList.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;

namespace qw {

class SettingsStore;

// Marks the construction program as used today (QWB\StartUp Last, a date without a time), so the
// solver started afterwards is in constructor mode.
void MarkComposerUsed(SettingsStore& store);

// The name chosen in the publish dialog, given the chosen filter's extension (e.g. "PDF (*.pdf)")
// when it has none of the extensions a puzzle is published as.
QString PublishPath(const QString& chosen, const QString& filter);

class ComposeWindow : public QMainWindow {
    Q_OBJECT
public:
    // `journalPath`: where unsaved work is kept about a second after each edit ("" keeps none).
    // `words`: the word list read with the default settings, or nothing with `wordListProblem`
    // saying why.
    ComposeWindow(std::optional<compose::WordList> words, QString wordListProblem, QString journalPath,
                  QWidget* parent = nullptr);

    // Opens a composer file; false (with a message box) when it cannot be read.
    bool OpenFile(const QString& path);
    bool SaveFile(const QString& path);
    // Numbers (when needed) and writes the puzzle by the extension (.QWL, .jpz, .ipuz, or .pdf for
    // the blank printed puzzle); false with a message, leaving any older file of that name whole.
    bool ExportPuzzle(const QString& path);
    const compose::Composition& Document() const { return doc_; }

    // The controls, for tests.
    QPlainTextEdit* quoteEdit = nullptr;
    QLineEdit* sourceEdit = nullptr;
    QSpinBox* widthSpin = nullptr;
    QLabel* warningsLabel = nullptr;
    QLabel* ledgerLabel = nullptr;
    QTableWidget* slotTable = nullptr;
    QListWidget* suggestionList = nullptr;

public Q_SLOTS:
    void AutoFill();
    void RerollSlot();
    void ExcludeWord();
    void Number();

private Q_SLOTS:
    void TextEdited();
    void CellEdited(int row, int column);
    void CurrentSlotChanged();
    void UseSuggestion(QListWidgetItem* item);
    void OpenCommand();
    void SaveCommand();
    void SaveAsCommand();
    void ExportCommand();
    void TestSolveCommand();
    void WriteJournal();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildUi();
    void ReadDetails();
    void ShowDocument();
    void Refresh();
    // The word list follows the document's size and phrase settings.
    void ReloadWordsIfNeeded();
    void RefreshLedger();
    void RefreshSuggestions();
    void Changed();
    compose::FillRequest Request() const;
    void SetAnswers(const std::vector<std::string>& answers);
    std::string DisplayWord(const std::string& letters) const;

    compose::Composition doc_;
    std::optional<compose::WordList> words_;
    QString wordListProblem_;
    QString journalPath_;
    QString path_;
    QTimer journalTimer_;
    bool updating_ = false;
    std::optional<compose::Numbering> numbering_;

    QLineEdit* headerEdits_[3] = {};
    QLineEdit* addressEdit_ = nullptr;
    QPlainTextEdit* notesEdit_ = nullptr;
    QCheckBox* lockedCheck_ = nullptr;
    QComboBox* levelCombo_ = nullptr;
    QCheckBox* phrasesCheck_ = nullptr;
    // What the word list in hand was read with (a list handed in counts as the default).
    int loadedLevel_ = 50;
    bool loadedPhrases_ = false;
    QLineEdit* keyEdit_ = nullptr;
};

}  // namespace qw
