#include "view/qt/TColorDlg.h"

#include <QFrame>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <functional>

#include "platform/Prompts.h"
#include "platform/QtConvert.h"
#include "print/DiagramSquare.h"
#include "view/DiagramLayout.h"
#include "view/qt/PainterSurface.h"

namespace qw {

namespace {

struct TabInfo {
    const char* caption;
    const char* name;
    int first;  // first colour of the tab's set, in storage order
    bool diagram;
    bool active;
    const char* restoreCaption;
};

const TabInfo kTabs[4] = {
    {"&Diagram - Active", "DiagramActiveTab", DiaActBack, true, true, "&Restore Active Diagram Defaults"},
    {"Diagram - &Inactive", "DiagramInactiveTab", DiaInactBack, true, false, "&Restore Inactive Diagram Defaults"},
    {"&Clues - Active", "CluesActiveTab", ClueActBack, false, true, "&Restore Active Clue Defaults"},
    {"Clues - &Inactive", "CluesInactiveTab", ClueInactBack, false, false, "&Restore Inactive Clue Defaults"},
};

// In the set's storage order; the buttons stand in columns of two in this order.
const char* const kDiagramCaptions[6] = {"Bac&kground", "&Font", "&Blank Squares", "C&ursor", "&Letter Squares",
                                         "Cursor Fon&t"};
const char* const kClueCaptions[4] = {"Bac&kground", "&Font", "C&ursor", "Cursor Fon&t"};

int SetSize(const TabInfo& tab) { return tab.diagram ? 6 : 4; }

class PaintBox : public QWidget {
public:
    PaintBox(QWidget* parent, const QString& name, std::function<void(QPainter&)> paint)
        : QWidget(parent), paint_(std::move(paint))
    {
        setObjectName(name);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        paint_(painter);
    }

private:
    std::function<void(QPainter&)> paint_;
};

void SetBackground(QWidget* widget, uint32_t color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont DialogFont(bool bold)
{
    // The classic dialog face where it exists, else the Arial-compatible face of similar width.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    font.setBold(bold);
    return font;
}

QFont PreviewFont()
{
    QFont font = DialogFont(true);
    font.setPointSize(12);
    return font;
}

QFont Arial(int pointSize, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

// Text placed by its top-left corner, as the mock-up's coordinates are given.
void TextAt(QPainter& painter, int x, int y, const QString& text)
{
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

}  // namespace

TColorDlg::TColorDlg(const ColorScheme& live, Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts), held_(live)
{
    setObjectName("ColorDlg");
    setWindowTitle(QStringLiteral("Colors"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    setFixedSize(485, 255);
    setFont(DialogFont(true));

    PageControl = new QTabWidget(this);
    PageControl->setObjectName("PageControl");
    PageControl->setGeometry(8, 8, 469, 206);
    QWidget** tabs[4] = {&DiagramActiveTab, &DiagramInactiveTab, &CluesActiveTab, &CluesInactiveTab};
    for (int tab = 0; tab < 4; ++tab) {
        *tabs[tab] = MakeTab(tab);
        PageControl->addTab(*tabs[tab], QString::fromLatin1(kTabs[tab].caption));
    }
    PageControl->setCurrentIndex(0);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setGeometry(316, 222, 75, 25);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName("CancelBtn");
    CancelBtn->setGeometry(402, 222, 75, 25);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    RefreshPreviews();
}

QWidget* TColorDlg::MakeTab(int tab)
{
    const TabInfo& info = kTabs[tab];
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(info.name));
    constexpr int kPageWidth = 465;

    previewPanels_[tab] = static_cast<QFrame*>(info.diagram ? MakeDiagramPreview(page, info.active)
                                                            : MakeCluePreview(page, info.active));
    previewPanels_[tab]->move((kPageWidth - 261) / 2, 10);

    const int columns = SetSize(info) / 2;
    constexpr int kButtonWidth = 142;
    constexpr int kGap = 10;
    const int left = (kPageWidth - columns * kButtonWidth - (columns - 1) * kGap) / 2;
    for (int offset = 0; offset < SetSize(info); ++offset) {
        const int index = info.first + offset;
        const char* caption = info.diagram ? kDiagramCaptions[offset] : kClueCaptions[offset];
        auto* button = new QPushButton(QString::fromLatin1(caption), page);
        button->setObjectName(QString::fromLatin1(kColorNames[index]) + QStringLiteral("Btn"));
        // The swatch stands to the right of the caption.
        button->setLayoutDirection(Qt::RightToLeft);
        button->setIconSize(QSize(16, 16));
        button->setGeometry(left + (offset / 2) * (kButtonWidth + kGap), 68 + (offset % 2) * 31, kButtonWidth, 25);
        connect(button, &QPushButton::clicked, this, [this, index] { ChooseColor(static_cast<ColorIndex>(index)); });
        ColorButtons[static_cast<size_t>(index)] = button;
    }

    auto* restore = new QPushButton(QString::fromLatin1(info.restoreCaption), page);
    restore->setObjectName(QStringLiteral("Restore%1Btn").arg(tab));
    restore->setFont(DialogFont(false));
    restore->setGeometry((kPageWidth - 240) / 2, 138, 240, 25);
    connect(restore, &QPushButton::clicked, this, [this, tab] { Restore(tab); });
    RestoreButtons[static_cast<size_t>(tab)] = restore;
    return page;
}

QWidget* TColorDlg::MakeDiagramPreview(QWidget* page, bool active)
{
    auto* panel = new QFrame(page);
    panel->setObjectName(active ? "ActiveBackgroundPanel" : "InactiveBackgroundPanel");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->resize(261, 45);

    auto* strip = new QWidget(panel);
    strip->setObjectName(active ? "ActiveSquarePanel" : "InactiveSquarePanel");
    strip->setGeometry(10, 10, 241, 25);
    squarePanels_[active ? 0 : 1] = strip;

    auto* squares = new PaintBox(strip, active ? "PaintBox1" : "PaintBox3",
                                 [this, active](QPainter& painter) { PaintDiagramSquares(painter, active); });
    squares->setGeometry(0, 0, 241, 25);
    auto* cursor = new PaintBox(strip, active ? "PaintBox2" : "PaintBox4",
                                [this, active](QPainter& painter) { PaintDiagramCursor(painter, active); });
    cursor->setGeometry(active ? 73 : 121, 1, 23, 23);
    paintBoxes_.push_back(squares);
    paintBoxes_.push_back(cursor);
    return panel;
}

QWidget* TColorDlg::MakeCluePreview(QWidget* page, bool active)
{
    auto* panel = new QFrame(page);
    panel->setObjectName(active ? "ActiveCluePanel" : "InactiveCluePanel");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->resize(261, 45);
    auto* box = new PaintBox(panel, active ? "PaintBox5" : "PaintBox6",
                             [this, active](QPainter& painter) { PaintCluePreview(painter, active); });
    box->setGeometry(2, 2, 257, 41);
    paintBoxes_.push_back(box);
    return panel;
}

void TColorDlg::PaintDiagramSquares(QPainter& painter, bool active) const
{
    const DiagramColors set = DiagramColorsOf(held_, active);
    const std::string_view text = active ? " ACTIVE   " : " INACTIVE ";
    PainterSurface surface(painter, ColorUse::Background, false);
    surface.SetQtFont(PreviewFont());
    // Squares of the screen's geometry at a side of 25, neighbours sharing their border line,
    // outlined in the blank squares' colour; a blank square is filled with it.
    constexpr int kSide = 25;
    for (size_t i = 0; i < text.size(); ++i) {
        const Point o = SquareOrigin(kSide, 0, static_cast<int>(i));
        const char ch = text[i];
        const SquareLook look{set.Blank, ch == ' ' ? std::optional<uint32_t>(set.Blank) : std::nullopt, set.Font};
        PaintSquare(surface, {o.x, o.y, o.x + kSide - 1, o.y + kSide - 1}, look, ch);
    }
}

void TColorDlg::PaintDiagramCursor(QPainter& painter, bool active) const
{
    // The mark covers the inside of a square whose outline lies one pixel outside it.
    const DiagramColors set = DiagramColorsOf(held_, active);
    PainterSurface surface(painter, ColorUse::Background, false);
    surface.SetQtFont(PreviewFont());
    PaintSquare(surface, {-1, -1, 23, 23}, {std::nullopt, set.Cursor, set.CursorFont}, 'T');
}

void TColorDlg::PaintCluePreview(QPainter& painter, bool active) const
{
    const WordListColors set = WordListColorsOf(held_, active);
    const QColor back = ToQColor(set.Back);
    const QColor font = ToQColor(set.Font);
    painter.fillRect(0, 0, 257, 41, back);
    painter.setPen(font);

    painter.setFont(Arial(10, false));
    TextAt(painter, 8, 10, QStringLiteral("A."));
    TextAt(painter, painter.fontMetrics().horizontalAdvance(QStringLiteral("WW.   ")), 10, QStringLiteral("Clue   ....."));

    QFont small = Arial(10, false);
    small.setPointSizeF(7.5);  // three quarters of 10
    painter.setFont(small);
    TextAt(painter, 120, 27, QStringLiteral("105"));
    TextAt(painter, 158, 27, QStringLiteral("28"));
    TextAt(painter, 193, 27, QStringLiteral("50"));
    TextAt(painter, 228, 27, QStringLiteral("66"));

    painter.setFont(Arial(10, true));
    TextAt(painter, 123, 9, QStringLiteral("H"));
    TextAt(painter, 160, 9, QStringLiteral("I"));
    TextAt(painter, 228, 9, QStringLiteral("T"));

    const QRect mark(189, 9, 15, 15);  // (189, 9) to (205, 25), right and bottom edges excluded
    painter.setBrush(ToQColor(set.Cursor));
    painter.drawRect(mark);
    painter.setPen(ToQColor(set.CursorFont));
    TextAt(painter, 193, 9, QStringLiteral("N"));
    painter.setPen(font);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(mark);

    for (int k = 0; k < 4; ++k) painter.drawLine(115 + 35 * k, 25, 139 + 35 * k, 25);
}

QPixmap TColorDlg::Swatch(uint32_t color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color == kButtonFace ? QColor(Qt::white) : ToQColor(kButtonFace));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(ToQColor(color));
    painter.drawRect(1, 1, 13, 13);
    return pixmap;
}

void TColorDlg::ChooseColor(ColorIndex index)
{
    const std::optional<QColor> chosen = prompts_.ChooseColor(ToQColor(held_[index]));
    if (!chosen) return;
    held_[index] = FromQColor(*chosen);
    RefreshPreviews();
}

void TColorDlg::Restore(int tab)
{
    const TabInfo& info = kTabs[tab];
    for (int offset = 0; offset < SetSize(info); ++offset)
        held_.colors[static_cast<size_t>(info.first + offset)] = kDefaultColors[static_cast<size_t>(info.first + offset)];
    RefreshPreviews();
}

void TColorDlg::RefreshPreviews()
{
    for (size_t i = 0; i < ColorButtons.size(); ++i)
        if (ColorButtons[i]) ColorButtons[i]->setIcon(QIcon(Swatch(held_.colors[i])));
    for (int tab = 0; tab < 4; ++tab) SetBackground(previewPanels_[tab], held_.colors[kTabs[tab].first]);
    SetBackground(squarePanels_[0], held_[DiaActLetter]);
    SetBackground(squarePanels_[1], held_[DiaInactLetter]);
    for (QWidget* box : paintBoxes_) box->update();
}

std::optional<FontSpec> ChooseScreenClueFont(Prompts& prompts, const FontSpec& current)
{
    FontDialogOptions options;
    options.noEffects = true;
    options.maxPointSize = 0;
    options.scalableOnly = true;
    const std::optional<QFont> chosen = prompts.ChooseFont(ToQFont(current), options);
    if (!chosen) return std::nullopt;
    return FromQFont(*chosen);
}

}  // namespace qw
