#pragma once
// The status bar's text as a screen reader meets it. The line is a notification inside the status
// bar, named by what is shown there: its own text, or the bar's passing message while one covers
// it. A message the window sets is also announced, so that a reader speaks it without the solver
// going to look; the pointer's hints, which only follow the mouse, are readable but not announced.

#include <QLabel>

class QStatusBar;

namespace qw {

class StatusLine : public QLabel {
public:
    // Adds itself to `bar`, stretched over the part the permanent sections leave.
    explicit StatusLine(QStatusBar* bar);

    // A message of the window: shown, then announced when assistive technology listens. It hides
    // QLabel::setText on purpose, so every message the window writes through this class is spoken;
    // a hint connected to QLabel::setText stays quiet.
    void setText(const QString& text);

    // What a reader is told: the bar's passing message while one is shown, else the line's text.
    QString SpokenText() const;

private:
    void Announce();

    QStatusBar* bar_;
};

}  // namespace qw
