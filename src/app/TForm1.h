#pragma once
// The main window: the views of the session that owns the open puzzle, and the composition root
// of the program. Its handlers are named after the controls and menu items they serve
// (Open1Click for Open1) and forward to the code that owns each behaviour.

#include <QMainWindow>
#include <QMargins>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/StatusLine.h"
#include "puzzle/FileAccess.h"
#include "puzzle/Puzzle.h"
#include "print/PrinterOptions.h"
#include "puzzle/RecentList.h"
#include "platform/Prompts.h"
#include "solve/Session.h"
#include "solve/SolvingTime.h"
#include "solve/UndoHistory.h"
#include "view/ColorScheme.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace qw {

class Clock;
class Prompts;
class PuzzleScreen;
class SettingsStore;
class Shell;
class TCursorForm;
class TPrinterOptionsForm;
class TReportForm;
class TShowMemo2Frm;
class TShowMemoFrm;
class HelpViewer;
class JournalKeeper;
class CopyGuard;

struct Services {
    SettingsStore& settings;
    Prompts& prompts;
    Shell& shell;
    const Clock& clock;
};

struct StartupOptions {
    QStringList parameters;   // the command line's puzzle path, possibly split at spaces
    QString programDir;       // the folder the program runs from; becomes the current folder
    QString puzzlesDir;       // the Open dialog's start folder; empty when there is none
    QString helpFile;         // the quick reference
    int screenWidth = 1024;   // for the zoom limits
    QRect startupPlacement;   // the work area
    QString recoveryDir;      // where recovery journals are kept; empty: none are kept
    QString copiesDir;        // where running copies hold their puzzles; empty: any copy opens any puzzle
};

class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    TForm1(Services services, StartupOptions options, QWidget* parent = nullptr);
    ~TForm1() override;

    // Document lifecycle
    void FormActivate();
    // Every road to an open puzzle (Open, recent list, command line): the session's OpenFile,
    // shown; false when nothing was opened.
    bool OpenPuzzleFile(const std::string& path);
    // The window's side of a newly opened puzzle: its menus, notes, header and panes.
    void ShowLoadedPuzzle();
    void RebuildRecentMenu();
    // The session's save, shown; false when it failed or the solver chose not to write over a
    // file that another program changed.
    bool SaveCurrent();
    // Every change to the entered letters (typing, clearing, revealing, restoring, undoing) ends
    // here: the recovery journal follows within a second, and the File and Edit menus at once.
    void LettersChanged();
    // Offers the recovery journal of the shown puzzle, if its file is as the journal saw it. Run
    // after a load and whenever the open puzzle is given another file name.
    void OfferRecovery();

    // Menu handlers
    void File1Click();
    void Open1Click();
    void Close1Click();
    void Save1Click();
    void Export1Click();
    void Deletepuzzle1Click();
    void Puz0Click(int tag);
    void Exit1Click();
    void PrinterOptions1Click();
    void Print1Click(bool asFilled);
    void View1Click();
    void ZoomIn1Click();
    void ZoomOut1Click();
    void FitWidth1Click(QAction* item);
    void Colors1Click();
    void Cursorbehavior1Click();
    void ClueFont1Click();
    void Solution1Click();
    void Currentletter1Click();  // check current letter
    void Allletters2Click();     // check all letters
    void Currentletter2Click();  // reveal current letter
    void Allletters1Click();     // reveal all letters
    void Unscramble1Click();
    void Quickreference1Click();
    void About1Click();
    void Emailpuzzleauthor1Click();
    void MoreInfoonPuzzle1Click();
    void AdditionalInfoForSuccessfulSolvers1Click();
    void Update1Click();
    void Sendcommentsonthispuzzle1Click();
    void Edit1Click();
    void Undo1Click();
    void Redo1Click();
    void NextBlankLetter1Click();
    void NextUnfinishedAnswer1Click();
    void Highlightcurrentanswer1Click();
    // The aids after the highlight, each stored under its name in section Aids.
    void AidClick(QAction* item);

    // Keyboard: key-downs of the panes, then typed characters.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void FormKeyPress(QChar ch);
    void ShowCongratulations();

    // For tests and tools.
    Puzzle& CurrentPuzzle() { return puzzle_; }
    CursorState& Cursor() { return cursor_; }
    PuzzleScreen& Screen() { return *screen_; }
    RecentList& Recent() { return recent_; }
    const ColorScheme& Colors() const { return colors_; }
    bool ConstructorMode() const { return constructorMode_; }
    QString StatusText() const;
    // The dialogs that live for the whole run are made when first needed, after the first picture.
    TPrinterOptionsForm& PrinterOptionsForm();
    TCursorForm& CursorForm();
    JournalKeeper& RecoveryJournal() { return *journal_; }
    const UndoHistory& History() const { return history_; }

    // Menu items, named as the menu tree has always named them (tests and tools find them so).
    QMenu *File1, *View1, *Options1, *Solution1, *Help1, *Constructors1, *Recentunsolvedpuzzles1;
    QMenu *Check1, *Reveal1;
    QAction *Open1, *Close1, *Save1, *Export1, *Deletepuzzle1, *N2, *N3, *PrinterOptions1, *Print1, *Printasfilled1,
        *N4, *Exit1;
    std::array<QAction*, 10> Puz{};
    QAction *ZoomIn1, *ZoomOut1, *N1, *FitWidth1, *FitHeight1, *FitPuzzle1;
    QAction *Colors1, *Cursorbehavior1, *ClueFont1;
    QAction *Currentletter1, *Allletters2, *Currentletter2, *Allletters1, *N5, *Unscramble1;
    QAction *Quickreference1, *About1, *N8, *Emailpuzzleauthor1, *MoreInfoonPuzzle1,
        *AdditionalInfoForSuccessfulSolvers1, *Update1;
    QAction* Sendcommentsonthispuzzle1;
    QMenu* Edit1;
    QAction *Undo1, *Redo1, *NextBlankLetter1, *NextUnfinishedAnswer1, *Highlightcurrentanswer1;
    QAction *Showtheactivepanebyshape1, *Showsquarelabels1, *Markwrongletterswhenchecking1, *Showtimer1;
    // The timer's section of the status bar, for tests.
    QString TimerText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TShowMemoFrm& MoreInfoViewer();
    TShowMemo2Frm& SolverInfoViewer();
    TReportForm& ReportForm();
    void FormCreate();
    bool FormCloseQuery();
    void ShowWindowTitle();
    void FormClose();
    void BuildMenus();
    void SetUpHeader(bool noPuzzle);
    void RefreshFileMenu();
    void RefreshViewMenu();
    void RefreshSolutionMenu();
    void RefreshEditMenu();
    // The Fit items' check marks show the screen's fit mode, the one the window keeps.
    void ShowFitChecks();
    // Hands an aid's check mark to the screen.
    void ApplyAid(QAction* item);
    // The solving timer: runs while the option is on, a puzzle is open and unsolved and the
    // window is active and not minimised; kept per puzzle file whenever it stops.
    void UpdateTimer();
    void TimerTick();
    // Keeps the time of the puzzle timed so far and takes up the open puzzle's.
    void SwitchTimedPuzzle();
    void KeepTime();
    void TimerSolved();
    // Brings the window up to date after a session command, in this order: the file's journal,
    // the emptied or newly shown panes, the title, the recent and File menus, the recovery offer,
    // the status text and the locks; then the repaints (frozen when asked), the journal and menus,
    // the message, the congratulations.
    void ApplyChange(const Change& change);
    void ApplyNotes();
    // Runs a command under the general error report: an escaped error is shown, never fatal.
    void Guard(const std::function<void()>& command);
    // Stored sizes and the minimum size are of the outer window, frame included.
    QMargins FrameMargins() const;
    void PlaceOuter(const QRect& outer);
    // The locks follow the open puzzle: its file and the one it was imported from.
    void KeepLocks();
    void BringToFront();

    Services services_;
    StartupOptions options_;
    PromptsForSession ask_{services_.prompts};
    Session session_;
    // The session's state under the names the window's code has always used.
    Puzzle& puzzle_ = session_.CurrentPuzzle();
    CursorState& cursor_ = session_.Cursor();
    RecentList& recent_ = session_.Recent();
    UndoHistory& history_ = session_.History();
    ColorScheme colors_;
    FontSpec screenClueFont_;
    bool constructorMode_ = false;

    PuzzleScreen* screen_ = nullptr;
    StatusLine* statusLabel_ = nullptr;
    QLabel* timerLabel_ = nullptr;
    QTimer* timerTick_ = nullptr;
    std::unique_ptr<SolvingTimes> solvingTimes_;
    std::string timedPath_;  // the puzzle the shown time is of; empty: none
    SolvingTime timed_;
    // Read at start-up with the other settings; the printer options dialog starts from them.
    PrinterOptions printerOptionsRead_;
    std::unique_ptr<TPrinterOptionsForm> printerOptions_;
    std::unique_ptr<TShowMemoFrm> moreInfoViewer_;
    std::unique_ptr<TShowMemo2Frm> solverInfoViewer_;
    std::unique_ptr<TCursorForm> cursorForm_;
    std::unique_ptr<TReportForm> reportForm_;
    std::unique_ptr<HelpViewer> helpViewer_;

    bool activating_ = false;
    bool openOfferDeclined_ = false;    // the Open dialog offered at activation was cancelled
    QString failedCommandLine_;         // a command-line puzzle that failed to load is not retried
    bool closing_ = false;
    QRect placedOuter_;
    QMargins placedFrame_;
    bool shownOnce_ = false;
    bool handedOver_ = false;           // the last open went to another running copy
    std::unique_ptr<CopyGuard> copies_;
    // Last: it reads the puzzle and cursor until it is gone.
    std::unique_ptr<JournalKeeper> journal_;
};

}  // namespace qw
