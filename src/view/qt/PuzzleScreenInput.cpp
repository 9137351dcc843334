// What the screen does with keys, clicks, pointer moves and the wheel: each moves the cursor or
// activates a pane, and the screen is brought up to date.
#include "view/qt/PuzzleScreen.h"

#include <QAccessible>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

#include "view/TitleStrip.h"
#include "view/qt/PuzzleScreenParts.h"

namespace qw {

void PuzzleScreen::TitleLabelClick(int clue)
{
    if (!shown_) return;
    if (cursor_.ActivePane == Pane::DiagramPane) {
        ActivatePane(Pane::WordListPane);
        PlaceCursor(true);
    }
    const int32_t target = TitleClickTarget(puzzle_, clue);
    if (target == 0) return;  // a clue without letters has nowhere to go
    cursor_.CurrentLetter = target;
    PlaceCursor(true);
}

// ----- keys -----------------------------------------------------------------------------------

bool PuzzleScreen::event(QEvent* e)
{
    // Tab and Shift+Tab would otherwise move the keyboard focus before any key handler sees them.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (HandleKeyDown(key->key(), key->modifiers())) {
            e->accept();
            return true;
        }
    }
    // The toolkit names the screen itself as focused when it gains the keyboard focus; the
    // reader is then told of the cursor's square again, once that has gone out.
    if (e->type() == QEvent::FocusIn && QAccessible::isActive()) {
        QTimer::singleShot(0, this, [this] {
            spokenLetter_ = 0;
            AnnounceToReader(false, {});
        });
    }
    return QWidget::event(e);
}

std::optional<NavKey> PuzzleScreen::NavKeyFor(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::AltModifier | Qt::ControlModifier)) return std::nullopt;
    switch (qtKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return NavKey::Tab;
    case Qt::Key_Left: return NavKey::Left;
    case Qt::Key_Right: return NavKey::Right;
    case Qt::Key_Up: return NavKey::Up;
    case Qt::Key_Down: return NavKey::Down;
    case Qt::Key_Backspace: return NavKey::Backspace;
    case Qt::Key_Delete: return NavKey::Delete;
    default: return std::nullopt;
    }
}

bool PuzzleScreen::HandleKeyDown(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const std::optional<NavKey> key = NavKeyFor(qtKey, modifiers);
    if (!key) return false;
    if (!shown_ || !puzzle_.HasLetter(cursor_.CurrentLetter)) return false;
    if (cursor_.KeyBusy) return true;  // a key arriving while another is handled is dropped
    NavResult result;
    {
        const KeyBusyScope busy(cursor_);
        result = HandleNavKey(puzzle_, cursor_, *key, history_);
        ApplyNavResult(result);
    }
    if (result.lettersChanged) emit lettersChanged();
    return true;
}

void PuzzleScreen::ApplyNavResult(const NavResult& result)
{
    if (result.refreshTitleStrip) RefreshTitleStrip();
    if (result.repaintPanes) RepaintPanes();
    if (result.placeCursor) PlaceCursor(result.remember);
    else if (result.repaintMarks) RepaintCursorMarks();
    AnnounceToReader(result.lettersChanged, {});
}

// ----- mouse ----------------------------------------------------------------------------------

// A click in either pane: the letter under it (if any) becomes the cursor, and the pane the
// active one.
void PuzzleScreen::PanelMouseDown(Pane pane, int32_t hit)
{
    if (!shown_) return;
    setFocus(Qt::MouseFocusReason);
    if (hit > 0) {
        cursor_.CurrentLetter = hit;
        PlaceCursor(true);
    }
    if (cursor_.ActivePane != pane) ActivatePane(pane);
    AnnounceToReader(false, {});
}

void PuzzleScreen::DiagramPanelMouseDown(const QPoint& pos)
{
    if (shown_) PanelMouseDown(Pane::DiagramPane, layout_.DiagramHit(puzzle_, pos.x(), pos.y()));
}

void PuzzleScreen::DiagramPanelMouseMove(const QPoint& pos)
{
    SetStatus(StatusTextFor(layout_.DiagramHit(puzzle_, pos.x(), pos.y())));
}

void PuzzleScreen::CluePanelMouseDown(const QPoint& pos)
{
    if (shown_) PanelMouseDown(Pane::WordListPane, layout_.AnswerHit(puzzle_, pos.x(), pos.y()));
}

void PuzzleScreen::DiagramBackgroundMouseDown()
{
    if (!shown_) return;
    setFocus(Qt::MouseFocusReason);
    if (cursor_.ActivePane == Pane::WordListPane) ActivatePane(Pane::DiagramPane);
    AnnounceToReader(false, {});
}

void PuzzleScreen::DiagramCursorMouseDown()
{
    if (!shown_) return;
    setFocus(Qt::MouseFocusReason);
    if (cursor_.ActivePane == Pane::WordListPane) ActivatePane(Pane::DiagramPane);
    PlaceCursor(true);
    AnnounceToReader(false, {});
}

void PuzzleScreen::ClueCursorMouseDown()
{
    if (!shown_) return;
    setFocus(Qt::MouseFocusReason);
    if (cursor_.ActivePane == Pane::DiagramPane) ActivatePane(Pane::WordListPane);
    PlaceCursor(true);
    AnnounceToReader(false, {});
}

void PuzzleScreen::WordListWheel(int delta)
{
    QScrollBar* v = clueBox_->verticalScrollBar();
    const int step = layout_.ScrollIncrement();
    v->setValue(v->value() + (delta > 0 ? -step : step));
}

void PuzzleScreen::mouseMoveEvent(QMouseEvent* e)
{
    SetStatus(QString());
    QWidget::mouseMoveEvent(e);
}


}  // namespace qw
