#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <numeric>
#include <pugixml.hpp>

#include <unistd.h>

#include "formats/AcrosticSource.h"
#include "formats/PuzzleFormats.h"
#include "puzzle/FileAccess.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"
#include "puzzle/Win1252.h"

using namespace qw;
namespace fs = std::filesystem;

namespace {

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A six-letter acrostic with a black square, an en dash, an accented letter, markup in its texts,
// a solver's letters and an attribution clue. $ROOT, $NS, $A_WORD and $B_* vary the layout.
// Markup is XML elements; an escaped "&amp;" is the text "&".
const std::string kJpz = R"(<?xml version="1.0" encoding="UTF-8"?>
<$ROOT$ROOTNS>
 <applet-settings><completion>Well <i>done</i>!<br/>Bye</completion></applet-settings>
 <rectangular-puzzle$NS>
  <metadata><title>Tiny &amp; true</title><creator>Ann Author</creator><copyright>© 2026</copyright>
   <description>First line<br/>Second   line</description></metadata>
  <acrostic>
   <grid width="5" height="5">
    <cell x="1" y="1" solution="T" number="1" top-right-number="A" solve-state="T"/>
    <cell x="2" y="1" solution="O" number="2" top-right-number="B"/>
    <cell x="3" y="1" type="block"/>
    <cell x="4" y="1" solution="É" number="3" top-right-number="A" hint="true"/>
    <cell x="5" y="1" type="clue" solution="–"/>
    <cell x="1" y="2" solution="D" number="4" top-right-number="B"/>
    <cell x="2" y="2" solution="A" number="5" top-right-number="A"/>
    <cell x="3" y="2" solution="Y" number="6" top-right-number="B"/>
    <cell x="4" y="2" type="void"/><cell x="5" y="2" type="void"/>
    <cell x="1" y="4" type="clue" solution="A"/>
    <cell x="2" y="4" solution="T" number="1"/><cell x="3" y="4" solution="É" number="3"/>
    <cell x="4" y="4" solution="A" number="5"/>
    <cell x="1" y="5" type="clue" solution="B"/>
    <cell x="2" y="5" solution="$B2" number="$N2"/><cell x="3" y="5" solution="D" number="4"/>
    <cell x="4" y="5" solution="$B4" number="$N4" solve-state="$S4"/>
   </grid>
   <word id="1">$A_WORD</word>
   <word id="2"><cells x="$B_RANGE" y="5"/></word>
   <word id="3"><cells x="1-2" y="1"/><cells x="4" y="1"/><cells x="5" y="1"/><cells x="1-3" y="2"/></word>
   <clues ordering="normal"><title>Clues</title>
    <clue word="1" number="A">$TEA &amp;   time</clue>
    <clue word="2" number="B">Odd <span class="x"><i>one</i></span></clue>
    <clue word="3" number="">[QUOTE]</clue>
    <clue word="1" number="">[ATTRIBUTION]</clue>
   </clues>
  </acrostic>
 </rectangular-puzzle>
</$ROOT>
)";

// `teaDepth` levels of markup around the first clue's first word.
std::string Jpz(bool namespaced, int teaDepth = 1)
{
    std::string tea = "Tea";
    for (int k = 0; k < teaDepth; ++k) tea = (k % 2 ? "<span>" : "<b>") + tea + (k % 2 ? "</span>" : "</b>");
    std::string text = Replace(kJpz, "$TEA", tea);
    if (namespaced) {
        text = Replace(text, "$ROOTNS", R"( xmlns="http://crossword.info/xml/crossword-compiler-applet")");
        text = Replace(text, "$ROOT", "crossword-compiler-applet");
        text = Replace(text, "$NS", R"( xmlns="http://crossword.info/xml/rectangular-puzzle")");
        text = Replace(text, "$A_WORD", R"(<cells x="2-4" y="4"/>)");
        // Answer B forwards: O, D, Y.
        for (auto [from, to] : {std::pair{"$B2", "O"}, {"$N2", "2"}, {"$B4", "Y"}, {"$N4", "6"}, {"$B_RANGE", "2-4"}})
            text = Replace(text, from, to);
    } else {
        text = Replace(Replace(text, "$ROOTNS", ""), "$NS", "");
        text = Replace(text, "$ROOT", "crossword-compiler");
        text = Replace(text, "$A_WORD", R"(<cells x="2" y="4"/><cells x="3" y="4"/><cells x="4" y="4"/>)");
        // The row holds B backwards, and a descending range reads it forwards again.
        for (auto [from, to] : {std::pair{"$B2", "Y"}, {"$N2", "6"}, {"$B4", "O"}, {"$N4", "2"}, {"$B_RANGE", "4-2"}})
            text = Replace(text, from, to);
    }
    // The solver's letter on the last square of B, typed in lower case.
    return Replace(text, "$S4", namespaced ? "y" : "");
}

std::string Ipuz(int base)
{
    auto cells = [base](std::initializer_list<std::pair<int, int>> xy) {
        std::string out;
        for (auto [x, y] : xy)
            out += (out.empty() ? "[" : ",") + std::string("[") + std::to_string(x + base) + "," + std::to_string(y + base) + "]";
        return out + "]";
    };
    return R"({"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1", "http://ipuz.org/acrostic#1"],
 "title": "Tiny &amp; true", "author": "Ann Author", "copyright": "© 2026",
 "intro": "First line<br>Second   line", "explanation": "Well <i>done</i>!<br/>Bye",
 "dimensions": {"width": 5, "height": 2},
 "puzzle": [[1, 2, "#", {"cell": 3, "style": {"mark": {"TR": "A"}}}, {"cell": 0, "value": "–"}], [4, 5, 6, null, null]],
 "solution": [["T", "O", "#", "É", null], ["D", "A", "Y", null, null]],
 "saved": [["T", "0", "#", "", null], ["", "", "y", null, null]],
 "clues": {"Clues": [{"label": "A", "clue": "<b>Tea</b> &amp;   time", "cells": )" +
           cells({{0, 0}, {3, 0}, {1, 1}}) + R"(},
                     {"label": "B", "clue": "Odd <i>one</i>", "answer": "ODY", "cells": )" +
           cells({{1, 0}, {0, 1}, {2, 1}}) + R"(}],
           "Quotation": [{"label": "", "clue": "[QUOTE]", "cells": )" +
           cells({{0, 0}, {1, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}}) + R"(}]}})";
}

// The layout a phone solver writes: squares marked with number and clue label, coordinates from
// 1, and the quotation as a clue "Quote" in a list of its own, keyed Direction:Label.
std::string PhoneIpuz()
{
    const std::string text = Replace(Ipuz(1), R"("Quotation": [{"label": "", "clue": "[QUOTE]")",
                                     R"("Clues:Quote": [{"label": "Quote", "clue": "Quote")");
    return Replace(text, R"([[1, 2, "#", {"cell": 3, "style": {"mark": {"TR": "A"}}}, {"cell": 0, "value": "–"}], [4, 5, 6, null, null]])",
                   R"([["1A", "2B", "#", {"cell": "3A"}, {"cell": 0, "value": "–"}], ["4B", "5a", "6B", null, null]])");
}

// Holds one archive's bytes, made with libzip as any packer would; deflated unless `stored`.
std::string Zip(const std::vector<std::pair<std::string, std::string>>& files, bool stored = false)
{
    zip_error_t error;
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const auto& [name, data] : files) {
        const zip_int64_t index = zip_file_add(archive, name.c_str(),
                                               zip_source_buffer(archive, data.data(), data.size(), 0), ZIP_FL_ENC_UTF_8);
        if (stored) zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    zip_close(archive);
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    std::string bytes(static_cast<size_t>(zip_source_tell(buffer)), '\0');
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return bytes;
}

// The archive with its document's check sum changed where the central directory records it.
std::string WithWrongChecksum(std::string zip)
{
    zip[zip.rfind(std::string("PK\x01\x02", 4)) + 16] ^= 1;
    return zip;
}

void ExpectSamePuzzle(const Puzzle& want, const Puzzle& got, const std::string& name)
{
    SCOPED_TRACE(name);
    EXPECT_EQ(got.DiagramRows, want.DiagramRows);
    EXPECT_TRUE(SameSource(want, got));
    ASSERT_EQ(got.LetterCount, want.LetterCount);
    for (int32_t i = 1; i <= want.LetterCount; ++i)
        ASSERT_EQ(got.Letters[static_cast<size_t>(i)].Entered, want.Letters[static_cast<size_t>(i)].Entered) << i;
    for (int h = 0; h < 3; ++h) EXPECT_EQ(got.HeaderStrings[h], want.HeaderStrings[h]);
    EXPECT_EQ(got.MoreInfoText(), want.MoreInfoText());
    EXPECT_EQ(got.SolverInfo.Text, want.SolverInfo.Text);
    EXPECT_EQ(got.SolutionScrambled, 0);
    EXPECT_FALSE(got.Modified);
}

Puzzle Sample(const std::string& name)
{
    const auto bytes = ReadRegularFile(std::string(QW_SOURCE_DIR) + "/Puzzles/" + name);
    return DecodePuzzle(bytes.value(), name);
}

}  // namespace

TEST(ImportTest, EveryLayoutOfTheSameAcrosticGivesTheSamePuzzle)
{
    const std::vector<std::tuple<std::string, ImportKind, std::string>> files = {
        {"namespaced JPZ with ranges", ImportKind::Jpz, Jpz(true)},
        {"bare JPZ with a descending range", ImportKind::Jpz, Jpz(false)},
        {"zipped JPZ", ImportKind::Jpz, Zip({{"folder/", ""}, {"puzzle.xml", Jpz(true)}})},
        {"zipped JPZ, stored", ImportKind::Jpz, Zip({{"puzzle.xml", Jpz(true)}}, true)},
        {"ipuz counting from 0", ImportKind::Ipuz, Ipuz(0)},
        {"ipuz counting from 1", ImportKind::Ipuz, Ipuz(1)},
        {"ipuz wrapped as JSONP", ImportKind::Ipuz, "ipuz(" + Ipuz(0) + ");\n"},
        {"JPZ whose quotation clue says Quote", ImportKind::Jpz, Replace(Jpz(true), "[QUOTE]", "Quote")},
        {"JPZ with markup nested 40 deep", ImportKind::Jpz, Jpz(true, 40)},
        {"ipuz in a phone solver's layout", ImportKind::Ipuz, PhoneIpuz()},
        {"ipuz with the quotation among the clues", ImportKind::Ipuz,
         Replace(Ipuz(0), "}],\n           \"Quotation\": [{\"label\": \"\", \"clue\": \"[QUOTE]\"",
                 "},\n {\"label\": \"Q\", \"clue\": \"The whole quotation\", \"answer\": \"TO, É DAY\"")},
    };
    for (const auto& [name, kind, bytes] : files) {
        SCOPED_TRACE(name);
        const Puzzle p = ImportPuzzleBytes(bytes, kind, "tiny");
        EXPECT_EQ(p.DiagramRows, (std::vector<std::string>{"TO \xC9\x96", "DAY  "}));
        EXPECT_EQ(p.Grid.GetCell(0, 4), -0x96);
        ASSERT_EQ(p.Clues.size(), 2u);
        EXPECT_EQ(p.Clues[0].Text, "Tea & time");
        EXPECT_EQ(p.Clues[0].Answer, (std::vector<int32_t>{1, 3, 5}));
        EXPECT_EQ(p.Clues[1].Text, "Odd one");
        EXPECT_EQ(p.Clues[1].Answer, (std::vector<int32_t>{2, 4, 6}));
        std::string entered;
        for (int32_t i = 1; i <= p.LetterCount; ++i) entered += p.Letters[static_cast<size_t>(i)].Entered;
        EXPECT_EQ(entered, name.starts_with("bare") ? "T     " : "T    Y");
        EXPECT_EQ(p.HeaderStrings[0], "Tiny & true");
        EXPECT_EQ(p.HeaderStrings[1], "Ann Author");
        EXPECT_EQ(p.HeaderStrings[2], "\xA9 2026");
        EXPECT_EQ(p.MoreInfo.Lines, (std::vector<std::string>{"First line", "Second line"}));
        EXPECT_EQ(p.SolverInfo.Text, "Well done!\r\nBye");
        EXPECT_TRUE(p.TypingAlphabet.test(0xC9)) << "the accented letter can be typed";
        EXPECT_EQ(p.SolutionScrambled, 0);
        EXPECT_EQ(p.KeyNumber, "");
        EXPECT_EQ(p.AnyCharAllowed, 0);
    }
}

TEST(ImportTest, RefusesWhatIsNoSoundAcrosticAndSaysWhy)
{
    const std::string jpz = Jpz(true), ipuz = Ipuz(0);
    const std::string bomb(12u << 20, '\0');
    const std::vector<std::tuple<ImportKind, std::string, std::string>> cases = {
        {ImportKind::Jpz, Replace(Replace(jpz, "<acrostic>", "<crossword>"), "</acrostic>", "</crossword>"),
         "it is a crossword, not an acrostic"},
        {ImportKind::Ipuz, Replace(ipuz, "acrostic#1", "crossword#1"), "it is a crossword, not an acrostic"},
        {ImportKind::Jpz, Replace(jpz, "É", "Ő"), "it uses \"Ő\" (U+0150) in the square in row 1, column 4"},
        {ImportKind::Ipuz, Replace(ipuz, "Odd", "Odd ☃"), "it uses \"☃\" (U+2603) in clue B"},
        {ImportKind::Jpz, Replace(jpz, R"(solution="A" number="5"/>)", R"(solution="E" number="5"/>)"),
         "the letters disagree: square 5 is \"A\" in the quotation but \"E\" in clue A"},
        {ImportKind::Ipuz, Replace(ipuz, R"("ODY")", R"("OAK")"), "the letters disagree"},
        {ImportKind::Jpz, Replace(jpz, R"(<cells x="1-3" y="2"/></word>)", "</word>"),
         "none of its words runs over the whole quotation"},
        {ImportKind::Ipuz, Replace(PhoneIpuz(), R"("1A")", R"("1B")"),
         "the square in row 1, column 1 is marked \"1B\", but its letter belongs to clue A"},
        {ImportKind::Ipuz, Replace(PhoneIpuz(), "[[1,1],[4,1],[2,2]]", "[[1,1],[4,1],[1,1]]"),
         "clue A uses letter 1 a second time"},
        {ImportKind::Jpz, jpz.substr(0, jpz.size() / 2), "it is not well-formed XML"},
        {ImportKind::Ipuz, ipuz.substr(0, ipuz.size() / 2), "it is not valid JSON"},
        {ImportKind::Jpz, Zip({{"puzzle.xml", jpz}}).substr(0, 300), "it is a damaged ZIP archive"},
        {ImportKind::Jpz, Zip({{"bomb.xml", bomb}}), "its ZIP archive unpacks to more than 8 MiB"},
        {ImportKind::Jpz, WithWrongChecksum(Zip({{"puzzle.xml", jpz}})), "its ZIP archive is damaged"},
        {ImportKind::Jpz, Zip({{"a.xml", jpz}, {"b.xml", jpz}}), "holds 2 files, not one XML document"},
        {ImportKind::Ipuz, Replace(ipuz, R"("Clues": [{)", R"("Clues": [[1, "Across"], {)"), "crossword clues"},
        {ImportKind::Ipuz, Replace(ipuz, "[[0,0],[3,0],[1,1]]", "[[0,0],[2,0],[1,1]]"), "is not a letter square"},
        {ImportKind::Ipuz, std::string(100, '[') + std::string(100, ']'), "nests too deeply"},
    };
    for (const auto& [kind, bytes, reason] : cases) {
        try {
            ImportPuzzleBytes(bytes, kind, "x");
            ADD_FAILURE() << "imported, expected: " << reason;
        } catch (const ImportError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
    }
    try {
        ImportPuzzleBytes(std::get<1>(cases.front()), ImportKind::Jpz, "X.jpz");
        ADD_FAILURE();
    } catch (const ImportError& e) {
        EXPECT_STREQ(e.what(), "Cannot open \"X.jpz\": it is a crossword, not an acrostic.");
    }
}

TEST(ExportTest, ImportAfterExportGivesTheSamePuzzle)
{
    std::vector<std::pair<std::string, Puzzle>> puzzles;
    for (const char* name : {"Classic.QWL", "Practice.QWL", "Shakespeare.QWL"}) puzzles.emplace_back(name, Sample(name));
    puzzles.emplace_back("stress", MakeStressPuzzle(1));
    puzzles.emplace_back("tiny", ImportPuzzleBytes(Jpz(true), ImportKind::Jpz, "tiny"));
    // Spaces, markup characters and a control character in the texts must come back exactly.
    puzzles.back().second.Clues[0].Text = "  a  <b>&amp; \x01 ";
    puzzles.back().second.MoreInfo.Lines = {" x ", "", "  ", "y<br>"};
    // A last row of punctuation alone, and word-list clues whose texts are the markers' texts.
    Puzzle ending;
    std::vector<int32_t> first(11), second(11);
    std::iota(first.begin(), first.end(), 1);
    std::iota(second.begin(), second.end(), 12);
    ASSERT_TRUE(ending.BuildPuzzle(4, 9, ".", {"THE END O", "F A LONG ", "QUOTATION", ".        "},
                                   {{"[QUOTE]", first, ""}, {"[ATTRIBUTION]", second, ""}}));
    ending.TypingAlphabet = ending.ComputeTypingAlphabet();
    puzzles.emplace_back("ending", ending);
    for (auto& [name, puzzle] : puzzles) {
        for (ImportKind kind : {ImportKind::Jpz, ImportKind::Ipuz}) {
            SCOPED_TRACE(kind == ImportKind::Jpz ? "jpz" : "ipuz");
            if (puzzle.SolutionScrambled != 0) {
                EXPECT_THROW(ExportPuzzleBytes(puzzle, kind), ExportError) << name << " is locked";
                puzzle.SolutionScrambled = 0;
            }
            const Puzzle imported = ImportPuzzleBytes(ExportPuzzleBytes(puzzle, kind), kind, name);
            ExpectSamePuzzle(puzzle, imported, name);
            EXPECT_FALSE(RepairLineEndings(EncodePuzzle(imported))) << "saving it would look like a converted file";
        }
    }
}

// What another program reads: the exported XML, parsed by pugixml, holds every text escaped once,
// lines at <br/>; and both formats give every character back.
TEST(ExportTest, TextsAreEscapedOnceAndComeBackExactly)
{
    Puzzle p = ImportPuzzleBytes(Jpz(true), ImportKind::Jpz, "tiny");
    const std::string odd = "Salt & pepper <i>plain</i> \"q\" 'a' &amp; \xE9\xEF\x97";  // é ï —
    p.Clues[1].Text = odd;
    for (int h = 0; h < 3; ++h) p.HeaderStrings[h] = std::to_string(h) + odd;
    p.MoreInfo.Lines = {odd, "<br/>"};
    p.SolverInfo.Text = odd + "\r\n" + odd;

    const std::string bytes = ExportPuzzleBytes(p, ImportKind::Jpz);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_buffer(bytes.data(), bytes.size()));
    const auto text = [&](const char* path) {
        std::string out;
        for (pugi::xml_node n : doc.select_node(path).node().children())
            out += n.type() == pugi::node_element ? std::string(n.name() == std::string("br") ? "\n" : "<element>") : n.value();
        return out;
    };
    const std::string utf8 = Win1252ToUtf8(odd);
    const std::string metadata = "/crossword-compiler-applet/rectangular-puzzle/metadata/";
    for (const auto& [path, want] : std::vector<std::pair<std::string, std::string>>{
             {metadata + "title", "0" + utf8},
             {metadata + "creator", "1" + utf8},
             {metadata + "copyright", "2" + utf8},
             {metadata + "description", utf8 + "\n<br/>"},
             {"/crossword-compiler-applet/applet-settings/completion", utf8 + "\n" + utf8},
             {"/crossword-compiler-applet/rectangular-puzzle/acrostic/clues/clue[2]", utf8},
         })
        EXPECT_EQ(text(path.c_str()), want) << path;

    for (ImportKind kind : {ImportKind::Jpz, ImportKind::Ipuz})
        ExpectSamePuzzle(p, ImportPuzzleBytes(ExportPuzzleBytes(p, kind), kind, "odd"), kind == ImportKind::Jpz ? "jpz" : "ipuz");
}

TEST(ExportTest, WritesByExtensionAndImportsFromTheFile)
{
    const fs::path dir = fs::temp_directory_path() / ("qw_formats_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const Puzzle tiny = ImportPuzzleBytes(Ipuz(1), ImportKind::Ipuz, "tiny");
    for (const char* name : {"A.jpz", "B.IPUZ"}) {
        const std::string path = (dir / name).string();
        ExportPuzzle(tiny, path);
        ExpectSamePuzzle(tiny, ImportPuzzle(path), name);
    }
    EXPECT_THROW(ExportPuzzle(tiny, (dir / "C.txt").string()), ExportError);
    EXPECT_FALSE(fs::exists(dir / "C.txt"));
    EXPECT_THROW(ImportPuzzle((dir / "missing.jpz").string()), ImportError);
    fs::remove_all(dir);
}

TEST(ImportTargetTest, ProgressGoesToTheFirstNameThatIsFreeOrHoldsTheSameAcrostic)
{
    const fs::path dir = fs::temp_directory_path() / ("qw_target_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string x = (dir / "X.QWL").string();
    const Puzzle tiny = ImportPuzzleBytes(Jpz(true), ImportKind::Jpz, "tiny");
    Puzzle solved = tiny;  // the same acrostic with progress
    for (int32_t i = 1; i <= solved.LetterCount; ++i) solved.Letters[static_cast<size_t>(i)].Entered = 'Q';
    const Puzzle other = Sample("Practice.QWL");

    struct Step {
        const char* file;     // what is written before asking
        const Puzzle* puzzle; // nullptr: a file that is no puzzle
        const char* target;
        bool existing;
    };
    const std::vector<Step> steps = {
        {nullptr, nullptr, "X.QWL", false},
        {"X.QWL", &other, "X (2).QWL", false},
        {"X (2).QWL", nullptr, "X (3).QWL", false},
        {"X (3).QWL", &solved, "X (3).QWL", true},
    };
    for (const Step& step : steps) {
        if (step.file)
            WriteFileAtomically((dir / step.file).string(), step.puzzle ? EncodePuzzle(*step.puzzle) : "junk");
        const ImportTarget target = ChooseImportTarget(tiny, x);
        EXPECT_EQ(target.path, (dir / step.target).string());
        EXPECT_EQ(target.existing, step.existing) << step.target;
    }
    fs::remove_all(dir);
}

TEST(PlainTextTest, MarkupAndEntitiesBecomePlainText)
{
    const std::vector<std::tuple<std::string, bool, std::string>> cases = {
        {"  <b>Bold</b>\n and&nbsp;<I>it&#x61;lic</I> &unknown; a < b ", false, "Bold and\xC2\xA0italic &unknown; a < b"},
        {"one<br>two<BR/>three", false, "one two three"},
        {"<p>one</p><p>two</p>", true, "one\ntwo"},
        {"one<br/><br/>two<br/>", true, "one\n\ntwo\n"},
        {"plain\r\ntext\n  lines", true, "plain\ntext\nlines"},
        {"<!-- note -->x &#8211; y", false, "x \xE2\x80\x93 y"},
    };
    for (const auto& [html, lines, plain] : cases) EXPECT_EQ(PlainText(html, lines), plain) << html;
}

// Every file the importers' fuzzers start from (and every finding added there later) imports and
// exports back, or is refused with ImportError; the seeds made on purpose all import.
TEST(FuzzCorpus, EveryImportSeedReplaysToAKnownOutcome)
{
    for (const auto& [folder, kind] : {std::pair{"corpus-jpz", ImportKind::Jpz}, {"corpus-ipuz", ImportKind::Ipuz}}) {
        const fs::path dir = fs::path(QW_SOURCE_DIR) / "tools" / "fuzz" / folder;
        size_t imported = 0;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string bytes = ReadRegularFile(entry.path().string()).value();
            try {
                const Puzzle p = ImportPuzzleBytes(bytes, kind, entry.path().filename().string());
                ExpectSamePuzzle(p, ImportPuzzleBytes(ExportPuzzleBytes(p, kind), kind, "again"), entry.path().string());
                ++imported;
            } catch (const ImportError&) {
                // A refusal is a known outcome too.
            }
        }
        EXPECT_GE(imported, 4u) << folder;
    }
}
