#include "solve/qt/TCongratulationsForm.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QPushButton>

#include "platform/Prompts.h"

namespace qw {

namespace {

constexpr int kBannerWidth = 223;
constexpr int kBannerHeight = 28;
constexpr int kButtonHeight = 25;

QFont BannerFont()
{
    // Chancery-style faces first; a plain italic serif says the same thing where none is installed.
    QFont font;
    font.setStyleHint(QFont::Serif);
    font.setItalic(true);
    for (const char* name : {"Z003", "URW Chancery L", "TeX Gyre Chorus", "Liberation Serif", "DejaVu Serif"}) {
        font.setFamily(QString::fromLatin1(name));
        // The font system substitutes silently; the resolved family says whether the face exists
        // (it may carry a foundry suffix such as "Z003 [urw]").
        if (QFontInfo(font).family().startsWith(QString::fromLatin1(name), Qt::CaseInsensitive)) return font;
    }
    font.setFamily(QString());
    return font;
}

}  // namespace

QPixmap CongratulationsBanner()
{
    // As many pixels as the screen has per logical pixel, so the lettering stays sharp when scaled.
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QPixmap banner(QSize(kBannerWidth, kBannerHeight) * ratio);
    banner.setDevicePixelRatio(ratio);
    banner.fill(Qt::white);
    const QString text = QStringLiteral("Congratulations!");

    // The largest size whose text fits the banner with a little air around it.
    QFont font = BannerFont();
    int pixelSize = kBannerHeight;
    for (; pixelSize > 8; --pixelSize) {
        font.setPixelSize(pixelSize);
        const QFontMetrics metrics(font);
        const QRect ink = metrics.tightBoundingRect(text);
        if (ink.width() <= kBannerWidth - 8 && ink.height() <= kBannerHeight - 2) break;
    }
    font.setPixelSize(pixelSize);

    // Centred on the ink rather than the line box, so descenders and swashes stay inside.
    const QRect ink = QFontMetrics(font).tightBoundingRect(text);
    const QPoint baseline((kBannerWidth - ink.width()) / 2 - ink.left(), (kBannerHeight - ink.height()) / 2 - ink.top());
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    painter.setFont(font);
    painter.drawText(baseline, text);
    return banner;
}

TCongratulationsForm::TCongratulationsForm(const Puzzle& puzzle, std::function<void()> onInfo,
                                           std::function<void()> onEmail, QWidget* parent)
    : QDialog(parent), onInfo_(std::move(onInfo)), onEmail_(std::move(onEmail))
{
    setObjectName("CongratulationsForm");
    setWindowTitle("Congratulations!");
    QFont dialogFont("Arial");
    dialogFont.setPixelSize(13);
    setFont(dialogFont);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setGeometry(16, 8, 281, 97);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(2);
    Panel1->setAutoFillBackground(true);
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(white);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName("Image1");
    Image1->setGeometry(29, 24, kBannerWidth, kBannerHeight);
    Image1->setPixmap(CongratulationsBanner());
    Image1->setAccessibleName(QStringLiteral("Congratulations!"));  // a picture says nothing to a reader

    Label1 = new QLabel("You solved the puzzle!", Panel1);
    Label1->setObjectName("Label1");
    QFont labelFont = dialogFont;
    labelFont.setBold(true);
    labelFont.setItalic(true);
    Label1->setFont(labelFont);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setGeometry(8, 64, 265, QFontMetrics(labelFont).height());

    InfoBtn = new QPushButton("Additional &info for successful solvers", this);
    InfoBtn->setObjectName("InfoBtn");
    InfoBtn->setAutoDefault(false);
    EmailBtn = new QPushButton("Send &E-Mail to Author", this);
    EmailBtn->setObjectName("EmailBtn");
    EmailBtn->setAutoDefault(false);
    OKBtn = new QPushButton("O&K", this);
    OKBtn->setObjectName("OKBtn");
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(InfoBtn, &QPushButton::clicked, this, [this] {
        if (onInfo_) onInfo_();
    });
    connect(EmailBtn, &QPushButton::clicked, this, [this] {
        if (onEmail_) onEmail_();
    });

    const bool showEmail = !puzzle.AuthorAddress.empty();
    const bool showInfo = puzzle.HasSolverInfo();
    EmailBtn->setVisible(showEmail);
    InfoBtn->setVisible(showInfo);
    EmailBtn->setEnabled(static_cast<bool>(onEmail_));
    InfoBtn->setEnabled(static_cast<bool>(onInfo_));
    if (showEmail) designHeight_ += kButtonHeight + 8;
    if (showInfo) designHeight_ += kButtonHeight + 8;

    // InfoBtn stays under the panel; EmailBtn and OKBtn keep their distance to the bottom edge.
    const int clientHeight = designHeight_ - kFrameAllowance;
    setFixedSize(kClientWidth, clientHeight);
    InfoBtn->setGeometry(16, 112, 281, kButtonHeight);
    EmailBtn->setGeometry(16, clientHeight - 45 - kButtonHeight, 281, kButtonHeight);
    OKBtn->setGeometry(223, clientHeight - 9 - kButtonHeight, 75, kButtonHeight);
}

void ShowCongratulations(Prompts& prompts, QWidget* parent, const Puzzle& puzzle, std::function<void()> onInfo,
                         std::function<void()> onEmail)
{
    TCongratulationsForm dialog(puzzle, std::move(onInfo), std::move(onEmail), parent);
    prompts.Exec(dialog);
}

}  // namespace qw
