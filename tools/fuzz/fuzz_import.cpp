// libFuzzer target for the JPZ importer (or, built with QW_FUZZ_IPUZ, the ipuz importer): any input
// either imports into a consistent puzzle or fails with ImportError, and what imports exports to
// both formats and imports back as the same puzzle.

#include <cstdint>
#include <string_view>

#include "FuzzChecks.h"
#include "formats/PuzzleFormats.h"

using namespace qw;

#ifdef QW_FUZZ_IPUZ
constexpr ImportKind kKind = ImportKind::Ipuz;
#else
constexpr ImportKind kKind = ImportKind::Jpz;
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Puzzle p;
    try {
        p = ImportPuzzleBytes(bytes, kKind, "fuzz");
    } catch (const ImportError&) {
        return 0;
    }
    CheckInvariants(p);
    for (ImportKind kind : {ImportKind::Jpz, ImportKind::Ipuz}) {
        const Puzzle q = ImportPuzzleBytes(ExportPuzzleBytes(p, kind), kind, "fuzz");  // throws (a finding) if the writer is wrong
        if (!SameSource(p, q) || p.HeaderStrings[0] != q.HeaderStrings[0] || p.MoreInfoText() != q.MoreInfoText() ||
            p.SolverInfo.Text != q.SolverInfo.Text)
            Finding("export then import is not the same puzzle");
        for (int32_t i = 1; i <= p.LetterCount; ++i)
            if (p.Letters[static_cast<size_t>(i)].Entered != q.Letters[static_cast<size_t>(i)].Entered)
                Finding("export then import loses entered letters");
    }
    return 0;
}
