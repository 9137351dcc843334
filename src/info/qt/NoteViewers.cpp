#include "info/qt/NoteViewers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextLayout>
#include <QVBoxLayout>
#include <cmath>

#include "info/ViewerSizing.h"
#include "platform/Prompts.h"
#include "platform/QtConvert.h"

namespace qw {

namespace {
const QSize kSolversDesignSize(870, 640);
}  // namespace

QFont NoteFont(const PuzzleNote& note, const QFont& base)
{
    QFont font(base);
    if (!note.FontName.empty()) font.setFamily(FromAnsi(note.FontName));
    if (note.FontHeight < 0) {
        font.setPixelSize(-note.FontHeight);
    } else if (note.FontHeight > 0) {
        // A cell height includes the internal leading; scale the em size so the cell comes out right.
        font.setPixelSize(note.FontHeight);
        const int cell = QFontMetrics(font).height();
        if (cell > 0 && cell != note.FontHeight)
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(note.FontHeight) * note.FontHeight / cell))));
    }
    font.setBold(note.Bold);
    font.setItalic(note.Italic);
    font.setUnderline(note.Underline);
    font.setStrikeOut(note.StrikeOut);
    return font;
}

NoteViewer::NoteViewer(Prompts& prompts, QWidget* parent) : QDialog(parent), prompts_(prompts)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Memo1 = new QTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setAcceptRichText(false);
    Memo1->setUndoRedoEnabled(false);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setTextInteractionFlags(Qt::NoTextInteraction);
    Memo1->setContextMenuPolicy(Qt::NoContextMenu);
    // The sizing rule allows 4 pixels of margin on each side of the text.
    Memo1->document()->setDocumentMargin(4);
    Memo1->installEventFilter(this);
    Memo1->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}

bool NoteViewer::HasNote() const { return present_; }

bool NoteViewer::ShowNote()
{
    if (!HasNote()) return false;
    BeforeShow();
    prompts_.Exec(*this);
    return true;
}

void NoteViewer::ApplyLook(const PuzzleNote& note)
{
    present_ = NotePresent(note);
    setWindowTitle(FromAnsi(note.Caption));
    QPalette palette = Memo1->palette();
    const QColor back = ToQColor(static_cast<uint32_t>(note.Color));
    const QColor text = ToQColor(static_cast<uint32_t>(note.FontColor), ColorUse::Text);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, back);
        palette.setColor(group, QPalette::Window, back);
        palette.setColor(group, QPalette::Text, text);
    }
    Memo1->setPalette(palette);
    Memo1->setFont(NoteFont(note, QApplication::font()));
}

void NoteViewer::SetText(const QString& text)
{
    Memo1->setPlainText(text);
    // The window is sized from the font's text height; the text layout would otherwise round each
    // line up to the next pixel and push the last line out of sight.
    QTextBlockFormat format;
    format.setLineHeight(LineHeight(), QTextBlockFormat::FixedHeight);
    QTextCursor cursor(Memo1->document());
    cursor.select(QTextCursor::Document);
    cursor.mergeBlockFormat(format);
    Memo1->moveCursor(QTextCursor::Start);
}

int NoteViewer::LineHeight() const { return QFontMetrics(Memo1->font()).height(); }

std::vector<int> NoteViewer::LineWidths(int wrapWidth) const
{
    // Laid out here rather than read from the text control, which lays out lazily and only once shown.
    std::vector<int> widths;
    const QFontMetrics metrics(Memo1->font());
    for (QTextBlock block = Memo1->document()->begin(); block.isValid(); block = block.next()) {
        if (wrapWidth <= 0) {
            widths.push_back(metrics.horizontalAdvance(block.text()));
            continue;
        }
        QTextLayout layout(block.text(), Memo1->font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(wrapWidth);
            // Measured as text, like the unwrapped lines; the space a line breaks at is not part of it.
            const QString text = block.text().mid(line.textStart(), line.textLength());
            int end = static_cast<int>(text.size());
            while (end > 0 && text[end - 1].isSpace()) --end;
            // Rounded up: a wrapping text control would break a line given a pixel too little.
            widths.push_back(static_cast<int>(std::ceil(QFontMetricsF(Memo1->font()).horizontalAdvance(text.left(end)))));
        }
        layout.endLayout();
        if (layout.lineCount() == 0) widths.push_back(0);
    }
    return widths;
}

bool NoteViewer::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        // The window sees keys before its text: a key that types a character closes the viewer,
        // and no key ever reaches the text to change it.
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty()) accept();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        accept();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

void NoteViewer::keyPressEvent(QKeyEvent* event)
{
    if (!event->text().isEmpty()) accept();
}

void NoteViewer::mousePressEvent(QMouseEvent*) { accept(); }

TShowMemoFrm::TShowMemoFrm(Prompts& prompts, QWidget* parent) : NoteViewer(prompts, parent)
{
    setObjectName("ShowMemoFrm");
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    Memo1->setLineWrapMode(QTextEdit::NoWrap);
    setFixedSize(299, 290);
}

void TShowMemoFrm::ApplyNote(const PuzzleNote& note)
{
    ApplyLook(note);
    QStringList lines;
    for (const std::string& line : note.Lines) lines << FromAnsi(line);
    SetText(lines.join(QLatin1Char('\n')));
}

void TShowMemoFrm::BeforeShow()
{
    const Extent client = NoteClientSize(LineWidths(0), LineHeight());
    setFixedSize(client.width, client.height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TShowMemo2Frm::TShowMemo2Frm(Prompts& prompts, QWidget* parent, QWidget* mainWindow)
    : NoteViewer(prompts, parent), mainWindow_(mainWindow)
{
    setObjectName("ShowMemo2Frm");
    setSizeGripEnabled(true);
    Memo1->setLineWrapMode(QTextEdit::WidgetWidth);
    resize(kSolversDesignSize);
}

void TShowMemo2Frm::ApplyNote(const PuzzleNote& note)
{
    ApplyLook(note);
    QString text = FromAnsi(note.Text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    SetText(text);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Wrapped at the design width, not at whatever size the previous puzzle's note left behind.
    resize(kSolversDesignSize);
    const std::vector<int> widths = LineWidths(width() - 8);
    const Extent wanted = NoteClientSize(widths, LineHeight());
    const QWidget* main = mainWindow_ ? mainWindow_ : (parentWidget() ? parentWidget()->window() : nullptr);
    Extent mainOuter{wanted.width, wanted.height};
    if (main) {
        mainOuter = {main->frameGeometry().width(), main->frameGeometry().height()};
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        mainOuter = {screen->availableGeometry().width(), screen->availableGeometry().height()};
    }
    // Outer sizes include the window frame. The viewer's own is known once its window exists and
    // the window system has decorated it; until then the main window's, framed by the same window
    // system, stands in for it.
    winId();
    QSize frameExtra = frameGeometry().size() - geometry().size();
    if (frameExtra.isNull() && main) frameExtra = main->frameGeometry().size() - main->geometry().size();
    CappedViewerSize size = CapToMainWindow(wanted, mainOuter);
    if (size.widthIsOuter) {
        // Narrower than the design width, the text wraps into more lines than were counted.
        const int clientWidth = size.width - frameExtra.width();
        const Extent rewrapped = NoteClientSize(LineWidths(clientWidth - 8), LineHeight());
        size = CapToMainWindow({wanted.width, rewrapped.height}, mainOuter);
    }
    if (size.verticalScrollBar && !size.widthIsOuter) {
        // The scroll bar takes its width from the text; without room for it every line would wrap.
        const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Memo1);
        size.width = std::min(size.width + barWidth, mainOuter.width);
    }
    resize(size.widthIsOuter ? size.width - frameExtra.width() : size.width,
           size.heightIsOuter ? size.height - frameExtra.height() : size.height);
    Memo1->setVerticalScrollBarPolicy(size.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TShowMemo2Frm::BeforeShow()
{
    const QWidget* main = mainWindow_ ? mainWindow_ : (parentWidget() ? parentWidget()->window() : nullptr);
    if (!main) return;
    QRect frame = frameGeometry();
    frame.moveCenter(main->frameGeometry().center());
    move(frame.topLeft());
}

}  // namespace qw
