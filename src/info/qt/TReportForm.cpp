#include "info/qt/TReportForm.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "info/Mail.h"
#include "platform/Prompts.h"
#include "platform/QtConvert.h"
#include "platform/Shell.h"

namespace qw {

namespace {

void UncheckAll(QButtonGroup* group)
{
    // An exclusive group refuses to leave every button unchecked.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) button->setChecked(false);
    group->setExclusive(true);
}

}  // namespace

TReportForm::TReportForm(Prompts& prompts, Shell& shell, QWidget* parent)
    : QDialog(parent), prompts_(prompts), shell_(shell)
{
    setObjectName("ReportForm");
    setWindowTitle(QStringLiteral("Editorial Report"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    setFixedSize(666, 558);

    RadioGroup1 = new QGroupBox(QStringLiteral(" Publish? "), this);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(16, 8, 634, 112);
    publishGroup_ = new QButtonGroup(this);
    const QString publishItems[] = {QStringLiteral("No (comments are encouraged if you select No)"),
                                    QStringLiteral("Yes, but only if comments below taken into account"),
                                    QStringLiteral("Yes")};
    for (int i = 0; i < 3; ++i) {
        auto* item = new QRadioButton(publishItems[i], RadioGroup1);
        item->setObjectName(QStringLiteral("PublishItem%1").arg(i));
        item->setGeometry(16, 24 + i * 28, 600, 22);
        publishGroup_->addButton(item, i);
    }
    connect(publishGroup_, &QButtonGroup::idToggled, this, [this] { UpdateSendButtons(); });

    GroupBox1 = new QGroupBox(QStringLiteral(" Difficulty Rating "), this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(16, 128, 634, 56);
    ratingGroup_ = new QButtonGroup(this);
    QRadioButton** ratingButtons[] = {&RadioButton1, &RadioButton2, &RadioButton3, &RadioButton4, &RadioButton5};
    const QString ratingCaptions[] = {QStringLiteral("1 (Easiest)"), QStringLiteral("2"), QStringLiteral("3"),
                                      QStringLiteral("4"), QStringLiteral("5 (Hardest)")};
    for (int i = 0; i < 5; ++i) {
        auto* button = new QRadioButton(ratingCaptions[i], GroupBox1);
        button->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        button->setGeometry(16 + i * 122, 24, 116, 22);
        ratingGroup_->addButton(button, i + 1);  // the id is the rating
        *ratingButtons[i] = button;
    }

    Label1 = new QLabel(QStringLiteral("Comments (if commenting on clues, please include Clue Number):"), this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(16, 192, 634, 18);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setGeometry(16, 212, 634, 210);
    Memo1->setTabChangesFocus(true);
    Label1->setBuddy(Memo1);

    GroupBox2 = new QGroupBox(QStringLiteral(" Send "), this);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setGeometry(16, 430, 520, 116);
    SendToConstBtn = new QPushButton(QStringLiteral("Send report to constructor"), GroupBox2);
    SendToConstBtn->setObjectName("SendToConstBtn");
    SendToConstBtn->setGeometry(12, 22, 496, 25);
    SendToMakerBtn = new QPushButton(QStringLiteral("Send report to &Tamarisk (the program's maker)"), GroupBox2);
    SendToMakerBtn->setObjectName("SendToMakerBtn");
    SendToMakerBtn->setGeometry(12, 52, 496, 25);
    MakerNote = new QLabel(QStringLiteral("Please do not edit the message generated for Tamarisk: it is laid out "
                                          "to fit into a spreadsheet."),
                           GroupBox2);
    MakerNote->setObjectName("MakerNote");
    MakerNote->setWordWrap(true);
    MakerNote->setGeometry(12, 80, 496, 32);
    connect(SendToConstBtn, &QPushButton::clicked, this, &TReportForm::SendToConstBtnClick);
    connect(SendToMakerBtn, &QPushButton::clicked, this, &TReportForm::SendToMakerBtnClick);

    ExitBtn = new QPushButton(QStringLiteral("E&xit"), this);
    ExitBtn->setObjectName("ExitBtn");
    ExitBtn->setGeometry(560, 521, 90, 25);
    connect(ExitBtn, &QPushButton::clicked, this, &QDialog::hide);
    // Enter in the form must never send a message by itself.
    for (QPushButton* button : {SendToConstBtn, SendToMakerBtn, ExitBtn}) button->setAutoDefault(false);

    ResetChoices();
}

int TReportForm::PublishIndex() const { return publishGroup_->checkedId(); }

int TReportForm::Rating() const
{
    const int id = ratingGroup_->checkedId();
    return id > 0 ? id : 0;
}

void TReportForm::ShowFor(const std::string& fileName, const std::string& authorAddress)
{
    const size_t slash = fileName.find_last_of("/\\");
    fileName_ = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    constructorAddress_ = authorAddress;
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    if (QWidget* main = parentWidget() ? parentWidget()->window() : nullptr) {
        QRect frame = frameGeometry();
        frame.moveCenter(main->frameGeometry().center());
        move(frame.topLeft());
    }
    show();
    raise();
    activateWindow();
}

void TReportForm::showEvent(QShowEvent* event)
{
    // A restore from the minimised state is not a new showing: the choices stay.
    if (!event->spontaneous()) ResetChoices();
    QDialog::showEvent(event);
}

void TReportForm::ResetChoices()
{
    UncheckAll(publishGroup_);
    UncheckAll(ratingGroup_);
    Memo1->clear();
    SendToConstBtn->setText(constructorAddress_.empty()
                                ? QStringLiteral("Send report to constructor")
                                : QStringLiteral("Send report to constructor '") + FromAnsi(constructorAddress_) +
                                      QStringLiteral("'"));
    sentToConstructor_ = 0;
    UpdateSendButtons();
}

void TReportForm::UpdateSendButtons()
{
    const bool chosen = publishGroup_->checkedId() >= 0;
    SendToConstBtn->setEnabled(chosen);
    SendToMakerBtn->setEnabled(chosen);
}

bool TReportForm::AskForAddress()
{
    for (;;) {
        const std::optional<QString> typed = prompts_.InputBox(
            QStringLiteral("Email address"), QStringLiteral("Enter the constructors'email address:"),
            FromAnsi(constructorAddress_));
        if (!typed) return false;
        const QString text = typed->trimmed();
        if (text.isEmpty()) return false;
        const std::string address = ToAnsi(text);
        if (IsValidAddress(address)) {
            constructorAddress_ = address;
            return true;
        }
        constructorAddress_.clear();
        if (!prompts_.WarnYesNo(text + QStringLiteral(" is not a valid email address. Try again?"))) return false;
    }
}

void TReportForm::SendToConstBtnClick()
{
    if (PublishIndex() < 0) return;
    if (constructorAddress_.empty() && !AskForAddress()) return;
    std::vector<std::string> lines;
    const QString text = Memo1->toPlainText();
    if (!text.isEmpty()) {
        QStringList split = text.split(QLatin1Char('\n'));
        // A final line break ends the last line rather than starting an empty one.
        if (split.size() > 1 && split.back().isEmpty()) split.removeLast();
        for (const QString& line : split) lines.push_back(ToAnsi(line));
    }
    shell_.OpenUrl(ConstructorReportUrl(constructorAddress_, fileName_, PublishIndex(), Rating(), lines));
    sentToConstructor_ = 1;
}

void TReportForm::SendToMakerBtnClick()
{
    if (PublishIndex() < 0) return;
    QString text = Memo1->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    shell_.OpenUrl(
        MakerReportUrl(kMakerReportAddress, fileName_, sentToConstructor_, PublishIndex(), Rating(), ToAnsi(text)));
}

}  // namespace qw
