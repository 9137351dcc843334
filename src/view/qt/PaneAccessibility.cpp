#include "view/qt/PaneAccessibility.h"

#include <QAccessibleWidget>
#include <algorithm>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include "view/SpokenNames.h"
#include "view/qt/PuzzleScreen.h"

namespace qw {

namespace {

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Child interfaces are owned by Qt's registry once registered; a pane keeps their ids so that it
// hands out the same interface for the same child and releases them with itself.
class ChildCache {
public:
    ~ChildCache() { Clear(); }
    void Clear()
    {
        for (const QAccessible::Id id : ids_)
            if (id != 0) QAccessible::deleteAccessibleInterface(id);
        ids_.clear();
    }
    template <typename Make>
    QAccessibleInterface* Get(int count, int index, Make make)
    {
        if (static_cast<int>(ids_.size()) != count) {
            Clear();
            ids_.assign(static_cast<size_t>(count), 0);
        }
        if (index < 0 || index >= count) return nullptr;
        QAccessible::Id& id = ids_[static_cast<size_t>(index)];
        if (id != 0) {
            if (QAccessibleInterface* known = QAccessible::accessibleInterface(id)) return known;
        }
        QAccessibleInterface* made = make();
        id = QAccessible::registerAccessibleInterface(made);
        return made;
    }
    // The interface already handed out for `index`, without making one: a reader that never asked
    // for a child holds nothing of it to bring up to date.
    QAccessibleInterface* Made(int count, int index) const
    {
        if (static_cast<int>(ids_.size()) != count || index < 0 || index >= count) return nullptr;
        const QAccessible::Id id = ids_[static_cast<size_t>(index)];
        return id != 0 ? QAccessible::accessibleInterface(id) : nullptr;
    }
    int IndexOf(const QAccessibleInterface* child) const
    {
        for (size_t i = 0; i < ids_.size(); ++i)
            if (ids_[i] != 0 && QAccessible::accessibleInterface(ids_[i]) == child) return static_cast<int>(i);
        return -1;
    }

private:
    std::vector<QAccessible::Id> ids_;
};

// A square of the diagram or a letter slot of an answer: both say the square's name.
class SquareBase : public QAccessibleInterface {
public:
    SquareBase(QWidget* surface, PuzzleScreen* screen) : surface_(surface), screen_(screen) {}
    bool isValid() const override { return surface_ && screen_; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return surface_ ? surface_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) return state;
        const int32_t letter = Letter();
        if (letter <= 0) return state;
        state.focusable = true;
        state.focused = screen_->ShownCursor().CurrentLetter == letter && screen_->ShownCursor().ActivePane == pane_;
        return state;
    }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name) return {};
        const int32_t letter = Letter();
        const Puzzle& puzzle = screen_->ShownPuzzle();
        const std::string highlight =
            HighlightWords(puzzle, screen_->ShownHighlight(), letter, pane_ == Pane::WordListPane);
        if (letter > 0 && letter == screen_->AccessibleClueLedLetter() && screen_->ShownCursor().ActivePane == pane_)
            return Utf8(FocusName(puzzle, letter, 0) + highlight);
        return Utf8(OwnName() + highlight);
    }
    QRect rect() const override
    {
        if (!isValid()) return {};
        const QRect local = LocalRect();
        return QRect(surface_->mapToGlobal(local.topLeft()), local.size());
    }

protected:
    virtual int32_t Letter() const = 0;
    virtual std::string OwnName() const = 0;
    virtual QRect LocalRect() const = 0;

    QPointer<QWidget> surface_;
    QPointer<PuzzleScreen> screen_;
    Pane pane_ = Pane::DiagramPane;
};

class DiagramAccessible;

class SquareAccessible : public SquareBase, public QAccessibleTableCellInterface {
public:
    SquareAccessible(QWidget* surface, PuzzleScreen* screen, int row, int column)
        : SquareBase(surface, screen), row_(row), column_(column)
    {
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(surface_.data()); }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }
    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

protected:
    int32_t Letter() const override
    {
        const Puzzle& p = screen_->ShownPuzzle();
        if (row_ >= p.Grid.Rows() || column_ >= p.Grid.Columns()) return 0;
        return std::max(0, p.Grid.GetCell(row_, column_));
    }
    std::string OwnName() const override { return SquareName(screen_->ShownPuzzle(), row_, column_); }
    QRect LocalRect() const override { return screen_->DiagramSquareRect(row_, column_); }

private:
    int row_, column_;
};

class DiagramAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    DiagramAccessible(QWidget* surface, PuzzleScreen* screen)
        : QAccessibleWidget(surface, QAccessible::Table, QStringLiteral("Diagram")), screen_(screen)
    {
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) return QStringLiteral("Diagram");
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override
    {
        const int columns = columnCount();
        if (columns == 0) return nullptr;
        return cellAt(index / columns, index % columns);
    }
    int indexOfChild(const QAccessibleInterface* child) const override { return cells_.IndexOf(child); }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* cell = child(i);
            if (cell && cell->rect().contains(x, y)) return cell;
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        if (!screen_ || screen_->ShownCursor().ActivePane != Pane::DiagramPane) return nullptr;
        const Puzzle& p = screen_->ShownPuzzle();
        const int32_t letter = screen_->ShownCursor().CurrentLetter;
        if (!p.HasLetter(letter)) return nullptr;
        const LetterEntry& e = p.Letters[static_cast<size_t>(letter)];
        return cellAt(e.Row, e.Column);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        const int rows = rowCount(), columns = columnCount();
        if (row < 0 || column < 0 || row >= rows || column >= columns) return nullptr;
        QWidget* surface = widget();
        PuzzleScreen* screen = screen_;
        return cells_.Get(rows * columns, row * columns + column,
                          [=] { return new SquareAccessible(surface, screen, row, column); });
    }
    QAccessibleInterface* MadeCellAt(int row, int column) const
    {
        const int columns = columnCount();
        if (row < 0 || column < 0 || column >= columns) return nullptr;
        return cells_.Made(rowCount() * columns, row * columns + column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return screen_ && screen_->PuzzleShown() ? screen_->ShownPuzzle().Grid.Columns() : 0; }
    int rowCount() const override { return screen_ && screen_->PuzzleShown() ? screen_->ShownPuzzle().Grid.Rows() : 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    QPointer<PuzzleScreen> screen_;
    mutable ChildCache cells_;
};

class AnswerLetterAccessible : public SquareBase {
public:
    AnswerLetterAccessible(QWidget* surface, PuzzleScreen* screen, int clue, int position)
        : SquareBase(surface, screen), clue_(clue), position_(position)
    {
        pane_ = Pane::WordListPane;
    }
    QAccessibleInterface* parent() const override
    {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(surface_.data());
        return list ? list->child(clue_) : nullptr;
    }

protected:
    int32_t Letter() const override
    {
        const Puzzle& p = screen_->ShownPuzzle();
        if (clue_ >= static_cast<int>(p.Clues.size())) return 0;
        const std::vector<int32_t>& answer = p.Clues[static_cast<size_t>(clue_)].Answer;
        return position_ < static_cast<int>(answer.size()) ? answer[static_cast<size_t>(position_)] : 0;
    }
    std::string OwnName() const override { return LetterName(screen_->ShownPuzzle(), Letter()); }
    QRect LocalRect() const override { return screen_->AnswerSlotRect(Letter()); }

private:
    int clue_, position_;
};

class ClueAccessible : public QAccessibleInterface {
public:
    ClueAccessible(QWidget* surface, PuzzleScreen* screen, int clue) : surface_(surface), screen_(screen), clue_(clue) {}
    bool isValid() const override { return surface_ && screen_ && clue_ < static_cast<int>(screen_->ShownPuzzle().Clues.size()); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return surface_ ? surface_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(surface_.data()); }
    int childCount() const override { return isValid() ? static_cast<int>(Answer().size()) : 0; }
    QAccessibleInterface* child(int index) const override
    {
        QWidget* surface = surface_;
        PuzzleScreen* screen = screen_;
        const int clue = clue_;
        return letters_.Get(childCount(), index, [=] { return new AnswerLetterAccessible(surface, screen, clue, index); });
    }
    int indexOfChild(const QAccessibleInterface* child) const override { return letters_.IndexOf(child); }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* letter = child(i);
            if (letter && letter->rect().contains(x, y)) return letter;
        }
        return nullptr;
    }
    QAccessibleInterface* MadeLetter(int position) const { return letters_.Made(childCount(), position); }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid() || t != QAccessible::Name) return {};
        return Utf8(ClueItemName(screen_->ShownPuzzle(), clue_));
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!isValid()) return {};
        const QRect local = screen_->ClueRect(clue_);
        return QRect(surface_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override { return {}; }

private:
    const std::vector<int32_t>& Answer() const { return screen_->ShownPuzzle().Clues[static_cast<size_t>(clue_)].Answer; }

    QPointer<QWidget> surface_;
    QPointer<PuzzleScreen> screen_;
    int clue_;
    mutable ChildCache letters_;
};

class WordListAccessible : public QAccessibleWidget {
public:
    WordListAccessible(QWidget* surface, PuzzleScreen* screen)
        : QAccessibleWidget(surface, QAccessible::List, QStringLiteral("Word list")), screen_(screen)
    {
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) return QStringLiteral("Word list");
        return QAccessibleWidget::text(t);
    }
    int childCount() const override
    {
        return screen_ && screen_->PuzzleShown() ? static_cast<int>(screen_->ShownPuzzle().Clues.size()) : 0;
    }
    QAccessibleInterface* child(int index) const override
    {
        QWidget* surface = widget();
        PuzzleScreen* screen = screen_;
        return clues_.Get(childCount(), index, [=] { return new ClueAccessible(surface, screen, index); });
    }
    int indexOfChild(const QAccessibleInterface* child) const override { return clues_.IndexOf(child); }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* clue = child(i);
            if (clue && clue->rect().contains(x, y)) return clue;
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override { return FocusedLetter(); }
    ClueAccessible* MadeClue(int clue) const { return static_cast<ClueAccessible*>(clues_.Made(childCount(), clue)); }

    QAccessibleInterface* FocusedLetter() const
    {
        if (!screen_) return nullptr;
        const Puzzle& p = screen_->ShownPuzzle();
        const int32_t letter = screen_->ShownCursor().CurrentLetter;
        if (!p.HasLetter(letter)) return nullptr;
        const LetterEntry& e = p.Letters[static_cast<size_t>(letter)];
        QAccessibleInterface* clue = child(e.ClueIndex);
        return clue ? clue->child(e.Position) : nullptr;
    }

private:
    QPointer<PuzzleScreen> screen_;
    mutable ChildCache clues_;
};

PuzzleScreen* ScreenOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget())
        if (auto* screen = qobject_cast<PuzzleScreen*>(w)) return screen;
    return nullptr;
}

QAccessibleInterface* PaneFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    const QString name = widget->objectName();
    if (name == QLatin1String("DiagramPanel")) {
        if (PuzzleScreen* screen = ScreenOf(widget)) return new DiagramAccessible(widget, screen);
    } else if (name == QLatin1String("CluePaintBox")) {
        if (PuzzleScreen* screen = ScreenOf(widget)) return new WordListAccessible(widget, screen);
    }
    return nullptr;
}

// The interface that stands for `letter` in a pane, or none.
QAccessibleInterface* InPane(PuzzleScreen& screen, Pane pane, int32_t letter)
{
    const Puzzle& p = screen.ShownPuzzle();
    if (!p.HasLetter(letter)) return nullptr;
    const LetterEntry& e = p.Letters[static_cast<size_t>(letter)];
    if (pane == Pane::DiagramPane) {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(screen.DiagramSurface());
        QAccessibleTableInterface* cells = table ? table->tableInterface() : nullptr;
        return cells ? cells->cellAt(e.Row, e.Column) : nullptr;
    }
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(screen.WordListSurface());
    QAccessibleInterface* clue = list ? list->child(e.ClueIndex) : nullptr;
    return clue ? clue->child(e.Position) : nullptr;
}

// As InPane, but only an interface a reader has already been given.
QAccessibleInterface* MadeInPane(PuzzleScreen& screen, Pane pane, int32_t letter)
{
    const Puzzle& p = screen.ShownPuzzle();
    if (!p.HasLetter(letter)) return nullptr;
    const LetterEntry& e = p.Letters[static_cast<size_t>(letter)];
    if (pane == Pane::DiagramPane) {
        auto* table = static_cast<DiagramAccessible*>(QAccessible::queryAccessibleInterface(screen.DiagramSurface()));
        return table ? table->MadeCellAt(e.Row, e.Column) : nullptr;
    }
    auto* list = static_cast<WordListAccessible*>(QAccessible::queryAccessibleInterface(screen.WordListSurface()));
    ClueAccessible* clue = list ? list->MadeClue(e.ClueIndex) : nullptr;
    return clue ? clue->MadeLetter(e.Position) : nullptr;
}

void SayRenamed(QAccessibleInterface* item)
{
    if (!item) return;
    QAccessibleEvent renamed(item, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

}  // namespace

void InstallPaneAccessibility()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(PaneFactory);
}

void AnnounceCursor(PuzzleScreen& screen, int32_t letter, bool moved, const std::vector<int32_t>& changed,
                    const HighlightSet& highlightBefore)
{
    const HighlightSet& highlight = screen.ShownHighlight();
    if (highlight != highlightBefore) {
        const Puzzle& p = screen.ShownPuzzle();
        for (const int32_t square : ChangedSquares(p, highlightBefore, highlight))
            SayRenamed(MadeInPane(screen, Pane::DiagramPane, square));
        // A word-list slot's words follow the answer as well as the word.
        std::vector<int32_t> renamedSlots = ChangedSlots(p, highlightBefore, highlight);
        if (highlight.Clue != highlightBefore.Clue) {
            for (const int32_t clue : {highlightBefore.Clue, highlight.Clue}) {
                if (clue < 0 || static_cast<size_t>(clue) >= p.Clues.size()) continue;
                const std::vector<int32_t>& answer = p.Clues[static_cast<size_t>(clue)].Answer;
                renamedSlots.insert(renamedSlots.end(), answer.begin(), answer.end());
            }
        }
        std::sort(renamedSlots.begin(), renamedSlots.end());
        renamedSlots.erase(std::unique(renamedSlots.begin(), renamedSlots.end()), renamedSlots.end());
        for (const int32_t slot : renamedSlots) SayRenamed(MadeInPane(screen, Pane::WordListPane, slot));
    }
    // A changed entry renames its square in both panes and the clue item that spells its answer.
    // Only interfaces a reader was given are told: one it never asked for holds nothing stale; the
    // square that gets the focus is read afresh anyway. (A value change would say nothing more:
    // the bridge passes it on only for objects with a numeric value, which a square is not.)
    const Puzzle& p = screen.ShownPuzzle();
    const Pane active = screen.ShownCursor().ActivePane;
    std::vector<int32_t> clues;
    for (const int32_t entry : changed) {
        if (!p.HasLetter(entry)) continue;
        for (const Pane pane : {Pane::DiagramPane, Pane::WordListPane})
            if (!(moved && entry == letter && pane == active)) SayRenamed(MadeInPane(screen, pane, entry));
        clues.push_back(p.Letters[static_cast<size_t>(entry)].ClueIndex);
    }
    std::sort(clues.begin(), clues.end());
    clues.erase(std::unique(clues.begin(), clues.end()), clues.end());
    auto* list = static_cast<WordListAccessible*>(QAccessible::queryAccessibleInterface(screen.WordListSurface()));
    for (const int32_t clue : clues) SayRenamed(list ? list->MadeClue(clue) : nullptr);
    if (!moved) return;
    if (QAccessibleInterface* focused = InPane(screen, screen.ShownCursor().ActivePane, letter)) {
        QAccessibleEvent focus(focused, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

}  // namespace qw
