#include "print/qt/PrinterOptionsForm.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>

#include "platform/Prompts.h"
#include "platform/QtConvert.h"
#include "platform/SettingsStore.h"
#include "print/qt/SamplePagePicture.h"

namespace qw {

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QString kClueKey = QStringLiteral("Quotewell\\PrinterClueFont");
const QString kAnswerKey = QStringLiteral("Quotewell\\PrinterAnswerNumberFont");
const QString kOptionsKey = QStringLiteral("Quotewell\\PrintOptions");

QLabel* Swatch(QWidget* parent, const QColor& color, int x, int y)
{
    auto* square = new QLabel(parent);
    square->setGeometry(x, y, 25, 25);
    square->setAutoFillBackground(true);
    QPalette palette = square->palette();
    palette.setColor(QPalette::Window, color);
    square->setPalette(palette);
    square->setFrameShape(QFrame::Box);
    return square;
}

}  // namespace

PrinterOptions ReadPrinterOptions(SettingsStore& store)
{
    PrinterOptions options;
    options.clueFont = ReadFontSetting(store, kClueKey, FontSpec{});
    options.answerNumberFont = ReadFontSetting(store, kAnswerKey, FontSpec{});
    store.OpenKey(kOptionsKey, true);
    options.spacesGray = store.ReadIntegerDefault(QStringLiteral("Color"), 1) == 2;
    store.CloseKey();
    return options;
}

OutlineRect::OutlineRect(QWidget* parent) : QWidget(parent), color_(kRed)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab and chosen with Space or Enter too: a font is no mouse-only choice.
    setFocusPolicy(Qt::StrongFocus);
}

void OutlineRect::SetColor(const QColor& color)
{
    color_ = color;
    update();
}

void OutlineRect::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(color_, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        painter.setPen(QPen(color_, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

void OutlineRect::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    emit Hovered();  // the hint names what Space would change
}

void OutlineRect::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit Clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void OutlineRect::mouseMoveEvent(QMouseEvent*) { emit Hovered(); }
void OutlineRect::enterEvent(QEnterEvent*) { emit Hovered(); }

void OutlineRect::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint())) emit Clicked();
}

TPrinterOptionsForm::TPrinterOptionsForm(SettingsStore& store, Prompts& prompts, QWidget* parent)
    : TPrinterOptionsForm(store, prompts, ReadPrinterOptions(store), parent)
{
}

TPrinterOptionsForm::TPrinterOptionsForm(SettingsStore& store, Prompts& prompts, const PrinterOptions& stored,
                                         QWidget* parent)
    : QDialog(parent), store_(store), prompts_(prompts)
{
    setObjectName(QStringLiteral("PrinterOptionsForm"));
    setWindowTitle(QStringLiteral("Printer Options"));
    setFixedSize(456, 663);
    setMouseTracking(true);
    installEventFilter(this);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(4, 4, 448, 622);

    FontsPage = new QWidget;
    FontsPage->setObjectName(QStringLiteral("FontsPage"));
    FontsPage->setMouseTracking(true);
    FontsPage->installEventFilter(this);
    PageControl1->addTab(FontsPage, QStringLiteral("Fonts"));

    Label1 = new QLabel(QStringLiteral("Select the area whose font you want to change:"), FontsPage);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setGeometry(16, 4, 412, 18);

    Image1 = new QLabel(FontsPage);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 24, 412, 532);
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);

    ClueRect = new OutlineRect(FontsPage);
    ClueRect->setObjectName(QStringLiteral("ClueRect"));
    ClueRect->setGeometry(32, 219, 193, 296);
    ClueRect->setToolTip(QString::fromLatin1(kClueHint));
    ClueRect->setAccessibleName(QString::fromLatin1(kClueHint));
    AnswerRect = new OutlineRect(FontsPage);
    AnswerRect->setObjectName(QStringLiteral("AnswerRect"));
    AnswerRect->setGeometry(231, 219, 178, 296);
    AnswerRect->setToolTip(QString::fromLatin1(kAnswerHint));
    AnswerRect->setAccessibleName(QString::fromLatin1(kAnswerHint));

    MouseStatusLabel = new QLabel(FontsPage);
    MouseStatusLabel->setObjectName(QStringLiteral("MouseStatusLabel"));
    MouseStatusLabel->setGeometry(32, 528, 377, 18);
    MouseStatusLabel->setAutoFillBackground(true);
    QPalette white = MouseStatusLabel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    MouseStatusLabel->setPalette(white);

    RestoreBtn = new QPushButton(QStringLiteral("Restore Default Fonts for Page"), FontsPage);
    RestoreBtn->setObjectName(QStringLiteral("RestoreBtn"));
    RestoreBtn->setGeometry(16, 563, 220, 25);
    RestoreBtn->setAutoDefault(false);

    ShadingPage = new QWidget;
    ShadingPage->setObjectName(QStringLiteral("ShadingPage"));
    PageControl1->addTab(ShadingPage, QStringLiteral("Shading"));
    Label2 = new QLabel(QStringLiteral("Spaces in the diagram are traditionally shown as black squares. You can "
                                       "save ink or toner by printing them as gray instead."),
                        ShadingPage);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label2->setGeometry(16, 16, 400, 48);
    auto* spaces = new QGroupBox(QStringLiteral("Spaces"), ShadingPage);
    spaces->setObjectName(QStringLiteral("GroupBox1"));
    spaces->setGeometry(16, 80, 400, 110);
    RadioButton1 = new QRadioButton(QStringLiteral("Show spaces as black"), spaces);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(56, 30, 300, 25);
    Swatch(spaces, Qt::black, 20, 30);
    RadioButton2 = new QRadioButton(QStringLiteral("Show spaces as gray"), spaces);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(56, 68, 300, 25);
    Swatch(spaces, QColor(192, 192, 192), 20, 68);

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(288, 632, 75, 25);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(372, 632, 75, 25);
    CancelBtn->setAutoDefault(false);

    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(RestoreBtn, &QPushButton::clicked, this, &TPrinterOptionsForm::RestoreBtnClick);
    connect(ClueRect, &OutlineRect::Clicked, this, &TPrinterOptionsForm::ClueRectClick);
    connect(AnswerRect, &OutlineRect::Clicked, this, &TPrinterOptionsForm::AnswerRectClick);
    connect(ClueRect, &OutlineRect::Hovered, this,
            [this] { MouseStatusLabel->setText(QString::fromLatin1(kClueHint)); });
    connect(AnswerRect, &OutlineRect::Hovered, this,
            [this] { MouseStatusLabel->setText(QString::fromLatin1(kAnswerHint)); });

    clueFont_ = stored.clueFont;
    answerNumberFont_ = stored.answerNumberFont;
    RadioButton2->setChecked(stored.spacesGray);
    if (!RadioButton2->isChecked()) RadioButton1->setChecked(true);
    Remember();
}

PrinterOptions TPrinterOptionsForm::Options() const
{
    return PrinterOptions{clueFont_, answerNumberFont_, RadioButton2->isChecked()};
}

void TPrinterOptionsForm::Remember()
{
    savedGray_ = RadioButton2->isChecked();
    savedClueFont_ = clueFont_;
    savedAnswerNumberFont_ = answerNumberFont_;
}

void TPrinterOptionsForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        // Drawn when first shown rather than with the main window, whose start-up it would
        // otherwise lengthen by a third. The picture is placed so that its two columns fall under
        // the two rectangles.
        if (Image1->pixmap().isNull())
            Image1->setPixmap(QPixmap::fromImage(RenderSamplePage({QSize(412, 532), 228 - 16, 222 - 24}, devicePixelRatioF())));
        MouseStatusLabel->clear();
        Remember();
    }
    QDialog::showEvent(event);
}

bool TPrinterOptionsForm::eventFilter(QObject* watched, QEvent* event)
{
    // The pointer over the picture or the bare dialog, away from the rectangles, clears the hint.
    if (event->type() == QEvent::MouseMove && (watched == Image1 || watched == FontsPage || watched == this))
        MouseStatusLabel->clear();
    return QDialog::eventFilter(watched, event);
}

void TPrinterOptionsForm::ChooseFontFor(OutlineRect* rect, FontSpec& font, int maxPointSize)
{
    ClueRect->SetColor(kRed);
    AnswerRect->SetColor(kRed);
    rect->SetColor(kGreen);
    FontDialogOptions options;
    options.noEffects = true;
    options.maxPointSize = maxPointSize;
    const std::optional<QFont> chosen = prompts_.ChooseFont(ToQFont(font), options);
    if (!chosen) return;
    FontSpec fontSpec = FromQFont(*chosen);
    if (maxPointSize > 0 && fontSpec.pointSize > maxPointSize) fontSpec.pointSize = maxPointSize;
    font = fontSpec;
}

void TPrinterOptionsForm::ClueRectClick() { ChooseFontFor(ClueRect, clueFont_, 0); }
void TPrinterOptionsForm::AnswerRectClick() { ChooseFontFor(AnswerRect, answerNumberFont_, 10); }

void TPrinterOptionsForm::RestoreBtnClick()
{
    clueFont_ = FontSpec{"Arial", 10, 0};
    answerNumberFont_ = FontSpec{"Arial", 6, 0};
}

void TPrinterOptionsForm::Store()
{
    store_.OpenKey(kOptionsKey, true);
    store_.WriteInteger(QStringLiteral("Color"), RadioButton2->isChecked() ? 2 : 1);
    store_.CloseKey();
    WriteFontSetting(store_, kClueKey, clueFont_);
    WriteFontSetting(store_, kAnswerKey, answerNumberFont_);
    // A store that cannot be written must not look as if it took the options.
    if (!store_.Sync())
        prompts_.Error(QStringLiteral("The printer options could not be saved to %1.").arg(store_.FileName()));
}

void TPrinterOptionsForm::done(int result)
{
    if (result == QDialog::Accepted) {
        Store();
    } else {
        RadioButton2->setChecked(savedGray_);
        RadioButton1->setChecked(!savedGray_);
        clueFont_ = savedClueFont_;
        answerNumberFont_ = savedAnswerNumberFont_;
    }
    QDialog::done(result);
}

}  // namespace qw
