#include "puzzle/Journal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>

#include <nlohmann/json.hpp>
#include <sys/stat.h>

#include "puzzle/FileAccess.h"
#include "puzzle/Win1252.h"

namespace qw {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

constexpr const char* kFormat = "Quotewell recovery journal";
constexpr int kVersion = 1;

std::optional<int64_t> IntegerField(const Json& object, const char* name, int64_t low, int64_t high)
{
    const auto it = object.find(name);
    if (it == object.end() || !it->is_number_integer()) return std::nullopt;
    // Numbers from 0 up are kept unsigned, and may lie beyond int64_t.
    if (it->is_number_unsigned() && it->get<uint64_t>() > static_cast<uint64_t>(high)) return std::nullopt;
    const int64_t value = it->get<int64_t>();
    if (value < low || value > high) return std::nullopt;
    return value;
}

const std::string* StringField(const Json& object, const char* name)
{
    const auto it = object.find(name);
    return it != object.end() && it->is_string() ? it->get_ptr<const std::string*>() : nullptr;
}

uint64_t Fnv1a(std::string_view bytes)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const char ch : bytes) {
        hash ^= static_cast<unsigned char>(ch);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

// The journal in `file` when it is a plain file holding a sound journal; a link, a pipe, a
// device, a huge or a damaged file gives nothing.
std::optional<Journal> ReadJournal(const fs::path& file)
{
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(file, ec))) return std::nullopt;
    const auto bytes = ReadRegularFile(file.string(), kMaxJournalBytes);
    return bytes ? DecodeJournal(*bytes) : std::nullopt;
}

}  // namespace

FileStamp StampOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {static_cast<int64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

Journal SnapshotJournal(const Puzzle& puzzle, const CursorState& cursor, const std::string& path,
                        const FileStamp& stamp)
{
    Journal journal;
    journal.PuzzlePath = path;
    journal.Stamp = stamp;
    journal.Entered.reserve(static_cast<size_t>(std::max(puzzle.LetterCount, 0)));
    for (int32_t i = 1; i <= puzzle.LetterCount; ++i) journal.Entered += puzzle.Letters[static_cast<size_t>(i)].Entered;
    journal.CurrentLetter = cursor.CurrentLetter;
    return journal;
}

void RestoreJournal(const Journal& journal, Puzzle& puzzle, CursorState& cursor)
{
    for (int32_t i = 1; i <= puzzle.LetterCount && i <= journal.LetterCount(); ++i)
        puzzle.Letters[static_cast<size_t>(i)].Entered = journal.Entered[static_cast<size_t>(i - 1)];
    if (journal.CurrentLetter >= 1 && journal.CurrentLetter <= puzzle.LetterCount)
        cursor.CurrentLetter = journal.CurrentLetter;
    puzzle.Modified = true;
}

std::string EncodeJournal(const Journal& journal)
{
    Json j;
    j["format"] = kFormat;
    j["version"] = kVersion;
    j["path"] = journal.PuzzlePath;
    j["size"] = journal.Stamp.Size;
    j["modifiedNs"] = journal.Stamp.ModifiedNs;
    j["letterCount"] = journal.LetterCount();
    j["entered"] = Win1252ToUtf8(journal.Entered);
    j["currentLetter"] = journal.CurrentLetter;
    // Paths come from the window system as UTF-8; anything else cannot match on reading anyway.
    return j.dump(1, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::optional<Journal> DecodeJournal(std::string_view text)
{
    const Json j = Json::parse(text.begin(), text.end(), nullptr, false);
    if (!j.is_object()) return std::nullopt;
    const std::string* format = StringField(j, "format");
    const std::string* path = StringField(j, "path");
    const std::string* entered = StringField(j, "entered");
    const auto version = IntegerField(j, "version", kVersion, kVersion);
    const auto size = IntegerField(j, "size", -1, std::numeric_limits<int64_t>::max());
    const auto modified = IntegerField(j, "modifiedNs", std::numeric_limits<int64_t>::min(),
                                       std::numeric_limits<int64_t>::max());
    const auto count = IntegerField(j, "letterCount", 1, std::numeric_limits<int32_t>::max());
    if (!format || *format != kFormat || !version || !path || !entered || !size || !modified || !count)
        return std::nullopt;
    if (path->empty() || path->front() != '/' || path->find('\0') != std::string::npos) return std::nullopt;
    const auto current = IntegerField(j, "currentLetter", 1, *count);
    if (!current) return std::nullopt;

    Journal journal;
    journal.PuzzlePath = *path;
    journal.Stamp = {*size, *modified};
    journal.Entered = Utf8ToWin1252(*entered);
    // Every code page character has one spelling; anything else was not written by us.
    if (journal.LetterCount() != *count || Win1252ToUtf8(journal.Entered) != *entered) return std::nullopt;
    journal.CurrentLetter = static_cast<int32_t>(*current);
    return journal;
}

std::string JournalFolder(const char* stateHome, const char* home)
{
    // Relative values are invalid by the base directory rules and are ignored.
    std::string base;
    if (stateHome && stateHome[0] == '/') base = stateHome;
    else if (home && home[0] != '\0') base = std::string(home) + "/.local/state";
    else return {};
    return base + "/quotewell/recovery";
}

std::string JournalFolderFromEnvironment()
{
    return JournalFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

std::string JournalFileName(const std::string& absolutePuzzlePath)
{
    std::string stem = fs::path(absolutePuzzlePath).stem().string();
    for (char& ch : stem) {
        const auto c = static_cast<unsigned char>(ch);
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            ch = '_';
    }
    stem = stem.substr(0, 40);
    if (stem.empty()) stem = "puzzle";
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a(absolutePuzzlePath)));
    return stem + "-" + hash + ".json";
}

std::string JournalPath(const std::string& folder, const std::string& absolutePuzzlePath)
{
    return (fs::path(folder) / JournalFileName(absolutePuzzlePath)).string();
}

JournalVerdict Judge(const Journal& journal, const Puzzle& puzzle, const std::string& path, const FileStamp& now)
{
    if (journal.PuzzlePath != path) return JournalVerdict::None;
    if (journal.LetterCount() != puzzle.LetterCount || !(journal.Stamp == now)) return JournalVerdict::Stale;
    for (int32_t i = 1; i <= puzzle.LetterCount; ++i) {
        const char ch = journal.Entered[static_cast<size_t>(i - 1)];
        const LetterEntry& entry = puzzle.Letters[static_cast<size_t>(i)];
        if (!Contains(puzzle.TypingAlphabet, ch) && ch != entry.Solution && ch != entry.Entered)
            return JournalVerdict::Bad;
    }
    return JournalVerdict::Offer;
}

void SetAside(const std::string& file, const char* suffix)
{
    std::error_code ec;
    fs::rename(file, file + suffix, ec);
}

FoundJournal FindJournal(const std::string& folder, const std::string& path, const Puzzle& puzzle,
                         const std::string& spelled)
{
    std::string file = JournalPath(folder, path);
    std::string named = path;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(file, ec))) {
        if (spelled.empty() || spelled == path) return {};
        file = JournalPath(folder, spelled);
        named = spelled;
        if (!fs::exists(fs::symlink_status(file, ec))) return {};
    }
    auto journal = ReadJournal(file);
    const JournalVerdict verdict = journal ? Judge(*journal, puzzle, named, StampOf(path)) : JournalVerdict::Bad;
    if (verdict == JournalVerdict::Stale) SetAside(file, ".stale");
    if (verdict == JournalVerdict::Bad) SetAside(file, ".bad");
    if (verdict != JournalVerdict::Offer) return {verdict, {}};
    if (named != path) {
        // From now on it is written and removed under the file's own name; until that name holds
        // it, the old one is kept.
        journal->PuzzlePath = path;
        try {
            WriteFileAtomically(JournalPath(folder, path), EncodeJournal(*journal));
            fs::remove(file, ec);
        } catch (const SaveError&) {
        }
    }
    return {verdict, *journal};
}

std::vector<std::string> JournaledPuzzles(const std::string& folder, const std::string& excluding,
                                          const std::function<bool(const std::string&)>& held)
{
    const std::string excluded = excluding.empty() ? std::string() : FileIdentity(excluding);
    std::vector<std::pair<int64_t, std::string>> found;
    // Listed first: journals are renamed as they are judged.
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".json") files.push_back(it->path());
    for (const fs::path& path : files) {
        const std::string file = path.string();
        const auto journal = ReadJournal(file);
        // A journal under a name its puzzle would not give is never found when the puzzle opens.
        if (!journal || path.filename() != JournalFileName(journal->PuzzlePath)) {
            SetAside(file, ".bad");
            continue;
        }
        if (journal->PuzzlePath == excluding || (!excluded.empty() && FileIdentity(journal->PuzzlePath) == excluded))
            continue;
        if (held && held(journal->PuzzlePath)) continue;
        const FileStamp now = StampOf(journal->PuzzlePath);
        if (!(now == journal->Stamp)) SetAside(file, ".stale");
        else if (now.Size >= 0) found.emplace_back(StampOf(file).ModifiedNs, journal->PuzzlePath);
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> paths;
    for (auto& [time, path] : found) paths.push_back(std::move(path));
    return paths;
}

}  // namespace qw
