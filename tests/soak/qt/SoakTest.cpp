// A seeded soak of the main window: thousands of random keys, clicks, wheel turns, zooms, fits,
// resizes, Solution-menu commands, undos, redos and the highlight aid go through the real, shown
// window (so its event filter,
// shortcuts and widgets all take part), and the puzzle model is checked after every one.
//
// QW_SOAK_EVENTS sets the number of events per puzzle (default: a few seconds' worth) and
// QW_SOAK_SEED the seed; a failure names the seed and the last events so it can be replayed.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>
#include <deque>
#include <random>
#include <cstdio>
#include <set>
#include <sstream>

#include "MainWindowFixture.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"
#include "solve/qt/TCursorForm.h"
#include "view/DiagramLayout.h"
#include "view/qt/PuzzleScreen.h"

namespace qw::test {
namespace {

int EnvInt(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return (end && *end == '\0' && value >= 0 && value < (1L << 30)) ? static_cast<int>(value) : fallback;
}

// What no event may change: the puzzle's shape, answers and solution.
struct Structure {
    int32_t rows = 0, columns = 0, clues = 0, letters = 0;
    std::vector<int32_t> grid;
    std::vector<std::vector<int32_t>> answers;
    std::vector<char> solution;

    static Structure Of(const Puzzle& p)
    {
        Structure s;
        s.rows = p.RowCount;
        s.columns = p.ColumnCount;
        s.clues = p.ClueCount;
        s.letters = p.LetterCount;
        for (int r = 0; r < p.Grid.Rows(); ++r)
            for (int c = 0; c < p.Grid.Columns(); ++c) s.grid.push_back(p.Grid.GetCell(r, c));
        for (const Clue& clue : p.Clues) s.answers.push_back(clue.Answer);
        for (const LetterEntry& e : p.Letters) s.solution.push_back(e.Solution);
        return s;
    }
    bool operator==(const Structure&) const = default;
};

std::string Entries(const Puzzle& p)
{
    std::string entered;
    for (int32_t i = 1; i <= p.LetterCount && static_cast<size_t>(i) < p.Letters.size(); ++i)
        entered += p.Letters[static_cast<size_t>(i)].Entered;
    return entered;
}

// The model's own consistency: every letter in exactly one answer at the place its entry says,
// the Prev/Next chain running once through all letters in word-list order, the diagram holding
// each letter once at its Row/Column, entries typable, and the cursor on a letter.
::testing::AssertionResult CheckModel(const Puzzle& p, const CursorState& cursor)
{
    const int32_t n = p.LetterCount;
    if (n <= 0 || p.Letters.size() != static_cast<size_t>(n) + 1)
        return ::testing::AssertionFailure() << "letter count " << n << " vs " << p.Letters.size();
    if (p.Clues.size() != static_cast<size_t>(p.ClueCount)) return ::testing::AssertionFailure() << "clue count";

    std::vector<int> seen(static_cast<size_t>(n) + 1, 0);
    std::vector<int32_t> order;
    for (size_t k = 0; k < p.Clues.size(); ++k) {
        const auto& answer = p.Clues[k].Answer;
        for (size_t j = 0; j < answer.size(); ++j) {
            const int32_t idx = answer[j];
            if (idx < 1 || idx > n) return ::testing::AssertionFailure() << "answer index " << idx;
            if (++seen[static_cast<size_t>(idx)] > 1) return ::testing::AssertionFailure() << "letter " << idx << " twice";
            const LetterEntry& e = p.Letters[static_cast<size_t>(idx)];
            if (e.ClueIndex != static_cast<int32_t>(k) || e.Position != static_cast<int32_t>(j))
                return ::testing::AssertionFailure() << "letter " << idx << " thinks it is clue " << e.ClueIndex
                                                     << " position " << e.Position;
            order.push_back(idx);
        }
    }
    for (int32_t i = 1; i <= n; ++i)
        if (seen[static_cast<size_t>(i)] != 1) return ::testing::AssertionFailure() << "letter " << i << " in no answer";

    // The chain, from its head, is the word-list order and nothing else.
    int32_t at = order.front();
    if (p.Letters[static_cast<size_t>(at)].Prev != 0) return ::testing::AssertionFailure() << "chain head has a Prev";
    for (size_t k = 0; k < order.size(); ++k) {
        if (at != order[k]) return ::testing::AssertionFailure() << "chain step " << k << " is " << at;
        const int32_t next = p.Letters[static_cast<size_t>(at)].Next;
        if (k + 1 == order.size()) {
            if (next != 0) return ::testing::AssertionFailure() << "chain does not end";
        } else {
            if (next < 1 || next > n || p.Letters[static_cast<size_t>(next)].Prev != at)
                return ::testing::AssertionFailure() << "chain broken after " << at;
        }
        at = next;
    }

    std::vector<int> inGrid(static_cast<size_t>(n) + 1, 0);
    if (p.Grid.Rows() != p.RowCount || p.Grid.Columns() != p.ColumnCount)
        return ::testing::AssertionFailure() << "grid size";
    for (int r = 0; r < p.RowCount; ++r) {
        for (int c = 0; c < p.ColumnCount; ++c) {
            const int32_t cell = p.Grid.GetCell(r, c);
            if (cell <= 0) continue;
            if (cell > n) return ::testing::AssertionFailure() << "grid cell " << cell;
            ++inGrid[static_cast<size_t>(cell)];
            const LetterEntry& e = p.Letters[static_cast<size_t>(cell)];
            if (e.Row != r || e.Column != c) return ::testing::AssertionFailure() << "letter " << cell << " misplaced";
        }
    }
    for (int32_t i = 1; i <= n; ++i) {
        if (inGrid[static_cast<size_t>(i)] != 1) return ::testing::AssertionFailure() << "letter " << i << " not in grid once";
        const char ch = p.Letters[static_cast<size_t>(i)].Entered;
        if (ch != ' ' && !Contains(p.TypingAlphabet, ch) && ch != p.Letters[static_cast<size_t>(i)].Solution)
            return ::testing::AssertionFailure() << "letter " << i << " holds untypable " << int(static_cast<unsigned char>(ch));
    }
    if (cursor.CurrentLetter < 1 || cursor.CurrentLetter > n)
        return ::testing::AssertionFailure() << "cursor on " << cursor.CurrentLetter;
    if (cursor.ActivePane != Pane::DiagramPane && cursor.ActivePane != Pane::WordListPane)
        return ::testing::AssertionFailure() << "active pane " << static_cast<int>(cursor.ActivePane);
    if (cursor.KeyBusy) return ::testing::AssertionFailure() << "KeyBusy left set";
    return ::testing::AssertionSuccess();
}

// The offscreen platform warns about size hints on every resize; the soak resizes a lot.
QtMessageHandler previousHandler = nullptr;
void QuietSizeHints(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

class SoakTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        static const bool quiet = [] {
            previousHandler = qInstallMessageHandler(QuietSizeHints);
            return true;
        }();
        (void)quiet;
        MainWindowTest::SetUp();
        seed = static_cast<uint32_t>(EnvInt("QW_SOAK_SEED", 20261208));
        rng.seed(seed);
    }

    template <typename T>
    T Pick(std::initializer_list<T> items)
    {
        return *(items.begin() + Uniform(0, static_cast<int>(items.size()) - 1));
    }
    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(rng); }

    PuzzleScreen& Screen() { return form->Screen(); }
    template <typename W = QWidget>
    W* Part(const char* name)
    {
        auto* widget = Screen().findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void Log(const std::string& what)
    {
        recent.push_back(what);
        if (recent.size() > 25) recent.pop_front();
    }
    std::string Replay() const
    {
        std::ostringstream out;
        out << "seed " << seed << ", event " << eventNumber << "; last events:";
        for (const auto& e : recent) out << "\n  " << e;
        return out.str();
    }

    // Where keys go: the window's focused control, sometimes another part of it.
    QWidget* KeyTarget()
    {
        if (Chance(0.15)) {
            for (const char* name : {"DiagramPanel", "CluePaintBox", "TitlePanel", "ClueScrollBox"})
                if (Chance(0.4)) return Part(name);
        }
        QWidget* focus = form->focusWidget();
        return focus ? focus : form.get();
    }

    void SendKey(Qt::Key key, const QString& text, Qt::KeyboardModifiers mods, const std::string& name)
    {
        Log("key " + name);
        QTest::sendKeyEvent(QTest::Click, KeyTarget(), key, text, mods);
    }

    void TypeLetter()
    {
        const Puzzle& p = form->CurrentPuzzle();
        const int32_t current = form->Cursor().CurrentLetter;
        char ch = ' ';
        const int way = Uniform(0, 9);
        if (way < 4 && current >= 1 && current <= p.LetterCount) {
            ch = p.Letters[static_cast<size_t>(current)].Solution;  // progress towards a solution
        } else if (way < 7) {
            ch = static_cast<char>('A' + Uniform(0, 25));
        } else if (way < 8) {
            ch = static_cast<char>('a' + Uniform(0, 25));
        } else {
            ch = Pick({'1', '.', ',', '-', '\'', '?', ' ', '\xC9', '\xE9', '\xFC'});
        }
        const QString text = FromAnsi(ch);
        const Qt::Key key = (ch >= 'A' && ch <= 'Z') ? Qt::Key(Qt::Key_A + (ch - 'A'))
                            : (ch >= 'a' && ch <= 'z') ? Qt::Key(Qt::Key_A + (ch - 'a'))
                            : ch == ' '                ? Qt::Key_Space
                                                       : Qt::Key_unknown;
        SendKey(key, text, Qt::NoModifier, "type " + text.toStdString());
    }

    void NavigationKey()
    {
        switch (Uniform(0, 10)) {
        case 0: SendKey(Qt::Key_Tab, "\t", Qt::NoModifier, "Tab"); break;
        case 1: SendKey(Qt::Key_Backtab, QString(), Qt::ShiftModifier, "Shift+Tab"); break;
        case 2: SendKey(Qt::Key_Left, QString(), Qt::NoModifier, "Left"); break;
        case 3: SendKey(Qt::Key_Right, QString(), Qt::NoModifier, "Right"); break;
        case 4: SendKey(Qt::Key_Up, QString(), Qt::NoModifier, "Up"); break;
        case 5: SendKey(Qt::Key_Down, QString(), Qt::NoModifier, "Down"); break;
        case 6: SendKey(Qt::Key_Backspace, "\b", Qt::NoModifier, "Backspace"); break;
        case 7: SendKey(Qt::Key_Delete, QString(QChar(127)), Qt::NoModifier, "Delete"); break;
        case 8: SendKey(Pick({Qt::Key_Home, Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Escape,
                               Qt::Key_Return, Qt::Key_F1, Qt::Key_Insert}),
                        QString(), Qt::NoModifier, "other key"); break;
        case 9: SendKey(Pick({Qt::Key_Left, Qt::Key_Down, Qt::Key_Tab}), QString(), Qt::ShiftModifier,
                        "Shift+arrow"); break;
        default: SendKey(Qt::Key_Space, " ", Qt::NoModifier, "Space"); break;
        }
    }

    void ControlKey()
    {
        // Ctrl+S saves, Ctrl+W closes (asking), Ctrl+O offers the Open dialog, Ctrl+P the printer;
        // the rest must do nothing. Alt is left out: it opens menus, which would take the keys.
        const char letter = Chance(0.5) ? Pick({'S', 'W', 'O', 'P'}) : static_cast<char>('A' + Uniform(0, 25));
        prompts.QueueAnswer(Chance(0.5) ? Answer::Yes : Answer::No);
        if (letter == 'S' || letter == 'W') expectDiskChange = true;
        SendKey(Qt::Key(Qt::Key_A + (letter - 'A')), QString(QChar(letter - 'A' + 1)), Qt::ControlModifier,
                std::string("Ctrl+") + letter);
    }

    // A point in one of the panes or the title strip, clicked on whatever control is there.
    void Click()
    {
        QWidget* area = nullptr;
        const int which = Uniform(0, 9);
        if (which < 4) area = Part<QAbstractScrollArea>("DiagramScrollBox")->viewport();
        else if (which < 8) area = Part<QAbstractScrollArea>("ClueScrollBox")->viewport();
        else if (which < 9) area = Part("TitlePanel");
        else area = Part("HeaderControl1");
        if (!area->isVisible() || area->width() <= 0 || area->height() <= 0) return;
        const QPoint at(Uniform(0, area->width() - 1), Uniform(0, area->height() - 1));
        QWidget* target = area->childAt(at);
        if (!target) target = area;
        const QPoint local = target->mapFrom(area, at);
        const auto button = Chance(0.9) ? Qt::LeftButton : Qt::RightButton;
        Log("click " + target->objectName().toStdString() + " " + std::to_string(local.x()) + "," +
            std::to_string(local.y()));
        if (Chance(0.2)) QTest::mouseMove(target, local);
        QTest::mouseClick(target, button, Qt::NoModifier, local);
        if (which == 9 && !form->isActiveWindow()) form->activateWindow();  // a note viewer came up
    }

    void Wheel()
    {
        QWidget* area = Chance(0.6) ? Part<QAbstractScrollArea>("ClueScrollBox")->viewport()
                                    : Part<QAbstractScrollArea>("DiagramScrollBox")->viewport();
        if (!area->isVisible() || area->width() <= 0 || area->height() <= 0) return;
        const QPoint at(Uniform(0, area->width() - 1), Uniform(0, area->height() - 1));
        QWidget* target = area->childAt(at);
        if (!target) target = area;
        const int delta = Pick({-360, -120, -40, 40, 120, 240});
        Log("wheel " + target->objectName().toStdString() + " " + std::to_string(delta));
        const QPointF local = target->mapFrom(area, at);
        QWheelEvent wheel(local, target->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
    }

    void ViewCommand()
    {
        form->View1Click();
        QAction* action = Pick({form->ZoomIn1, form->ZoomIn1, form->ZoomOut1, form->ZoomOut1, form->FitWidth1,
                                form->FitHeight1, form->FitPuzzle1});
        Log("view " + action->objectName().toStdString());
        action->trigger();
    }

    void Resize()
    {
        QSize size;
        switch (Uniform(0, 4)) {
        case 0: size = QSize(Uniform(1, 120), Uniform(1, 120)); break;          // tiny
        case 1: size = QSize(Uniform(1800, 3000), Uniform(1200, 2200)); break;  // huge
        default: size = QSize(Uniform(400, 1400), Uniform(300, 1000)); break;
        }
        Log("resize " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
        form->resize(size);
    }

    void DragSplitter()
    {
        auto* splitter = Part<QSplitter>("Splitter1");
        if (!splitter->isVisible() || splitter->count() < 2) return;
        QSplitterHandle* handle = splitter->handle(1);
        const QPoint middle = handle->rect().center();
        const int dy = Uniform(-400, 400);
        Log("splitter " + std::to_string(dy));
        QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, middle);
        QTest::mouseMove(handle, middle + QPoint(0, dy / 2));
        QTest::mouseMove(handle, middle + QPoint(0, dy));
        QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, middle + QPoint(0, dy));
    }

    void SolutionCommand()
    {
        form->Solution1Click();
        for (int n = 0; n < 3; ++n) prompts.QueueAnswer(Chance(0.5) ? Answer::Yes : Answer::No);
        const int which = Uniform(0, 40);
        QAction* action = which < 12   ? form->Currentletter1
                          : which < 20 ? form->Allletters2
                          : which < 34 ? form->Currentletter2
                          : which < 36 ? form->Allletters1
                          : which < 38 ? form->Unscramble1
                                       : form->Cursorbehavior1;
        if (action == form->Currentletter2 || action == form->Allletters1) revealedSinceSave = true;
        if (action == form->Cursorbehavior1) {
            // Pick new cursor behaviours in the dialog, as a user would.
            prompts.QueueExec([this](QDialog& dialog) {
                auto radios = dialog.findChildren<QRadioButton*>();
                for (int n = 0; n < 2 && !radios.isEmpty(); ++n)
                    QTest::mouseClick(radios[Uniform(0, static_cast<int>(radios.size()) - 1)], Qt::LeftButton);
                return static_cast<int>(QDialog::Accepted);
            });
        }
        Log("solution " + action->objectName().toStdString());
        action->trigger();
    }

    // The screen font for clues, at any size a user could pick; and printing, through the print
    // dialog, to a PDF file (kept to puzzles that print in a moment).
    void OptionsOrPrint()
    {
        if (Chance(0.6)) {
            QFont font(Pick({QStringLiteral("Arial"), QStringLiteral("Times New Roman"), QStringLiteral("Courier New")}));
            font.setPointSize(Pick({1, 6, 8, 10, 12, 18, 28, 48}));
            font.setBold(Chance(0.3));
            font.setItalic(Chance(0.3));
            prompts.QueueFont(Chance(0.9) ? std::optional<QFont>(font) : std::nullopt);
            Log("clue font " + font.family().toStdString() + " " + std::to_string(font.pointSize()));
            form->ClueFont1->trigger();
            ++fontChanges;
            return;
        }
        if (form->CurrentPuzzle().LetterCount > 2000) return;
        const QString pdf = dir.filePath(QStringLiteral("soak.pdf"));
        QFile::remove(pdf);
        bool printed = false;
        prompts.QueuePrinterScript([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printed = true;
            return true;
        });
        form->File1Click();
        QAction* action = Chance(0.5) ? form->Print1 : form->Printasfilled1;
        Log("print " + action->objectName().toStdString());
        action->trigger();
        if (printed) {
            ++prints;
            QFile file(pdf);
            EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-") << "no PDF written\n" << Replay();
        }
        prompts.printers.clear();
    }

    // Undo and redo through the window's shortcuts, and now and then the highlight switched. An
    // undo followed at once by a redo gives back the entries it started from.
    void EditCommand()
    {
        const int which = Uniform(0, 9);
        if (which == 0) {
            Log("highlight");
            form->Highlightcurrentanswer1->trigger();
            return;
        }
        const std::string before = Entries(form->CurrentPuzzle());
        // Shortcuts reach only the active window; a dialog that just closed may not have given it back.
        const bool roundTrip = which < 3 && form->History().CanUndo() && form->isActiveWindow();
        if (which < 6) SendKey(Qt::Key_Z, QString(QChar(26)), Qt::ControlModifier, "Ctrl+Z");
        else if (which < 8) SendKey(Qt::Key_Y, QString(QChar(25)), Qt::ControlModifier, "Ctrl+Y");
        else SendKey(Qt::Key_Z, QString(QChar(26)), Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z");
        if (!roundTrip) return;
        ++undoRoundTrips;
        EXPECT_NE(Entries(form->CurrentPuzzle()), before) << "Ctrl+Z changed nothing\n" << Replay();
        SendKey(Qt::Key_Y, QString(QChar(25)), Qt::ControlModifier, "Ctrl+Y");
        EXPECT_EQ(Entries(form->CurrentPuzzle()), before) << "undo and redo did not round-trip\n" << Replay();
    }

    void MouseMove()
    {
        QWidget* area = Chance(0.5) ? Part<QAbstractScrollArea>("DiagramScrollBox")->viewport() : Part("TitlePanel");
        if (!area->isVisible() || area->width() <= 0 || area->height() <= 0) return;
        const QPoint at(Uniform(0, area->width() - 1), Uniform(0, area->height() - 1));
        QWidget* target = area->childAt(at);
        if (!target) target = area;
        Log("move " + target->objectName().toStdString());
        QTest::mouseMove(target, target->mapFrom(area, at));
    }

    void OneEvent()
    {
        const int roll = Uniform(0, 99);
        if (roll < 32) TypeLetter();
        else if (roll < 53) NavigationKey();
        else if (roll < 56) ControlKey();
        else if (roll < 70) Click();
        else if (roll < 75) MouseMove();
        else if (roll < 81) Wheel();
        else if (roll < 85) ViewCommand();
        else if (roll < 88) Resize();
        else if (roll < 90) DragSplitter();
        else if (roll < 91) OptionsOrPrint();
        else if (roll < 95) EditCommand();
        else SolutionCommand();
    }

    // The one file on disk must always hold what the window will show after a reload: entries
    // that differ from it are unsaved work and must be marked Modified (reveals excepted, which
    // by design never mark a puzzle modified).
    void CheckNothingUnsavedIsUnmarked()
    {
        const Puzzle& p = form->CurrentPuzzle();
        if (p.Modified) return;
        if (expectDiskChange) {
            onDisk = Entries(LoadPuzzle(path));
            expectDiskChange = false;
        }
        const std::string now = Entries(p);
        if (now == onDisk) {
            revealedSinceSave = false;
            return;
        }
        EXPECT_TRUE(revealedSinceSave) << "entries differ from the file but Modified is false\n" << Replay();
    }

    // The two cursor marks sit on the current letter's square and answer slot.
    void CheckMarks()
    {
        if (!Screen().PuzzleShown()) return;
        const Puzzle& p = form->CurrentPuzzle();
        const LetterEntry& e = p.Letters[static_cast<size_t>(form->Cursor().CurrentLetter)];
        const Point origin = SquareOrigin(Screen().DiagramSquareSide(), e.Row, e.Column);
        EXPECT_EQ(Screen().Layout().DiagramPos(form->Cursor().CurrentLetter), origin) << Replay();
        auto* panel = Part("DiagramPanel");
        auto* mark = Part("DiagramCursorPanel");
        EXPECT_EQ(mark->pos(), panel->pos() + QPoint(origin.x + 1, origin.y + 1)) << Replay();
        EXPECT_TRUE(mark->isVisible()) << Replay();
    }

    void Reopen()
    {
        Log("reopen");
        ++reopens;
        ASSERT_TRUE(form->OpenPuzzleFile(path)) << Replay();
        onDisk = Entries(LoadPuzzle(path));
        EXPECT_EQ(Entries(form->CurrentPuzzle()), onDisk) << Replay();
        revealedSinceSave = false;
    }

    // Runs the soak on the puzzle in `path` and returns how many events went through.
    int Soak(const std::string& puzzlePath, int events)
    {
        path = puzzlePath;
        visited.clear();
        sides.clear();
        ratios.clear();
        recent.clear();
        reopens = modifiedEvents = prints = fontChanges = undoRoundTrips = 0;
        expectDiskChange = revealedSinceSave = false;
        const Structure expected = Structure::Of(LoadPuzzle(path));
        form->setMinimumSize(0, 0);  // let resizes reach the layout's own minimum
        EXPECT_TRUE(form->OpenPuzzleFile(path));
        onDisk = Entries(form->CurrentPuzzle());
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        Screen().setFocus();

        int done = 0;
        for (eventNumber = 0; eventNumber < events; ++eventNumber) {
            OneEvent();
            QCoreApplication::processEvents();
            ++done;
            if (form->CurrentPuzzle().FileName.empty()) {
                // Ctrl+W or Ctrl+O closed it: the user opens it again.
                expectDiskChange = false;
                Reopen();
            }
            if (!form->isActiveWindow()) form->activateWindow();
            EXPECT_EQ(prompts.Count(PromptKind::Error), 0) << prompts.Texts(PromptKind::Error).join("\n").toStdString()
                                                             << "\n" << Replay();
            EXPECT_EQ(prompts.Count(PromptKind::Warning), 0) << Replay();
            const auto model = CheckModel(form->CurrentPuzzle(), form->Cursor());
            EXPECT_TRUE(model) << Replay();
            EXPECT_TRUE(Structure::Of(form->CurrentPuzzle()) == expected) << "the puzzle's shape changed\n" << Replay();
            CheckNothingUnsavedIsUnmarked();
            CheckMarks();
            visited.insert(form->Cursor().CurrentLetter);
            sides.insert(Screen().DiagramSquareSide());
            ratios.insert(static_cast<int>(Screen().DiagramScrollBoxRatio() * 100));
            if (form->CurrentPuzzle().Modified) ++modifiedEvents;
            prompts.Clear();
            if (::testing::Test::HasFailure()) break;
        }

        // A soak that never moved the cursor or changed the view proves little.
        std::printf("soak %s: %d events, %zu letters visited, %zu square sizes, %zu pane ratios, %d reopens, "
                    "%d clue fonts, %d printouts, %d undo round trips, %d events modified\n",
                    path.c_str(), done, visited.size(), sides.size(), ratios.size(), reopens, fontChanges, prints,
                    undoRoundTrips, modifiedEvents);
        EXPECT_GE(visited.size(),
                  std::min<size_t>(static_cast<size_t>(done) / 20, static_cast<size_t>(form->CurrentPuzzle().LetterCount)));
        if (done >= 500) {
            EXPECT_GT(sides.size(), 2u);
            EXPECT_GT(modifiedEvents, 0);
        }

        // Save, then read the file back both directly and through the window.
        const std::string entered = Entries(form->CurrentPuzzle());
        EXPECT_TRUE(form->SaveCurrent());
        EXPECT_FALSE(form->CurrentPuzzle().Modified);
        EXPECT_EQ(Entries(LoadPuzzle(path)), entered);
        form->Close1Click();
        EXPECT_TRUE(form->OpenPuzzleFile(path));
        EXPECT_EQ(Entries(form->CurrentPuzzle()), entered);
        EXPECT_TRUE(CheckModel(form->CurrentPuzzle(), form->Cursor()));
        form->close();
        EXPECT_FALSE(form->isVisible()) << "an unmodified puzzle must let the window close";
        return done;
    }

    uint32_t seed = 0;
    std::mt19937 rng;
    std::string path;
    std::string onDisk;
    bool expectDiskChange = false;
    bool revealedSinceSave = false;
    int eventNumber = 0;
    int reopens = 0;
    int prints = 0;
    int fontChanges = 0;
    int modifiedEvents = 0;
    int undoRoundTrips = 0;
    std::set<int32_t> visited;
    std::set<int> sides;
    std::set<int> ratios;
    std::deque<std::string> recent;
};

TEST_F(SoakTest, SmallPuzzleSurvivesRandomUse)
{
    const int events = EnvInt("QW_SOAK_EVENTS", 3000);
    const int done = Soak(WritePuzzle("Small"), events);
    EXPECT_EQ(done, events);
    RecordProperty("events", done);
}

TEST_F(SoakTest, StressPuzzleSurvivesRandomUse)
{
    // The stress puzzle repaints ten thousand squares; it gets a share of the event budget.
    const int events = std::max(EnvInt("QW_SOAK_EVENTS", 3000) / 5, 1);
    const int done = Soak(WritePuzzle("Stress", MakeStressPuzzle()), events);
    EXPECT_EQ(done, events);
    RecordProperty("events", done);
}

TEST_F(SoakTest, SamplePuzzlesSurviveRandomUse)
{
    const QDir samples(QStringLiteral(QW_SOURCE_DIR "/Puzzles"));
    const QStringList names = samples.entryList({"*.QWL", "*.qwl"}, QDir::Files, QDir::Name);
    if (names.isEmpty()) GTEST_SKIP() << "no sample puzzles in " << samples.path().toStdString();
    const int events = std::max(EnvInt("QW_SOAK_EVENTS", 3000) / 3 / static_cast<int>(names.size()), 1);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        // A copy, so that the soak's saves never touch the samples.
        const QString copy = QDir(puzzlesDir).filePath(name);
        ASSERT_TRUE(QFile::copy(samples.filePath(name), copy));
        EXPECT_EQ(Soak(copy.toStdString(), events), events);
        Restart();
        if (HasFailure()) break;
    }
}

}  // namespace
}  // namespace qw::test
