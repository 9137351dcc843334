#include <gtest/gtest.h>

#include "QwlJson.h"
#include "puzzle/PuzzleFile.h"

using namespace qw;

namespace {

const char* kSample = R"({
  "maskSeed": 254, "solutionScrambled": 1,
  "fixedChars": "!", "diagramRows": ["Ça va!", "BIEN  "],
  "keyNumber": "0012", "headerStrings": ["Première", "", "€ and ™"],
  "anyCharAllowed": 0, "extraLetters": "çŒ", "authorAddress": "a@b.example",
  "clues": [
    {"text": "Opening", "answer": [2, 1, 3], "entered": "a Ç"},
    {"text": "Well", "answer": [5, 4, 6, 7, 8]}
  ],
  "moreInfo": {"caption": "More", "color": 2147483653, "fontName": "Arial", "fontHeight": -13,
               "fontColor": 255, "bold": true, "lines": ["one", "", "três"]},
  "solverInfo": {"caption": "Done", "text": "a\r\nb", "italic": true}
})";

Json Reload(const Puzzle& p, int* version = nullptr)
{
    std::string fixed;
    int v = 0;
    const Puzzle q = DecodePuzzle(EncodePuzzle(p), "mem", &v, &fixed);
    if (version) *version = v;
    return DumpJson(q, v, fixed);
}

std::string MakeError(const std::string& json)
{
    try {
        PuzzleFromJson(ParseJson(json));
    } catch (const InputError& e) {
        return e.what();
    }
    return "accepted";
}

}  // namespace

TEST(QwlJson, MakeThenDumpShowsWhatTheSourceSays)
{
    const Json dumped = Reload(PuzzleFromJson(ParseJson(kSample)));
    EXPECT_EQ(dumped["version"], 2);
    EXPECT_EQ(dumped["maskSeed"], 254);
    EXPECT_EQ(dumped["solutionScrambled"], 1);
    EXPECT_EQ(dumped["letterCount"], 8);
    EXPECT_EQ(dumped["diagramRows"][0], "Ça va!");
    EXPECT_EQ(dumped["headerStrings"][2], "€ and ™");
    EXPECT_EQ(dumped["upperCaseOnly"], false);
    // Lower-case solution letters: extra letters count in both cases, in code page order.
    EXPECT_EQ(dumped["typingAlphabet"], " ABCDEFGHIJKLMNOPQRSTUVWXYZŒÇç");
    EXPECT_EQ(dumped["clues"][0]["label"], "A");
    EXPECT_EQ(dumped["clues"][0]["entered"], "a Ç");
    EXPECT_EQ(dumped["clues"][1]["entered"], "     ");
    EXPECT_EQ(dumped["clues"][1]["answer"], Json::parse("[5,4,6,7,8]"));
    EXPECT_EQ(dumped["moreInfo"]["lines"][2], "três");
    EXPECT_EQ(dumped["moreInfo"]["color"], static_cast<int32_t>(0x80000005));
    EXPECT_EQ(dumped["moreInfo"]["bold"], true);
    EXPECT_EQ(dumped["solverInfo"]["text"], "a\r\nb");
    EXPECT_EQ(dumped["solverInfo"]["italic"], true);
    EXPECT_EQ(dumped["fixedChars"], "!");
}

TEST(QwlJson, MakeDumpMakeIsByteIdentical)
{
    const std::string first = EncodePuzzle(PuzzleFromJson(ParseJson(kSample)));
    const Json dumped = Reload(PuzzleFromJson(ParseJson(kSample)));
    EXPECT_EQ(EncodePuzzle(PuzzleFromJson(dumped)), first);
}

TEST(QwlJson, AbsentNotesDumpAsNull)
{
    const Json dumped = Reload(PuzzleFromJson(ParseJson(R"({"diagramRows": ["AB"], "clues": [{"answer": [1, 2]}]})")));
    EXPECT_TRUE(dumped["moreInfo"].is_null());
    EXPECT_TRUE(dumped["solverInfo"].is_null());
    EXPECT_EQ(dumped["headerStrings"], Json::parse(R"(["", "", ""])"));
}

TEST(QwlJson, InconsistentInputIsRefusedWithTheFieldNamed)
{
    EXPECT_EQ(MakeError("{bad").rfind("bad JSON: ", 0), 0u);
    EXPECT_EQ(MakeError(R"({"diagramRows": ["AB"], "clues": [{"answer": [1, 3]}]})"),
              "inconsistent puzzle: clue A refers to letter 3, but the diagram has 2 letters");
    EXPECT_EQ(MakeError(R"({"diagramRows": ["AB"], "clues": [{"answer": [1]}, {"answer": [1, 2]}]})"),
              "inconsistent puzzle: clue B uses letter 1 a second time");
    EXPECT_EQ(MakeError(R"({"diagramRows": ["AB", "C"], "clues": [{"answer": [1, 2, 3]}]})"),
              "inconsistent puzzle: diagram row 2 does not have 2 characters");
    EXPECT_EQ(MakeError(R"({"diagramRows": ["AB"], "clues": [{"answer": [1, 2], "entered": "ABC"}]})"),
              "clues[0].entered has more characters than the answer has letters");
    EXPECT_EQ(MakeError(R"({"diagramRows": ["A☃"], "clues": [{"answer": [1, 2]}]})"),
              "diagramRows[0] has characters that Windows-1252 cannot hold");
    EXPECT_EQ(MakeError(R"({"diagramRows": ["AB"], "rowCount": 2, "clues": [{"answer": [1, 2]}]})"),
              "rowCount does not match the number of diagramRows");
    EXPECT_EQ(MakeError(R"({"diagramRows": ["AB"], "maskSeed": 256, "clues": [{"answer": [1, 2]}]})"),
              "maskSeed must be between 0 and 255");
    EXPECT_EQ(MakeError(R"({"diagramRows": ["AB"]})"), "clues must be an array");
    EXPECT_EQ(MakeError(R"({"diagramRows": ["AB"], "clues": [{"answer": [1, 2]}], "moreInfo": {"bold": 1}})"),
              "moreInfo.bold must be true or false");
}

TEST(QwlJson, Version1WriterRefusesVersion2Fields)
{
    Puzzle p = PuzzleFromJson(ParseJson(kSample));
    EXPECT_THROW(EncodePuzzleVersion1(p), std::invalid_argument);
    p.SolverInfo.Text.clear();
    p.ExtraLetters.clear();
    p.AuthorAddress.clear();
    int version = 0;
    const Puzzle q = DecodePuzzle(EncodePuzzleVersion1(p), "mem", &version);
    EXPECT_EQ(version, 1);
    EXPECT_EQ(q.MoreInfo.Lines.size(), 3u);
}
