// libFuzzer target for the puzzle reader: any input either decodes into a consistent puzzle or
// fails with one of the reader's three errors, and what decodes re-encodes stably.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "puzzle/PuzzleFile.h"

using namespace qw;

namespace {

[[noreturn]] void Finding(const char* what)
{
    std::fprintf(stderr, "fuzz_puzzle: %s\n", what);
    std::abort();
}

void CheckInvariants(const Puzzle& p)
{
    if (p.ClueCount < 1 || p.Clues.empty() || p.Clues.front().Answer.empty()) Finding("no first letter");
    if (p.Letters.size() != static_cast<size_t>(p.LetterCount) + 1) Finding("letter table size");
    int32_t walked = 0;
    int32_t previous = 0;
    for (int32_t i = p.Clues.front().Answer.front(); i != 0; i = p.Letters[static_cast<size_t>(i)].Next) {
        if (i < 1 || i > p.LetterCount || ++walked > p.LetterCount) Finding("broken letter chain");
        const LetterEntry& e = p.Letters[static_cast<size_t>(i)];
        if (e.Prev != previous) Finding("Prev does not mirror Next");
        if (p.Grid.GetCell(e.Row, e.Column) != i) Finding("diagram does not point back to its letter");
        if (p.Clues[static_cast<size_t>(e.ClueIndex)].Answer[static_cast<size_t>(e.Position)] != i)
            Finding("answer does not point back to its letter");
        previous = i;
    }
    if (walked != p.LetterCount) Finding("letters outside the chain");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto repaired = RepairLineEndings(bytes); repaired && repaired->size() > size) Finding("repair grew the file");

    Puzzle p;
    try {
        p = DecodePuzzle(bytes, "fuzz");
    } catch (const ReadError&) {
        return 0;
    } catch (const VersionError&) {
        return 0;
    } catch (const NumberError&) {
        return 0;
    }
    CheckInvariants(p);
    const std::string once = EncodePuzzle(p);
    int version = 0;
    const Puzzle q = DecodePuzzle(once, "fuzz", &version);  // throws (a finding) if the writer is wrong
    if (version != 2) Finding("saved file is not version 2");
    if (EncodePuzzle(q) != once) Finding("save, load, save is not stable");
    return 0;
}
