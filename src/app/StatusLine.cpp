#include "app/StatusLine.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QStatusBar>

namespace qw {

namespace {

const QLatin1String kObjectName("StatusLine");

class StatusLineAccessible : public QAccessibleWidget {
public:
    explicit StatusLineAccessible(StatusLine* line) : QAccessibleWidget(line, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) return static_cast<const StatusLine*>(widget())->SpokenText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        // Hidden while the bar's passing message covers it, the line still speaks for the bar.
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = false;
        return state;
    }
};

QAccessibleInterface* StatusLineFactory(const QString&, QObject* object)
{
    if (auto* line = dynamic_cast<StatusLine*>(object); line && line->objectName() == kObjectName)
        return new StatusLineAccessible(line);
    return nullptr;
}

}  // namespace

StatusLine::StatusLine(QStatusBar* bar) : QLabel(bar), bar_(bar)
{
    static const bool installed = [] {
        QAccessible::installFactory(StatusLineFactory);
        return true;
    }();
    (void)installed;
    setObjectName(kObjectName);
    bar->addWidget(this, 1);
    connect(bar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        // The bar names itself changed; the line, which speaks for it, says so too.
        if (QAccessible::isActive()) {
            QAccessibleEvent renamed(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
        if (!message.isEmpty()) Announce();
    });
}

void StatusLine::setText(const QString& text)
{
    const bool changed = text != QLabel::text();
    QLabel::setText(text);  // which tells a reader that the name changed
    if (changed && !text.isEmpty()) Announce();
}

QString StatusLine::SpokenText() const
{
    const QString message = bar_->currentMessage();
    return message.isEmpty() ? QLabel::text() : message;
}

void StatusLine::Announce()
{
    if (!QAccessible::isActive()) return;
    // A notification that shows itself is what a reader speaks unasked.
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

}  // namespace qw
