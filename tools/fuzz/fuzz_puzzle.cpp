// libFuzzer target for the puzzle reader: any input either decodes into a consistent puzzle or
// fails with one of the reader's three errors, and what decodes re-encodes stably.

#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzChecks.h"
#include "puzzle/PuzzleFile.h"

using namespace qw;

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
