#include "view/qt/PuzzleScreen.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStaticText>
#include <QTimer>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
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

// drawText places text by its baseline; the layouts give top-left corners.
void DrawTextAt(QPainter& painter, const QFontMetrics& fm, int x, int top, const QString& text)
{
    painter.drawText(x, top + fm.ascent(), text);
}

void FillFrame(QPainter& painter, const QRect& r, int width, const QColor& color)
{
    const int w = std::min({width, r.width() / 2, r.height() / 2});
    painter.fillRect(r.left(), r.top(), r.width(), w, color);
    painter.fillRect(r.left(), r.bottom() - w + 1, r.width(), w, color);
    painter.fillRect(r.left(), r.top() + w, w, r.height() - 2 * w, color);
    painter.fillRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w, color);
}

// The stroke over a wrong entry, corner to corner of `r`.
void StrokeWrong(QPainter& painter, const QRect& r, const QColor& color)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color, std::max(r.height() / 12, 2), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(r.bottomLeft() + QPoint(2, -2), r.topRight() + QPoint(-2, 2));
    painter.restore();
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

}  // namespace

PuzzleScreen::PuzzleScreen(Puzzle& puzzle, CursorState& cursor, const ColorScheme& colors, QWidget* parent)
    : QWidget(parent), puzzle_(puzzle), cursor_(cursor), colors_(colors)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        zoom_ = ZoomLimitsFromScreenWidth(screen->geometry().width());
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
    wordListValid_ = false;
    if (!shown_) return;
    LayoutWordList();
    cluePaintBox_->update();
    PlaceCursor(true);
}

void PuzzleScreen::SetZoomLimitsFromScreenWidth(int width) { zoom_ = ZoomLimitsFromScreenWidth(width); }

void PuzzleScreen::SetDiagramSquareSide(int side)
{
    side_ = std::max(side, 2);
    LayoutDiagram();
}

void PuzzleScreen::SetDiagramScrollBoxRatio(double ratio)
{
    ratio_ = UsablePaneRatio(ratio);
    ApplyPaneRatio();
}

// ----- zoom and fit ---------------------------------------------------------------------------

bool PuzzleScreen::CanZoomIn() const { return qw::CanZoomIn(side_, zoom_); }
bool PuzzleScreen::CanZoomOut() const { return qw::CanZoomOut(side_, zoom_); }

void PuzzleScreen::ZoomIn()
{
    if (!CanZoomIn()) return;
    fit_ = FitMode::None;
    side_ += zoom_.ZoomStep;
    LayoutDiagram();
}

void PuzzleScreen::ZoomOut()
{
    if (!CanZoomOut()) return;
    fit_ = FitMode::None;
    side_ -= zoom_.ZoomStep;
    LayoutDiagram();
}

void PuzzleScreen::FitCommand(FitMode mode)
{
    fit_ = mode;
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
    if (!shown_ || puzzle_.RowCount <= 0 || puzzle_.ColumnCount <= 0) return;
    const int rows = puzzle_.RowCount;
    const int columns = puzzle_.ColumnCount;
    const int paneWidth = diagramBox_->width();
    const int paneHeight = diagramBox_->height();
    side_ = ApplyFit(fit_, side_, paneWidth, paneHeight, rows, columns);

    const int panelWidth = DiagramExtent(side_, columns);
    const int panelHeight = DiagramExtent(side_, rows);
    const int frame = diagramBox_->frameWidth();
    const int bar = diagramBox_->ScrollBarExtent();
    const int innerWidth = paneWidth - 2 * frame;
    const int innerHeight = paneHeight - 2 * frame;
    bool needH = false;
    bool needV = false;
    for (int pass = 0; pass < 2; ++pass) {  // a bar in one direction can call for the other
        needV = panelHeight > innerHeight - (needH ? bar : 0);
        needH = panelWidth > innerWidth - (needV ? bar : 0);
    }
    diagramClientWidth_ = innerWidth - (needV ? bar : 0);
    diagramClientHeight_ = innerHeight - (needH ? bar : 0);

    diagramBox_->setHorizontalScrollBarPolicy(needH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    diagramBox_->setVerticalScrollBarPolicy(needV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QScrollBar* h = diagramBox_->horizontalScrollBar();
    QScrollBar* v = diagramBox_->verticalScrollBar();
    {
        const QSignalBlocker blockH(h);
        const QSignalBlocker blockV(v);
        h->setRange(0, needH ? panelWidth - diagramClientWidth_ : 0);
        h->setPageStep(std::max(diagramClientWidth_, 1));
        h->setSingleStep(std::max(side_ - 1, 1));
        v->setRange(0, needV ? panelHeight - diagramClientHeight_ : 0);
        v->setPageStep(std::max(diagramClientHeight_, 1));
        v->setSingleStep(std::max(side_ - 1, 1));
    }
    diagramCursor_->resize(side_ - 2, side_ - 2);
    RecordDiagramPositions(puzzle_, side_);
    PositionDiagramPanel();
    diagramPanel_->update();
    PlaceCursor(true);
    const bool diagramActive = cursor_.ActivePane == Pane::DiagramPane;
    SetBackground(diagramBox_->viewport(), ToQColor(DiagramColorsOf(colors_, diagramActive).Back));
}

void PuzzleScreen::PositionDiagramPanel()
{
    if (!shown_ || puzzle_.RowCount <= 0 || puzzle_.ColumnCount <= 0) return;
    placement_ = PlaceDiagram(side_, puzzle_.RowCount, puzzle_.ColumnCount, diagramBox_->width(),
                              diagramBox_->height(), diagramClientWidth_, diagramClientHeight_,
                              diagramBox_->horizontalScrollBar()->value(),
                              diagramBox_->verticalScrollBar()->value());
    diagramPanel_->setGeometry(placement_.Left, placement_.Top, placement_.PanelWidth, placement_.PanelHeight);
}

// ----- word-list layout -----------------------------------------------------------------------

void PuzzleScreen::LayoutWordList()
{
    if (!shown_) return;
    const int frame = clueBox_->frameWidth();
    const int bar = clueBox_->ScrollBarExtent();
    const int innerWidth = clueBox_->width() - 2 * frame;
    clueClientHeight_ = clueBox_->height() - 2 * frame;
    bool barOn = clueBox_->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
    WordListScroll scroll;
    // The layout depends on the width only; a change of height needs just a new scroll range.
    for (int pass = 0; pass < 2; ++pass) {
        const int width = std::max(innerWidth - (barOn ? bar : 0), 1);
        if (!wordListValid_ || wordList_.Width != width) {
            wordList_ = qw::LayoutWordList(puzzle_, metrics_, fonts_, width);
            wordListValid_ = true;
        }
        scroll = WordListScrollFor(clueBox_->height(), wordList_.FinalY, scrollIncrement_);
        if ((scroll.Range > 0) == barOn) break;
        barOn = scroll.Range > 0;
    }
    scrollIncrement_ = scroll.Increment;
    clueBox_->setVerticalScrollBarPolicy(barOn ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    QScrollBar* v = clueBox_->verticalScrollBar();
    {
        const QSignalBlocker block(v);
        v->setRange(0, std::max(scroll.Range - clueClientHeight_, 0));
        v->setSingleStep(std::max(scrollIncrement_, 1));
        v->setPageStep(std::max(clueClientHeight_, 1));
    }
    const int L = wordList_.Measures.LineHeight;
    clueCursor_->resize(L, L);
    cluePaintBox_->setGeometry(0, -v->value(), wordList_.Width, std::max(clueClientHeight_, scroll.Range));
    cluePaintBox_->update();
}

void PuzzleScreen::ClearWordListSurface()
{
    wordList_ = WordListLayout{};
    wordListValid_ = false;
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
    const LetterEntry& e = puzzle_.Letters[static_cast<size_t>(cursor_.CurrentLetter)];
    diagramCursor_->move(diagramPanel_->pos() + QPoint(e.DiagramPos.x + 1, e.DiagramPos.y + 1));
    const int L = wordList_.Measures.LineHeight;
    const int left = e.AnswerPos.x + (wordList_.Measures.SlotWidth - L) / 2;
    clueCursor_->move(cluePaintBox_->pos() + QPoint(left, e.AnswerPos.y));
    diagramCursor_->show();
    diagramCursor_->raise();
    clueCursor_->setVisible(wordListValid_);
    clueCursor_->raise();
    ShowPaneFrames();
}

void PuzzleScreen::PlaceCursor(bool rememberPosition)
{
    // The layouts are computed before anything is painted and Qt paints only once this handler
    // has returned, so the marks move without flicker and without pumping events first.
    if (cursor_.CurrentLetter <= 0 || !shown_ || !puzzle_.HasLetter(cursor_.CurrentLetter)) return;
    const LetterEntry& e = puzzle_.Letters[static_cast<size_t>(cursor_.CurrentLetter)];
    if (rememberPosition) RememberPosition(puzzle_, cursor_);

    QScrollBar* h = diagramBox_->horizontalScrollBar();
    QScrollBar* v = diagramBox_->verticalScrollBar();
    if (placement_.HorizontalRange > 0)
        h->setValue(ScrollIntoView(h->value(), diagramClientWidth_, h->maximum(), e.DiagramPos.x + 1, side_ - 2));
    if (placement_.VerticalRange > 0)
        v->setValue(ScrollIntoView(v->value(), diagramClientHeight_, v->maximum(), e.DiagramPos.y + 1, side_ - 2));
    PositionDiagramPanel();

    if (wordListValid_) {
        QScrollBar* cv = clueBox_->verticalScrollBar();
        const bool first = e.ClueIndex == 0;
        const bool last = e.ClueIndex == puzzle_.ClueCount - 1;
        cv->setValue(WordListScrollForCursor(cv->value(), clueClientHeight_, cv->maximum(), e.ClueTop,
                                             e.AnswerPos.y, wordList_.Measures.LineHeight, first, last));
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
    if (wordListValid_ && clue >= 0 && static_cast<size_t>(clue) < wordList_.Clues.size()) {
        const ClueBlock& block = wordList_.Clues[static_cast<size_t>(clue)];
        cluePaintBox_->update(0, block.Top, wordList_.Width, block.Bottom - block.Top);
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

// Below this side the labels cannot be read and would only crowd the letter.
constexpr int kMinLabelledSide = 18;

bool PuzzleScreen::LabelsShown() const { return labels_ && side_ >= kMinLabelledSide; }

QFont PuzzleScreen::LabelFont() const
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(side_ * 3 / 10, 1));
    return font;
}

void PuzzleScreen::PaintSquareLabels(QPainter& painter, const QFontMetrics& fm, Point o, int32_t letter) const
{
    // Laid out once per font size and kept: shaping two texts per square would make a labelled
    // repaint several times as slow as one without.
    const auto count = puzzle_.Letters.size();
    if (labelTexts_.size() != count || labelTextsFont_ != painter.font()) {
        labelTexts_.assign(count, {});
        labelTextsFont_ = painter.font();
    }
    LabelTexts& texts = labelTexts_[static_cast<size_t>(letter)];
    if (!texts.prepared) {
        auto prepare = [&](QStaticText& text, const QString& s) {
            text.setText(s);
            text.setTextFormat(Qt::PlainText);
            text.prepare(QTransform(), painter.font());
        };
        prepare(texts.number, QString::number(letter));
        const QString label = FromAnsi(puzzle_.Letters[static_cast<size_t>(letter)].ClueLabel);
        prepare(texts.label, label);
        texts.labelWidth = fm.horizontalAdvance(label);
        texts.prepared = true;
    }
    painter.drawStaticText(o.x + 2, o.y + 1, texts.number);
    painter.drawStaticText(o.x + side_ - 2 - texts.labelWidth, o.y + 1, texts.label);
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

void PuzzleScreen::PaintPaneFrame(QWidget* surface, ColorIndex text)
{
    QPainter painter(surface);
    FillFrame(painter, surface->rect(), 2, ToQColor(colors_[text], ColorUse::Text));
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
    if (wordListValid_)
        for (int32_t letter : ChangedSlots(puzzle_, shownHighlight_, next)) cluePaintBox_->update(SlotArea(letter));
    shownHighlight_ = next;
}

QRect PuzzleScreen::SquareInterior(int32_t letter) const
{
    const LetterEntry& e = puzzle_.Letters[static_cast<size_t>(letter)];
    const Point o = SquareOrigin(side_, e.Row, e.Column);
    return QRect(o.x + 1, o.y + 1, side_ - 2, side_ - 2);
}

QRect PuzzleScreen::SlotArea(int32_t letter) const
{
    // Above the underline, where the letter stands and the cursor mark sits.
    const Point& at = puzzle_.Letters[static_cast<size_t>(letter)].AnswerPos;
    return QRect(at.x, at.y, wordList_.Measures.SlotWidth, wordList_.Measures.LineHeight);
}

QColor PuzzleScreen::Tint(uint32_t cursor, uint32_t background, uint32_t otherCursor)
{
    // System colours are resolved first: the tint is mixed from what the screen shows.
    auto rgb = [](uint32_t color) { return FromQColor(ToQColor(color)); };
    return ToQColor(HighlightTint(rgb(cursor), rgb(background), rgb(otherCursor)));
}

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
    labelTexts_.clear();  // another puzzle's numbers and labels
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

QWidget* PuzzleScreen::DiagramSurface() const { return diagramPanel_; }
QWidget* PuzzleScreen::WordListSurface() const { return cluePaintBox_; }

QRect PuzzleScreen::DiagramSquareRect(int row, int column) const
{
    const Point o = SquareOrigin(side_, row, column);
    return QRect(o.x, o.y, side_, side_);
}

QRect PuzzleScreen::AnswerSlotRect(int32_t letter) const
{
    return puzzle_.HasLetter(letter) ? SlotArea(letter) : QRect();
}

QRect PuzzleScreen::ClueRect(int clue) const
{
    const int32_t first = puzzle_.FirstLetterOfClue(clue);
    if (!puzzle_.HasLetter(first)) return {};
    const int top = puzzle_.Letters[static_cast<size_t>(first)].ClueTop;
    const Clue& c = puzzle_.Clues[static_cast<size_t>(clue)];
    const int32_t last = c.Answer.empty() ? first : c.Answer.back();
    const int bottom = puzzle_.HasLetter(last) ? SlotArea(last).bottom() : top + wordList_.Measures.LineHeight;
    return QRect(0, top, cluePaintBox_->width(), std::max(bottom - top, wordList_.Measures.LineHeight));
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

// ----- mouse ----------------------------------------------------------------------------------

void PuzzleScreen::DiagramPanelMouseDown(const QPoint& pos)
{
    if (!shown_) return;
    setFocus(Qt::MouseFocusReason);
    const int32_t hit = DiagramHitTest(puzzle_, side_, pos.x(), pos.y());
    if (hit > 0) {
        cursor_.CurrentLetter = hit;
        PlaceCursor(true);
    }
    if (cursor_.ActivePane == Pane::WordListPane) ActivatePane(Pane::DiagramPane);
    AnnounceToReader(false, {});
}

void PuzzleScreen::DiagramPanelMouseMove(const QPoint& pos)
{
    SetStatus(StatusTextFor(DiagramHitTest(puzzle_, side_, pos.x(), pos.y())));
}

void PuzzleScreen::CluePanelMouseDown(const QPoint& pos)
{
    if (!shown_) return;
    setFocus(Qt::MouseFocusReason);
    const int32_t hit = wordListValid_ ? ClueHitTest(puzzle_, wordList_.Measures.SlotWidth, pos.x(), pos.y()) : 0;
    if (hit > 0) {
        cursor_.CurrentLetter = hit;
        PlaceCursor(true);
    }
    if (cursor_.ActivePane == Pane::DiagramPane) ActivatePane(Pane::WordListPane);
    AnnounceToReader(false, {});
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
    v->setValue(v->value() + (delta > 0 ? -scrollIncrement_ : scrollIncrement_));
}

void PuzzleScreen::mouseMoveEvent(QMouseEvent* e)
{
    SetStatus(QString());
    QWidget::mouseMoveEvent(e);
}

// ----- painting -------------------------------------------------------------------------------

QFont PuzzleScreen::DiagramFont() const
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPointSize(std::max(side_ / 2, 1));
    return font;
}

void PuzzleScreen::PaintDiagram(QWidget* surface, const QRegion& region)
{
    QPainter painter(surface);
    const bool active = cursor_.ActivePane == Pane::DiagramPane;
    const DiagramColors set = DiagramColorsOf(colors_, active);
    const QColor blank = ToQColor(set.Blank);
    const QColor letter = ToQColor(set.Letter);
    const QColor text = ToQColor(set.Font, ColorUse::Text);
    const bool tinted = highlight_ && shownHighlight_.Clue >= 0;
    const QColor tint =
        tinted ? Tint(set.Cursor, set.Letter, DiagramColorsOf(colors_, !active).Cursor) : letter;
    const QFont font = DiagramFont();
    painter.setFont(font);
    const QFontMetrics fm(font);
    const int h = fm.height();
    const int S = side_;
    const int pitch = std::max(S - 1, 1);
    const int rows = std::min(puzzle_.RowCount, puzzle_.Grid.Rows());
    const int columns = std::min(puzzle_.ColumnCount, puzzle_.Grid.Columns());
    const auto letterCount = static_cast<int32_t>(puzzle_.Letters.size()) - 1;
    // A fitted stress diagram shows ten thousand squares, so each costs as little as it can: the
    // background already is the outline colour, so only the inside of a square is filled, and
    // each character is measured and laid out once per paint.
    std::array<int, 256> advance;
    advance.fill(-1);
    std::array<QStaticText, 256> glyphs;
    struct GlyphAt {
        int x, y;
        unsigned char code;
    };
    std::vector<GlyphAt> glyphTops;
    const bool labelled = LabelsShown();
    const QFont labelFont = LabelFont();
    const QFontMetrics labelMetrics(labelFont);
    std::vector<std::pair<Point, int32_t>> labelAt;
    std::vector<Point> wrongAt;
    // Each rectangle of the region is painted on its own: a cursor move exposes a few squares far
    // apart, and the rectangle around all of them would take in most of the diagram.
    for (const QRect& area : region) {
        painter.setClipRect(area);
        painter.fillRect(area, blank);
        if (!shown_) continue;
        // Squares outside the exposed area would be clipped anyway; skipping them keeps big
        // diagrams cheap to scroll.
        const int firstRow = std::max(0, area.top() / pitch - 1);
        const int lastRow = std::min(rows - 1, area.bottom() / pitch + 1);
        const int firstColumn = std::max(0, area.left() / pitch - 1);
        const int lastColumn = std::min(columns - 1, area.right() / pitch + 1);
        glyphTops.clear();
        labelAt.clear();
        wrongAt.clear();
        for (int r = firstRow; r <= lastRow; ++r) {
            for (int c = firstColumn; c <= lastColumn; ++c) {
                const DiagramSquare square = puzzle_.Grid.GetCell(r, c);
                if (square == 0) continue;  // the black fill is already there
                char ch = ' ';
                QColor fill = letter;
                if (square > 0) {
                    if (square > letterCount) continue;
                    const LetterEntry& entry = puzzle_.Letters[static_cast<size_t>(square)];
                    ch = entry.Entered;
                    if (tinted && shownHighlight_.InAnswer(entry)) fill = tint;
                } else {
                    ch = static_cast<char>(-square);
                }
                const Point o = SquareOrigin(S, r, c);
                if (S > 2) painter.fillRect(o.x + 1, o.y + 1, S - 2, S - 2, fill);
                if (labelled && square > 0) labelAt.emplace_back(o, square);
                if (square > 0 && ShowsWrongMark(square)) wrongAt.push_back(o);
                if (ch == ' ') continue;
                const auto code = static_cast<unsigned char>(ch);
                if (advance[code] < 0) {
                    const QString s = FromAnsi(ch);
                    advance[code] = fm.horizontalAdvance(s);
                    glyphs[code].setText(s);
                    glyphs[code].setTextFormat(Qt::PlainText);
                    glyphs[code].prepare(QTransform(), font);
                }
                const Point at = CharacterOrigin(S, S, advance[code], h);
                glyphTops.push_back({o.x + at.x, o.y + at.y, code});
            }
        }
        // The characters follow all the squares; a square's fill stays inside its own outline, so
        // the order changes no pixel.
        painter.setPen(text);
        for (const GlyphAt& g : glyphTops) painter.drawStaticText(g.x, g.y, glyphs[g.code]);
        for (const Point& o : wrongAt) StrokeWrong(painter, QRect(o.x + 1, o.y + 1, S - 2, S - 2), text);
        if (labelAt.empty()) continue;
        painter.setFont(labelFont);
        for (const auto& [o, letter] : labelAt) PaintSquareLabels(painter, labelMetrics, o, letter);
        painter.setFont(font);
    }
}

void PuzzleScreen::PaintDiagramCursor(QWidget* surface)
{
    QPainter painter(surface);
    const bool active = cursor_.ActivePane == Pane::DiagramPane;
    const DiagramColors set = DiagramColorsOf(colors_, active);
    // Hollow: the square shows its own fill and letter inside a frame of the cursor colour.
    const bool hollow = paneShape_ && !active;
    if (hollow) {
        const bool tinted = highlight_ && shownHighlight_.Clue >= 0 && puzzle_.HasLetter(cursor_.CurrentLetter) &&
                            shownHighlight_.InAnswer(puzzle_.Letters[static_cast<size_t>(cursor_.CurrentLetter)]);
        painter.fillRect(surface->rect(), tinted ? Tint(set.Cursor, set.Letter, DiagramColorsOf(colors_, true).Cursor)
                                                 : ToQColor(set.Letter));
        FillFrame(painter, surface->rect(), 3, ToQColor(set.Cursor));
    } else {
        painter.fillRect(surface->rect(), ToQColor(set.Cursor));
    }
    if (!puzzle_.HasLetter(cursor_.CurrentLetter)) return;
    painter.setPen(ToQColor(hollow ? set.Font : set.CursorFont, ColorUse::Text));
    if (LabelsShown()) {
        // The mark lies one pixel inside the square's outline.
        const QFont labelFont = LabelFont();
        painter.setFont(labelFont);
        PaintSquareLabels(painter, QFontMetrics(labelFont), Point{-1, -1}, cursor_.CurrentLetter);
    }
    if (ShowsWrongMark(cursor_.CurrentLetter)) StrokeWrong(painter, surface->rect(), painter.pen().color());
    const char ch = puzzle_.Letters[static_cast<size_t>(cursor_.CurrentLetter)].Entered;
    if (ch == ' ') return;
    const QFont font = DiagramFont();
    painter.setFont(font);
    const QFontMetrics fm(font);
    const QString s = FromAnsi(ch);
    const Point at = CharacterOrigin(side_, side_, fm.horizontalAdvance(s), fm.height());
    DrawTextAt(painter, fm, at.x - 1, at.y - 1, s);
}

void PuzzleScreen::PaintWordList(QWidget* surface, const QRegion& region)
{
    QPainter painter(surface);
    const bool active = cursor_.ActivePane == Pane::WordListPane;
    const WordListColors set = WordListColorsOf(colors_, active);
    const QColor back = ToQColor(set.Back);
    if (!shown_ || !wordListValid_) {
        for (const QRect& area : region) painter.fillRect(area, back);
        return;
    }
    const QColor ink = ToQColor(set.Font, ColorUse::Text);
    const bool tinted = highlight_ && shownHighlight_.WordLast >= shownHighlight_.WordFirst;
    const QColor tint = tinted ? Tint(set.Cursor, set.Back, WordListColorsOf(colors_, !active).Cursor) : back;
    const QFont clueFont = ToQFont(fonts_.Clue);
    const QFont letterFont = ToQFont(fonts_.Letter);
    const QFont numberFont = ToQFont(fonts_.Number);
    const QFontMetrics clueMetrics(clueFont);
    const QFontMetrics letterMetrics(letterFont);
    const QFontMetrics numberMetrics(numberFont);
    const WordListMeasures& m = wordList_.Measures;
    const int L = m.LineHeight;
    const int slotHeight = std::max(letterMetrics.height(), L + 1 + numberMetrics.height());
    const auto letterCount = static_cast<int32_t>(puzzle_.Letters.size()) - 1;
    // Rectangle by rectangle, as the diagram: the slots of a quotation word lie far apart. Text
    // that cannot reach a rectangle is not drawn, and slot texts are measured from the memo:
    // shaping text is most of a small repaint's cost. Margins take in glyphs that stand out of
    // their boxes: a line height for the clue font, which may be any, a few pixels for the slots'.
    constexpr int kSlotInk = 3;
    for (const QRect& area : region) {
        auto reaches = [&area](int left, int top, int width, int height, int margin) {
            return area.adjusted(-margin, -margin, margin, margin)
                .intersects(QRect(left, top, std::max(width, 1), std::max(height, 1)));
        };
        painter.setClipRect(area);
        painter.fillRect(area, back);
        painter.setPen(ink);
        for (ClueBlock& block : wordList_.Clues) {
            if (block.Bottom < area.top() || block.Top > area.bottom()) continue;
            if (static_cast<size_t>(block.Clue) >= puzzle_.Clues.size()) break;
            // Made for the clues painted only; a new width or clue font brings a layout without them.
            AddDotLeader(block, m, metrics_, fonts_);
            painter.setFont(clueFont);
            if (reaches(kLabelLeft, block.Top, m.TextLeft - kLabelLeft, L, L))
                DrawTextAt(painter, clueMetrics, kLabelLeft, block.Top, FromAnsi(block.Label));
            for (const TextLine& line : block.Lines)
                if (reaches(m.TextLeft, line.Y, metrics_.TextWidth(fonts_.Clue, line.Text), L, L))
                    DrawTextAt(painter, clueMetrics, m.TextLeft, line.Y, FromAnsi(line.Text));
            for (int32_t index : puzzle_.Clues[static_cast<size_t>(block.Clue)].Answer) {
                if (index < 1 || index > letterCount) continue;
                const LetterEntry& e = puzzle_.Letters[static_cast<size_t>(index)];
                const int x = e.AnswerPos.x;
                const int y = e.AnswerPos.y;
                const std::string number = std::to_string(index);
                const int numberWidth = metrics_.TextWidth(fonts_.Number, number);
                const int letterWidth = e.Entered == ' ' ? 0 : metrics_.TextWidth(fonts_.Letter, {&e.Entered, 1});
                const int numberLeft = x + (m.SlotWidth - numberWidth) / 2;
                const int letterLeft = x + (m.SlotWidth - letterWidth) / 2;
                const int left = std::min({x, numberLeft, letterLeft});
                const int right = std::max({x + m.SlotWidth, numberLeft + numberWidth, letterLeft + letterWidth});
                if (!reaches(left, y, right - left, slotHeight, kSlotInk)) continue;
                if (tinted && shownHighlight_.InWord(index)) painter.fillRect(SlotArea(index), tint);
                if (e.Entered != ' ') {
                    painter.setFont(letterFont);
                    DrawTextAt(painter, letterMetrics, letterLeft, y, FromAnsi(e.Entered));
                }
                if (ShowsWrongMark(index)) StrokeWrong(painter, SlotArea(index), ink);
                painter.drawLine(x, y + m.LineHeight, x + m.SlotWidth - 1, y + m.LineHeight);
                painter.setFont(numberFont);
                DrawTextAt(painter, numberMetrics, numberLeft, y + m.LineHeight + 1, QString::fromLatin1(number));
            }
        }
    }
}

void PuzzleScreen::PaintClueCursor(QWidget* surface)
{
    QPainter painter(surface);
    const bool active = cursor_.ActivePane == Pane::WordListPane;
    const WordListColors set = WordListColorsOf(colors_, active);
    const QColor fill = ToQColor(set.Cursor);
    const QColor outline = ToQColor(set.Font, ColorUse::Text);
    const QRect r = surface->rect();
    const bool wrong = ShowsWrongMark(cursor_.CurrentLetter);
    // Hollow: the slot's own background inside a frame of the cursor colour.
    const bool hollow = paneShape_ && !active;
    if (hollow) {
        const bool tinted = highlight_ && shownHighlight_.InWord(cursor_.CurrentLetter);
        painter.fillRect(r, tinted ? Tint(set.Cursor, set.Back, WordListColorsOf(colors_, true).Cursor)
                                   : ToQColor(set.Back));
        FillFrame(painter, r, 3, fill);
    } else {
        painter.fillRect(r, fill);
        painter.setPen(outline);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (!puzzle_.HasLetter(cursor_.CurrentLetter)) return;
    const char ch = puzzle_.Letters[static_cast<size_t>(cursor_.CurrentLetter)].Entered;
    if (ch == ' ') return;
    if (wrong) StrokeWrong(painter, r, ToQColor(hollow ? set.Font : set.CursorFont, ColorUse::Text));
    const QFont font = ToQFont(fonts_.Letter);
    painter.setFont(font);
    painter.setPen(ToQColor(hollow ? set.Font : set.CursorFont, ColorUse::Text));
    const QFontMetrics fm(font);
    const QString s = FromAnsi(ch);
    const Point at = CharacterOrigin(r.width(), r.height(), fm.horizontalAdvance(s), fm.height());
    DrawTextAt(painter, fm, at.x, at.y, s);
    if (hollow) return;
    painter.setPen(outline);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace qw
