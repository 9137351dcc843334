// The main window's solving timer, a section of its own in the status bar.

#include <QAction>
#include <QLabel>
#include <QTimer>

#include "app/TForm1.h"
#include "puzzle/FileAccess.h"

namespace qw {

QString TForm1::TimerText() const { return timerLabel_->isHidden() ? QString() : timerLabel_->text(); }

void TForm1::UpdateTimer()
{
    const bool on = Showtimer1->isChecked() && puzzle_.IsOpen() && !timedPath_.empty();
    const bool running = on && !timed_.solved && isActiveWindow() && !isMinimized() && !closing_;
    timerLabel_->setVisible(on);
    if (on) timerLabel_->setText(QString::fromStdString(FormatSolvingTime(timed_.seconds)));
    if (running == timerTick_->isActive()) return;
    if (running) {
        timerTick_->start();
    } else {
        timerTick_->stop();
        KeepTime();  // paused: what it shows is what the next run starts from
    }
}

void TForm1::TimerTick()
{
    ++timed_.seconds;
    timerLabel_->setText(QString::fromStdString(FormatSolvingTime(timed_.seconds)));
}

void TForm1::KeepTime()
{
    if (timedPath_.empty()) return;
    try {
        solvingTimes_->Put(timedPath_, timed_);
    } catch (const std::exception&) {
        // The time is a convenience: a state folder that cannot be written loses it, nothing else.
    }
}

void TForm1::SwitchTimedPuzzle()
{
    timerTick_->stop();
    KeepTime();
    // Named as the journals are, by the file itself, so a link to the puzzle keeps the same time.
    timedPath_ = puzzle_.IsOpen() ? FileIdentity(puzzle_.FileName) : std::string();
    timed_ = timedPath_.empty() ? SolvingTime{} : solvingTimes_->Get(timedPath_);
    UpdateTimer();
}

void TForm1::TimerSolved()
{
    if (timedPath_.empty() || timed_.solved) return;
    timed_.solved = true;
    UpdateTimer();
    KeepTime();
}

}  // namespace qw
