#include "puzzle/RecentList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace qw {

namespace {

// Decodes one UTF-8 sequence at `i`; malformed bytes come back one at a time as themselves, so
// every path compares, whatever its bytes.
char32_t NextCodePoint(const std::string& s, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    std::size_t extra = 0;
    char32_t value = lead;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        value = lead & 0x07;
    }
    if (extra == 0 || i + extra >= s.size()) {
        ++i;
        return lead;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return lead;
        }
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    i += extra + 1;
    return value;
}

// Upper case for the letters file names commonly carry: ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic.
char32_t FoldCase(char32_t c)
{
    if (c >= U'a' && c <= U'z') return c - 32;
    if (c < 0x80) return c;
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x137) return c & ~char32_t{1};
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : c - 1;
    if (c >= 0x14A && c <= 0x177) return c & ~char32_t{1};
    if (c == 0x17A || c == 0x17C || c == 0x17E) return c - 1;
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32;
    if (c >= 0x430 && c <= 0x44F) return c - 32;
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return c;
}

}  // namespace

bool RecentList::SamePath(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (FoldCase(NextCodePoint(a, i)) != FoldCase(NextCodePoint(b, j))) return false;
    }
    return i == a.size() && j == b.size();
}

std::string RecentList::Expand(const std::string& path)
{
    if (path.empty()) return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error) return path;
    return absolute.lexically_normal().string();
}

std::string RecentList::Caption(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Four characters, not bytes: an extension may hold letters outside ASCII.
    for (int n = 0; n < 4 && !name.empty(); ++n) {
        std::size_t cut = name.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
        name.erase(cut);
    }
    return name;
}

void RecentList::Remove(const std::string& path)
{
    std::erase_if(entries_, [&](const std::string& entry) { return SamePath(entry, path); });
}

void RecentList::AddToRecent(const std::string& path)
{
    const std::string expanded = Expand(path);
    if (expanded.empty()) return;
    Remove(expanded);
    if (entries_.size() >= kMaxEntries) entries_.resize(kMaxEntries - 1);
    entries_.insert(entries_.begin(), expanded);
}

void RecentList::Set(const std::vector<std::string>& entries)
{
    entries_.clear();
    for (const std::string& entry : entries) {
        if (entry.empty()) continue;
        if (entries_.size() == kMaxEntries) break;
        entries_.push_back(entry);
    }
}

std::vector<int> VisibleItems(const RecentList& list, const std::string& openFileName)
{
    const std::string open = openFileName.empty() ? std::string() : RecentList::Expand(openFileName);
    std::vector<int> visible;
    const auto& entries = list.Entries();
    for (std::size_t n = 0; n < entries.size(); ++n) {
        if (open.empty() || entries[n] != open) visible.push_back(static_cast<int>(n));
    }
    return visible;
}

}  // namespace qw
