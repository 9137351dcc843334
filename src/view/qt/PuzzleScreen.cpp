#include "view/qt/PuzzleScreen.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "view/SpokenNames.h"
#include "view/TitleStrip.h"
#include "view/qt/PaneAccessibility.h"
#include "view/qt/PuzzleScreenParts.h"

namespace qw {

namespace {

const QString kHeaderHint = QStringLiteral("Click here for more about this puzzle");

// The main window's font: Arial with a 13-pixel character height.
QFont WindowFont(bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kHeaderFontPixels);
    font.setBold(bold);
    return font;
}

// Measures with one fixed QFont whatever FontSpec is asked for (the header's pixel-sized font
// has no FontSpec of its own).
class FixedFontMetrics : public TextMetrics {
public:
    explicit FixedFontMetrics(const QFont& font) : metrics_(font) {}
    int TextWidth(const FontSpec&, std::string_view text) const override
    {
        return metrics_.horizontalAdvance(FromAnsi(text));
    }
    int TextHeight(const FontSpec&, std::string_view) const override { return metrics_.height(); }

private:
    QFontMetrics metrics_;
};

void SetBackground(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    if (palette.color(QPalette::Window) == color) return;
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}

// Lies over a pane's viewport and lets every click through; only its frame is painted.
PaintSurface* NewPaneFrame(QWidget* viewport, const char* name)
{
    auto* frame = new PaintSurface(viewport);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setAttribute(Qt::WA_OpaquePaintEvent, false);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->hide();
    return frame;
}

QRect ToQRect(const Rect& r) { return QRect(r.Left, r.Top, r.Width, r.Height); }
QPoint ToQPoint(Point p) { return QPoint(p.x, p.y); }

PaneBox PaneOf(const ScrollBox* box)
{
    return {box->width(), box->height(), box->frameWidth(), box->ScrollBarExtent()};
}

}  // namespace


PuzzleScreen::PuzzleScreen(Puzzle& puzzle, CursorState& cursor, const ColorScheme& colors, QWidget* parent)
    : QWidget(parent), puzzle_(puzzle), cursor_(cursor), colors_(colors)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        layout_.SetZoom(ZoomLimitsFromScreenWidth(screen->geometry().width()));
    setFocusPolicy(Qt::StrongFocus);
    InstallPaneAccessibility();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    header_ = new QHeaderView(Qt::Horizontal, this);
    header_->setObjectName(QStringLiteral("HeaderControl1"));
    headerModel_ = new QStandardItemModel(0, 0, header_);
    header_->setModel(headerModel_);
    header_->setFont(WindowFont(false));
    header_->setStretchLastSection(true);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header_->setSectionResizeMode(QHeaderView::Interactive);
    header_->setHighlightSections(false);
    header_->setFocusPolicy(Qt::NoFocus);
    header_->setMinimumSectionSize(1);
    header_->setFixedHeight(0);
    connect(header_, &QHeaderView::sectionClicked, this, [this](int) {
        if (headerHint_) emit headerClicked();
    });
    layout->addWidget(header_);

    auto* title = new TitlePanelWidget(this);
    title->setObjectName(QStringLiteral("TitlePanel"));
    title->setFixedHeight(kTitleStripHeight);
    title->setFont(WindowFont(true));
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::black);
    title->setPalette(titlePalette);
    title->onResize = [this] { CentreTitleStrip(); };
    title->onMouseMove = [this] { SetStatus(QString()); };
    titlePanel_ = title;
    titlePanel_->setAccessibleName(QStringLiteral("First letters of the answers"));
    layout->addWidget(titlePanel_);

    auto* splitter = new PaneSplitter(this);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->onResize = [this] { ApplyPaneRatio(); };
    splitter_ = splitter;
    layout->addWidget(splitter_, 1);

    diagramBox_ = new ScrollBox(splitter_);
    diagramBox_->setObjectName(QStringLiteral("DiagramScrollBox"));
    diagramBox_->setMinimumHeight(kMinDiagramPaneHeight);
    diagramBox_->onResize = [this] { LayoutDiagram(); };
    diagramBox_->onScroll = [this] {
        PositionDiagramPanel();
        PositionMarks();
    };
    diagramBox_->onBackgroundMouseDown = [this] { DiagramBackgroundMouseDown(); };
    diagramBox_->onBackgroundMouseMove = [this] { SetStatus(QString()); };

    diagramPanel_ = new PaintSurface(diagramBox_->viewport());
    diagramPanel_->setObjectName(QStringLiteral("DiagramPanel"));
    diagramPanel_->onPaint = [this](QWidget* w, const QRegion& r) { PaintDiagram(w, r); };
    diagramPanel_->onMouseDown = [this](const QPoint& p) { DiagramPanelMouseDown(p); };
    diagramPanel_->onMouseMove = [this](const QPoint& p) { DiagramPanelMouseMove(p); };

    diagramCursor_ = new PaintSurface(diagramBox_->viewport());
    diagramCursor_->setObjectName(QStringLiteral("DiagramCursorPanel"));
    diagramCursor_->onPaint = [this](QWidget* w, const QRegion&) { PaintDiagramCursor(w); };
    diagramCursor_->onMouseDown = [this](const QPoint&) { DiagramCursorMouseDown(); };
    diagramCursor_->onMouseMove = [this](const QPoint&) { SetStatus(StatusTextFor(cursor_.CurrentLetter)); };

    clueBox_ = new ScrollBox(splitter_);
    clueBox_->setObjectName(QStringLiteral("ClueScrollBox"));
    clueBox_->setMinimumHeight(kMinWordListPaneHeight);
    clueBox_->onResize = [this] {
        LayoutWordList();
        PlaceCursor(false);
    };
    clueBox_->onScroll = [this] {
        cluePaintBox_->move(0, -clueBox_->verticalScrollBar()->value());
        PositionMarks();
    };
    clueBox_->onBackgroundMouseMove = [this] { SetStatus(QString()); };
    clueBox_->onWheel = [this](int delta) { WordListWheel(delta); };

    cluePaintBox_ = new PaintSurface(clueBox_->viewport());
    cluePaintBox_->setObjectName(QStringLiteral("CluePaintBox"));
    cluePaintBox_->onPaint = [this](QWidget* w, const QRegion& r) { PaintWordList(w, r); };
    cluePaintBox_->onMouseDown = [this](const QPoint& p) { CluePanelMouseDown(p); };
    cluePaintBox_->onMouseMove = [this](const QPoint&) { SetStatus(QString()); };

    clueCursor_ = new PaintSurface(clueBox_->viewport());
    clueCursor_->setObjectName(QStringLiteral("ClueCursorPanel"));
    clueCursor_->onPaint = [this](QWidget* w, const QRegion&) { PaintClueCursor(w); };
    clueCursor_->onMouseDown = [this](const QPoint&) { ClueCursorMouseDown(); };
    clueCursor_->onMouseMove = [this](const QPoint&) { SetStatus(QString()); };

    diagramFrame_ = NewPaneFrame(diagramBox_->viewport(), "DiagramPaneFrame");
    diagramFrame_->onPaint = [this](QWidget* w, const QRegion&) { PaintPaneFrame(w, DiaActFont); };
    clueFrame_ = NewPaneFrame(clueBox_->viewport(), "CluePaneFrame");
    clueFrame_->onPaint = [this](QWidget* w, const QRegion&) { PaintPaneFrame(w, ClueActFont); };

    splitter_->addWidget(diagramBox_);
    splitter_->addWidget(clueBox_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 1);
    connect(splitter_, &QSplitter::splitterMoved, this, [this](int, int) { SplitterMoved(); });

    setMouseTracking(true);
    SetUpHeader(true);
}

PuzzleScreen::~PuzzleScreen() = default;

// ----- settings -------------------------------------------------------------------------------

void PuzzleScreen::SetScreenClueFont(const FontSpec& font)
{
    fonts_.Clue = font;
    cluePaintBox_->setFont(ToQFont(font));
    layout_.InvalidateWordList();
    if (!shown_) return;
    LayoutWordList();
    cluePaintBox_->update();
    PlaceCursor(true);
}

void PuzzleScreen::SetZoomLimitsFromScreenWidth(int width) { layout_.SetZoom(ZoomLimitsFromScreenWidth(width)); }

void PuzzleScreen::SetDiagramSquareSide(int side)
{
    layout_.SetSide(side);
    LayoutDiagram();
}

void PuzzleScreen::SetDiagramScrollBoxRatio(double ratio)
{
    ratio_ = UsablePaneRatio(ratio);
    ApplyPaneRatio();
}

// ----- zoom and fit ---------------------------------------------------------------------------

bool PuzzleScreen::CanZoomIn() const { return layout_.CanZoomIn(); }
bool PuzzleScreen::CanZoomOut() const { return layout_.CanZoomOut(); }

void PuzzleScreen::ZoomIn()
{
    if (layout_.ZoomIn()) LayoutDiagram();
}

void PuzzleScreen::ZoomOut()
{
    if (layout_.ZoomOut()) LayoutDiagram();
}

void PuzzleScreen::FitCommand(FitMode mode)
{
    layout_.SetFit(mode);
    LayoutDiagram();
}

void PuzzleScreen::ApplyPaneRatio()
{
    // Also before the first show: the pending resize then arrives while the widget is not yet
    // visible, and the panes must get their share all the same.
    if (applyingRatio_ || !shown_) return;
    const int available = splitter_->height() - splitter_->handleWidth();
    if (available <= 0) return;
    const int diagram = std::clamp(DiagramPaneHeight(available, ratio_), 0, available);
    applyingRatio_ = true;
    splitter_->setSizes({diagram, available - diagram});
    applyingRatio_ = false;
}

void PuzzleScreen::SplitterMoved()
{
    LayoutDiagram();
    const int available = splitter_->height() - splitter_->handleWidth();
    if (available > 0) ratio_ = static_cast<double>(diagramBox_->height()) / available;
}

// ----- diagram layout -------------------------------------------------------------------------

void PuzzleScreen::LayoutDiagram()
{
    if (!shown_ || !layout_.LayOutDiagram(puzzle_, PaneOf(diagramBox_))) return;
    const int side = layout_.Side();
    const DiagramBars& bars = layout_.Bars();
    diagramBox_->setHorizontalScrollBarPolicy(bars.Horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    diagramBox_->setVerticalScrollBarPolicy(bars.Vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QScrollBar* h = diagramBox_->horizontalScrollBar();
    QScrollBar* v = diagramBox_->verticalScrollBar();
    {
        const QSignalBlocker blockH(h);
        const QSignalBlocker blockV(v);
        h->setRange(0, bars.HorizontalMax);
        h->setPageStep(std::max(bars.ClientWidth, 1));
        h->setSingleStep(std::max(side - 1, 1));
        v->setRange(0, bars.VerticalMax);
        v->setPageStep(std::max(bars.ClientHeight, 1));
        v->setSingleStep(std::max(side - 1, 1));
    }
    diagramCursor_->resize(side - 2, side - 2);
    PositionDiagramPanel();
    diagramPanel_->update();
    PlaceCursor(true);
    const bool diagramActive = cursor_.ActivePane == Pane::DiagramPane;
    SetBackground(diagramBox_->viewport(), ToQColor(DiagramColorsOf(colors_, diagramActive).Back));
}

void PuzzleScreen::PositionDiagramPanel()
{
    if (!shown_ || puzzle_.RowCount <= 0 || puzzle_.ColumnCount <= 0) return;
    const DiagramPlacement& at =
        layout_.PlaceDiagram(puzzle_, PaneOf(diagramBox_), diagramBox_->horizontalScrollBar()->value(),
                             diagramBox_->verticalScrollBar()->value());
    diagramPanel_->setGeometry(at.Left, at.Top, at.PanelWidth, at.PanelHeight);
}

// ----- word-list layout -----------------------------------------------------------------------

void PuzzleScreen::LayoutWordList()
{
    if (!shown_) return;
    const bool barOn = clueBox_->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    const WordListBar& bar = layout_.LayOutWordList(puzzle_, metrics_, fonts_, PaneOf(clueBox_), barOn);
    clueBox_->setVerticalScrollBarPolicy(bar.On ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QScrollBar* v = clueBox_->verticalScrollBar();
    {
        const QSignalBlocker block(v);
        v->setRange(0, bar.Max);
        v->setSingleStep(std::max(layout_.ScrollIncrement(), 1));
        v->setPageStep(std::max(bar.ClientHeight, 1));
    }
    const int L = layout_.WordList().Measures.LineHeight;
    clueCursor_->resize(L, L);
    cluePaintBox_->setGeometry(0, -v->value(), layout_.WordList().Width, std::max(bar.ClientHeight, bar.Range));
    cluePaintBox_->update();
}

void PuzzleScreen::ClearWordListSurface()
{
    layout_.ClearWordList();
    cluePaintBox_->update();
}

// ----- cursor ---------------------------------------------------------------------------------

void PuzzleScreen::PositionMarks()
{
    if (!shown_ || !puzzle_.HasLetter(cursor_.CurrentLetter)) {
        diagramCursor_->hide();
        clueCursor_->hide();
        return;
    }
    diagramCursor_->move(diagramPanel_->pos() + ToQPoint(layout_.DiagramMark(cursor_.CurrentLetter)));
    clueCursor_->move(cluePaintBox_->pos() + ToQPoint(layout_.ClueMark(cursor_.CurrentLetter)));
    diagramCursor_->show();
    diagramCursor_->raise();
    clueCursor_->setVisible(layout_.WordListValid());
    clueCursor_->raise();
    ShowPaneFrames();
}

void PuzzleScreen::PlaceCursor(bool rememberPosition)
{
    // The layouts are computed before anything is painted and Qt paints only once this handler
    // has returned, so the marks move without flicker and without pumping events first.
    const int32_t letter = cursor_.CurrentLetter;
    if (letter <= 0 || !shown_ || !puzzle_.HasLetter(letter)) return;
    if (rememberPosition) RememberPosition(puzzle_, cursor_);

    QScrollBar* h = diagramBox_->horizontalScrollBar();
    QScrollBar* v = diagramBox_->verticalScrollBar();
    const Point scroll = layout_.DiagramScrollFor(letter, h->value(), h->maximum(), v->value(), v->maximum());
    h->setValue(scroll.x);
    v->setValue(scroll.y);
    PositionDiagramPanel();

    if (layout_.WordListValid()) {
        QScrollBar* cv = clueBox_->verticalScrollBar();
        cv->setValue(layout_.WordListScrollFor(puzzle_, letter, cv->value(), cv->maximum()));
        cluePaintBox_->move(0, -cv->value());
    }
    PositionMarks();
    RepaintCursorMarks();
    UpdateHighlight();
}

void PuzzleScreen::RepaintCursorMarks()
{
    diagramCursor_->update();
    clueCursor_->update();
}

void PuzzleScreen::RepaintPanes()
{
    shownHighlight_ = WantedHighlight();
    const bool diagramActive = cursor_.ActivePane == Pane::DiagramPane;
    SetBackground(diagramBox_->viewport(), ToQColor(DiagramColorsOf(colors_, diagramActive).Back));
    SetBackground(clueBox_->viewport(), ToQColor(WordListColorsOf(colors_, !diagramActive).Back));
    diagramPanel_->update();
    diagramCursor_->update();
    cluePaintBox_->update();
    clueCursor_->update();
    ShowPaneFrames();
    if (paneShape_) {  // the scheme may have changed
        diagramFrame_->update();
        clueFrame_->update();
    }
}

void PuzzleScreen::RepaintLetters(const std::vector<int32_t>& letters)
{
    // One letter is what a keystroke changes; more (a whole reveal) repaint everything at once.
    if (letters.size() != 1) {
        RepaintPanes();
        return;
    }
    if (!shown_ || !puzzle_.HasLetter(letters.front())) return;
    diagramPanel_->update(SquareInterior(letters.front()));
    const int32_t clue = puzzle_.Letters[static_cast<size_t>(letters.front())].ClueIndex;
    const WordListLayout& list = layout_.WordList();
    if (layout_.WordListValid() && clue >= 0 && static_cast<size_t>(clue) < list.Clues.size()) {
        const ClueBlock& block = list.Clues[static_cast<size_t>(clue)];
        cluePaintBox_->update(0, block.Top, list.Width, block.Bottom - block.Top);
    }
}

// ----- wrong letters marked --------------------------------------------------------------------

void PuzzleScreen::SetMarkWrong(bool on)
{
    if (markWrong_ == on) return;
    markWrong_ = on;
    RepaintPanes();
}

// ----- square labels ---------------------------------------------------------------------------

void PuzzleScreen::SetLabels(bool on)
{
    if (labels_ == on) return;
    labels_ = on;
    diagramPanel_->update();
    diagramCursor_->update();
}

// ----- active pane by shape -------------------------------------------------------------------

void PuzzleScreen::SetPaneShape(bool on)
{
    paneShape_ = on;
    ShowPaneFrames();
    RepaintCursorMarks();
}

void PuzzleScreen::ShowPaneFrames()
{
    const bool diagramActive = cursor_.ActivePane == Pane::DiagramPane;
    const bool on = paneShape_ && shown_;
    for (auto [frame, box, active] : {std::tuple{diagramFrame_, diagramBox_, diagramActive},
                                      std::tuple{clueFrame_, clueBox_, !diagramActive}}) {
        // Called with every cursor move, so it changes nothing that is already right: a repaint of
        // this see-through frame would repaint the whole pane beneath it. It stays below the
        // cursor marks, which only ever cover it at the pane's edge.
        frame->setVisible(on && active);
        if (on && active) frame->setGeometry(box->viewport()->rect());
    }
}


// ----- highlight ------------------------------------------------------------------------------

void PuzzleScreen::SetHighlight(bool on)
{
    highlight_ = on;
    UpdateHighlight();
    AnnounceToReader(false, {});  // the squares of the answer now read as highlighted, or no longer
}

HighlightSet PuzzleScreen::WantedHighlight() const
{
    return highlight_ && shown_ ? HighlightFor(puzzle_, cursor_.CurrentLetter) : HighlightSet{};
}

void PuzzleScreen::UpdateHighlight()
{
    if (!shown_) {
        shownHighlight_ = {};
        return;
    }
    const HighlightSet next = WantedHighlight();
    if (next == shownHighlight_) return;
    for (int32_t letter : ChangedSquares(puzzle_, shownHighlight_, next)) diagramPanel_->update(SquareInterior(letter));
    if (layout_.WordListValid())
        for (int32_t letter : ChangedSlots(puzzle_, shownHighlight_, next)) cluePaintBox_->update(SlotArea(letter));
    shownHighlight_ = next;
}

QRect PuzzleScreen::SquareInterior(int32_t letter) const { return ToQRect(layout_.SquareInterior(puzzle_, letter)); }

QRect PuzzleScreen::SlotArea(int32_t letter) const { return ToQRect(layout_.SlotArea(letter)); }

void PuzzleScreen::ActivatePane(Pane pane)
{
    cursor_.ActivePane = pane;
    RepaintPanes();
}

QString PuzzleScreen::StatusTextFor(int32_t letter) const
{
    if (!puzzle_.HasLetter(letter)) return QString();
    return QString::number(letter) + QStringLiteral("  ") +
           FromAnsi(puzzle_.Letters[static_cast<size_t>(letter)].ClueLabel);
}

void PuzzleScreen::SetStatus(const QString& text) { emit statusTextChanged(text); }

// ----- showing a puzzle -----------------------------------------------------------------------

void PuzzleScreen::ShowPuzzle()
{
    BuildTitleStrip();
    RefreshTitleStrip();
    ClearWordListSurface();
    setUpdatesEnabled(false);
    SetUpHeader(false);
    cursor_ = CursorState{};
    cursor_.ActivePane = Pane::WordListPane;
    cursor_.CurrentLetter = puzzle_.FirstLetterOfClue(0);
    // The bands were hidden until now: give them their sizes before anything is laid out.
    if (layout()) layout()->activate();
    ApplyPaneRatio();
    LayoutWordList();
    RepaintPanes();
    LayoutDiagram();
    PlaceCursor(true);
    setUpdatesEnabled(true);
    spokenLetter_ = 0;  // another puzzle: its first answer is entered anew
    spokenHighlight_ = {};
    AnnounceToReader(false, {});
}

void PuzzleScreen::SetHeaderHint(bool moreInfo)
{
    headerHint_ = moreInfo;
    header_->setToolTip(moreInfo ? kHeaderHint : QString());
    header_->setSectionsClickable(moreInfo);
    header_->setCursor(moreInfo ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void PuzzleScreen::SetUpHeader(bool noPuzzle)
{
    if (!noPuzzle) {
        SetHeaderHint(puzzle_.HasMoreInfo());
        const FixedFontMetrics metrics(header_->font());
        const auto sections = HeaderSections(puzzle_, metrics, FontSpec{}, header_->width());
        headerModel_->clear();
        headerModel_->setColumnCount(static_cast<int>(sections.size()));
        for (size_t i = 0; i < sections.size(); ++i) {
            const int column = static_cast<int>(i);
            headerModel_->setHorizontalHeaderItem(column, new QStandardItem(FromAnsi(sections[i].Text)));
            if (i + 1 < sections.size()) header_->resizeSection(column, sections[i].Width);
        }
        // The sections are painted, not widgets of their own: a screen reader reads them here.
        QStringList texts;
        for (const auto& section : sections) texts << FromAnsi(section.Text);
        header_->setAccessibleName(texts.join(QStringLiteral(". ")));
    }
    const int sectionCount = headerModel_->columnCount();
    header_->setFixedHeight(HeaderHeight(sectionCount));
    shown_ = !noPuzzle;
    titlePanel_->setVisible(shown_);
    splitter_->setVisible(shown_);
    header_->setVisible(shown_ && sectionCount > 0);
    if (!shown_) {
        diagramCursor_->hide();
        clueCursor_->hide();
        cursor_.KeyBusy = false;
    }
    cluePaintBox_->update();
}

// ----- title strip ----------------------------------------------------------------------------

void PuzzleScreen::BuildTitleStrip()
{
    for (auto it = titleLabels_.rbegin(); it != titleLabels_.rend(); ++it) delete *it;
    titleLabels_.clear();
    const QString dash = FromAnsi(kEmDash);
    const int dashWidth = QFontMetrics(titlePanel_->font()).horizontalAdvance(dash);
    for (int n = 0; n < puzzle_.ClueCount && static_cast<size_t>(n) < puzzle_.Clues.size(); ++n) {
        auto* label = new TitleLabel(n, titlePanel_);
        label->setText(dash);
        label->setAccessibleName(QString::fromStdString(FirstLetterName(puzzle_, n)));
        label->resize(dashWidth, 16);
        label->onClick = [this](int clue) { TitleLabelClick(clue); };
        label->show();
        titleLabels_.push_back(label);
    }
    CentreTitleStrip();
}

void PuzzleScreen::RefreshTitleStrip()
{
    const QFontMetrics fm(titlePanel_->font());
    for (TitleLabel* label : titleLabels_) {
        const QString text = FromAnsi(TitleStripChar(puzzle_, label->Clue()));
        if (label->text() != text) {
            label->setText(text);
            label->setAccessibleName(QString::fromStdString(FirstLetterName(puzzle_, label->Clue())));
        }
        label->resize(fm.horizontalAdvance(text), 16);
    }
    CentreTitleStrip();
}

void PuzzleScreen::CentreTitleStrip()
{
    std::vector<int> widths;
    widths.reserve(titleLabels_.size());
    for (const TitleLabel* label : titleLabels_) widths.push_back(label->width());
    const auto lefts = qw::CentreTitleStrip(widths, titlePanel_->width());
    for (size_t i = 0; i < titleLabels_.size(); ++i) titleLabels_[i]->move(lefts[i], 5);
}

QWidget* PuzzleScreen::DiagramSurface() const { return diagramPanel_; }
QWidget* PuzzleScreen::WordListSurface() const { return cluePaintBox_; }

QRect PuzzleScreen::DiagramSquareRect(int row, int column) const { return ToQRect(layout_.SquareRect(row, column)); }

QRect PuzzleScreen::AnswerSlotRect(int32_t letter) const
{
    return puzzle_.HasLetter(letter) ? SlotArea(letter) : QRect();
}

QRect PuzzleScreen::ClueRect(int clue) const
{
    return ToQRect(layout_.ClueArea(puzzle_, clue, cluePaintBox_->width()));
}

void PuzzleScreen::AnnounceToReader(bool lettersChanged, const std::vector<int32_t>& letters)
{
    if (!QAccessible::isActive() || !shown_) return;
    const int32_t letter = cursor_.CurrentLetter;
    const bool moved = letter != spokenLetter_ || cursor_.ActivePane != spokenPane_;
    std::vector<int32_t> changed = letters;
    if (lettersChanged) {
        changed.push_back(spokenLetter_);
        changed.push_back(letter);
    }
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    if (moved) {
        const bool sameAnswer = puzzle_.HasLetter(spokenLetter_) && puzzle_.HasLetter(letter) &&
                                puzzle_.Letters[static_cast<size_t>(spokenLetter_)].ClueIndex ==
                                    puzzle_.Letters[static_cast<size_t>(letter)].ClueIndex;
        clueLed_ = sameAnswer ? 0 : letter;
    }
    spokenLetter_ = letter;
    spokenPane_ = cursor_.ActivePane;
    const HighlightSet highlightBefore = spokenHighlight_;
    spokenHighlight_ = shownHighlight_;
    AnnounceCursor(*this, letter, moved, changed, highlightBefore);
}

}  // namespace qw
