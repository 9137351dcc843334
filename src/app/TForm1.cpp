#include "app/TForm1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include "app/AppSettings.h"
#include "app/CopyGuard.h"
#include "app/HelpViewer.h"
#include "app/JournalKeeper.h"
#include "info/qt/TReportForm.h"
#include "info/qt/NoteViewers.h"
#include "platform/Clock.h"
#include "platform/Prompts.h"
#include "platform/QtConvert.h"
#include "platform/SettingsStore.h"
#include "print/qt/PrinterOptionsForm.h"
#include "solve/qt/TCursorForm.h"
#include "view/qt/PuzzleScreen.h"

namespace qw {

namespace {
// Long enough to be read at start, after which the status line shows the puzzle's own text again.
constexpr int kSettingsNoticeMs = 30000;
}  // namespace

TForm1::TForm1(Services services, StartupOptions options, QWidget* parent)
    : QMainWindow(parent), services_(services), options_(std::move(options))
{
    setObjectName("TForm1");
    setWindowTitle("Quotewell");
    session_.SetPlaces({options_.puzzlesDir.toStdString(), options_.programDir.toStdString(), QDir::tempPath().toStdString()});
    QFont font("Arial");
    font.setPixelSize(13);
    setFont(font);

    screen_ = new PuzzleScreen(puzzle_, cursor_, colors_, this);
    setCentralWidget(screen_);
    statusLabel_ = new StatusLine(statusBar());
    timerLabel_ = new QLabel(this);
    timerLabel_->setObjectName("TimerLabel");
    timerLabel_->setAccessibleDescription(QStringLiteral("Solving time"));  // the bare m:ss says little
    timerLabel_->hide();
    statusBar()->addPermanentWidget(timerLabel_);
    timerTick_ = new QTimer(this);
    timerTick_->setInterval(1000);
    connect(timerTick_, &QTimer::timeout, this, [this] { Guard([this] { TimerTick(); }); });
    if (!options_.recoveryDir.isEmpty())
        solvingTimes_ = std::make_unique<SolvingTimes>(QDir(options_.recoveryDir).filePath("solving-times").toStdString());
    else
        solvingTimes_ = std::make_unique<SolvingTimes>(std::string());
    connect(screen_, &PuzzleScreen::statusTextChanged, statusLabel_, &QLabel::setText);
    connect(screen_, &PuzzleScreen::headerClicked, this, [this] { Guard([this] { MoreInfoonPuzzle1Click(); }); });
    screen_->SetUndoHistory(&history_);
    screen_->SetWrongMarks([this](int32_t letter) { return session_.MarkedWrong(letter); });
    connect(screen_, &PuzzleScreen::lettersChanged, this, [this] { Guard([this] { LettersChanged(); }); });

    BuildMenus();
    FormCreate();

    copies_ = std::make_unique<CopyGuard>(options_.copiesDir);
    copies_->Listen();
    session_.SetHolder([this](const std::string& path) { return copies_->Hold(path); });
    connect(copies_.get(), &CopyGuard::frontRequested, this, [this] { BringToFront(); });
    journal_ = std::make_unique<JournalKeeper>(options_.recoveryDir.toStdString(), puzzle_, cursor_);
    // Solving goes on; the solver learns that a crash would now cost the unsaved letters.
    connect(journal_.get(), &JournalKeeper::failed, statusLabel_, [this](const QString& reason) {
        statusLabel_->setText("Unsaved letters are not kept for recovery: " + reason);
    });
    ApplyChange(session_.PutJournaledFirst(journal_->JournaledPuzzles(
        options_.parameters.join(' ').toStdString(), [this](const std::string& path) { return copies_->HeldElsewhere(path); })));

    // The settings of the dialogs that live for the whole run are read now, in the order the
    // program has always read them: letter entry follows the cursor behaviour from the first key.
    // The dialogs themselves, a few milliseconds of widgets and fonts, wait for their first use.
    printerOptionsRead_ = ReadPrinterOptions(services_.settings);
    session_.Behavior() = ReadCursorBehavior(services_.settings);

    qApp->installEventFilter(this);
}

TPrinterOptionsForm& TForm1::PrinterOptionsForm()
{
    if (!printerOptions_)
        printerOptions_ = std::make_unique<TPrinterOptionsForm>(services_.settings, services_.prompts,
                                                                printerOptionsRead_, this);
    return *printerOptions_;
}

TCursorForm& TForm1::CursorForm()
{
    if (!cursorForm_)
        cursorForm_ = std::make_unique<TCursorForm>(services_.settings, session_.Behavior(), TCursorForm::AlreadyRead{},
                                                    this);
    return *cursorForm_;
}

TShowMemoFrm& TForm1::MoreInfoViewer()
{
    if (!moreInfoViewer_) moreInfoViewer_ = std::make_unique<TShowMemoFrm>(services_.prompts, this);
    return *moreInfoViewer_;
}

TShowMemo2Frm& TForm1::SolverInfoViewer()
{
    if (!solverInfoViewer_) solverInfoViewer_ = std::make_unique<TShowMemo2Frm>(services_.prompts, this, this);
    return *solverInfoViewer_;
}

TReportForm& TForm1::ReportForm()
{
    if (!reportForm_) reportForm_ = std::make_unique<TReportForm>(services_.prompts, services_.shell, this);
    return *reportForm_;
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
}

void TForm1::BringToFront()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TForm1::Guard(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        services_.prompts.Error(QString::fromLocal8Bit(e.what()));
    }
}

void TForm1::BuildMenus()
{
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const char* name, const QString& caption, std::function<void()> handler,
                       const QKeySequence& shortcut = {}) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        if (!shortcut.isEmpty()) action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, [this, handler] { Guard(handler); });
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* action = menu->addSeparator();
        action->setObjectName(name);
        return action;
    };

    File1 = bar->addMenu("&File");
    File1->setObjectName("File1");
    Open1 = item(File1, "Open1", "&Open", [this] { Open1Click(); }, QKeySequence("Ctrl+O"));
    Close1 = item(File1, "Close1", "&Close", [this] { Close1Click(); }, QKeySequence("Ctrl+W"));
    Save1 = item(File1, "Save1", "&Save", [this] { Save1Click(); }, QKeySequence("Ctrl+S"));
    Export1 = item(File1, "Export1", "&Export...", [this] { Export1Click(); });
    Deletepuzzle1 = item(File1, "Deletepuzzle1", "&Delete puzzle", [this] { Deletepuzzle1Click(); });
    N2 = separator(File1, "N2");
    N2->setVisible(false);
    Recentunsolvedpuzzles1 = File1->addMenu("&Recent unsolved puzzles");
    Recentunsolvedpuzzles1->setObjectName("Recentunsolvedpuzzles1");
    Recentunsolvedpuzzles1->menuAction()->setVisible(false);
    for (int n = 0; n < 10; ++n) {
        Puz[static_cast<size_t>(n)] = item(Recentunsolvedpuzzles1, "", QString(), [this, n] { Puz0Click(n); });
        Puz[static_cast<size_t>(n)]->setObjectName(QString("Puz%1").arg(n));
        Puz[static_cast<size_t>(n)]->setData(n);
        Puz[static_cast<size_t>(n)]->setVisible(false);
    }
    N3 = separator(File1, "N3");
    PrinterOptions1 = item(File1, "PrinterOptions1", "Printer &Options...", [this] { PrinterOptions1Click(); });
    Print1 = item(File1, "Print1", "&Print (fresh puzzle)...", [this] { Print1Click(false); }, QKeySequence("Ctrl+P"));
    Printasfilled1 = item(File1, "Printasfilled1", "Prin&t (as filled)...", [this] { Print1Click(true); });
    N4 = separator(File1, "N4");
    Exit1 = item(File1, "Exit1", "E&xit", [this] { Exit1Click(); });
    connect(File1, &QMenu::aboutToShow, this, [this] { File1Click(); });

    Edit1 = bar->addMenu("&Edit");
    Edit1->setObjectName("Edit1");
    Undo1 = item(Edit1, "Undo1", "&Undo", [this] { Undo1Click(); }, QKeySequence("Ctrl+Z"));
    Redo1 = item(Edit1, "Redo1", "&Redo", [this] { Redo1Click(); });
    Redo1->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
    NextBlankLetter1 = item(Edit1, "NextBlankLetter1", "Next &Blank Letter", [this] { NextBlankLetter1Click(); },
                            QKeySequence("F3"));
    NextUnfinishedAnswer1 = item(Edit1, "NextUnfinishedAnswer1", "Next &Unfinished Answer",
                                 [this] { NextUnfinishedAnswer1Click(); }, QKeySequence("Shift+F3"));
    connect(Edit1, &QMenu::aboutToShow, this, [this] { Edit1Click(); });

    View1 = bar->addMenu("&View");
    View1->setObjectName("View1");
    ZoomIn1 = item(View1, "ZoomIn1", "Zoom &In", [this] { ZoomIn1Click(); });
    ZoomOut1 = item(View1, "ZoomOut1", "Zoom &Out", [this] { ZoomOut1Click(); });
    N1 = separator(View1, "N1");
    FitWidth1 = item(View1, "FitWidth1", "Fit &Width", [this] { FitWidth1Click(FitWidth1); });
    FitHeight1 = item(View1, "FitHeight1", "Fit &Height", [this] { FitWidth1Click(FitHeight1); });
    FitPuzzle1 = item(View1, "FitPuzzle1", "Fit &Puzzle", [this] { FitWidth1Click(FitPuzzle1); });
    for (QAction* fit : {FitWidth1, FitHeight1, FitPuzzle1}) fit->setCheckable(true);
    connect(View1, &QMenu::aboutToShow, this, [this] { View1Click(); });

    Options1 = bar->addMenu("&Options");
    Options1->setObjectName("Options1");
    Colors1 = item(Options1, "Colors1", "&Colors...", [this] { Colors1Click(); });
    Cursorbehavior1 = item(Options1, "Cursorbehavior1", "Cursor &behavior...", [this] { Cursorbehavior1Click(); });
    ClueFont1 = item(Options1, "ClueFont1", "Screen &font (for clues)...", [this] { ClueFont1Click(); });
    Highlightcurrentanswer1 = item(Options1, "Highlightcurrentanswer1", "&Highlight current answer",
                                   [this] { Highlightcurrentanswer1Click(); });
    Highlightcurrentanswer1->setCheckable(true);
    auto aid = [this](const char* name, const char* setting, const QString& caption) {
        QAction* action = Options1->addAction(caption);
        action->setObjectName(name);
        action->setCheckable(true);
        action->setData(QString::fromLatin1(setting));
        connect(action, &QAction::triggered, this, [this, action] { Guard([this, action] { AidClick(action); }); });
        return action;
    };
    Showtheactivepanebyshape1 = aid("Showtheactivepanebyshape1", "PaneShape", "Show the active pane by &shape");
    Showsquarelabels1 = aid("Showsquarelabels1", "Labels", "Show square &labels");
    Markwrongletterswhenchecking1 =
        aid("Markwrongletterswhenchecking1", "MarkWrong", "&Mark wrong letters when checking");
    Showtimer1 = aid("Showtimer1", "Timer", "Show &timer");

    Solution1 = bar->addMenu("&Solution");
    Solution1->setObjectName("Solution1");
    Check1 = Solution1->addMenu("&Check");
    Check1->setObjectName("Check1");
    Currentletter1 = item(Check1, "Currentletter1", "Current &letter", [this] { Currentletter1Click(); });
    Allletters2 = item(Check1, "Allletters2", "&All letters", [this] { Allletters2Click(); });
    Reveal1 = Solution1->addMenu("&Reveal");
    Reveal1->setObjectName("Reveal1");
    Currentletter2 = item(Reveal1, "Currentletter2", "Current &letter", [this] { Currentletter2Click(); });
    Allletters1 = item(Reveal1, "Allletters1", "&All letters", [this] { Allletters1Click(); });
    N5 = separator(Solution1, "N5");
    Unscramble1 = item(Solution1, "Unscramble1", "&Key number...", [this] { Unscramble1Click(); });
    connect(Solution1, &QMenu::aboutToShow, this, [this] { Solution1Click(); });

    Help1 = bar->addMenu("&Help");
    Help1->setObjectName("Help1");
    Quickreference1 = item(Help1, "Quickreference1", "&Quick reference", [this] { Quickreference1Click(); });
    About1 = item(Help1, "About1", "&About", [this] { About1Click(); });
    N8 = separator(Help1, "N8");
    Emailpuzzleauthor1 = item(Help1, "Emailpuzzleauthor1", "&Email puzzle author", [this] { Emailpuzzleauthor1Click(); });
    MoreInfoonPuzzle1 = item(Help1, "MoreInfoonPuzzle1", "&More Info on this Puzzle", [this] { MoreInfoonPuzzle1Click(); });
    AdditionalInfoForSuccessfulSolvers1 = item(Help1, "AdditionalInfoForSuccessfulSolvers1",
                                               "&Additional Info For Successful Solvers",
                                               [this] { AdditionalInfoForSuccessfulSolvers1Click(); });
    Update1 = item(Help1, "Update1", "&Update && Additional Puzzles", [this] { Update1Click(); });
    Emailpuzzleauthor1->setVisible(false);
    MoreInfoonPuzzle1->setVisible(false);
    AdditionalInfoForSuccessfulSolvers1->setVisible(false);

    Constructors1 = bar->addMenu("&Constructors");
    Constructors1->setObjectName("Constructors1");
    Sendcommentsonthispuzzle1 = item(Constructors1, "Sendcommentsonthispuzzle1", "Send comments on this &puzzle",
                                     [this] { Sendcommentsonthispuzzle1Click(); });
    Constructors1->menuAction()->setVisible(false);
}

void TForm1::FormCreate()
{
    screen_->SetZoomLimitsFromScreenWidth(options_.screenWidth);
    ClearPuzzle(puzzle_, cursor_);
    puzzle_.FileName.clear();

    SettingsStore& store = services_.settings;
    const WindowState state = ReadDimensions(store, options_.startupPlacement);
    // The window's frame is known once it exists; the stored bounds are the outer window's.
    winId();
    PlaceOuter(state.bounds);
    screen_->SetDiagramSquareSide(state.squareSide);
    screen_->SetDiagramScrollBoxRatio(state.ratio);
    screen_->SetFit(FitModeFromName(state.fit.toStdString().c_str()));
    ShowFitChecks();

    colors_ = ReadColors(store);
    screenClueFont_ = ReadScreenClueFont(store);
    recent_.Set(ReadLastPuz(store));

    constructorMode_ = IsConstructorMode(store, services_.clock.Now());
    Constructors1->menuAction()->setVisible(constructorMode_);

    screen_->SetScreenClueFont(screenClueFont_);
    Highlightcurrentanswer1->setChecked(ReadHighlight(store));
    screen_->SetHighlight(Highlightcurrentanswer1->isChecked());
    for (QAction* item : {Showtheactivepanebyshape1, Showsquarelabels1, Markwrongletterswhenchecking1, Showtimer1}) {
        item->setChecked(ReadAid(store, item->data().toString()));
        ApplyAid(item);
    }
    SetUpHeader(true);
    RebuildRecentMenu();
    // Said at once, and once: the window, colours and fonts are only written at exit. Shown from
    // the event loop, when the window is up, so that the message covers the status text.
    if (!store.Writable())
        QTimer::singleShot(0, this, [this, name = QDir::toNativeSeparators(store.FileName())] {
            statusBar()->showMessage("Your settings cannot be saved: " + name +
                                         " cannot be written. Changes to them will be lost at exit.",
                                     kSettingsNoticeMs);
        });

    if (!options_.programDir.isEmpty()) QDir::setCurrent(options_.programDir);
}

QMargins TForm1::FrameMargins() const
{
    const QRect outer = frameGeometry();
    const QRect client = geometry();
    return {client.left() - outer.left(), client.top() - outer.top(), outer.right() - client.right(),
            outer.bottom() - client.bottom()};
}

void TForm1::PlaceOuter(const QRect& outer)
{
    static constexpr QSize kMinimumOuter(600, 450);
    placedOuter_ = outer;
    placedFrame_ = FrameMargins();
    setMinimumSize(kMinimumOuter.shrunkBy(placedFrame_));
    setGeometry(outer.marginsRemoved(placedFrame_));
}

void TForm1::FormClose()
{
    session_.LeaveCurrent();
    journal_->Discard();
    SettingsStore& store = services_.settings;
    WindowState state;
    state.bounds = frameGeometry();
    state.squareSide = screen_->DiagramSquareSide();
    state.ratio = screen_->DiagramScrollBoxRatio();
    state.fit = FitModeName(screen_->Fit());
    WriteDimensions(store, state);
    WriteColors(store, colors_);
    WriteScreenClueFont(store, screenClueFont_);
    WriteLastPuz(store, recent_.Entries());
    store.Sync();
}

void TForm1::SetUpHeader(bool noPuzzle)
{
    // Every puzzle shown or closed starts without the marks of the last checks.
    session_.ClearWrongMarks();
    SwitchTimedPuzzle();
    screen_->SetUpHeader(noPuzzle);
    View1->setEnabled(!noPuzzle);
    Options1->setEnabled(!noPuzzle);
    Solution1->setEnabled(!noPuzzle);
    Edit1->setEnabled(!noPuzzle);
    RefreshEditMenu();
    // Disabled menus still let their shortcuts through in some styles; the items follow too.
    for (QAction* a : View1->actions()) a->setEnabled(!noPuzzle);
    for (QAction* a : Options1->actions()) a->setEnabled(!noPuzzle);
    RefreshFileMenu();
}

QString TForm1::StatusText() const { return statusLabel_->text(); }

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Some platforms activate a window before it is shown, others never report activation
    // offscreen: ask once more after the window is up.
    QTimer::singleShot(0, this, [this] {
        // Some window systems frame a window only when it is first shown.
        if (!shownOnce_ && isVisible() && FrameMargins() != placedFrame_) PlaceOuter(placedOuter_);
        shownOnce_ = true;
        if (isVisible() && !puzzle_.IsOpen()) FormActivate();
    });
}

void TForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange)
        Guard([this] { UpdateTimer(); });
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !puzzle_.IsOpen())
        QTimer::singleShot(0, this, [this] { FormActivate(); });
}


void TForm1::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    closing_ = true;
    timerTick_->stop();
    Guard([this] { KeepTime(); });
    Guard([this] { FormClose(); });
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || closing_) return QMainWindow::eventFilter(watched, event);
    // The window previews the keys of its own panes only: never those of a dialog it shows, nor
    // of the menu bar in keyboard mode (after Alt or F10) or an open menu. Keys the menus do not
    // use travel on to the window itself, so the focus, not the receiver, tells whose they are.
    const auto inPanes = [this](const QWidget* w) { return w == this || w == screen_ || screen_->isAncestorOf(w); };
    auto* widget = qobject_cast<QWidget*>(watched);
    const QWidget* focus = QApplication::focusWidget();
    if (!widget || QApplication::activeModalWidget() || QApplication::activePopupWidget() || !inPanes(widget) ||
        (focus && !inPanes(focus)))
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    // An error escaping a key handler would unwind through the event loop: report it instead.
    bool handled = false;
    Guard([&] { handled = FormKeyDown(key->key(), key->modifiers()); });
    if (handled) return true;
    if (!puzzle_.IsOpen()) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const QString text = key->text();
    if (text.isEmpty()) return false;
    bool typed = false;
    for (QChar ch : text) {
        if (ch.unicode() < 32) continue;
        Guard([&] { FormKeyPress(ch); });
        typed = true;
    }
    return typed;
}

}  // namespace qw
