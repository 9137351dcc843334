#pragma once
// The two viewers of a puzzle's author notes: "more info on this puzzle" (TShowMemoFrm) and
// "additional info for successful solvers" (TShowMemo2Frm). Both are read-only, show the note in its
// own caption, colours and font, and close on a click or on any key that produces a character.

#include <QDialog>

#include "puzzle/Puzzle.h"

class QTextEdit;

namespace qw {

class Prompts;

class NoteViewer : public QDialog {
    Q_OBJECT
public:
    bool HasNote() const;
    // Shows the viewer modally when its note is present; returns whether it was shown.
    bool ShowNote();

    QTextEdit* Memo1 = nullptr;

protected:
    NoteViewer(Prompts& prompts, QWidget* parent);
    // Caption, colours and font; the text is the subclass's.
    void ApplyLook(const PuzzleNote& note);
    // Replaces the text; every line is exactly one measured line height apart.
    void SetText(const QString& text);
    // Width of each text line as laid out (wrapped lines count separately) and the line height.
    std::vector<int> LineWidths(int wrapWidth) const;
    int LineHeight() const;
    virtual void BeforeShow() {}
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

    // Whether the last note applied is present, however little text it has.
    bool present_ = false;

private:
    Prompts& prompts_;
};

class TShowMemoFrm : public NoteViewer {
    Q_OBJECT
public:
    explicit TShowMemoFrm(Prompts& prompts, QWidget* parent = nullptr);
    // Takes the note's lines.
    void ApplyNote(const PuzzleNote& note);

protected:
    // Fits the window to the text every time it is shown, centred on the desktop.
    void BeforeShow() override;
};

class TShowMemo2Frm : public NoteViewer {
    Q_OBJECT
public:
    // `mainWindow` caps the viewer's size; the parent's window when null.
    explicit TShowMemo2Frm(Prompts& prompts, QWidget* parent = nullptr, QWidget* mainWindow = nullptr);
    // Takes the note's text (CR LF line breaks) and sizes the window once, against the main window.
    void ApplyNote(const PuzzleNote& note);

protected:
    void BeforeShow() override;

private:
    QWidget* mainWindow_;
};

// A note's font: FontHeight < 0 is a character height in pixels, > 0 a cell height (character
// plus internal leading), 0 the default size. The pitch is not applied.
QFont NoteFont(const PuzzleNote& note, const QFont& base);

}  // namespace qw
