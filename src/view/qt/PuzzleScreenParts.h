#pragma once
// The small widgets PuzzleScreen is built from. They decide nothing: each forwards its paint,
// mouse, wheel and resize events to the screen through callbacks.

#include <QAbstractScrollArea>
#include <QLabel>
#include <QSplitter>
#include <QWidget>
#include <functional>

class QPaintEvent;
class QMouseEvent;

namespace qw {

// A borderless surface that paints through a callback; DiagramPanel, CluePaintBox and the two
// cursor marks are of this kind.
class PaintSurface : public QWidget {
public:
    explicit PaintSurface(QWidget* parent);
    std::function<void(QWidget*, const QRegion&)> onPaint;  // the region to paint
    std::function<void(const QPoint&)> onMouseDown;
    std::function<void(const QPoint&)> onMouseMove;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};

// A scroll box whose content is positioned by the screen (the scroll bars only carry positions),
// with a one-pixel frame, like the panes it stands for.
class ScrollBox : public QAbstractScrollArea {
public:
    explicit ScrollBox(QWidget* parent);
    std::function<void()> onResize;
    std::function<void()> onScroll;
    std::function<void()> onBackgroundMouseDown;
    std::function<void()> onBackgroundMouseMove;
    std::function<void(int)> onWheel;  // null: the usual scrolling
    int ScrollBarExtent() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};

class TitleLabel : public QLabel {
public:
    TitleLabel(int clue, QWidget* parent);
    int Clue() const { return clue_; }
    std::function<void(int)> onClick;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    int clue_;
    bool pressed_ = false;
};

// The title strip's panel: recentres its labels whenever its width changes.
class TitlePanelWidget : public QWidget {
public:
    explicit TitlePanelWidget(QWidget* parent);
    std::function<void()> onResize;
    std::function<void()> onMouseMove;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
};

// Splitter1: the panes keep their ratio of the height whenever the splitter itself is resized.
class PaneSplitter : public QSplitter {
public:
    explicit PaneSplitter(QWidget* parent);
    std::function<void()> onResize;

protected:
    void resizeEvent(QResizeEvent* e) override;
};

}  // namespace qw
