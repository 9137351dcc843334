#include "info/qt/TAboutBox.h"

#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionFrame>

#include "info/Mail.h"
#include "info/qt/InfoCommands.h"
#include "platform/Prompts.h"

namespace qw {

namespace {

QFont SansSerif(int pointSize, int pixelSize, bool bold)
{
    // The classic dialog face where it exists, else the Arial-compatible face of similar width.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    if (pixelSize > 0) font.setPixelSize(pixelSize);
    else font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

// The program's icon when it is shipped; otherwise a small grid with a filled letter square.
QPixmap ProgramPixmap()
{
    for (const QString& path : {QStringLiteral(":/icons/quotewell.svg"), QStringLiteral(":/icons/quotewell.png")}) {
        if (!QFile::exists(path)) continue;
        const QPixmap pixmap = QIcon(path).pixmap(32, 32);
        if (!pixmap.isNull()) return pixmap;
    }
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRect square(1 + column * 10, 1 + row * 10, 10, 10);
            painter.setBrush((row + column) % 4 == 3 ? QColor(Qt::black) : QColor(Qt::white));
            painter.drawRect(square);
        }
    }
    painter.fillRect(QRect(12, 12, 9, 9), QColor(0, 200, 0));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(11, 11, 11, 11), Qt::AlignCenter, QStringLiteral("Q"));
    return pixmap;
}

QLabel* CentredLabel(QWidget* panel, const QString& text, const QFont& font, int y)
{
    auto* label = new QLabel(text, panel);
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(0, y, panel->width(), QFontMetrics(font).height() + 2);
    return label;
}

}  // namespace

TAboutBox::TAboutBox(Shell& shell, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), shell_(shell)
{
    setObjectName("AboutBox");
    setWindowTitle(QStringLiteral("About Quotewell"));
    setFixedSize(326, 200);

    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setGeometry(8, 8, 313, 153);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setLineWidth(1);
    auto* inner = new QFrame(panel);
    inner->setGeometry(1, 1, 311, 151);
    inner->setFrameShape(QFrame::Panel);
    inner->setFrameShadow(QFrame::Raised);
    inner->setLineWidth(1);
    inner->setAttribute(Qt::WA_TransparentForMouseEvents);

    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName("ProgramIcon");
    ProgramIcon->setGeometry(8, 11, 32, 32);
    ProgramIcon->setPixmap(ProgramPixmap());

    ProductName = new QLabel(QStringLiteral("Quotewell"), panel);
    ProductName->setObjectName("ProductName");
    ProductName->setFont(SansSerif(0, 24, true));
    ProductName->setStyleSheet(QStringLiteral("color: black"));
    ProductName->move(56, 10);
    ProductName->adjustSize();

    Label1 = CentredLabel(panel, QStringLiteral("By Tamarisk"), SansSerif(8, 0, true), 56);
    Label1->setObjectName("Label1");
    Notice = CentredLabel(panel, QStringLiteral("Free to use and to share with other solvers."),
                          SansSerif(8, 0, true), 80);
    Notice->setObjectName("Notice");

    QFont linkFont = SansSerif(8, 0, true);
    linkFont.setUnderline(true);
    QString linkText = QString::fromLatin1(kHomePageUrl);
    linkText.remove(QStringLiteral("https://"));
    Comments = CentredLabel(panel, linkText, linkFont, 104);
    Comments->setObjectName("Comments");
    Comments->setStyleSheet(QStringLiteral("color: blue"));
    // Only the text is the link, not the whole width of the panel.
    Comments->adjustSize();
    Comments->move((panel->width() - Comments->width()) / 2, 104);
    Comments->setCursor(Qt::PointingHandCursor);
    Comments->setToolTip(QString::fromLatin1(kHomePageUrl));
    Comments->installEventFilter(this);

    Label2 = CentredLabel(panel, QStringLiteral("Version 2.1"), SansSerif(8, 0, true), 128);
    Label2->setObjectName("Label2");

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName("OKButton");
    OKButton->setGeometry(126, 168, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::Show(Prompts& prompts, Shell& shell, QWidget* parent)
{
    TAboutBox box(shell, parent);
    if (parent) {
        QRect frame = box.frameGeometry();
        frame.moveCenter(parent->window()->frameGeometry().center());
        box.move(frame.topLeft());
    }
    prompts.Exec(box);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Comments && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        OpenHomePage(shell_);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // No title bar, so the box draws its own dialog border.
    QPainter painter(this);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = rect();
    option.lineWidth = 2;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Raised;
    option.frameShape = QFrame::WinPanel;
    style()->drawControl(QStyle::CE_ShapedFrame, &option, &painter, this);
}

}  // namespace qw
