#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "puzzle/RecentList.h"

namespace qw {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Paths(int from, int to)
{
    std::vector<std::string> paths;
    for (int i = from; i <= to; ++i) paths.push_back("/p/P" + std::to_string(i) + ".QWL");
    return paths;
}

TEST(RecentListTest, NewestFirstAndTheEleventhPushesTheOldestOut)
{
    RecentList list;
    for (const std::string& path : Paths(1, 10)) list.AddToRecent(path);
    ASSERT_EQ(list.Entries().size(), 10u);
    EXPECT_EQ(list.Entries().front(), "/p/P10.QWL");
    EXPECT_EQ(list.Entries().back(), "/p/P1.QWL");

    list.AddToRecent("/p/P11.QWL");
    ASSERT_EQ(list.Entries().size(), 10u);
    EXPECT_EQ(list.Entries().front(), "/p/P11.QWL");
    EXPECT_EQ(list.Entries().back(), "/p/P2.QWL");

    // Leaving a listed puzzle again moves it to the front without pushing anything out.
    list.AddToRecent("/p/P2.QWL");
    ASSERT_EQ(list.Entries().size(), 10u);
    EXPECT_EQ(list.Entries()[0], "/p/P2.QWL");
    EXPECT_EQ(list.Entries()[1], "/p/P11.QWL");
    EXPECT_EQ(list.Entries().back(), "/p/P3.QWL");
}

TEST(RecentListTest, PathsMatchWhateverTheirCase)
{
    RecentList list;
    list.Set({"/p/Cryptic.QWL", "/p/Other.QWL"});
    list.AddToRecent("/P/CRYPTIC.qwl");
    EXPECT_THAT(list.Entries(), ElementsAre("/P/CRYPTIC.qwl", "/p/Other.QWL"));
    list.Remove("/p/other.qwl");
    EXPECT_THAT(list.Entries(), ElementsAre("/P/CRYPTIC.qwl"));

    EXPECT_TRUE(RecentList::SamePath("/p/Ärger é.QWL", "/P/äRGER É.qwl"));
    EXPECT_FALSE(RecentList::SamePath("/p/A.QWL", "/p/A.QWL2"));
    EXPECT_FALSE(RecentList::SamePath("/p/Ä.QWL", "/p/A.QWL"));
    // Bytes that are not UTF-8 still compare, byte for byte.
    EXPECT_TRUE(RecentList::SamePath("/p/\xE9\xFF.QWL", "/p/\xE9\xFF.qwl"));
    EXPECT_FALSE(RecentList::SamePath("/p/\xC3", "/p/\xC3\xA9"));
}

TEST(RecentListTest, RelativePathsAreExpandedAgainstTheCurrentFolder)
{
    const auto cwd = std::filesystem::current_path();
    RecentList list;
    list.AddToRecent("Puzzles/../A.QWL");
    ASSERT_EQ(list.Entries().size(), 1u);
    EXPECT_EQ(list.Entries()[0], (cwd / "A.QWL").string());
    list.AddToRecent((cwd / "a.qwl").string());
    EXPECT_EQ(list.Entries().size(), 1u);
    list.AddToRecent("");
    EXPECT_EQ(list.Entries().size(), 1u);
}

TEST(RecentListTest, SetSkipsEmptySlotsAndKeepsTen)
{
    RecentList list;
    std::vector<std::string> stored = Paths(1, 12);
    stored.insert(stored.begin() + 1, "");
    list.Set(stored);
    ASSERT_EQ(list.Entries().size(), 10u);
    EXPECT_EQ(list.Entries()[1], "/p/P2.QWL");
    EXPECT_EQ(list.Entries()[9], "/p/P10.QWL");
}

TEST(RecentListTest, CaptionIsTheFileNameWithoutItsExtension)
{
    EXPECT_EQ(RecentList::Caption("/home/u/Puzzles/Cryptic 12.QWL"), "Cryptic 12");
    EXPECT_EQ(RecentList::Caption("Plain.qwl"), "Plain");
    EXPECT_EQ(RecentList::Caption("/p/Café.QWL"), "Café");
    // The last four characters go, whatever they are.
    EXPECT_EQ(RecentList::Caption("/p/x.Qé"), "");
    EXPECT_EQ(RecentList::Caption("/p/Notes.txt.Ωωé"), "Notes.txt");
    EXPECT_EQ(RecentList::Caption("/p/"), "");
}

TEST(RecentListTest, TheOpenPuzzleIsNotOffered)
{
    RecentList list;
    list.Set({"/p/A.QWL", "/p/B.QWL", "/p/C.QWL"});
    EXPECT_THAT(VisibleItems(list, ""), ElementsAre(0, 1, 2));
    EXPECT_THAT(VisibleItems(list, "/p/B.QWL"), ElementsAre(0, 2));
    // The comparison is exact: another spelling of the open puzzle's path is still shown.
    EXPECT_THAT(VisibleItems(list, "/p/b.QWL"), ElementsAre(0, 1, 2));
    list.Set({"/p/A.QWL"});
    EXPECT_TRUE(VisibleItems(list, "/p/x/../A.QWL").empty());
}

}  // namespace
}  // namespace qw
