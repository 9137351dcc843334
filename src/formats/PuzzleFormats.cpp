#include "formats/PuzzleFormats.h"

#include <filesystem>
#include <system_error>

#include "formats/AcrosticSource.h"
#include "puzzle/FileAccess.h"
#include "puzzle/PuzzleFile.h"

namespace qw {
namespace {

std::string LowerExtension(const std::string& path)
{
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return ext;
}

// The .QWL file of the progress stays far below this; a larger file is not the puzzle imported.
constexpr size_t kMaxCompareBytes = 64u << 20;

}  // namespace

ImportError::ImportError(const std::string& path, const std::string& reason)
    : std::runtime_error("Cannot open \"" + path + "\": " + reason + ".")
{
}

std::optional<ImportKind> ImportKindOf(const std::string& path)
{
    const std::string ext = LowerExtension(path);
    if (ext == ".jpz") return ImportKind::Jpz;
    if (ext == ".ipuz") return ImportKind::Ipuz;
    return std::nullopt;
}

Puzzle ImportPuzzleBytes(std::string_view bytes, ImportKind kind, const std::string& pathForMessages)
{
    try {
        if (bytes.size() > kMaxImportBytes) throw FormatProblem("it is larger than " + std::to_string(kMaxImportBytes >> 20) + " MiB");
        return BuildImportedPuzzle(kind == ImportKind::Jpz ? ReadJpz(bytes) : ReadIpuz(bytes));
    } catch (const FormatProblem& e) {
        throw ImportError(pathForMessages, e.what());
    } catch (const std::bad_alloc&) {
        throw ImportError(pathForMessages, "it is too large");
    }
}

Puzzle ImportPuzzle(const std::string& path)
{
    const auto kind = ImportKindOf(path);
    if (!kind) throw ImportError(path, "it is neither a .jpz nor an .ipuz file");
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw ImportError(path, "the file does not exist");
    if (!std::filesystem::is_regular_file(path, ec)) throw ImportError(path, "it is not a regular file");
    const auto bytes = ReadRegularFile(path, kMaxImportBytes);
    if (!bytes) {
        if (std::filesystem::file_size(path, ec) > kMaxImportBytes && !ec)
            throw ImportError(path, "it is larger than " + std::to_string(kMaxImportBytes >> 20) + " MiB");
        throw ImportError(path, "it cannot be read");
    }
    return ImportPuzzleBytes(*bytes, *kind, path);
}

void CheckExportable(const Puzzle& puzzle)
{
    if (puzzle.SolutionScrambled != 0)
        throw ExportError("This puzzle's solution is locked, so it cannot be exported. Unlock it with Solution > "
                          "Key number... first.");
    if (puzzle.LetterCount < 1 || puzzle.Clues.empty()) throw ExportError("There is no puzzle to export.");
}

std::string ExportPuzzleBytes(const Puzzle& puzzle, ImportKind kind)
{
    CheckExportable(puzzle);
    return kind == ImportKind::Jpz ? WriteJpz(puzzle) : WriteIpuz(puzzle);
}

void ExportPuzzle(const Puzzle& puzzle, const std::string& path)
{
    const auto kind = ImportKindOf(path);
    if (!kind) throw ExportError("Cannot export to \"" + path + "\": the name must end in .jpz or .ipuz.");
    const std::string bytes = ExportPuzzleBytes(puzzle, *kind);
    try {
        WriteFileAtomically(path, bytes);
    } catch (const SaveError& e) {
        throw ExportError(e.what());
    }
}

bool SameSource(const Puzzle& a, const Puzzle& b)
{
    if (a.RowCount != b.RowCount || a.ColumnCount != b.ColumnCount || a.DiagramRows != b.DiagramRows ||
        a.Clues.size() != b.Clues.size())
        return false;
    for (int32_t r = 0; r < a.RowCount; ++r)
        for (int32_t c = 0; c < a.ColumnCount; ++c)
            if (a.Grid.GetCell(r, c) != b.Grid.GetCell(r, c)) return false;
    for (size_t k = 0; k < a.Clues.size(); ++k)
        if (a.Clues[k].Text != b.Clues[k].Text || a.Clues[k].Answer != b.Clues[k].Answer) return false;
    return true;
}

ImportTarget ChooseImportTarget(const Puzzle& imported, const std::string& qwlPath)
{
    std::error_code ec;
    for (int n = 1;; ++n) {
        const std::string candidate = n == 1 ? qwlPath : NumberedName(qwlPath, n);
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, ec))) return {candidate, false};
        // Read without the line-ending repair: a file that is not ours to open is never rewritten.
        if (const auto bytes = ReadRegularFile(candidate, kMaxCompareBytes)) {
            const auto repaired = RepairLineEndings(*bytes);
            for (const std::string* version : {&*bytes, repaired ? &*repaired : nullptr}) {
                try {
                    if (version && SameSource(imported, DecodePuzzle(*version, candidate))) return {candidate, true};
                } catch (const std::exception&) {
                    // Unreadable as a puzzle: not the one imported.
                }
            }
        }
    }
}

}  // namespace qw
