#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "puzzle/PuzzleFile.h"

using namespace qw;
namespace fs = std::filesystem;

namespace {

enum class Outcome { Loaded, ReadFailed, TooNew, BadNumber };

Outcome Replay(const std::string& bytes, const std::string& name)
{
    try {
        const Puzzle p = DecodePuzzle(bytes, name);
        const std::string saved = EncodePuzzle(p);
        EXPECT_EQ(EncodePuzzle(DecodePuzzle(saved, name)), saved) << name;
        return Outcome::Loaded;
    } catch (const ReadError&) {
        return Outcome::ReadFailed;
    } catch (const VersionError&) {
        return Outcome::TooNew;
    } catch (const NumberError&) {
        return Outcome::BadNumber;
    }
}

}  // namespace

// Every file the fuzzer starts from (and every finding added there later) decodes in memory without
// crashing and ends in one of the reader's outcomes; the seeds made on purpose end in the one meant.
TEST(FuzzCorpus, EveryFileReplaysToAKnownOutcome)
{
    const fs::path dir = fs::path(QW_SOURCE_DIR) / "tools" / "fuzz" / "corpus";
    ASSERT_TRUE(fs::is_directory(dir));
    const std::map<std::string, Outcome> expected = {
        {"v2_full.qwl", Outcome::Loaded},        {"v2_bare.qwl", Outcome::Loaded},
        {"v1_note.qwl", Outcome::Loaded},        {"v1_bare.qwl", Outcome::Loaded},
        {"version3.qwl", Outcome::TooNew},       {"magic_case.qwl", Outcome::ReadFailed},
        {"truncated.qwl", Outcome::ReadFailed},  {"bad_number.qwl", Outcome::BadNumber},
    };
    size_t replayed = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        const std::string name = entry.path().filename().string();
        const Outcome outcome = Replay(bytes.str(), name);
        if (const auto it = expected.find(name); it != expected.end()) {
            EXPECT_EQ(outcome, it->second) << name;
        }
        ++replayed;
    }
    EXPECT_GE(replayed, expected.size());
}
