#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "puzzle/FileAccess.h"
#include "solve/SolvingTime.h"

using namespace qw;

TEST(SolvingTime, ReadsAsMinutesUnderAnHourAndHoursFromThenOn)
{
    const std::pair<int64_t, const char*> rows[] = {
        {0, "0:00"}, {59, "0:59"}, {61, "1:01"}, {3599, "59:59"}, {3600, "1:00:00"}, {36061, "10:01:01"}, {-5, "0:00"},
    };
    for (const auto& [seconds, text] : rows) EXPECT_EQ(FormatSolvingTime(seconds), text) << seconds;
}

TEST(SolvingTime, KeptPerPuzzlePathInOneFileOfTheStateFolder)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "qw_solving_time_test";
    std::filesystem::remove_all(dir);
    const std::string file = (dir / "state" / "solving-times").string();  // the folder comes with it
    SolvingTimes times(file);
    EXPECT_EQ(times.Get("/p/A.QWL"), SolvingTime{});
    times.Put("/p/A.QWL", {75, false});
    times.Put("/copy/A.QWL", {3, true});
    times.Put("/p/tab\there.QWL", {9, false});
    times.Put("/p/line\nbreak.QWL", {9, false});  // cannot be kept in a line: left out
    { std::ofstream(file, std::ios::app) << "garbage\n-4\t0\t/p/B.QWL\n"; }
    SolvingTimes again(file);
    EXPECT_EQ(again.Get("/p/A.QWL"), (SolvingTime{75, false}));
    EXPECT_EQ(again.Get("/copy/A.QWL"), (SolvingTime{3, true}));
    EXPECT_EQ(again.Get("/p/tab\there.QWL"), (SolvingTime{9, false}));
    EXPECT_EQ(again.Get("/p/line\nbreak.QWL"), SolvingTime{});
    EXPECT_EQ(again.Get("/p/B.QWL"), SolvingTime{});

    // A folder in the file's place cannot be written: the error says so.
    std::filesystem::create_directories(dir / "sub" / "x");  // also makes `dir`
    EXPECT_THROW(SolvingTimes((dir / "sub").string()).Put("/p/A.QWL", {1, false}), SaveError);
    EXPECT_EQ(SolvingTimes("").Get("/p/A.QWL"), SolvingTime{});
    std::filesystem::remove_all(dir);
}
