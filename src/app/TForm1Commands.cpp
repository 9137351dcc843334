// The main window's commands for solving, viewing, options, printing and help, and its keyboard.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <optional>

#include "app/HelpViewer.h"
#include "app/TForm1.h"
#include "info/qt/InfoCommands.h"
#include "info/qt/TAboutBox.h"
#include "info/qt/TReportForm.h"
#include "info/qt/NoteViewers.h"
#include "platform/Prompts.h"
#include "platform/QtConvert.h"
#include "platform/Shell.h"
#include "print/qt/QtPrintSurface.h"
#include "print/qt/PrinterOptionsForm.h"
#include "solve/CheckReveal.h"
#include "solve/LetterEntry.h"
#include "solve/Navigation.h"
#include "solve/SolutionKey.h"
#include "solve/qt/TCongratulationsForm.h"
#include "solve/qt/TCursorForm.h"
#include "solve/qt/TUnscrambleForm.h"
#include "view/qt/PuzzleScreen.h"
#include "view/qt/TColorDlg.h"

namespace qw {

// ---- Keyboard ----------------------------------------------------------------------------------

bool TForm1::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (!puzzle_.IsOpen()) return false;
    const std::optional<NavKey> navKey = PuzzleScreen::NavKeyFor(key, modifiers);
    if (!navKey || !screen_->PuzzleShown() || !puzzle_.HasLetter(cursor_.CurrentLetter)) return false;
    if (cursor_.KeyBusy) return true;  // a key arriving while another is handled is dropped
    const KeyBusyScope busy(cursor_);
    ApplyChange(session_.PressKey(*navKey));
    return true;
}

void TForm1::FormKeyPress(QChar typed)
{
    if (!puzzle_.IsOpen() || cursor_.CurrentLetter <= 0) return;
    char ch = 0;
    if (!ToAnsiChar(typed, ch)) return;
    ApplyChange(session_.TypeLetter(ch));
}

void TForm1::ShowCongratulations()
{
    TimerSolved();
    qw::ShowCongratulations(
        services_.prompts, this, puzzle_,
        [this] { AdditionalInfoForSuccessfulSolvers1Click(); },
        [this] { Emailpuzzleauthor1Click(); });
}

// ---- View ----------------------------------------------------------------------------------------

void TForm1::View1Click() { RefreshViewMenu(); }

void TForm1::RefreshViewMenu()
{
    const bool open = puzzle_.IsOpen();
    ZoomIn1->setEnabled(open && screen_->CanZoomIn());
    ZoomOut1->setEnabled(open && screen_->CanZoomOut());
}

void TForm1::ShowFitChecks()
{
    const FitMode fit = screen_->Fit();
    FitWidth1->setChecked(fit == FitMode::Width);
    FitHeight1->setChecked(fit == FitMode::Height);
    FitPuzzle1->setChecked(fit == FitMode::Puzzle);
}

void TForm1::ZoomIn1Click()
{
    screen_->ZoomIn();
    ShowFitChecks();
}

void TForm1::ZoomOut1Click()
{
    screen_->ZoomOut();
    ShowFitChecks();
}

void TForm1::FitWidth1Click(QAction* item)
{
    screen_->FitCommand(item == FitWidth1    ? FitMode::Width
                        : item == FitHeight1 ? FitMode::Height
                                             : FitMode::Puzzle);
    ShowFitChecks();
}

// ---- Options -------------------------------------------------------------------------------------

void TForm1::Colors1Click()
{
    TColorDlg dialog(colors_, services_.prompts, this);
    if (services_.prompts.Exec(dialog) != QDialog::Accepted) return;
    colors_ = dialog.Held();
    screen_->RepaintPanes();
}

void TForm1::Cursorbehavior1Click() { services_.prompts.Exec(CursorForm()); }

void TForm1::ClueFont1Click()
{
    const auto chosen = ChooseScreenClueFont(services_.prompts, screenClueFont_);
    if (!chosen) return;
    screenClueFont_ = *chosen;
    screen_->SetScreenClueFont(screenClueFont_);
}

// ---- Solution --------------------------------------------------------------------------------------

void TForm1::Solution1Click() { RefreshSolutionMenu(); }

void TForm1::RefreshSolutionMenu()
{
    const SolutionMenuState state = ComputeSolutionMenu(puzzle_, cursor_);
    Unscramble1->setEnabled(state.keyNumber);
    Reveal1->menuAction()->setEnabled(state.reveal);
    Check1->menuAction()->setEnabled(state.check);
    Currentletter1->setEnabled(state.checkCurrent);
}

void TForm1::Currentletter1Click() { ApplyChange(session_.CheckCurrentLetter()); }

void TForm1::Allletters2Click() { ApplyChange(session_.CheckAllLetters()); }

void TForm1::Currentletter2Click() { ApplyChange(session_.RevealCurrentLetter()); }

void TForm1::Allletters1Click() { ApplyChange(session_.RevealAllLetters()); }

void TForm1::Unscramble1Click()
{
    if (!puzzle_.SolutionScrambled) return;
    const auto outcome = RunKeyNumberCommand(services_.prompts, this, puzzle_, constructorMode_);
    if (outcome) ApplyChange(session_.KeyNumberEntered(*outcome));
}

// ---- Printing ----------------------------------------------------------------------------------------

void TForm1::PrinterOptions1Click() { services_.prompts.Exec(PrinterOptionsForm()); }

void TForm1::Print1Click(bool asFilled)
{
    RefreshFileMenu();
    if (!puzzle_.IsOpen() || (asFilled && !puzzle_.AnyEntered())) return;
    PrintWithDialog(services_.prompts, this, puzzle_, PrinterOptionsForm().Options(), asFilled);
}

// ---- Help and correspondence ---------------------------------------------------------------------------

void TForm1::Quickreference1Click()
{
    if (!helpViewer_) helpViewer_ = std::make_unique<HelpViewer>(options_.helpFile, this);
    if (!helpViewer_->ShowContents())
        services_.prompts.Error("The quick reference " + options_.helpFile + " cannot be found.");
}

void TForm1::About1Click()
{
    TAboutBox about(services_.shell, this);
    services_.prompts.Exec(about);
}

void TForm1::Emailpuzzleauthor1Click()
{
    EmailPuzzleAuthor(services_.shell, puzzle_, windowTitle());
}

void TForm1::MoreInfoonPuzzle1Click()
{
    MoreInfoViewer().ShowNote();
}

void TForm1::AdditionalInfoForSuccessfulSolvers1Click()
{
    SolverInfoViewer().ShowNote();
}

void TForm1::Update1Click() { OpenHomePage(services_.shell); }

void TForm1::Sendcommentsonthispuzzle1Click()
{
    // File names on this platform are UTF-8; the report's texts are in the puzzle's code page.
    ReportForm().ShowFor(ToAnsi(QFileInfo(QString::fromStdString(puzzle_.FileName)).fileName()),
                         puzzle_.AuthorAddress);
}

}  // namespace qw
