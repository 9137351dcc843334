#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "TempFolder.h"
#include "compose/WordList.h"

namespace qw::compose {
namespace {

using ::testing::HasSubstr;

struct ComposeWordList : ::testing::Test {
    TempFolder dir;
    WordListOptions options;
    void SetUp() override
    {
        dir.Write("scowl/english-words.10", "apple\nan\nBoston\ndog's\ncaf\xC3\xA9\nsheep\n");
        dir.Write("scowl/english-words.35", "apple\nzebra\nincomprehensibility\n");
        dir.Write("scowl/american-words.20", "color\n");
        dir.Write("scowl/british-words.20", "colour\n");
        dir.Write("scowl/english-proper-names.10", "alice\n");
        dir.Write("scowl/english-abbreviations.10", "etc\n");
        dir.Write("scowl/english-words.60", "zymurgy\n");
        dir.Write("wordnet/index.noun", "  1 licence text\nice_cream n 1 0 1 0 07611358\nsheep n 1 0 1 0 02411705\n");
        options.scowlDir = dir.path() + "/scowl";
        options.wordnetDir = dir.path() + "/wordnet";
        options.cacheDir = dir.path() + "/cache";
    }
    std::vector<std::pair<std::string, int>> Listed(const WordList& list)
    {
        std::vector<std::pair<std::string, int>> out;
        for (const Word& w : list.Words()) out.emplace_back(w.text, w.level);
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(ComposeWordList, TakesPlainWordsUpToTheLevel)
{
    const std::vector<std::pair<std::string, int>> expected = {{"apple", 10}, {"color", 20}, {"sheep", 10}, {"zebra", 35}};
    EXPECT_EQ(Listed(WordList::Load(options)), expected);
    options.maxLevel = 60;
    options.cacheDir = "-";
    EXPECT_EQ(Listed(WordList::Load(options)).back(), (std::pair<std::string, int>{"zymurgy", 60}));
    options.maxLevel = 50;
    options.phrases = true;
    const WordList withPhrases = WordList::Load(options);
    ASSERT_TRUE(withPhrases.Find("ICECREAM"));
    EXPECT_EQ(withPhrases[*withPhrases.Find("ICECREAM")].text, "ice cream");
}

TEST_F(ComposeWordList, CacheIsUsedUntilAPackageFileChanges)
{
    EXPECT_FALSE(WordList::Load(options).fromCache());
    EXPECT_TRUE(WordList::Load(options).fromCache());
    // A package update: the same size, a new date.
    const auto file = std::filesystem::path(options.scowlDir) / "american-words.20";
    dir.Write("scowl/american-words.20", "odour\n");
    std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::hours(1));
    const WordList updated = WordList::Load(options);
    EXPECT_FALSE(updated.fromCache());
    EXPECT_TRUE(updated.Find("ODOUR"));
    EXPECT_FALSE(updated.Find("COLOR"));
}

TEST_F(ComposeWordList, MissingPackagesAreNamed)
{
    options.scowlDir = dir.path() + "/none";
    try {
        WordList::Load(options);
        FAIL() << "no error";
    } catch (const WordListMissing& e) {
        EXPECT_THAT(e.what(), HasSubstr("scowl"));
        EXPECT_THAT(e.what(), HasSubstr("typed answers still work"));
    }
    options.scowlDir = dir.path() + "/scowl";
    options.wordnetDir = dir.path() + "/none";
    options.phrases = true;
    EXPECT_THAT(WordList::Load(options).warning(), HasSubstr("wordnet-base"));
}

TEST(ComposeWordListIndex, AnagramsAndHashesAddUp)
{
    const WordList list = WordList::FromWords({{"stone", 10}, {"notes", 20}, {"onset", 35}, {"tones", 10}, {"set", 10}});
    const Word& stone = list[*list.Find("STONE")];
    const auto* found = list.Anagrams('N', stone.hash);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(list[found->front()].letters, "NOTES");
    EXPECT_EQ(list[*list.Find("SET")].hash + LetterHash('O') + LetterHash('N'), stone.hash);
    EXPECT_EQ(list.Anagrams('Q', stone.hash), nullptr);
    EXPECT_EQ(list[*list.Find("NOTES")].stem, list.StemOf("NOTE"));
}

}  // namespace
}  // namespace qw::compose
