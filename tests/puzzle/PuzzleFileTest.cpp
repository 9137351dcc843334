#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>

#include "../faults/FaultInjection.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/PuzzleHome.h"
#include "puzzle/StressPuzzle.h"

using namespace qw;
namespace fs = std::filesystem;

namespace {

std::string Hex(std::string_view bytes)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// Lays out a puzzle file field by field, so tests can produce what our writer never would.
struct FileBuilder {
    PuzzleWriter w;

    explicit FileBuilder(uint8_t seed, std::string_view magic = "Quotewell Puzzle v.2")
    {
        w.Counter = MaskCounter(seed);
        w.WriteByte(seed);
        WriteMaskedString(w, magic);
    }
    FileBuilder& Str(std::string_view s)
    {
        WriteMaskedString(w, s);
        return *this;
    }
    FileBuilder& Int(int32_t v)
    {
        w.WriteInt32(v);
        return *this;
    }
    FileBuilder& Byte(uint8_t v)
    {
        w.WriteByte(v);
        return *this;
    }
    // Scrambled flag, counts, fixed string, rows, clues, key and headers.
    FileBuilder& Body(const std::vector<std::string>& rows, const std::vector<std::string>& answerLines,
                      std::string_view fixed = "", uint8_t scrambled = 0)
    {
        w.WriteMaskedByte(scrambled);
        Int(static_cast<int32_t>(answerLines.size()));
        Int(static_cast<int32_t>(rows.size()));
        Int(static_cast<int32_t>(rows.empty() ? 0 : rows[0].size()));
        Str(fixed);
        for (const auto& row : rows) Str(row);
        for (size_t k = 0; k < answerLines.size(); ++k) Str("Clue " + std::to_string(k)).Str(answerLines[k]);
        return Str("0042").Str("Head one").Str("").Str("Third head!");
    }
    FileBuilder& NoteStyle(int32_t color = 0x00C0FFEE)
    {
        Int(color).Str("Arial").Int(-13).Int(0x000000FF).Byte(2).Byte(1).Byte(0).Byte(1).Byte(0);
        return *this;
    }
    FileBuilder& V2Tail() { return Byte(0).Str("").Str(""); }
    std::string Bytes() const { return w.Bytes; }
};

std::string SimpleV2(const std::vector<std::string>& answerLines)
{
    return FileBuilder(7).Body({"ABC DE"}, answerLines).Int(0).V2Tail().Bytes();
}

Puzzle Decode(const std::string& bytes, int* version = nullptr)
{
    return DecodePuzzle(bytes, "/p/x.QWL", version);
}

std::string Entered(const Puzzle& p)
{
    std::string s;
    for (int32_t i = 1; i <= p.LetterCount; ++i) s += p.Letters[static_cast<size_t>(i)].Entered;
    return s;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class TempDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Dir = fs::temp_directory_path() / ("qw_puzzlefile_" + std::to_string(::getpid()) + "_" + info->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(Dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    fs::path Dir;
};

}  // namespace

// ---------------------------------------------------------------- masking

TEST(MaskedString, MatchesKnownBytesAndStepsOncePerCharacter)
{
    PuzzleWriter w;
    w.Counter = MaskCounter(0x10);
    WriteMaskedString(w, "abc");
    EXPECT_EQ(Hex(w.Bytes), "03 00 00 00 70 70 70");
    EXPECT_EQ(w.Counter.Current(), 0x13);
}

TEST(MaskedString, CounterWrapsAndRunsOnAcrossStringsButNotAcrossLengths)
{
    MaskCounter c(0xFE);
    EXPECT_EQ(c.NextMask(), 0xFF);
    EXPECT_EQ(c.NextMask(), 0x00);
    EXPECT_EQ(c.NextMask(), 0x01);

    PuzzleWriter w;
    w.Counter = MaskCounter(0xFE);
    WriteMaskedString(w, "ab");
    w.WriteInt32(0x0A0B0C0D);
    WriteMaskedString(w, "");
    WriteMaskedString(w, "c");
    // 'a'^FF, 'b'^00, the raw int32, an empty string that takes no mask, then 'c'^01.
    EXPECT_EQ(Hex(w.Bytes), "02 00 00 00 9E 62 0D 0C 0B 0A 00 00 00 00 01 00 00 00 62");

    PuzzleReader r(w.Bytes, "x");
    r.Counter = MaskCounter(0xFE);
    EXPECT_EQ(ReadMaskedString(r), "ab");
    EXPECT_EQ(r.ReadInt32(), 0x0A0B0C0D);
    EXPECT_EQ(ReadMaskedString(r), "");
    EXPECT_EQ(ReadMaskedString(r), "c");
    EXPECT_TRUE(r.AtEnd());
}

TEST(MaskedString, NegativeLengthIsEmptyAndOverlongLengthIsAReadError)
{
    PuzzleWriter w;
    w.WriteInt32(-5);
    w.WriteInt32(0x7FFFFFFF);
    w.WriteByte('x');
    PuzzleReader r(w.Bytes, "/a/b.QWL");
    EXPECT_EQ(ReadMaskedString(r), "");
    EXPECT_EQ(r.Counter.Current(), 0);
    try {
        ReadMaskedString(r);
        FAIL() << "an overlong string was accepted";
    } catch (const ReadError& e) {
        EXPECT_STREQ(e.what(), "Error reading file /a/b.QWL.");
    }
}

TEST(PuzzleWriter, HeaderBytesFollowTheLayout)
{
    Puzzle p = Decode(SimpleV2({"1,2,3", "4,5"}));
    p.MaskSeed = 0xFE;
    p.SolutionScrambled = 1;
    const std::string bytes = EncodePuzzle(p);
    // Seed, the magic masked from FF on, the scrambled flag masked with the 21st mask (0x13), then
    // the three counts unmasked.
    std::string expected = "\xFE";
    expected += std::string("\x14\0\0\0", 4);
    uint8_t mask = 0xFE;
    for (char ch : std::string_view("Quotewell Puzzle v.2")) expected += static_cast<char>(ch ^ ++mask);
    expected += static_cast<char>(1 ^ 0x13);
    expected += std::string("\x02\0\0\0\x01\0\0\0\x06\0\0\0", 12);
    EXPECT_EQ(Hex(bytes.substr(0, expected.size())), Hex(expected));
}

// ---------------------------------------------------------------- magic and version

TEST(MagicVersion, FollowsTheNameAndTrailingDigits)
{
    EXPECT_EQ(MagicVersion("Quotewell Puzzle"), 1);
    EXPECT_EQ(MagicVersion("Quotewell Puzzle v.2"), 2);
    EXPECT_EQ(MagicVersion("Quotewell Puzzle v.3"), 3);
    EXPECT_EQ(MagicVersion("Quotewell Puzzle v."), 0);
    EXPECT_EQ(MagicVersion("QuoteWell Puzzle v.2"), 0);
    EXPECT_EQ(MagicVersion("Quotewell Puzzle v.0002"), 2);
    EXPECT_GT(MagicVersion("Quotewell Puzzle v.99999999999999999999999"), 2);
}

TEST(DecodePuzzle, VersionRules)
{
    const auto withMagic = [](std::string_view magic) {
        return FileBuilder(3, magic).Body({"AB"}, {"1,2"}).Int(0).V2Tail().Bytes();
    };
    int version = 0;
    Decode(withMagic("Quotewell Puzzle v.2"), &version);
    EXPECT_EQ(version, 2);
    EXPECT_THROW(Decode(withMagic("Quotewell Puzzle v.3")), VersionError);
    EXPECT_THROW(Decode(withMagic("Quotewell puzzle v.2")), ReadError);
    EXPECT_THROW(Decode(withMagic("Quotewell Puzzle v.")), ReadError);
    EXPECT_THROW(Decode(withMagic("Quotewell Puzzle v.0")), ReadError);
    try {
        Decode(withMagic("Quotewell Puzzle 17"));
    } catch (const VersionError& e) {
        EXPECT_STREQ(e.what(), "This puzzle requires a more recent version of Quotewell. "
                               "Please obtain the latest version of the program.");
    }
}

// ---------------------------------------------------------------- versions and notes

TEST(DecodePuzzle, Version1WithoutNoteEndsAfterTheHeaders)
{
    int version = 0;
    const Puzzle p = Decode(FileBuilder(200, "Quotewell Puzzle").Body({"Ab C"}, {"3,1", "2"}).Bytes(), &version);
    EXPECT_EQ(version, 1);
    EXPECT_FALSE(p.HasMoreInfo());
    EXPECT_FALSE(p.HasSolverInfo());
    EXPECT_EQ(p.AnyCharAllowed, 0);
    EXPECT_TRUE(p.ExtraLetters.empty());
    EXPECT_EQ(p.TypingAlphabet, Puzzle::DefaultTypingAlphabet());
    EXPECT_EQ(p.HeaderStrings[0], "Head one");
    EXPECT_EQ(p.HeaderStrings[2], "Third head!");
    EXPECT_EQ(p.KeyNumber, "0042");
    EXPECT_FALSE(p.Modified);
    EXPECT_FALSE(p.UpperCaseOnly);
}

TEST(DecodePuzzle, Version1WithTrailingBytesReadsTheLinesNote)
{
    const std::string bytes = FileBuilder(9, "Quotewell Puzzle")
                                  .Body({"AB"}, {"1,2"})
                                  .Str("More")
                                  .NoteStyle()
                                  .Int(2)
                                  .Str("line one")
                                  .Str("")
                                  .Bytes();
    const Puzzle p = Decode(bytes);
    ASSERT_TRUE(p.HasMoreInfo());
    EXPECT_EQ(p.MoreInfo.Caption, "More");
    EXPECT_EQ(p.MoreInfo.Lines, (std::vector<std::string>{"line one", ""}));
    EXPECT_EQ(p.MoreInfo.Color, 0x00C0FFEE);
    EXPECT_EQ(p.MoreInfo.FontHeight, -13);
    EXPECT_TRUE(p.MoreInfo.Bold);
    EXPECT_TRUE(p.MoreInfo.Underline);
    EXPECT_FALSE(p.MoreInfo.Italic);

    // A single stray byte after the headers starts a note that is not there.
    EXPECT_THROW(Decode(FileBuilder(9, "Quotewell Puzzle").Body({"AB"}, {"1,2"}).Byte(0).Bytes()), ReadError);
}

TEST(DecodePuzzle, NoteFlagsSelectTheNotes)
{
    const auto file = [](int32_t flags, bool more, bool solver) {
        FileBuilder b(1);
        b.Body({"AB"}, {"1,2"}).Int(flags);
        if (more) b.Str("M").NoteStyle().Int(1).Str("m");
        if (solver) b.Str("S").NoteStyle().Int(0).Int(0).Str("s1\r\ns2");
        b.Byte(1).Str("\xE9").Str("me@example.org");
        return b.Bytes();
    };
    Puzzle p = Decode(file(2, false, true));
    EXPECT_FALSE(p.HasMoreInfo());
    ASSERT_TRUE(p.HasSolverInfo());
    EXPECT_EQ(p.SolverInfo.Text, "s1\r\ns2");
    EXPECT_EQ(p.SolverInfo.Caption, "S");
    EXPECT_EQ(p.AnyCharAllowed, 1);
    EXPECT_EQ(p.AuthorAddress, "me@example.org");

    p = Decode(file(3, true, true));
    EXPECT_TRUE(p.HasMoreInfo());
    EXPECT_TRUE(p.HasSolverInfo());
    p = Decode(file(1, true, false));
    EXPECT_TRUE(p.HasMoreInfo());
    EXPECT_FALSE(p.HasSolverInfo());
}

// ---------------------------------------------------------------- answer lines

TEST(DecodePuzzle, AnswerNumbersTakeAbsoluteValueModuloAndProgressFollowsTheBar)
{
    // 1073741825 mod 1073741823 is 2; -5 is 5.
    const Puzzle p = Decode(SimpleV2({"-5,1073741825,+3|Q,", " 4,1"}));
    EXPECT_EQ(p.Clues[0].Answer, (std::vector<int32_t>{5, 2, 3}));
    EXPECT_EQ(p.Clues[1].Answer, (std::vector<int32_t>{4, 1}));
    // Letters 5, 2, 3 got "Q", "," and a space for the missing third character.
    EXPECT_EQ(Entered(p), " ,  Q");
}

TEST(DecodePuzzle, AnswerLineWithoutBarLeavesTheAnswerEmpty)
{
    const Puzzle p = Decode(SimpleV2({"1,2,3|ABC", "4,5"}));
    EXPECT_EQ(Entered(p), "ABC  ");
    EXPECT_EQ(p.Letters[5].Next, 0);
    EXPECT_EQ(p.Letters[3].Next, 4);
}

TEST(DecodePuzzle, ProgressBeyond255CharactersIsIgnored)
{
    const std::string row(256, 'A');
    std::string answer;
    for (int i = 1; i <= 255; ++i) answer += std::to_string(i) + ",";
    std::string line = answer.substr(0, answer.size() - 1) + "|" + std::string(255, 'A') + "XYZ";
    const Puzzle p = Decode(FileBuilder(1).Body({row}, {line, "256|B"}).Int(0).V2Tail().Bytes());
    EXPECT_EQ(Entered(p), std::string(255, 'A') + "B");
}

TEST(DecodePuzzle, MalformedNumbersRaiseTheConversionError)
{
    const auto message = [](const std::string& line) -> std::string {
        try {
            Decode(SimpleV2({line, "4,5"}));
        } catch (const NumberError& e) {
            return e.what();
        }
        return "no error";
    };
    EXPECT_EQ(message("1,12x,3"), "'12x' is not a valid integer value");
    EXPECT_EQ(message("1,,2,3"), "'' is not a valid integer value");
    EXPECT_EQ(message("1,2,3 "), "'3 ' is not a valid integer value");
    EXPECT_EQ(message("2147483648,1"), "'2147483648' is not a valid integer value");
    // A trailing comma just ends the list.
    EXPECT_NO_THROW(Decode(SimpleV2({"1,2,3,", "4,5"})));
    // The smallest int32 is a valid number: its absolute value modulo the limit is 2.
    EXPECT_EQ(Decode(SimpleV2({"-2147483648,1,3", "4,5"})).Clues[0].Answer[0], 2);
}

TEST(DecodePuzzle, RejectsPuzzlesTheProgramCouldNotShow)
{
    const auto rejected = [](const std::string& bytes) {
        try {
            Decode(bytes);
        } catch (const ReadError& e) {
            return std::string(e.what()) == "Error reading file /p/x.QWL.";
        }
        return false;
    };
    EXPECT_TRUE(rejected(SimpleV2({"1,2,6", "4,5"})));    // index past the letters
    EXPECT_TRUE(rejected(SimpleV2({"1,2,0", "3,4,5"})));  // index 0
    EXPECT_TRUE(rejected(SimpleV2({"1,2,3", "3,4,5"})));  // a letter twice
    EXPECT_TRUE(rejected(SimpleV2({"1,2,3", "4"})));      // letter 5 in no answer
    EXPECT_TRUE(rejected(SimpleV2({"", "1,2,3,4,5"})));   // empty first answer
    EXPECT_TRUE(rejected(SimpleV2({})));                  // no clues
    EXPECT_TRUE(rejected(FileBuilder(1).Body({"ABC", "AB"}, {"1,2,3,4,5"}).Int(0).V2Tail().Bytes()));
    EXPECT_TRUE(rejected(FileBuilder(1).Body({std::string(257, 'A')}, {"1"}).Int(0).V2Tail().Bytes()));
    // An empty answer after the first is fine.
    EXPECT_NO_THROW(Decode(SimpleV2({"1,2,3", "", "4,5"})));
}

TEST(DecodePuzzle, EveryTruncationIsAReadError)
{
    // A small but complete file with both notes: every proper prefix must fail cleanly.
    const std::string full = FileBuilder(250)
                                 .Body({"AB,C", "D EF"}, {"1,2,3|AB", "4,5,6"}, ",")
                                 .Int(3)
                                 .Str("M")
                                 .NoteStyle()
                                 .Int(1)
                                 .Str("m")
                                 .Str("S")
                                 .NoteStyle()
                                 .Int(0)
                                 .Int(0)
                                 .Str("s")
                                 .Byte(0)
                                 .Str("")
                                 .Str("a@b")
                                 .Bytes();
    ASSERT_NO_THROW(Decode(full));
    for (size_t n = 0; n < full.size(); ++n) EXPECT_THROW(Decode(full.substr(0, n)), ReadError) << "prefix " << n;
}

TEST(DecodePuzzle, HugeCountsFailBeforeAllocating)
{
    // Counts that would need gigabytes fail at once against the few bytes the file holds.
    const auto counts = [](int32_t clues, int32_t rows, int32_t columns) {
        FileBuilder b(0);
        b.w.WriteMaskedByte(0);
        return b.Int(clues).Int(rows).Int(columns).Str("").Bytes() + std::string(64, '\0');
    };
    EXPECT_THROW(Decode(counts(1, 0x7FFFFFFF, 256)), ReadError);
    EXPECT_THROW(Decode(counts(1, 0x7FFFFFFF, 1)), ReadError);
    EXPECT_THROW(Decode(counts(1, 1, 0x7FFFFFFF)), ReadError);
    EXPECT_THROW(Decode(counts(1, -1, 5)), ReadError);
    const std::string manyClues = FileBuilder(0).Body({"AB"}, {"1,2"}).Bytes();
    std::string patched = manyClues;
    // ClueCount sits right after the seed, the magic and the scrambled byte.
    const size_t at = 1 + 4 + 20 + 1;
    patched.replace(at, 4, std::string("\xFF\xFF\xFF\x7F", 4));
    EXPECT_THROW(Decode(patched), ReadError);
}

// ---------------------------------------------------------------- writing

TEST(EncodePuzzle, SaveAndReloadKeepsEverythingTheSolverCanSee)
{
    Puzzle p = MakeStressPuzzle(5);
    const std::string bytes = EncodePuzzle(p);
    int version = 0;
    const Puzzle q = Decode(bytes, &version);
    EXPECT_EQ(version, 2);
    EXPECT_EQ(Entered(q), Entered(p));
    EXPECT_EQ(q.DiagramRows, p.DiagramRows);
    EXPECT_EQ(q.FixedChars, p.FixedChars);
    EXPECT_EQ(q.SolutionScrambled, 1);
    EXPECT_EQ(q.KeyNumber, p.KeyNumber);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(q.HeaderStrings[i], p.HeaderStrings[i]);
    EXPECT_EQ(q.MoreInfo.Lines, p.MoreInfo.Lines);
    EXPECT_EQ(q.MoreInfo.Caption, p.MoreInfo.Caption);
    EXPECT_EQ(q.SolverInfo.Text, p.SolverInfo.Text);
    EXPECT_EQ(q.SolverInfo.Bold, p.SolverInfo.Bold);
    EXPECT_EQ(q.ExtraLetters, p.ExtraLetters);
    EXPECT_EQ(q.AuthorAddress, p.AuthorAddress);
    EXPECT_EQ(q.TypingAlphabet, p.TypingAlphabet);
    EXPECT_EQ(q.MaskSeed, p.MaskSeed);
    for (size_t k = 0; k < p.Clues.size(); ++k) {
        EXPECT_EQ(q.Clues[k].Text, p.Clues[k].Text);
        EXPECT_EQ(q.Clues[k].Answer, p.Clues[k].Answer);
    }
    // Saving what was loaded gives the same bytes again.
    EXPECT_EQ(EncodePuzzle(q), bytes);
}

TEST(EncodePuzzle, Version1BecomesVersion2)
{
    const Puzzle v1 = Decode(FileBuilder(77, "Quotewell Puzzle")
                                 .Body({"AB"}, {"1,2|X"})
                                 .Str("M")
                                 .NoteStyle()
                                 .Int(1)
                                 .Str("m")
                                 .Bytes());
    const std::string bytes = EncodePuzzle(v1);
    int version = 0;
    const Puzzle v2 = Decode(bytes, &version);
    EXPECT_EQ(version, 2);
    EXPECT_EQ(v2.MaskSeed, 77);
    EXPECT_EQ(v2.MoreInfo.Lines, std::vector<std::string>{"m"});
    EXPECT_EQ(v2.MoreInfo.FontPitch, 0);  // the pitch read (2) is not kept
    EXPECT_EQ(v2.AnyCharAllowed, 0);
    EXPECT_TRUE(v2.AuthorAddress.empty());
    EXPECT_EQ(Entered(v2), "X ");
    // The version 1 writer produces what the reader takes as version 1 again.
    Decode(EncodePuzzleVersion1(v2), &version);
    EXPECT_EQ(version, 1);
}

TEST(EncodePuzzle, AnswerLinesAndFixedCharactersAreRegenerated)
{
    // "," is used twice and "!" never; order follows the diagram.
    Puzzle p = Decode(FileBuilder(1).Body({"A,B.", "C, D"}, {"1,2,3", "4"}, "!.,").Int(0).V2Tail().Bytes());
    p.Letters[2].Entered = 'B';
    p.MoreInfo.Caption = "Caption without text";
    std::string fixedRead;
    DecodePuzzle(EncodePuzzle(p), "x", nullptr, &fixedRead);
    EXPECT_EQ(fixedRead, ",.,");

    // Walk the written file up to the first answer line.
    const std::string bytes = EncodePuzzle(p);
    PuzzleReader r(bytes, "x");
    r.Counter = MaskCounter(r.ReadByte());
    ReadMaskedString(r);
    r.ReadMaskedByte();
    for (int i = 0; i < 3; ++i) r.ReadInt32();
    ReadMaskedString(r);
    ReadMaskedString(r);
    ReadMaskedString(r);
    EXPECT_EQ(ReadMaskedString(r), "Clue 0");
    EXPECT_EQ(ReadMaskedString(r), "1,2,3| B ");
    ReadMaskedString(r);
    EXPECT_EQ(ReadMaskedString(r), "4| ");
    for (int i = 0; i < 4; ++i) ReadMaskedString(r);
    EXPECT_EQ(r.ReadInt32(), 0) << "a note with a caption but no text is dropped";
}

TEST(EncodePuzzle, AcceptedKeyIsSavedUnlocked)
{
    Puzzle p = Decode(FileBuilder(1).Body({"AB"}, {"1,2"}, "", 1).Int(0).V2Tail().Bytes());
    ASSERT_EQ(p.SolutionScrambled, 1);
    p.SolutionScrambled = 0;
    EXPECT_EQ(Decode(EncodePuzzle(p)).SolutionScrambled, 0);
}

// ---------------------------------------------------------------- files: repair pass

namespace {

// A small puzzle whose bytes hold a lone LF (its column count is 10) and, in the raw colour of its
// note, a CR LF pair that a rewrite would destroy.
std::string FileWithLoneLfAndCrLf()
{
    return FileBuilder(5)
        .Body({"ABCDEFGHIJ"}, {"1,2,3,4,5,6,7,8,9,10"})
        .Int(1)
        .Str("M")
        .NoteStyle(0x0A0D)
        .Int(1)
        .Str("m")
        .V2Tail()
        .Bytes();
}

std::string ToCrLf(std::string_view bytes)
{
    std::string out;
    for (char ch : bytes) {
        if (ch == '\n') out += '\r';
        out += ch;
    }
    return out;
}

}  // namespace

TEST_F(TempDir, ConvertedFileIsRepairedInPlace)
{
    const std::string original = FileBuilder(5).Body({"ABCDEFGHIJ"}, {"1,2,3,4,5,6,7,8,9,10|XY"}).Int(0).V2Tail().Bytes();
    ASSERT_NE(original.find('\n'), std::string::npos);
    ASSERT_EQ(original.find("\r\n"), std::string::npos);
    const fs::path file = Dir / "conv.QWL";
    WriteFile(file, ToCrLf(original));

    const Puzzle p = LoadPuzzle(file.string());
    EXPECT_EQ(Entered(p).substr(0, 2), "XY");
    EXPECT_EQ(ReadFile(file), original);
    EXPECT_EQ(Names(), std::vector<std::string>{"conv.QWL"});
}

TEST_F(TempDir, FileWithALoneLfIsNeverRewritten)
{
    const std::string bytes = FileWithLoneLfAndCrLf();
    const fs::path file = Dir / "intact.QWL";
    WriteFile(file, bytes);
    struct stat before {};
    ::stat(file.c_str(), &before);

    const Puzzle p = LoadPuzzle(file.string());
    EXPECT_EQ(p.MoreInfo.Color, 0x0A0D);
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(ReadFile(file), bytes);
}

TEST_F(TempDir, FileWithoutLineBreaksIsReadInPlace)
{
    std::string bytes;
    for (int seed = 0; seed < 256 && (bytes.empty() || bytes.find('\n') != std::string::npos); ++seed)
        bytes = FileBuilder(static_cast<uint8_t>(seed)).Body({"ABC"}, {"1,2,3|C"}).Int(0).V2Tail().Bytes();
    ASSERT_EQ(bytes.find('\n'), std::string::npos);
    const fs::path file = Dir / "nolf.QWL";
    WriteFile(file, bytes);
    // Where no repair copy could be made (a read-only folder, say), the file still loads.
    fs::create_directory(Dir / "nolf.$$$");
    struct stat before {};
    ::stat(file.c_str(), &before);

    EXPECT_EQ(Entered(LoadPuzzle(file.string())).substr(0, 1), "C");
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(ReadFile(file), bytes);
}

TEST_F(TempDir, RepairedCopyWithBadMagicIsDeletedAndOriginalKept)
{
    const std::string bytes = "not a puzzle\r\nat all\r\n";
    const fs::path file = Dir / "junk.QWL";
    WriteFile(file, bytes);
    EXPECT_THROW(LoadPuzzle(file.string()), ReadError);
    EXPECT_EQ(ReadFile(file), bytes);
    EXPECT_EQ(Names(), std::vector<std::string>{"junk.QWL"});
}

// The repair replaces the file only where its owner allows writing, and the copy keeps the mode;
// otherwise the load fails with the read error and the file stays as it was. In a folder that
// takes no new file, a file that may be written is repaired in place.
TEST_F(TempDir, RepairKeepsTheModeAndLeavesFilesItMayNotWriteAlone)
{
    const std::string original = FileBuilder(5).Body({"ABCDEFGHIJ"}, {"1,2,3,4,5,6,7,8,9,10"}).Int(0).V2Tail().Bytes();
    enum Lock { None, ImmutableFile, ImmutableFolder };
    const struct {
        mode_t mode;
        Lock lock;
        bool repaired;
    } cases[] = {{0644, None, true}, {0600, None, true}, {0444, None, false},
                 {0644, ImmutableFile, false}, {0644, ImmutableFolder, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::oct << c.mode << " lock " << c.lock);
        const fs::path file = Dir / "crlf.QWL";
        WriteFile(file, ToCrLf(original));
        ::chmod(file.c_str(), c.mode);
        {
            faults::Immutable lock(c.lock == ImmutableFile ? file.string() : Dir.string());
            if (c.lock == None) lock.Release();
            else if (!lock.Active()) GTEST_SKIP() << "this file system has no immutable flag";
            if (c.repaired) {
                EXPECT_NO_THROW(LoadPuzzle(file.string()));
            } else {
                try {
                    LoadPuzzle(file.string());
                    ADD_FAILURE() << "the file was repaired";
                } catch (const ReadError& e) {
                    EXPECT_EQ(std::string(e.what()), "Error reading file " + file.string() + ".");
                }
            }
        }
        EXPECT_EQ(ReadFile(file), c.repaired ? original : ToCrLf(original));
        struct stat st {};
        ::stat(file.c_str(), &st);
        EXPECT_EQ(st.st_mode & 07777, c.mode);
        EXPECT_EQ(Names(), std::vector<std::string>{"crlf.QWL"});
        ::chmod(file.c_str(), 0644);
        fs::remove(file);
    }
}

TEST_F(TempDir, MissingFileOrFolderIsAReadError)
{
    EXPECT_THROW(LoadPuzzle((Dir / "none.QWL").string()), ReadError);
    EXPECT_THROW(LoadPuzzle(Dir.string()), ReadError);
    // Neither a pipe with no writer nor a device may keep the reader waiting.
    const fs::path fifo = Dir / "pipe.QWL";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_THROW(LoadPuzzle(fifo.string()), ReadError);
    EXPECT_THROW(LoadPuzzle("/dev/zero"), ReadError);
}

// ---------------------------------------------------------------- files: saving

TEST(PuzzleHome, OnlyAWholeTempFolderOrTheSystemsTemporaryFolderCounts)
{
    const struct {
        const char* path;
        bool temporary;
    } cases[] = {{"/home/ann/Temp/x.QWL", true},          {"/home/ann/temp/sub/x.QWL", true},
                 {"/tmp/x.QWL", true},                    {"/tmp/mail/x.QWL", true},
                 {"/home/ann/Templates/x.QWL", false},    {"/home/ann/MyTemp/x.QWL", false},
                 {"/home/ann/TEMP.QWL", false},           {"/tmpfiles/x.QWL", false},
                 {"/home/ann/Puzzles/../Temp/x.QWL", true}};
    for (const auto& c : cases) EXPECT_EQ(IsTemporaryPath(c.path, "/tmp"), c.temporary) << c.path;
}

TEST_F(TempDir, FirstFreeNameNeverTakesAnotherFilesPlace)
{
    const std::string wanted = (Dir / "Quote.QWL").string();
    EXPECT_EQ(FirstFreeName(wanted), wanted);
    WriteFile(Dir / "Quote.QWL", "a");
    WriteFile(Dir / "Quote (2).QWL", "b");
    fs::create_symlink(Dir / "nowhere", Dir / "Quote (3).QWL");  // a dangling link is taken too
    EXPECT_EQ(FirstFreeName(wanted), (Dir / "Quote (4).QWL").string());
    // A puzzle re-homed from a temporary folder loses the browser's copy number, and still takes
    // the first free name.
    EXPECT_EQ(RehomedPath("/tmp/Quote[3].QWL", Dir.string()), (Dir / "Quote (4).QWL").string());
    EXPECT_EQ(RehomedPath("/tmp/Other[12].QWL", Dir.string()), (Dir / "Other.QWL").string());
}

TEST_F(TempDir, SavingTwiceGivesIdenticalFilesAndClearsModified)
{
    Puzzle p = MakeStressPuzzle(2);
    p.FileName = (Dir / "s.QWL").string();
    p.Modified = true;
    SavePuzzle(p);
    EXPECT_FALSE(p.Modified);
    const std::string first = ReadFile(p.FileName);

    Puzzle q = LoadPuzzle(p.FileName);
    q.FileName = p.FileName;
    SavePuzzle(q);
    EXPECT_EQ(ReadFile(p.FileName), first);
    EXPECT_EQ(Names(), std::vector<std::string>{"s.QWL"});
}

TEST_F(TempDir, SaveKeepsTheFilePermissions)
{
    Puzzle p = Decode(SimpleV2({"1,2,3", "4,5"}));
    p.FileName = (Dir / "perm.QWL").string();
    SavePuzzle(p);
    ::chmod(p.FileName.c_str(), 0640);
    SavePuzzle(p);
    struct stat st {};
    ::stat(p.FileName.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(TempDir, FailedSaveLeavesTheOldFileAndModified)
{
    Puzzle small = Decode(SimpleV2({"1,2,3", "4,5"}));
    small.FileName = (Dir / "keep.QWL").string();
    SavePuzzle(small);
    const std::string old = ReadFile(small.FileName);

    // A file size limit below the new file's size makes the write fail halfway, like a full disk.
    Puzzle big = MakeStressPuzzle(1);
    big.FileName = small.FileName;
    big.Modified = true;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    std::string message;
    try {
        SavePuzzle(big);
    } catch (const SaveError& e) {
        message = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_NE(message.find(small.FileName), std::string::npos) << message;
    EXPECT_TRUE(big.Modified);
    EXPECT_EQ(ReadFile(small.FileName), old);
    EXPECT_EQ(Names(), std::vector<std::string>{"keep.QWL"});
}

TEST_F(TempDir, SaveToAMissingFolderOrOverAFolderFails)
{
    Puzzle p = Decode(SimpleV2({"1,2,3", "4,5"}));
    p.Modified = true;
    p.FileName = (Dir / "gone" / "p.QWL").string();
    EXPECT_THROW(SavePuzzle(p), SaveError);
    fs::create_directory(Dir / "adir");
    p.FileName = (Dir / "adir").string();
    EXPECT_THROW(SavePuzzle(p), SaveError);
    EXPECT_TRUE(fs::is_directory(Dir / "adir"));
    EXPECT_TRUE(p.Modified);
    EXPECT_EQ(Names(), std::vector<std::string>{"adir"});
}

TEST_F(TempDir, SaveThroughALinkReplacesTheFileItPointsTo)
{
    Puzzle p = Decode(SimpleV2({"1,2,3", "4,5"}));
    p.FileName = (Dir / "real.QWL").string();
    SavePuzzle(p);
    fs::create_symlink(Dir / "real.QWL", Dir / "link.QWL");
    p.Letters[1].Entered = 'Z';
    p.FileName = (Dir / "link.QWL").string();
    SavePuzzle(p);
    EXPECT_TRUE(fs::is_symlink(Dir / "link.QWL"));
    EXPECT_EQ(Entered(LoadPuzzle((Dir / "real.QWL").string())).front(), 'Z');
    EXPECT_EQ(Names(), (std::vector<std::string>{"link.QWL", "real.QWL"}));
}
