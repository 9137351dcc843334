#include "compose/qt/ComposeWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QTableWidget>
#include <QVBoxLayout>

#include "compose/ClueDrafts.h"
#include "compose/ComposeText.h"
#include "compose/Filler.h"
#include "compose/Numbering.h"
#include "platform/SettingsStore.h"
#include "print/qt/PrinterOptionsForm.h"
#include "print/qt/QtPrintSurface.h"
#include "puzzle/FileAccess.h"

namespace qw {

using namespace compose;

namespace {

enum Column { LetterColumn, AnswerColumn, LockColumn, ClueColumn, NoteColumn };

QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
std::string S(const QString& text) { return text.toStdString(); }

const QString kCaption = QStringLiteral("Quotewell Composer");

}  // namespace

void MarkComposerUsed(SettingsStore& store)
{
    if (!store.OpenKey(QStringLiteral("QWB\\StartUp"), true)) return;
    store.WriteDate(QStringLiteral("Last"), ToSettingsDate(QDateTime(QDate::currentDate(), QTime(0, 0))));
    store.CloseKey();
    store.Sync();
}

ComposeWindow::ComposeWindow(std::optional<WordList> words, QString wordListProblem, QString journalPath,
                             QWidget* parent)
    : QMainWindow(parent), words_(std::move(words)), wordListProblem_(std::move(wordListProblem)),
      journalPath_(std::move(journalPath))
{
    BuildUi();
    journalTimer_.setSingleShot(true);
    journalTimer_.setInterval(1000);
    connect(&journalTimer_, &QTimer::timeout, this, &ComposeWindow::WriteJournal);
    // Work the last session did not save comes back first.
    if (!journalPath_.isEmpty() && QFile::exists(journalPath_)) {
        try {
            doc_ = LoadComposition(S(journalPath_));
            statusBar()->showMessage(tr("Recovered the work that was not saved."));
        } catch (const std::exception& e) {
            statusBar()->showMessage(Q(e.what()));
        }
    }
    ShowDocument();
}

void ComposeWindow::BuildUi()
{
    setWindowTitle(kCaption);
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&Open..."), QKeySequence::Open, this, &ComposeWindow::OpenCommand);
    file->addAction(tr("&Save"), QKeySequence::Save, this, &ComposeWindow::SaveCommand);
    file->addAction(tr("Save &As..."), QKeySequence::SaveAs, this, &ComposeWindow::SaveAsCommand);
    file->addSeparator();
    file->addAction(tr("&Publish Puzzle..."), this, &ComposeWindow::ExportCommand);
    file->addAction(tr("&Test Solve"), this, &ComposeWindow::TestSolveCommand);
    file->addSeparator();
    file->addAction(tr("E&xit"), QKeySequence::Quit, this, &QWidget::close);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* top = new QFormLayout;
    quoteEdit = new QPlainTextEdit;
    quoteEdit->setPlaceholderText(tr("Type or paste the quotation"));
    quoteEdit->setMaximumHeight(90);
    sourceEdit = new QLineEdit;
    sourceEdit->setPlaceholderText(tr("Author and work: their letters start the answers"));
    widthSpin = new QSpinBox;
    widthSpin->setRange(5, 60);
    widthSpin->setMaximumWidth(80);
    top->addRow(tr("&Quotation:"), quoteEdit);
    top->addRow(tr("&Source:"), sourceEdit);
    auto* sizes = new QHBoxLayout;
    sizes->addWidget(widthSpin);
    sizes->addSpacing(24);
    levelCombo_ = new QComboBox;
    for (int level : {20, 35, 40, 50, 55, 60, 70, 80}) levelCombo_->addItem(QString::number(level), level);
    auto* levelLabel = new QLabel(tr("Word list si&ze (larger has rarer words):"));
    levelLabel->setBuddy(levelCombo_);
    sizes->addWidget(levelLabel);
    sizes->addWidget(levelCombo_);
    phrasesCheck_ = new QCheckBox(tr("Multi-word p&hrases"));
    sizes->addWidget(phrasesCheck_);
    sizes->addStretch();
    auto* widthLabel = new QLabel(tr("Diagram &width:"));
    widthLabel->setBuddy(widthSpin);
    top->addRow(widthLabel, sizes);
    layout->addLayout(top);
    warningsLabel = new QLabel;
    warningsLabel->setWordWrap(true);
    warningsLabel->setStyleSheet(QStringLiteral("color: #a04000"));
    ledgerLabel = new QLabel;
    ledgerLabel->setWordWrap(true);
    ledgerLabel->setTextFormat(Qt::RichText);
    layout->addWidget(warningsLabel);
    layout->addWidget(ledgerLabel);

    auto* split = new QSplitter;
    slotTable = new QTableWidget(0, 5);
    slotTable->setHorizontalHeaderLabels({tr("Letter"), tr("Answer"), tr("Locked"), tr("Clue"), tr("Check")});
    slotTable->horizontalHeader()->setSectionResizeMode(ClueColumn, QHeaderView::Stretch);
    slotTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    slotTable->setSelectionMode(QAbstractItemView::SingleSelection);
    slotTable->setAccessibleName(tr("Answers"));
    split->addWidget(slotTable);
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(tr("Suggestions (double-click or Enter to use):")));
    suggestionList = new QListWidget;
    suggestionList->setAccessibleName(tr("Suggestions"));  // an item view is not named by a buddy label
    sideLayout->addWidget(suggestionList);
    split->addWidget(side);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    auto* tabs = new QTabWidget;
    tabs->addTab(split, tr("Ans&wers"));
    layout->addWidget(tabs, 1);

    auto* buttons = new QHBoxLayout;
    const std::pair<QString, void (ComposeWindow::*)()> actions[] = {
        {tr("&Auto-fill"), &ComposeWindow::AutoFill},
        {tr("&Reroll slot"), &ComposeWindow::RerollSlot},
        {tr("E&xclude word"), &ComposeWindow::ExcludeWord},
        {tr("&Number squares"), &ComposeWindow::Number},
    };
    for (const auto& [label, slot] : actions) {
        auto* button = new QPushButton(label);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    layout->addLayout(buttons);

    auto* details = new QWidget;
    auto* form = new QFormLayout(details);
    for (int i = 0; i < 3; ++i) {
        headerEdits_[i] = new QLineEdit;
        form->addRow(tr("Header line %1:").arg(i + 1), headerEdits_[i]);
        connect(headerEdits_[i], &QLineEdit::textEdited, this, &ComposeWindow::TextEdited);
    }
    addressEdit_ = new QLineEdit;
    form->addRow(tr("Author address:"), addressEdit_);
    notesEdit_ = new QPlainTextEdit;
    notesEdit_->setMaximumHeight(60);
    form->addRow(tr("Notes:"), notesEdit_);
    auto* keyRow = new QHBoxLayout;
    lockedCheck_ = new QCheckBox(tr("Publish locked, key number:"));
    keyEdit_ = new QLineEdit;
    keyEdit_->setInputMask(QStringLiteral("9999"));
    keyEdit_->setAccessibleName(tr("Key number"));  // its label is the check box before it
    keyRow->addWidget(lockedCheck_);
    keyRow->addWidget(keyEdit_);
    form->addRow(keyRow);
    tabs->addTab(details, tr("&Publishing"));
    setCentralWidget(central);
    resize(1000, 760);

    connect(quoteEdit, &QPlainTextEdit::textChanged, this, &ComposeWindow::TextEdited);
    connect(sourceEdit, &QLineEdit::textEdited, this, &ComposeWindow::TextEdited);
    connect(widthSpin, &QSpinBox::valueChanged, this, &ComposeWindow::TextEdited);
    connect(levelCombo_, &QComboBox::currentIndexChanged, this, &ComposeWindow::TextEdited);
    connect(phrasesCheck_, &QCheckBox::toggled, this, &ComposeWindow::TextEdited);
    connect(addressEdit_, &QLineEdit::textEdited, this, &ComposeWindow::TextEdited);
    connect(notesEdit_, &QPlainTextEdit::textChanged, this, &ComposeWindow::TextEdited);
    connect(lockedCheck_, &QCheckBox::toggled, this, &ComposeWindow::TextEdited);
    connect(keyEdit_, &QLineEdit::textEdited, this, &ComposeWindow::TextEdited);
    connect(slotTable, &QTableWidget::cellChanged, this, &ComposeWindow::CellEdited);
    connect(slotTable, &QTableWidget::itemSelectionChanged, this, &ComposeWindow::CurrentSlotChanged);
    // Activated: by a double-click, and by Enter for a solver who works from the keyboard.
    connect(suggestionList, &QListWidget::itemActivated, this, &ComposeWindow::UseSuggestion);

    if (!words_) statusBar()->showMessage(wordListProblem_);
}

// Everything the edit boxes hold goes into the document.
void ComposeWindow::ReadDetails()
{
    doc_.quotation = S(quoteEdit->toPlainText());
    doc_.source = S(sourceEdit->text());
    doc_.width = widthSpin->value();
    doc_.maxLevel = levelCombo_->currentData().toInt();
    doc_.phrases = phrasesCheck_->isChecked();
    for (int i = 0; i < 3; ++i) doc_.headers[static_cast<size_t>(i)] = S(headerEdits_[i]->text());
    doc_.authorAddress = S(addressEdit_->text());
    doc_.notes = S(notesEdit_->toPlainText());
    doc_.lockSolution = lockedCheck_->isChecked();
    doc_.keyNumber = S(keyEdit_->text());
}

void ComposeWindow::ShowDocument()
{
    updating_ = true;
    quoteEdit->setPlainText(Q(doc_.quotation));
    sourceEdit->setText(Q(doc_.source));
    widthSpin->setValue(doc_.width);
    const int level = levelCombo_->findData(doc_.maxLevel);
    levelCombo_->setCurrentIndex(level >= 0 ? level : levelCombo_->findData(50));
    phrasesCheck_->setChecked(doc_.phrases);
    for (int i = 0; i < 3; ++i) headerEdits_[i]->setText(Q(doc_.headers[static_cast<size_t>(i)]));
    addressEdit_->setText(Q(doc_.authorAddress));
    notesEdit_->setPlainText(Q(doc_.notes));
    lockedCheck_->setChecked(doc_.lockSolution);
    keyEdit_->setText(Q(doc_.keyNumber));
    updating_ = false;
    Refresh();
}

void ComposeWindow::TextEdited()
{
    if (updating_) return;
    ReadDetails();
    Changed();
    Refresh();
}

void ComposeWindow::Changed()
{
    numbering_.reset();
    // Not restarted by later edits: steady typing must not keep the journal from being written.
    if (!journalPath_.isEmpty() && !journalTimer_.isActive()) journalTimer_.start();
}

void ComposeWindow::closeEvent(QCloseEvent* event)
{
    if (journalTimer_.isActive()) {
        journalTimer_.stop();
        WriteJournal();
    }
    QMainWindow::closeEvent(event);
}

void ComposeWindow::WriteJournal()
{
    try {
        QDir().mkpath(QFileInfo(journalPath_).absolutePath());
        SaveComposition(doc_, S(journalPath_));
    } catch (const std::exception& e) {
        statusBar()->showMessage(tr("Unsaved work cannot be kept: %1").arg(Q(e.what())));
    }
}

// One slot per source letter: answers typed for the letters that stay keep their places.
void ComposeWindow::ReloadWordsIfNeeded()
{
    if (doc_.maxLevel == loadedLevel_ && doc_.phrases == loadedPhrases_) return;
    loadedLevel_ = doc_.maxLevel;
    loadedPhrases_ = doc_.phrases;
    WordListOptions options;
    options.maxLevel = doc_.maxLevel;
    options.phrases = doc_.phrases;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        words_ = WordList::Load(options);
        wordListProblem_.clear();
        statusBar()->showMessage(Q(words_->warning()));
    } catch (const WordListMissing& e) {
        words_.reset();
        wordListProblem_ = Q(e.what());
        statusBar()->showMessage(wordListProblem_);
    }
    QApplication::restoreOverrideCursor();
}

void ComposeWindow::Refresh()
{
    ReloadWordsIfNeeded();
    const QuoteAnalysis quote = AnalyzeQuote(doc_.quotation, doc_.source);
    QStringList warnings;
    for (const QuoteWarning& w : quote.warnings) warnings << Q(w.message);
    warningsLabel->setText(warnings.join(QLatin1Char('\n')));

    const std::string& letters = quote.sourceLetters;
    std::vector<ComposeAnswer> answers(letters.size());
    for (size_t k = 0; k < letters.size() && k < doc_.answers.size(); ++k) answers[k] = doc_.answers[k];
    for (size_t k = 0; k < answers.size(); ++k)
        if (!answers[k].word.empty() && LettersOf(answers[k].word)[0] != letters[k]) answers[k] = ComposeAnswer{};
    doc_.answers = answers;

    updating_ = true;
    const int current = slotTable->currentRow();
    slotTable->setRowCount(static_cast<int>(letters.size()));
    for (int row = 0; row < slotTable->rowCount(); ++row) {
        const ComposeAnswer& a = doc_.answers[static_cast<size_t>(row)];
        auto* letter = new QTableWidgetItem(QString(QChar(letters[static_cast<size_t>(row)])));
        letter->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        slotTable->setItem(row, LetterColumn, letter);
        slotTable->setItem(row, AnswerColumn, new QTableWidgetItem(Q(a.word).toUpper()));
        auto* lock = new QTableWidgetItem;
        lock->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        lock->setCheckState(a.locked ? Qt::Checked : Qt::Unchecked);
        slotTable->setItem(row, LockColumn, lock);
        slotTable->setItem(row, ClueColumn, new QTableWidgetItem(Q(a.clue)));
        QString note;
        const std::string word = LettersOf(a.word);
        if (!word.empty() && words_ && !words_->Find(word)) note = tr("not in the word list");
        if (!a.clue.empty() && !word.empty() && ClueGivesAway(a.clue, word)) note = tr("clue gives the answer away");
        auto* check = new QTableWidgetItem(note);
        check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        check->setForeground(QColor(0xa0, 0x40, 0x00));
        slotTable->setItem(row, NoteColumn, check);
    }
    if (current >= 0 && current < slotTable->rowCount()) slotTable->selectRow(current);
    updating_ = false;
    RefreshLedger();
    RefreshSuggestions();
}

void ComposeWindow::RefreshLedger()
{
    const QuoteAnalysis quote = AnalyzeQuote(doc_.quotation, doc_.source);
    std::vector<std::string> answers;
    for (const ComposeAnswer& a : doc_.answers) answers.push_back(LettersOf(a.word));
    const Ledger ledger = ComputeLedger(quote.pool, answers);
    QString text;
    if (ledger.balanced && quote.LetterTotal() > 0) {
        text = tr("<b>Balanced</b>: the answers use every letter of the quotation exactly.");
    } else {
        text = tr("Letters left (%1): ").arg(ledger.left);
        for (size_t c = 0; c < 26; ++c) {
            const int n = ledger.remaining[c];
            if (n == 0) continue;
            const QString item = QStringLiteral("%1%2 ").arg(QChar('A' + static_cast<int>(c))).arg(n);
            text += n < 0 ? QStringLiteral("<span style='color:#c00000'><b>%1</b></span>").arg(item) : item;
        }
        if (!ledger.overUsed.empty()) text += tr(" &mdash; over-used letters in red");
    }
    if (numbering_) {
        text += QStringLiteral("<br>");
        text += numbering_->collisions == 0
                    ? tr("Numbered: no answer takes two letters from one quotation word.")
                    : tr("Numbered with %1 collision(s).").arg(numbering_->collisions);
        for (const NumberingProblem& p : numbering_->problems) text += QStringLiteral("<br>") + Q(p.message).toHtmlEscaped();
    }
    ledgerLabel->setText(text);
}

FillRequest ComposeWindow::Request() const
{
    const QuoteAnalysis quote = AnalyzeQuote(doc_.quotation, doc_.source);
    FillRequest r;
    r.pool = quote.pool;
    r.quotationWords = quote.words;
    r.excluded = doc_.excluded;
    r.seed = doc_.seed;
    for (size_t k = 0; k < quote.sourceLetters.size(); ++k)
        r.answerSlots.push_back({quote.sourceLetters[k], k < doc_.answers.size() ? LettersOf(doc_.answers[k].word) : std::string{}});
    return r;
}

void ComposeWindow::RefreshSuggestions()
{
    suggestionList->clear();
    const int row = slotTable->currentRow();
    if (!words_ || row < 0 || row >= static_cast<int>(doc_.answers.size())) return;
    for (const Suggestion& s : Suggest(*words_, Request(), static_cast<size_t>(row)))
        suggestionList->addItem(Q(DisplayWord(s.word)).toUpper());
}

std::string ComposeWindow::DisplayWord(const std::string& letters) const
{
    if (words_)
        if (const auto id = words_->Find(letters)) return (*words_)[*id].text;
    return letters;
}

void ComposeWindow::CellEdited(int row, int column)
{
    if (updating_ || row < 0 || row >= static_cast<int>(doc_.answers.size())) return;
    ComposeAnswer& a = doc_.answers[static_cast<size_t>(row)];
    const QTableWidgetItem* item = slotTable->item(row, column);
    if (!item) return;
    if (column == AnswerColumn) a.word = S(item->text().trimmed());
    if (column == LockColumn) a.locked = item->checkState() == Qt::Checked;
    if (column == ClueColumn) a.clue = S(item->text());
    Changed();
    // Rebuilding the rows from inside the table's own signal would pull the item away.
    QTimer::singleShot(0, this, &ComposeWindow::Refresh);
}

void ComposeWindow::CurrentSlotChanged()
{
    if (!updating_) RefreshSuggestions();
}

void ComposeWindow::UseSuggestion(QListWidgetItem* item)
{
    const int row = slotTable->currentRow();
    if (!item || row < 0 || row >= static_cast<int>(doc_.answers.size())) return;
    doc_.answers[static_cast<size_t>(row)].word = S(item->text().toLower());
    doc_.answers[static_cast<size_t>(row)].clue.clear();
    Changed();
    Refresh();
}

void ComposeWindow::SetAnswers(const std::vector<std::string>& answers)
{
    const Definitions wordnet;
    for (size_t k = 0; k < answers.size() && k < doc_.answers.size(); ++k) {
        ComposeAnswer& a = doc_.answers[k];
        if (LettersOf(a.word) == answers[k]) continue;
        a.word = DisplayWord(answers[k]);
        a.clue = DraftClue(wordnet, a.word);
    }
    Changed();
    Refresh();
}

void ComposeWindow::AutoFill()
{
    if (!words_) {
        QMessageBox::warning(this, kCaption, wordListProblem_);
        return;
    }
    const QuoteAnalysis quote = AnalyzeQuote(doc_.quotation, doc_.source);
    if (!quote.Composable()) {
        QMessageBox::warning(this, kCaption, Q(quote.FirstBlockingMessage()));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FillResult result = compose::AutoFill(*words_, Request());
    QApplication::restoreOverrideCursor();
    if (!result.filled) {
        QMessageBox::warning(this, kCaption, Q(result.message));
        return;
    }
    SetAnswers(result.answers);
    statusBar()->showMessage(tr("Filled."));
}

void ComposeWindow::RerollSlot()
{
    const int row = slotTable->currentRow();
    if (!words_ || row < 0 || row >= static_cast<int>(doc_.answers.size())) return;
    std::vector<bool> kept;
    for (const ComposeAnswer& a : doc_.answers) kept.push_back(a.locked);
    FillRequest r = Request();
    r.seed = doc_.seed + static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch());
    r.timeoutSeconds = 2;
    const FillResult result = Reroll(*words_, r, static_cast<size_t>(row), kept);
    if (!result.filled) {
        statusBar()->showMessage(Q(result.message));
        return;
    }
    SetAnswers(result.answers);
}

void ComposeWindow::ExcludeWord()
{
    const int row = slotTable->currentRow();
    if (row < 0 || row >= static_cast<int>(doc_.answers.size())) return;
    ComposeAnswer& a = doc_.answers[static_cast<size_t>(row)];
    if (a.word.empty() || a.locked) return;
    doc_.excluded.push_back(a.word);
    a = ComposeAnswer{};
    Changed();
    Refresh();
}

void ComposeWindow::Number()
{
    const QuoteAnalysis quote = AnalyzeQuote(doc_.quotation, doc_.source);
    std::vector<std::string> answers;
    for (const ComposeAnswer& a : doc_.answers) answers.push_back(LettersOf(a.word));
    Numbering n = NumberAnswers(LayOutDiagram(quote, doc_.width), answers, doc_.seed);
    if (!n.complete) {
        QMessageBox::warning(this, kCaption, Q(n.message));
        return;
    }
    numbering_ = std::move(n);
    RefreshLedger();
}

bool ComposeWindow::ExportPuzzle(const QString& path)
{
    try {
        const QuoteAnalysis quote = AnalyzeQuote(doc_.quotation, doc_.source);
        if (!quote.Composable()) throw ComposeError(quote.FirstBlockingMessage());
        const DiagramLayout layout = LayOutDiagram(quote, doc_.width);
        if (!numbering_) Number();
        if (!numbering_) return false;
        Puzzle puzzle = BuildComposedPuzzle(doc_, layout, *numbering_);
        if (path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
            // The blank puzzle with the solver's printer options, as its Print (fresh puzzle) gives it.
            SettingsStore store;
            puzzle.FileName = S(path);
            PrintToPdf(puzzle, ReadPrinterOptions(store), false, path);
        } else {
            WriteComposedPuzzle(puzzle, S(path));
        }
        statusBar()->showMessage(tr("Wrote %1").arg(path));
        return true;
    } catch (const std::exception& e) {
        QMessageBox::warning(this, kCaption, Q(e.what()));
        return false;
    }
}

bool ComposeWindow::OpenFile(const QString& path)
{
    try {
        doc_ = LoadComposition(S(path));
    } catch (const std::exception& e) {
        QMessageBox::warning(this, kCaption, Q(e.what()));
        return false;
    }
    path_ = path;
    numbering_.reset();
    setWindowTitle(kCaption + QStringLiteral(" - ") + QFileInfo(path).fileName());
    ShowDocument();
    return true;
}

bool ComposeWindow::SaveFile(const QString& path)
{
    try {
        SaveComposition(doc_, S(path));
    } catch (const std::exception& e) {
        QMessageBox::warning(this, kCaption, Q(e.what()));
        return false;
    }
    path_ = path;
    setWindowTitle(kCaption + QStringLiteral(" - ") + QFileInfo(path).fileName());
    journalTimer_.stop();
    if (!journalPath_.isEmpty()) QFile::remove(journalPath_);
    statusBar()->showMessage(tr("Saved %1").arg(path));
    return true;
}

void ComposeWindow::OpenCommand()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Open"), QString(), tr("Composer files (*.qwc);;All files (*)"));
    if (!path.isEmpty()) OpenFile(path);
}

void ComposeWindow::SaveCommand()
{
    if (path_.isEmpty())
        SaveAsCommand();
    else
        SaveFile(path_);
}

void ComposeWindow::SaveAsCommand()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save As"), path_, tr("Composer files (*.qwc)"));
    if (!path.isEmpty()) SaveFile(path);
}

QString PublishPath(const QString& chosen, const QString& filter)
{
    // The file's kind is read from its extension, so a bare name would otherwise become a .QWL
    // whatever kind was chosen.
    static const QStringList kinds = {QStringLiteral("qwl"), QStringLiteral("jpz"), QStringLiteral("ipuz"),
                                      QStringLiteral("pdf")};
    if (chosen.isEmpty() || kinds.contains(QFileInfo(chosen).suffix(), Qt::CaseInsensitive)) return chosen;
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*(\\.\\w+)")).match(filter);
    return match.hasMatch() ? chosen + match.captured(1) : chosen;
}

void ComposeWindow::ExportCommand()
{
    QString filter;
    const QString path = QFileDialog::getSaveFileName(this, tr("Publish Puzzle"), QString(),
                                                      tr("Puzzle files (*.QWL);;JPZ (*.jpz);;ipuz (*.ipuz);;PDF (*.pdf)"),
                                                      &filter);
    if (!path.isEmpty()) ExportPuzzle(PublishPath(path, filter));
}

void ComposeWindow::TestSolveCommand()
{
    // A file of its own in the shared temporary folder, so nothing planted there can redirect it.
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("quotewell-test-solve-XXXXXX.QWL")));
    file.setAutoRemove(false);
    if (!file.open()) {
        QMessageBox::warning(this, kCaption, tr("No temporary file can be made for the test solve."));
        return;
    }
    const QString path = file.fileName();
    file.close();
    if (!ExportPuzzle(path)) return;
    // The solver beside this program (the build tree or the installed bin folder), else the PATH's.
    QString solver = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quotewell"));
    if (!QFileInfo(solver).isExecutable()) solver = QStringLiteral("quotewell");
    if (!QProcess::startDetached(solver, {path}))
        QMessageBox::warning(this, kCaption, tr("Quotewell could not be started."));
}

}  // namespace qw
