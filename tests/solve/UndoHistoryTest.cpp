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

// Diagram order ABCDEFGH; word list: clue a = 1..4, clue b = 5..8.
Puzzle Eight() { return Build({"ABCDEFGH"}, {{"a", Range(1, 4), ""}, {"b", Range(5, 8), ""}}); }

struct Session {
    Puzzle p = Eight();
    CursorState c = StartCursor(p);
    UndoHistory h;
    explicit Session(size_t limit = kUndoLimit) : h(limit) { h.Reset(p); }
    void Type(const std::string& text)
    {
        for (char ch : text) TypeCharacter(p, c, ch, 1, 1, &h);
    }
};

TEST(UndoHistory, EachCommandThatChangesEntriesIsOneStepOfItsKind)
{
    struct Case {
        const char* name;
        std::string before;  // entries, diagram order
        int32_t cursor;
        std::function<void(Session&)> command;
        size_t steps;  // steps recorded
        StepKind kind;
        std::vector<LetterChange> changes;
    };
    const std::vector<Case> cases = {
        {"typed letter", "        ", 2, [](Session& s) { s.Type("x"); }, 1, StepKind::Typed, {{2, ' ', 'X'}}},
        {"same letter again", " X      ", 2, [](Session& s) { s.Type("X"); }, 0, {}, {}},
        {"typed space", " X      ", 2, [](Session& s) { s.Type(" "); }, 1, StepKind::Cleared, {{2, 'X', ' '}}},
        {"backspace", " X      ", 2, [](Session& s) { HandleNavKey(s.p, s.c, NavKey::Backspace, &s.h); }, 1,
         StepKind::Cleared, {{2, 'X', ' '}}},
        {"delete on a blank", "        ", 2, [](Session& s) { HandleNavKey(s.p, s.c, NavKey::Delete, &s.h); }, 0, {},
         {}},
        {"arrow", " X      ", 2, [](Session& s) { HandleNavKey(s.p, s.c, NavKey::Right, &s.h); }, 0, {}, {}},
        {"reveal current", " X      ", 2, [](Session& s) { RevealCurrentLetter(s.p, s.c, &s.h); }, 1,
         StepKind::RevealCurrent, {{2, 'X', 'B'}}},
        {"reveal all", "AXC  FGH", 1, [](Session& s) { RevealAllLetters(s.p, &s.h); }, 1, StepKind::RevealAll,
         {{2, 'X', 'B'}, {4, ' ', 'D'}, {5, ' ', 'E'}}},
        {"reveal all when solved", "ABCDEFGH", 1, [](Session& s) { RevealAllLetters(s.p, &s.h); }, 0, {}, {}},
        {"checks", "AX      ", 2, [](Session& s) {
             CheckCurrentLetter(s.p, s.c);
             CheckAllLetters(s.p);
         }, 0, {}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Session s;
        SetEntries(s.p, test.before);
        s.h.Reset(s.p);
        s.c.CurrentLetter = test.cursor;
        test.command(s);
        ASSERT_EQ(s.h.UndoCount(), test.steps);
        if (test.steps == 0) continue;
        const std::string after = Entries(s.p);
        const UndoStep* step = s.h.Undo(s.p);
        EXPECT_EQ(step->Kind, test.kind);
        EXPECT_EQ(step->Changes, test.changes);
        EXPECT_EQ(Entries(s.p), test.before);
        s.h.Redo(s.p);
        EXPECT_EQ(Entries(s.p), after);
    }
}

TEST(UndoHistory, UndoAndRedoWalkTheStepsAndANewChangeDropsTheRedoSteps)
{
    Session s;
    s.Type("ABC");  // letters 1, 2, 3; the cursor is now on 4
    UndoOutcome o = UndoLastStep(s.p, s.c, s.h);
    EXPECT_EQ(Entries(s.p), "AB      ");
    EXPECT_EQ(o.letters, std::vector<int32_t>{3});
    EXPECT_EQ(s.c.CurrentLetter, 3);
    UndoLastStep(s.p, s.c, s.h);
    o = RedoNextStep(s.p, s.c, s.h);
    EXPECT_EQ(Entries(s.p), "AB      ");
    EXPECT_EQ(s.c.CurrentLetter, 2);
    EXPECT_TRUE(s.h.CanRedo());

    s.c.CurrentLetter = 5;
    s.Type("Q");
    EXPECT_FALSE(s.h.CanRedo());
    EXPECT_FALSE(RedoNextStep(s.p, s.c, s.h).changed);
    UndoLastStep(s.p, s.c, s.h);
    UndoLastStep(s.p, s.c, s.h);
    o = UndoLastStep(s.p, s.c, s.h);
    EXPECT_TRUE(o.changed && o.refreshTitleStrip);  // letter 1 starts clue a
    EXPECT_EQ(Entries(s.p), "        ");
    EXPECT_FALSE(UndoLastStep(s.p, s.c, s.h).changed);
}

TEST(UndoHistory, KeepsTheNewestStepsUpToItsLimit)
{
    for (size_t limit : {size_t{3}, kUndoLimit}) {
        SCOPED_TRACE(limit);
        Session s(limit);
        for (size_t n = 0; n < limit + 2; ++n) s.h.RecordLetter(StepKind::Typed, 1, n % 2 ? 'B' : 'A', n % 2 ? 'A' : 'B');
        EXPECT_EQ(s.h.UndoCount(), limit);
        size_t undone = 0;
        while (s.h.Undo(s.p)) ++undone;
        EXPECT_EQ(undone, limit);
        // The oldest step left is the third recorded: A -> B.
        EXPECT_EQ(s.p.Letters[1].Entered, 'A');
    }
}

TEST(UndoHistory, ModifiedIsFalseExactlyAtTheSavedState)
{
    Session s;
    s.Type("AB");
    EXPECT_TRUE(s.p.Modified);
    UndoLastStep(s.p, s.c, s.h);
    EXPECT_TRUE(s.p.Modified);
    UndoLastStep(s.p, s.c, s.h);
    EXPECT_FALSE(s.p.Modified);
    RedoNextStep(s.p, s.c, s.h);
    EXPECT_TRUE(s.p.Modified);

    // A save moves the saved state; the steps stay.
    s.h.MarkSaved(s.p);
    s.p.Modified = false;
    UndoLastStep(s.p, s.c, s.h);
    EXPECT_TRUE(s.p.Modified);
    RedoNextStep(s.p, s.c, s.h);
    EXPECT_FALSE(s.p.Modified);

    // Long after the step that left the saved state was dropped, the entries still find it.
    Session t(2);
    for (int n = 0; n < 6; ++n) {
        t.c.CurrentLetter = 1;
        t.Type(n % 2 ? " " : "A");
    }
    EXPECT_TRUE(t.p.Modified);  // clearing a letter is a change like any other
    UndoLastStep(t.p, t.c, t.h);
    EXPECT_TRUE(t.p.Modified);
    RedoNextStep(t.p, t.c, t.h);
    EXPECT_FALSE(t.p.Modified);

    // An accepted key number is unsaved too, whatever the entries.
    Session u;
    u.p.SolutionScrambled = 1;
    u.p.KeyNumber = "12";
    u.h.Reset(u.p);
    u.Type("A");
    AcceptKey(u.p, "12");
    UndoLastStep(u.p, u.c, u.h);
    EXPECT_TRUE(u.p.Modified);
}

TEST(UndoHistory, RedoCompletesAsTheCommandDidAndUndoNever)
{
    struct Case {
        const char* name;
        std::string before;
        std::function<void(Session&)> command;
        Completion redo;
    };
    const std::vector<Case> cases = {
        {"typed last right letter", "ABCDEFG ", [](Session& s) { s.Type("H"); }, Completion::Congratulate},
        {"typed last wrong letter", "ABCDEFG ", [](Session& s) { s.Type("X"); }, Completion::FilledMessage},
        {"overtyped a full grid", "ABCDEFGX", [](Session& s) { s.Type("Y"); }, Completion::None},
        {"revealed the last letter", "ABCDEFG ", [](Session& s) { RevealCurrentLetter(s.p, s.c, &s.h); },
         Completion::Congratulate},
        {"revealed all", "        ", [](Session& s) { RevealAllLetters(s.p, &s.h); }, Completion::Congratulate},
        {"typed into a grid with blanks", "        ", [](Session& s) { s.Type("H"); }, Completion::None},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Session s;
        SetEntries(s.p, test.before);
        s.c.CurrentLetter = 8;
        test.command(s);
        UndoOutcome undo = UndoLastStep(s.p, s.c, s.h);
        EXPECT_TRUE(undo.changed);
        EXPECT_EQ(undo.completion, Completion::None);
        EXPECT_FALSE(undo.solved);
        UndoOutcome redo = RedoNextStep(s.p, s.c, s.h);
        EXPECT_EQ(redo.completion, test.redo);
        EXPECT_EQ(redo.solved, test.redo == Completion::Congratulate);
    }
}

}  // namespace
