#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "TempFolder.h"
#include "compose/ClueDrafts.h"
#include "compose/Composition.h"
#include "formats/PuzzleFormats.h"
#include "puzzle/PuzzleFile.h"

namespace qw::compose {
namespace {

using ::testing::HasSubstr;

Composition Sample()
{
    Composition c;
    c.quotation = "Piano lemon, apple night eagle table \xE2\x80\x94 caf\xC3\xA9!";
    c.source = "Planet";
    c.width = 9;
    c.seed = 4;
    for (const char* w : {"piano", "lemon", "apple", "night", "eagle", "tablecafe"}) c.answers.push_back({w, false, ""});
    c.answers[0].clue = "Keyboard instrument";
    c.answers[1].locked = true;
    c.headers = {"Acrostic No. 1", "", ""};
    c.notes = "First line\nSecond line";
    c.authorAddress = "setter@example.org";
    c.excluded = {"appel"};
    return c;
}

TEST(ComposerFile, KeepsEverythingAcrossSaveAndLoad)
{
    TempFolder dir;
    const std::string path = dir.path() + "/draft.qwc";
    Composition c = Sample();
    c.lockSolution = true;
    c.keyNumber = "0042";
    SaveComposition(c, path);
    const Composition back = LoadComposition(path);
    EXPECT_EQ(ComposerJson(back), ComposerJson(c));
    EXPECT_EQ(back.answers[1].locked, true);
    EXPECT_EQ(back.keyNumber, "0042");
}

TEST(ComposerFile, DamagedFilesAreRefusedByName)
{
    TempFolder dir;
    const std::string good = ComposerJson(Sample());
    const std::pair<std::string, std::string> cases[] = {
        {good.substr(0, good.size() / 2), "not complete JSON"},
        {"{\"format\": \"something else\", \"version\": 1}", "not a composer file"},
        {"{\"format\": \"quotewell-composer\", \"version\": 99}", "newer composer"},
        {"{\"format\": \"quotewell-composer\", \"version\": 1, \"quotation\": 5, \"source\": \"A\"}", "wrong kind"},
        {"{\"format\": \"quotewell-composer\", \"version\": 1, \"quotation\": \"a\", \"source\": \"A\", \"width\": 0}",
         "width"},
    };
    for (const auto& [text, says] : cases) {
        const std::string path = dir.Write("bad.qwc", text);
        try {
            LoadComposition(path);
            ADD_FAILURE() << says;
        } catch (const ComposerFileError& e) {
            EXPECT_THAT(e.what(), HasSubstr(path));
            EXPECT_THAT(e.what(), HasSubstr(says));
        }
    }
}

TEST(ComposedPuzzle, WrittenInEveryFormatAndReadBack)
{
    TempFolder dir;
    const Composition c = Sample();
    const QuoteAnalysis quote = AnalyzeQuote(c.quotation, c.source);
    const DiagramLayout layout = LayOutDiagram(quote, c.width);
    std::vector<std::string> answers;
    for (const auto& a : c.answers) answers.push_back(LettersOf(a.word));
    const Numbering numbering = NumberAnswers(layout, answers, c.seed);
    for (const char* name : {"out.QWL", "out.jpz", "out.ipuz"}) {
        Puzzle p = BuildComposedPuzzle(c, layout, numbering);
        const std::string path = dir.path() + "/" + name;
        WriteComposedPuzzle(p, path);
        const Puzzle back = ImportKindOf(path) ? ImportPuzzle(path) : LoadPuzzle(path);
        ASSERT_EQ(back.Clues.size(), answers.size()) << name;
        for (size_t k = 0; k < answers.size(); ++k) {
            std::string letters;
            for (int32_t i : back.Clues[k].Answer) letters += back.Letters[static_cast<size_t>(i)].Solution;
            EXPECT_EQ(letters, answers[k]) << name;
        }
        EXPECT_EQ(back.Clues[0].Text, "Keyboard instrument");
        EXPECT_EQ(back.Clues[1].Text, "(5)");
        std::string diagram;
        for (const std::string& row : back.DiagramRows) diagram += row;
        EXPECT_THAT(diagram, HasSubstr("\x97 CAFE!")) << name;
    }
    // A numbering that does not match writes nothing.
    Numbering broken = numbering;
    broken.squares[0].pop_back();
    EXPECT_THROW(BuildComposedPuzzle(c, layout, broken), ComposeError);
}

TEST(ClueDrafts, FlagsCluesThatGiveTheAnswerAway)
{
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"A tropical fruit", "MANGO", false},
        {"Mangoes, for one", "MANGO", true},
        {"Hoping against hope", "HOPEFUL", true},
        {"What the kindly do", "KINDNESS", true},
        {"Flowering plant", "FLOWER", true},
        {"Plant with petals", "FLOWER", false},
    };
    for (const auto& [clue, answer, flagged] : cases) EXPECT_EQ(ClueGivesAway(clue, answer), flagged) << clue;
}

TEST(ClueDrafts, DraftsComeFromWordNetDefinitions)
{
    TempFolder dir;
    // data files are read at the byte offsets the index gives.
    const std::string first = "  1 licence\n";
    const std::string sense1 = "00000001 05 n 01 tiger 0 000 | a tiger is a large cat; \"a tiger roared\"\n";
    const std::string sense2 = "00000002 05 n 01 tiger 0 000 | large feline of forests in most of Asia\n";
    const auto offset1 = std::to_string(first.size());
    const auto offset2 = std::to_string(first.size() + sense1.size());
    dir.Write("wn/data.noun", first + sense1 + sense2);
    dir.Write("wn/index.noun", "  1 licence\nant n 1 0 1 0 " + offset2 + "\ntiger n 2 0 2 0 " + offset1 + " " + offset2 +
                                   "\nzebra n 1 0 1 0 " + offset2 + "\n");
    const Definitions wordnet(dir.path() + "/wn");
    ASSERT_TRUE(wordnet.Available());
    EXPECT_EQ(wordnet.Of("tigers").size(), 2u);
    EXPECT_EQ(DraftClue(wordnet, "tiger"), "Large feline of forests in most of Asia");
    EXPECT_EQ(DraftClue(wordnet, "lion"), "");
    EXPECT_EQ(DraftClue(Definitions(dir.path() + "/none"), "tiger"), "");
}

}  // namespace
}  // namespace qw::compose
