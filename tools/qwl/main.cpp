// qwl: inspect, make and rewrite .QWL puzzle files from the command line.
//
//   qwl dump FILE                 the loaded puzzle as JSON (UTF-8); FILE may be .jpz or .ipuz
//   qwl import IN OUT.QWL         a .jpz or .ipuz acrostic as a new puzzle file
//   qwl export IN.QWL OUT         the puzzle as .jpz or .ipuz, by OUT's extension
//   qwl make JSON OUT [--version1] a puzzle file from JSON of the same shape
//   qwl resave FILE               load and save in place
//   qwl stress OUT [SEED]         the generated stress puzzle
//   qwl compose --quote-file Q.txt --source "AUTHOR WORK" ... --out OUT
//                                 a complete acrostic filled, numbered and written

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "Compose.h"
#include "QwlJson.h"
#include "formats/PuzzleFormats.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"

using namespace qw;

namespace {

int Usage()
{
    std::cerr << "usage: qwl dump FILE\n"
                 "       qwl import IN.(jpz|ipuz) OUT.QWL\n"
                 "       qwl export IN.QWL OUT.(jpz|ipuz)\n"
                 "       qwl make JSON OUT [--version1]\n"
                 "       qwl resave FILE\n"
                 "       qwl stress OUT [SEED]\n"
                 "       qwl compose --quote-file Q.txt --source \"AUTHOR WORK\" [--width N] [--seed N]\n"
                 "                   [--lock WORD]... [--timeout S] --out OUT.(QWL|jpz|ipuz)\n";
    return 2;
}

int Dump(const std::string& path)
{
    int version = 0;
    std::string fixed;
    if (ImportKindOf(path)) {
        const Puzzle p = ImportPuzzle(path);
        for (int32_t r = 0; r < p.Grid.Rows(); ++r)
            for (int32_t c = 0; c < p.Grid.Columns(); ++c)
                if (p.Grid.GetCell(r, c) < 0) fixed += static_cast<char>(-p.Grid.GetCell(r, c));
        std::cout << DumpJson(p, 2, fixed).dump(2) << '\n';
        return 0;
    }
    const Puzzle p = LoadPuzzle(path, &version, &fixed);
    std::cout << DumpJson(p, version, fixed).dump(2) << '\n';
    return 0;
}

int Make(const std::string& jsonPath, const std::string& out, bool version1)
{
    std::ifstream in(jsonPath, std::ios::binary);
    if (!in) throw InputError("cannot read " + jsonPath);
    std::ostringstream text;
    text << in.rdbuf();
    Puzzle p = PuzzleFromJson(ParseJson(text.str()));
    p.FileName = out;
    if (version1) {
        std::string bytes;
        try {
            bytes = EncodePuzzleVersion1(p);
        } catch (const std::invalid_argument& e) {
            throw InputError(e.what());
        }
        // The file must read back as what was asked for before anything is written.
        DecodePuzzle(bytes, out);
        WriteFileAtomically(out, bytes);
    } else {
        DecodePuzzle(EncodePuzzle(p), out);
        SavePuzzle(p);
    }
    return 0;
}

// Nothing is written unless the whole import succeeded, and never over an existing file.
int Import(const std::string& in, const std::string& out)
{
    if (ImportKindOf(out)) throw InputError("the output must be a .QWL file, not " + out);
    Puzzle p = ImportPuzzle(in);
    if (std::filesystem::exists(out)) throw InputError(out + " already exists");
    p.FileName = out;
    SavePuzzle(p);
    return 0;
}

int Export(const std::string& in, const std::string& out)
{
    ExportPuzzle(LoadPuzzle(in), out);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::string& command = args[0];
    try {
        if (command == "compose") return ComposeCommand({args.begin() + 1, args.end()});
        if (command == "dump" && args.size() == 2) return Dump(args[1]);
        if (command == "make" && (args.size() == 3 || (args.size() == 4 && args[3] == "--version1")))
            return Make(args[1], args[2], args.size() == 4);
        if (command == "import" && args.size() == 3) return Import(args[1], args[2]);
        if (command == "export" && args.size() == 3) return Export(args[1], args[2]);
        if (command == "resave" && args.size() == 2) {
            Puzzle p = LoadPuzzle(args[1]);
            p.FileName = args[1];
            SavePuzzle(p);
            return 0;
        }
        if (command == "stress" && (args.size() == 2 || args.size() == 3)) {
            unsigned long seed = 1;
            if (args.size() == 3) {
                size_t used = 0;
                try {
                    seed = std::stoul(args[2], &used);
                } catch (const std::exception&) {
                    used = 0;
                }
                if (used == 0 || used != args[2].size()) return Usage();
            }
            Puzzle p = MakeStressPuzzle(static_cast<unsigned>(seed));
            p.FileName = args[1];
            SavePuzzle(p);
            return 0;
        }
        return Usage();
    } catch (const InputError& e) {
        std::cerr << "qwl: " << e.what() << '\n';
    } catch (const std::exception& e) {
        // The reader's and writer's messages are shown exactly as they stand.
        std::cerr << e.what() << '\n';
    }
    return 1;
}
