#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "compose/Filler.h"

namespace qw::compose {
namespace {

using ::testing::Contains;
using ::testing::IsEmpty;
using ::testing::Not;

// A small list where the pool of PIANO LEMON APPLE NIGHT EAGLE TABLE has more than one fill
// (APPEL is APPLE's anagram) and plenty of words that fit part of it.
const WordList& Words()
{
    static const WordList list = WordList::FromWords({
        {"piano", 10}, {"lemon", 10}, {"apple", 10}, {"night", 10}, {"eagle", 20}, {"table", 10},
        {"appel", 50}, {"plant", 10}, {"panel", 20}, {"pilot", 20}, {"light", 10}, {"lion", 10},
        {"label", 20}, {"angel", 20}, {"angle", 20}, {"anthem", 35}, {"noble", 20}, {"nail", 20},
        {"eight", 10}, {"elbow", 35}, {"tiger", 20}, {"tango", 35}, {"toil", 35}, {"apples", 10},
        {"lemons", 20}, {"ample", 35}, {"alpine", 40}, {"ethanol", 50}, {"pea", 10}, {"tea", 10},
    });
    return list;
}

FillRequest Planet()
{
    FillRequest r;
    r.pool = CountLetters("PIANOLEMONAPPLENIGHTEAGLETABLE");
    for (char c : std::string("PLANET")) r.answerSlots.push_back({c, {}});
    r.timeoutSeconds = 2;
    return r;
}

// The rules every fill keeps, whatever it chose.
void ExpectSound(const FillRequest& r, const FillResult& f)
{
    ASSERT_TRUE(f.filled) << f.message;
    ASSERT_EQ(f.answers.size(), r.answerSlots.size());
    EXPECT_TRUE(ComputeLedger(r.pool, f.answers).balanced);
    std::set<std::string> stems;
    for (const std::string& w : r.quotationWords) stems.insert(Stem(w));
    for (size_t s = 0; s < f.answers.size(); ++s) {
        EXPECT_EQ(f.answers[s][0], r.answerSlots[s].initial);
        if (!r.answerSlots[s].answer.empty()) {
            EXPECT_EQ(f.answers[s], r.answerSlots[s].answer);
        }
        EXPECT_TRUE(stems.insert(Stem(f.answers[s])).second) << f.answers[s] << " repeats a stem";
    }
}

TEST(ComposeFill, FillsAroundKeptAnswersAndRules)
{
    struct Case {
        std::vector<std::string> quotationWords, excluded;
        std::string keptLemon;
        uint64_t seed;
        std::string expectA;  // the only word left for the A slot, when the case forces one
    } cases[] = {
        {{}, {}, "", 1, ""},
        {{}, {}, "", 7, ""},
        {{"APPLES", "ABEGHILMNOPTX", "ABEGHILMNOPTZ"}, {}, "", 1, "APPEL"},
        {{}, {"apple"}, "", 3, "APPEL"},
        {{}, {"appel"}, "LEMON", 5, "APPLE"},
    };
    for (const Case& c : cases) {
        FillRequest r = Planet();
        r.quotationWords = c.quotationWords;
        r.excluded = c.excluded;
        r.answerSlots[1].answer = c.keptLemon;
        r.seed = c.seed;
        const FillResult f = AutoFill(Words(), r);
        ExpectSound(r, f);
        if (!c.expectA.empty()) {
            EXPECT_EQ(f.answers[2], c.expectA);
        }
        EXPECT_EQ(AutoFill(Words(), r).answers, f.answers) << "same seed, same fill";
    }
}

TEST(ComposeFill, SaysWhyThereIsNoFill)
{
    struct Case {
        std::string pool, kept;
        const char* says;
    } cases[] = {
        {"PIANOLEMONAPPLENIGHTEAGLETABLEZ", "", "No fill was found within"},
        {"PIANOLEMONAPPLENIGHTEAGLETABLE", "LEMONS", "use more Ss than the quotation has"},
        {"PIANOLEMON", "", "Too few letters"},
    };
    for (const Case& c : cases) {
        FillRequest r = Planet();
        r.pool = CountLetters(c.pool);
        r.answerSlots[1].answer = c.kept;
        r.timeoutSeconds = 0.3;
        const FillResult f = AutoFill(Words(), r);
        EXPECT_FALSE(f.filled);
        EXPECT_THAT(f.message, ::testing::HasSubstr(c.says));
    }
}

TEST(ComposeFill, TakesOnlyWordsThatCanBeNumbered)
{
    // PAPER needs its two Ps from two quotation words.
    const WordList list = WordList::FromWords({{"paper", 10}});
    const std::pair<std::vector<std::string>, bool> cases[] = {{{"AP", "PRE"}, true}, {{"APP", "RE"}, false}};
    for (const auto& [quotationWords, fills] : cases) {
        FillRequest r;
        r.pool = CountLetters("PAPER");
        r.answerSlots = {{'P', {}}};
        r.quotationWords = quotationWords;
        EXPECT_EQ(AutoFill(list, r).filled, fills) << quotationWords[0];
    }
}

TEST(ComposeFill, SuggestionsKeepTheRestFillable)
{
    FillRequest r = Planet();
    const FillResult f = AutoFill(Words(), r);
    ASSERT_TRUE(f.filled);
    for (size_t s = 0; s < r.answerSlots.size(); ++s) r.answerSlots[s].answer = f.answers[s];
    r.answerSlots[3].answer.clear();  // the N slot is open as well
    const auto suggestions = Suggest(Words(), r, 2);
    ASSERT_THAT(suggestions, Not(IsEmpty()));
    std::vector<std::string> words;
    for (const Suggestion& s : suggestions) {
        words.push_back(s.word);
        FillRequest with = r;
        with.answerSlots[2].answer = s.word;
        EXPECT_TRUE(AutoFill(Words(), with).filled) << s.word << " leaves no fill";
    }
    EXPECT_THAT(words, Contains("APPLE"));
    EXPECT_THAT(words, Not(Contains("ANGEL")));  // fits the letters, but takes the N slot's N
    EXPECT_TRUE(std::is_sorted(suggestions.begin(), suggestions.end(),
                               [](const Suggestion& a, const Suggestion& b) { return a.level < b.level; }));
}

TEST(ComposeFill, RerollChangesTheSlot)
{
    FillRequest r = Planet();
    r.excluded = {"appel"};
    const FillResult f = AutoFill(Words(), r);
    ASSERT_TRUE(f.filled);
    r.excluded.clear();
    for (size_t s = 0; s < r.answerSlots.size(); ++s) r.answerSlots[s].answer = f.answers[s];
    const FillResult again = Reroll(Words(), r, 2, std::vector<bool>(r.answerSlots.size(), false));
    ExpectSound(Planet(), again);
    EXPECT_EQ(again.answers[2], "APPEL");
    // With every other answer kept and no other word, there is nothing to reroll to.
    r.excluded = {"appel"};
    EXPECT_FALSE(Reroll(Words(), r, 2, std::vector<bool>(r.answerSlots.size(), true)).filled);
}

}  // namespace
}  // namespace qw::compose
