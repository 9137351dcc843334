#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "compose/Numbering.h"

namespace qw::compose {
namespace {

using ::testing::HasSubstr;

TEST(ComposeDiagram, LaysOutRowsOfTheWidth)
{
    struct Case {
        std::string quote;
        int32_t width;
        std::vector<std::string> rows;
        std::string fixed;
    } cases[] = {
        {"To be, or not", 5, {"TO BE", ", OR ", "NOT  "}, ","},
        {"Abcdef gh", 3, {"ABC", "DEF", "GH "}, ""},  // a word runs on; no row opens black
        {"It's  all!", 27, {"IT'S ALL!" + std::string(18, ' ')}, "'!"},
    };
    for (const Case& c : cases) {
        const DiagramLayout d = LayOutDiagram(AnalyzeQuote(c.quote, "A"), c.width);
        EXPECT_EQ(d.rows, c.rows) << c.quote;
        EXPECT_EQ(d.fixedChars, c.fixed);
    }
    const DiagramLayout d = LayOutDiagram(AnalyzeQuote("To be, or not", "A"), 5);
    ASSERT_EQ(d.squares.size(), 9u);
    EXPECT_EQ(d.squares[4].letter, 'O');
    EXPECT_EQ(d.squares[4].row, 1);
    EXPECT_EQ(d.squares[4].column, 2);
    EXPECT_EQ(d.squares[4].word, 2);
}

std::string Gettysburg()
{
    return "Four score and seven years ago our fathers brought forth on this continent, a new nation, conceived in "
           "Liberty, and dedicated to the proposition that all men are created equal.";
}

TEST(ComposeNumbering, EachLetterItsOwnSquareAndNoWordTwice)
{
    // Answers that use the letters exactly; several share letters with one short word.
    const std::vector<std::string> answers = {
        "ANTHEMS", "FORECAST", "DEVOTION", "SEQUENTIAL", "BROADEN", "TRIANGLE", "FOREVER", "NATION", "TACTIC",
        "HOURLY", "GRAND", "SUBPOENA", "PRICE", "CONSENT", "THROAT", "TODDLE", "TARDIER", "COOLER",
    };
    const QuoteAnalysis quote = AnalyzeQuote(Gettysburg(), "x");
    const DiagramLayout layout = LayOutDiagram(quote, 27);
    // Top the quotation's letters up so these answers use them exactly.
    LetterCounts need{};
    for (const auto& a : answers)
        for (char ch : a) ++need[static_cast<size_t>(ch - 'A')];
    std::string extra;
    for (size_t c = 0; c < 26; ++c)
        for (int k = quote.pool[c]; k < need[c]; ++k) extra += static_cast<char>('A' + c);
    std::string words;
    for (char ch : extra) words += std::string(" ") + ch;
    const QuoteAnalysis full = AnalyzeQuote(Gettysburg() + words, "x");
    std::vector<std::string> used = answers;
    const Ledger left = ComputeLedger(full.pool, answers);
    std::string rest;
    for (size_t c = 0; c < 26; ++c) rest += std::string(static_cast<size_t>(std::max(left.remaining[c], 0)), static_cast<char>('A' + c));
    for (size_t i = 0; i < rest.size(); i += 6) used.push_back(rest.substr(i, 6));
    const DiagramLayout big = LayOutDiagram(full, 27);
    for (uint64_t seed : {1u, 2u, 3u}) {
        const Numbering n = NumberAnswers(big, used, seed);
        ASSERT_TRUE(n.complete) << n.message;
        std::set<int32_t> taken;
        for (size_t a = 0; a < used.size(); ++a) {
            std::set<int32_t> words;
            for (size_t j = 0; j < used[a].size(); ++j) {
                const int32_t square = n.squares[a][j];
                EXPECT_TRUE(taken.insert(square).second);
                EXPECT_EQ(big.squares[static_cast<size_t>(square - 1)].letter, used[a][j]);
                words.insert(big.squares[static_cast<size_t>(square - 1)].word);
            }
            if (words.size() < used[a].size()) {
                EXPECT_GT(n.collisions, 0);
            }
        }
        EXPECT_EQ(n.collisions, 0) << (n.problems.empty() ? "" : n.problems[0].message);
        EXPECT_EQ(NumberAnswers(big, used, seed).squares, n.squares) << "same seed, same numbering";
    }
    (void)layout;
}

TEST(ComposeNumbering, SaysWhichAnswersBreakTheRuleAndWhy)
{
    struct Case {
        std::string quote;
        std::vector<std::string> answers;
        int collisions;
        std::string says;
    } cases[] = {
        {"abcd ef", {"ABCDEF"}, 1, "6 letters but the quotation has only 2 words"},
        {"see i t be", {"EEE", "SITB"}, 1, "EEE needs 3 Es but only 2 words of the quotation hold an E."},
        {"noo n a b c d", {"OON", "NABCD"}, 1, "OON needs 2 Os but only 1 word of the quotation holds an O."},
        {"abc d", {"AB", "CD"}, 1, "AB takes two letters from the quotation word ABC"},
    };
    for (const Case& c : cases) {
        const Numbering n = NumberAnswers(LayOutDiagram(AnalyzeQuote(c.quote, "A"), 27), c.answers);
        ASSERT_TRUE(n.complete) << n.message;
        EXPECT_EQ(n.collisions, c.collisions) << c.quote;
        ASSERT_FALSE(n.problems.empty());
        EXPECT_THAT(n.problems[0].message, HasSubstr(c.says));
    }
    const Numbering unbalanced = NumberAnswers(LayOutDiagram(AnalyzeQuote("abc", "A"), 27), {"ABD"});
    EXPECT_FALSE(unbalanced.complete);
    EXPECT_THAT(unbalanced.message, HasSubstr("left over: 1 C; used too often: 1 D"));
}

}  // namespace
}  // namespace qw::compose
