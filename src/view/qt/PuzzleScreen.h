#pragma once
// The puzzle's part of the main window, top to bottom: the header sections, the title strip of
// first letters, the diagram pane, the splitter and the word-list pane. It owns the screen layout
// (worked out in the core from the puzzle, the settings and the panes' sizes), paints both views
// from it (PuzzleScreenPaint.cpp), places the two cursor marks, and turns clicks, pointer moves,
// the wheel and the navigation keys into cursor changes (PuzzleScreenInput.cpp).

#include <QFont>
#include <QStaticText>
#include <QString>
#include <QWidget>

class QPainter;
class QFontMetrics;
#include <functional>
#include <optional>
#include <vector>

#include "puzzle/Puzzle.h"
#include "solve/Navigation.h"
#include "view/ColorScheme.h"
#include "view/DiagramLayout.h"
#include "view/Highlight.h"
#include "view/ScreenLayout.h"
#include "view/WordListLayout.h"
#include "platform/QtConvert.h"
#include "view/qt/FontMetricsCache.h"
#include "view/qt/PainterSurface.h"

class QHeaderView;
class QStandardItemModel;
class QSplitter;
class QLabel;

namespace qw {

class UndoHistory;
class ScrollBox;
class PaintSurface;
class TitleLabel;

class PuzzleScreen : public QWidget {
    Q_OBJECT
public:
    using FitMode = qw::FitMode;

    PuzzleScreen(Puzzle& puzzle, CursorState& cursor, const ColorScheme& colors, QWidget* parent = nullptr);
    ~PuzzleScreen() override;

    // Settings the main window reads at start-up and stores at close.
    void SetScreenClueFont(const FontSpec& font);
    const FontSpec& ScreenClueFont() const { return fonts_.Clue; }
    void SetZoomLimitsFromScreenWidth(int width);
    const ZoomLimits& Zoom() const { return layout_.Zoom(); }
    int DiagramSquareSide() const { return layout_.Side(); }
    void SetDiagramSquareSide(int side);
    double DiagramScrollBoxRatio() const { return ratio_; }
    void SetDiagramScrollBoxRatio(double ratio);
    FitMode Fit() const { return layout_.Fit(); }
    void SetFit(FitMode mode) { layout_.SetFit(mode); }

    // The "highlight current answer" aid: tints the current answer's squares in the diagram and
    // the current quotation word's slots in the word list.
    void SetHighlight(bool on);
    bool Highlight() const { return highlight_; }
    // The "active pane by shape" aid: the inactive pane's cursor mark is a hollow frame and the
    // active pane is framed in its text colour, so the panes differ by more than colour.
    void SetPaneShape(bool on);
    bool PaneShape() const { return paneShape_; }
    // The "square labels" aid: each letter square shows its number top left and its clue's label
    // top right, small, when the squares are big enough to read them.
    void SetLabels(bool on);
    bool Labels() const { return labels_; }
    // The "mark wrong letters" aid: a diagonal stroke over each entry `marked` says a check found
    // wrong, in both panes.
    void SetMarkWrong(bool on);
    bool MarkWrong() const { return markWrong_; }
    void SetWrongMarks(std::function<bool(int32_t)> marked) { marked_ = std::move(marked); }
    // Where the pane keys record the squares they clear; none: they are not recorded.
    void SetUndoHistory(UndoHistory* history) { history_ = history; }

    // View menu.
    void ZoomIn();
    void ZoomOut();
    bool CanZoomIn() const;
    bool CanZoomOut() const;
    void FitCommand(FitMode mode);

    // Shows (noPuzzle clear) or hides the puzzle's bands; the menus are the main window's.
    void SetUpHeader(bool noPuzzle);
    void SetHeaderHint(bool moreInfo);
    bool PuzzleShown() const { return shown_; }

    void BuildTitleStrip();
    void RefreshTitleStrip();
    void CentreTitleStrip();
    void ClearWordListSurface();

    void RepaintPanes();
    void RepaintCursorMarks();
    // Repaints the squares and slots of letters whose entries changed other than by typing.
    void RepaintLetters(const std::vector<int32_t>& letters);
    void PlaceCursor(bool rememberPosition);
    void LayoutDiagram();
    void ActivatePane(Pane pane);

    // Puts a freshly loaded puzzle on screen: title strip, bands, cursor on the first letter of
    // the first clue with the word list active, both panes painted and laid out, cursor placed.
    void ShowPuzzle();

    // The pane key a key-down is: Tab, Shift+Tab, the arrows, Backspace and Delete without Alt
    // or Ctrl; nothing for any other key.
    static std::optional<NavKey> NavKeyFor(int qtKey, Qt::KeyboardModifiers modifiers);
    // A pane key while a puzzle is shown, for a screen that takes its own keys (the main window
    // takes them first and asks its session). Returns whether the key was one of these (and so
    // must not go further).
    bool HandleKeyDown(int qtKey, Qt::KeyboardModifiers modifiers);

    // What was last laid out and painted, and where.
    const ScreenLayout& Layout() const { return layout_; }
    // Measures of the last word-list layout.
    int SlotWidth() const { return layout_.WordList().Measures.SlotWidth; }
    int WordListLineHeight() const { return layout_.WordList().Measures.LineHeight; }
    int WordListScrollIncrement() const { return layout_.ScrollIncrement(); }
    int WordListContentHeight() const { return layout_.WordList().FinalY; }
    QString StatusTextFor(int32_t letter) const;

    // What the accessibility adaptors read: the puzzle and cursor shown, the two painted surfaces
    // and where a square, an answer slot or a clue lies on them.
    const Puzzle& ShownPuzzle() const { return puzzle_; }
    const CursorState& ShownCursor() const { return cursor_; }
    QWidget* DiagramSurface() const;
    QWidget* WordListSurface() const;
    QRect DiagramSquareRect(int row, int column) const;
    QRect AnswerSlotRect(int32_t letter) const;
    QRect ClueRect(int clue) const;
    // The letter whose name is led by its clue's text: the cursor has just entered its answer.
    int32_t AccessibleClueLedLetter() const { return clueLed_; }
    // The highlight as painted (empty while the aid is off).
    const HighlightSet& ShownHighlight() const { return shownHighlight_; }
    // Tells a listening screen reader where the cursor is, when it moved, and which entries
    // changed (`letters`, and the squares at the cursor before and after when `lettersChanged`).
    // Does nothing when no assistive technology listens.
    void AnnounceToReader(bool lettersChanged, const std::vector<int32_t>& letters);

signals:
    void statusTextChanged(const QString& text);
    void headerClicked();
    void lettersChanged();  // a pane key changed an entry

protected:
    bool event(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;

private:
    // Brings the screen up to date after a key it took itself.
    void ApplyNavResult(const NavResult& result);
    void LayoutWordList();
    void PositionDiagramPanel();
    void PositionMarks();
    // Brings the tint in line with the cursor, repainting only the squares and slots that change.
    void UpdateHighlight();
    // What the panes should be tinted with for the cursor as it stands.
    HighlightSet WantedHighlight() const;
    // Shows the frame of the active pane, over everything in it, while the shape aid is on.
    void ShowPaneFrames();
    void PaintPaneFrame(QWidget* surface, ColorIndex text);
    QRect SquareInterior(int32_t letter) const;
    QRect SlotArea(int32_t letter) const;
    void ApplyPaneRatio();
    void TitleLabelClick(int clue);
    void SetStatus(const QString& text);

    void PaintDiagram(QWidget* surface, const QRegion& region);
    void PaintDiagramCursor(QWidget* surface);
    void PaintWordList(QWidget* surface, const QRegion& region);
    // The highlight tint of a pane for the current pane colours.
    static QColor Tint(uint32_t cursor, uint32_t background, uint32_t otherCursor);
    void PaintClueCursor(QWidget* surface);
    QFont DiagramFont() const;
    QFont LabelFont() const;
    bool ShowsWrongMark(int32_t letter) const { return markWrong_ && marked_ && marked_(letter); }
    bool LabelsShown() const;
    // The labels of `letter` in the square whose outline's top-left corner is `o`, in the
    // surface's font.
    void PaintSquareLabels(PainterSurface& surface, Point o, int32_t letter, uint32_t ink) const;

    void PanelMouseDown(Pane pane, int32_t hit);
    void DiagramPanelMouseDown(const QPoint& pos);
    void DiagramPanelMouseMove(const QPoint& pos);
    void CluePanelMouseDown(const QPoint& pos);
    void DiagramBackgroundMouseDown();
    void DiagramCursorMouseDown();
    void ClueCursorMouseDown();
    void WordListWheel(int delta);
    void SplitterMoved();

    Puzzle& puzzle_;
    CursorState& cursor_;
    const ColorScheme& colors_;
    FontMetricsCache metrics_;
    WordListFonts fonts_;
    ScreenLayout layout_;

    double ratio_ = 0.5;
    bool shown_ = false;
    bool headerHint_ = false;
    bool applyingRatio_ = false;
    bool highlight_ = false;
    bool paneShape_ = false;
    bool labels_ = false;
    mutable StaticTextCache labelTexts_;  // the square labels, in the label font
    bool markWrong_ = false;
    std::function<bool(int32_t)> marked_;
    HighlightSet shownHighlight_;  // what the panes are painted with
    UndoHistory* history_ = nullptr;
    int32_t spokenLetter_ = 0;  // where the reader was last told the cursor is
    Pane spokenPane_ = Pane::WordListPane;
    int32_t clueLed_ = 0;
    HighlightSet spokenHighlight_;  // the highlight a listening reader was last told of

    QHeaderView* header_ = nullptr;
    QStandardItemModel* headerModel_ = nullptr;
    QWidget* titlePanel_ = nullptr;
    std::vector<TitleLabel*> titleLabels_;
    QSplitter* splitter_ = nullptr;
    ScrollBox* diagramBox_ = nullptr;
    PaintSurface* diagramPanel_ = nullptr;
    PaintSurface* diagramCursor_ = nullptr;
    ScrollBox* clueBox_ = nullptr;
    PaintSurface* cluePaintBox_ = nullptr;
    PaintSurface* clueCursor_ = nullptr;
    PaintSurface* diagramFrame_ = nullptr;
    PaintSurface* clueFrame_ = nullptr;
};

}  // namespace qw
