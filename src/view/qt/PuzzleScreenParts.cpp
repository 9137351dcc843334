#include "view/qt/PuzzleScreenParts.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

namespace qw {

PaintSurface::PaintSurface(QWidget* parent) : QWidget(parent)
{
    // Every surface covers its whole rectangle, so nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void PaintSurface::paintEvent(QPaintEvent* e)
{
    if (onPaint) onPaint(this, e->region());
}

void PaintSurface::mousePressEvent(QMouseEvent* e)
{
    if (onMouseDown) onMouseDown(e->position().toPoint());
    e->accept();
}

void PaintSurface::mouseMoveEvent(QMouseEvent* e)
{
    if (onMouseMove) onMouseMove(e->position().toPoint());
    e->accept();
}

ScrollBox::ScrollBox(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Window);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The bar would scroll several lines per notch on its own; the pane decides instead.
    verticalScrollBar()->installEventFilter(this);
}

bool ScrollBox::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Wheel && onWheel && watched == verticalScrollBar()) {
        wheelEvent(static_cast<QWheelEvent*>(e));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, e);
}

int ScrollBox::ScrollBarExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
}

void ScrollBox::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    if (onResize) onResize();
}

void ScrollBox::scrollContentsBy(int, int)
{
    if (onScroll) onScroll();
}

bool ScrollBox::viewportEvent(QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (onBackgroundMouseDown) onBackgroundMouseDown();
        return true;
    case QEvent::MouseMove:
        if (onBackgroundMouseMove) onBackgroundMouseMove();
        return true;
    default:
        return QAbstractScrollArea::viewportEvent(e);
    }
}

void ScrollBox::mousePressEvent(QMouseEvent* e)
{
    // The frame and the corner between the bars count as the pane's background too.
    if (onBackgroundMouseDown) onBackgroundMouseDown();
    e->accept();
}

void ScrollBox::mouseMoveEvent(QMouseEvent* e)
{
    if (onBackgroundMouseMove) onBackgroundMouseMove();
    e->accept();
}

void ScrollBox::wheelEvent(QWheelEvent* e)
{
    if (!onWheel) {
        QAbstractScrollArea::wheelEvent(e);
        return;
    }
    int delta = e->angleDelta().y();
    if (delta == 0) delta = e->pixelDelta().y();
    if (delta != 0) onWheel(delta);
    e->accept();
}

TitleLabel::TitleLabel(int clue, QWidget* parent) : QLabel(parent), clue_(clue)
{
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(false);  // moves reach the panel, which empties the status text
}

void TitleLabel::mousePressEvent(QMouseEvent* e)
{
    pressed_ = true;
    e->accept();
}

void TitleLabel::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = pressed_ && rect().contains(e->position().toPoint());
    pressed_ = false;
    e->accept();
    if (click && onClick) onClick(clue_);
}

TitlePanelWidget::TitlePanelWidget(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void TitlePanelWidget::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (onResize) onResize();
}

void TitlePanelWidget::mouseMoveEvent(QMouseEvent* e)
{
    if (onMouseMove) onMouseMove();
    e->accept();
}

PaneSplitter::PaneSplitter(QWidget* parent) : QSplitter(Qt::Vertical, parent)
{
    setChildrenCollapsible(false);
    setHandleWidth(3);
    setOpaqueResize(true);
    setFocusPolicy(Qt::NoFocus);
}

void PaneSplitter::resizeEvent(QResizeEvent* e)
{
    QSplitter::resizeEvent(e);
    if (onResize) onResize();
}

}  // namespace qw
