#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "compose/qt/ComposeWindow.h"
#include "info/qt/TReportForm.h"
#include "solve/qt/TUnscrambleForm.h"
#include "support/RecordingShell.h"
#include "support/ScriptedPrompts.h"

namespace qw {
namespace {

bool IsEditBox(QWidget* w)
{
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
           qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
           (qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QHeaderView*>(w));
}

// The line edit inside a spin box, the list inside a combo box: named by the box around them.
bool InsideAnotherBox(QWidget* w, QWidget* top)
{
    for (QWidget* up = w->parentWidget(); up && up != top; up = up->parentWidget())
        if (IsEditBox(up)) return true;
    return false;
}

// A reader names an edit box by its label (the label's buddy) or by a name of its own; without
// either it says only "text" and the solver cannot tell which box the cursor is in.
TEST(EditBoxNames, EveryEditBoxInTheDialogsHasAName)
{
    ScriptedPrompts prompts;
    RecordingShell shell;
    const std::vector<std::pair<const char*, std::function<std::unique_ptr<QWidget>()>>> dialogs = {
        {"key number", [] { return std::make_unique<TUnscrambleForm>(); }},
        {"report", [&] { return std::make_unique<TReportForm>(prompts, shell); }},
        {"composer", [] { return std::make_unique<ComposeWindow>(std::nullopt, QString("no list"), QString()); }},
    };
    for (const auto& [what, make] : dialogs) {
        SCOPED_TRACE(what);
        const std::unique_ptr<QWidget> dialog = make();
        int boxes = 0;
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (!IsEditBox(w) || InsideAnotherBox(w, dialog.get())) continue;
            ++boxes;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(face, nullptr);
            EXPECT_FALSE(face->text(QAccessible::Name).isEmpty())
                << w->metaObject()->className() << " " << w->objectName().toStdString();
        }
        EXPECT_GT(boxes, 0);
    }
}

}  // namespace
}  // namespace qw
