// qwl: inspect, make and rewrite .QWL puzzle files from the command line.
//
//   qwl dump FILE                 the loaded puzzle as JSON (UTF-8)
//   qwl make JSON OUT [--version1] a puzzle file from JSON of the same shape
//   qwl resave FILE               load and save in place
//   qwl stress OUT [SEED]         the generated stress puzzle

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "QwlJson.h"
#include "puzzle/PuzzleFile.h"
#include "puzzle/StressPuzzle.h"

using namespace qw;

namespace {

int Usage()
{
    std::cerr << "usage: qwl dump FILE\n"
                 "       qwl make JSON OUT [--version1]\n"
                 "       qwl resave FILE\n"
                 "       qwl stress OUT [SEED]\n";
    return 2;
}

int Dump(const std::string& path)
{
    int version = 0;
    std::string fixed;
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

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return Usage();
    const std::string& command = args[0];
    try {
        if (command == "dump" && args.size() == 2) return Dump(args[1]);
        if (command == "make" && (args.size() == 3 || (args.size() == 4 && args[3] == "--version1")))
            return Make(args[1], args[2], args.size() == 4);
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
