#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "compose/ComposeText.h"

namespace qw::compose {
namespace {

using ::testing::HasSubstr;

std::vector<QuoteWarning::Kind> Kinds(const QuoteAnalysis& a)
{
    std::vector<QuoteWarning::Kind> kinds;
    for (const auto& w : a.warnings) kinds.push_back(w.kind);
    return kinds;
}

const std::string k160(160, 'e');  // letters enough to keep the count quiet

TEST(ComposeText, WarningsWhileTyping)
{
    struct Case {
        std::string quote, source;
        std::vector<QuoteWarning::Kind> kinds;
        std::string says;
        bool composable;
    } cases[] = {
        {k160, "EEE", {}, "", true},
        {"a short line", "ALS", {QuoteWarning::LetterCount}, "10 letters; aim at 150 to 200", true},
        {k160 + " me", "EMM", {QuoteWarning::SourceLetters}, "needs 2 Ms but the quotation has 1", false},
        {k160 + " z", "EXE", {QuoteWarning::SourceLetters}, "needs 1 X but the quotation has none", false},
        {k160, std::string(29, 'e'), {QuoteWarning::SourceLength}, "29 letters", true},
        {k160 + " quit", "UEE", {QuoteWarning::QWithoutU}, "1 Q but only 0 spare U", true},
        {k160 + " queue", "EEE", {}, "", true},
        {k160 + "\nab \xE2\x86\x92 c", "EEE", {QuoteWarning::Unstorable}, "(U+2192) at line 2, column 4", false},
        {"... !!", "A", {QuoteWarning::Empty, QuoteWarning::SourceLetters}, "no letters", false},
    };
    for (const Case& c : cases) {
        const QuoteAnalysis a = AnalyzeQuote(c.quote, c.source);
        EXPECT_EQ(Kinds(a), c.kinds) << c.quote.substr(c.quote.size() - 5);
        if (!c.says.empty()) {
            ASSERT_FALSE(a.warnings.empty());
            EXPECT_THAT(a.warnings[0].message, HasSubstr(c.says));
        }
        EXPECT_EQ(a.Composable(), c.composable) << c.says;
    }
}

TEST(ComposeText, QuotationBecomesSquaresAndWords)
{
    const QuoteAnalysis a = AnalyzeQuote("  Don't\tgo \xE2\x80\x94 na\xC3\xAFve\n\n\xC3\x86on!  ", "ab");
    std::string shape;
    for (const QuoteChar& c : a.chars)
        shape += c.kind == QuoteChar::Gap ? '_' : c.kind == QuoteChar::Fixed ? '#' : c.ch;
    EXPECT_EQ(shape, "DON#T_GO_#_NAIVE_AEON#");
    EXPECT_EQ(a.words, (std::vector<std::string>{"DONT", "GO", "NAIVE", "AEON"}));
    EXPECT_EQ(a.sourceLetters, "AB");
    EXPECT_EQ(a.LetterTotal(), 15);
}

TEST(ComposeText, StemsJoinFormsOfOneWord)
{
    const std::vector<std::vector<std::string>> same = {
        {"HOPE", "HOPES", "HOPED", "HOPING"},
        {"RUN", "RUNS", "RUNNING"},
        {"STORY", "STORIES"},
        {"KIND", "KINDNESS", "KINDLY"},
    };
    for (const auto& group : same)
        for (const std::string& w : group) EXPECT_EQ(Stem(w), Stem(group[0])) << w;
    const std::vector<std::pair<std::string, std::string>> apart = {
        {"BUS", "BUSY"}, {"GLASS", "GLAD"}, {"CAT", "CATTLE"}, {"STORY", "STORK"}};
    for (const auto& [a, b] : apart)
        EXPECT_NE(Stem(a), Stem(b)) << a << " " << b;
}

TEST(ComposeText, LedgerCountsWhatIsLeft)
{
    const LetterCounts pool = CountLetters("AABBCDE");
    struct Case {
        std::vector<std::string> answers;
        int left;
        std::vector<char> over;
        bool balanced;
    } cases[] = {
        {{}, 7, {}, false},
        {{"ABBA", "CDE"}, 0, {}, true},
        {{"ABBA", "DECC"}, 0, {'C'}, false},
        {{"BAD"}, 4, {}, false},
    };
    for (const Case& c : cases) {
        const Ledger l = ComputeLedger(pool, c.answers);
        EXPECT_EQ(l.left, c.left);
        EXPECT_EQ(l.overUsed, c.over);
        EXPECT_EQ(l.balanced, c.balanced);
    }
}

}  // namespace
}  // namespace qw::compose
