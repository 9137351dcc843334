#include <gtest/gtest.h>

#include <functional>

#include "TestPuzzles.h"
#include "solve/CheckReveal.h"
#include "solve/LetterEntry.h"
#include "solve/Navigation.h"
#include "solve/SolutionKey.h"
#include "solve/UndoHistory.h"

using namespace qw;
using namespace qw::testing;

namespace {

// Diagram order ABCDEFGH; clue a = letters 1..4, clue b = 5..8. Typing moves one step at a time.
struct Session {
    Puzzle p = Build({"ABCDEFGH"}, {{"a", Range(1, 4), ""}, {"b", Range(5, 8), ""}});
    CursorState c = StartCursor(p);
    UndoHistory h;
    explicit Session(const std::string& entries = "        ", size_t limit = kUndoLimit) : h(limit)
    {
        SetEntries(p, entries);
        h.Reset(p);
    }
    void Type(const std::string& text)
    {
        for (char ch : text) TypeCharacter(p, c, ch, 1, 1, &h);
    }
    void At(int32_t letter) { c.CurrentLetter = letter; }
};

using Command = std::function<void(Session&)>;

TEST(UndoHistory, EachCommandThatChangesEntriesIsOneStepOfItsKind)
{
    struct Case {
        std::string before;
        Command command;
        std::vector<StepKind> kinds;  // empty: no step
        std::vector<LetterChange> changes;
    };
    const Command reveal = [](Session& s) { RevealCurrentLetter(s.p, s.c, &s.h); };
    const Command revealAll = [](Session& s) { RevealAllLetters(s.p, &s.h); };
    const std::vector<Case> cases = {
        {"        ", [](Session& s) { s.Type("x"); }, {StepKind::Typed}, {{2, ' ', 'X'}}},
        {" X      ", [](Session& s) { s.Type("X"); }, {}, {}},
        {" X      ", [](Session& s) { s.Type(" "); }, {StepKind::Cleared}, {{2, 'X', ' '}}},
        {" X      ", [](Session& s) { HandleNavKey(s.p, s.c, NavKey::Backspace, &s.h); }, {StepKind::Cleared},
         {{2, 'X', ' '}}},
        {"        ", [](Session& s) { HandleNavKey(s.p, s.c, NavKey::Delete, &s.h); }, {}, {}},
        {" X      ", reveal, {StepKind::RevealCurrent}, {{2, 'X', 'B'}}},
        {"AXC  FGH", revealAll, {StepKind::RevealAll}, {{2, 'X', 'B'}, {4, ' ', 'D'}, {5, ' ', 'E'}}},
        {"ABCDEFGH", revealAll, {}, {}},
        {"AX      ", [](Session& s) { CheckCurrentLetter(s.p, s.c), CheckAllLetters(s.p); }, {}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.before);
        Session s(test.before);
        s.At(2);
        test.command(s);
        const std::string after = Entries(s.p);
        ASSERT_EQ(s.h.UndoCount(), test.kinds.size());
        if (test.kinds.empty()) continue;
        const UndoStep* step = s.h.Undo(s.p);
        EXPECT_EQ(step->Kind, test.kinds[0]);
        EXPECT_EQ(step->Changes, test.changes);
        EXPECT_EQ(Entries(s.p), test.before);
        s.h.Redo(s.p);
        EXPECT_EQ(Entries(s.p), after);
    }
}

TEST(UndoHistory, KeepsTheNewestStepsUpToItsLimitAndANewChangeDropsTheRedoSteps)
{
    for (size_t limit : {size_t{3}, kUndoLimit}) {
        Session s("        ", limit);
        for (size_t n = 0; n < limit + 2; ++n) s.h.RecordLetter(StepKind::Typed, 1, "AB"[n % 2], "BA"[n % 2]);
        size_t undone = 0;
        while (s.h.Undo(s.p)) ++undone;
        EXPECT_EQ(undone, limit);
        EXPECT_EQ(s.p.Letters[1].Entered, 'A');  // the before of the third step recorded
        EXPECT_EQ(s.h.RedoCount(), limit);
        s.Type("Q");
        EXPECT_FALSE(s.h.CanRedo());
    }
    // Undo and redo take the cursor to the step's first letter and say when a first letter changed.
    Session s;
    s.Type("AB");
    UndoOutcome o = UndoLastStep(s.p, s.c, s.h);
    EXPECT_TRUE(o.letters == std::vector<int32_t>{2} && s.c.CurrentLetter == 2 && !o.refreshTitleStrip);
    o = UndoLastStep(s.p, s.c, s.h);
    EXPECT_TRUE(o.letters == std::vector<int32_t>{1} && s.c.CurrentLetter == 1 && o.refreshTitleStrip);
}

TEST(UndoHistory, ModifiedIsFalseExactlyAtTheSavedState)
{
    // Long after the step that left the saved state was dropped, the entries still find it.
    Session s("        ", 2);
    for (int n = 0; n < 6; ++n) {
        s.At(1);
        s.Type(n % 2 ? " " : "A");
    }
    UndoLastStep(s.p, s.c, s.h);
    EXPECT_TRUE(s.p.Modified);
    RedoNextStep(s.p, s.c, s.h);
    EXPECT_FALSE(s.p.Modified);

    // An accepted key number is unsaved too, whatever the entries.
    Session locked;
    locked.p.SolutionScrambled = 1;
    locked.p.KeyNumber = "12";
    locked.h.Reset(locked.p);
    locked.Type("A");
    AcceptKey(locked.p, "12");
    UndoLastStep(locked.p, locked.c, locked.h);
    EXPECT_TRUE(locked.p.Modified);
}

TEST(UndoHistory, RedoCompletesAsTheCommandDidAndUndoNever)
{
    struct Case {
        std::string before;
        Command command;
        Completion redo;
    };
    const std::vector<Case> cases = {
        {"ABCDEFG ", [](Session& s) { s.Type("H"); }, Completion::Congratulate},
        {"ABCDEFG ", [](Session& s) { s.Type("X"); }, Completion::FilledMessage},
        {"ABCDEFGX", [](Session& s) { s.Type("Y"); }, Completion::None},
        {"ABC EFG ", [](Session& s) { s.Type("H"); }, Completion::None},
        {"ABCDEFG ", [](Session& s) { RevealCurrentLetter(s.p, s.c, &s.h); }, Completion::Congratulate},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.before);
        Session s(test.before);
        s.At(8);
        test.command(s);
        const UndoOutcome undo = UndoLastStep(s.p, s.c, s.h);
        EXPECT_TRUE(undo.changed && undo.completion == Completion::None && !undo.solved);
        const UndoOutcome redo = RedoNextStep(s.p, s.c, s.h);
        EXPECT_EQ(redo.completion, test.redo);
        EXPECT_EQ(redo.solved, test.redo == Completion::Congratulate);
    }
}

}  // namespace
