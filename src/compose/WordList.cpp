#include "compose/WordList.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compose/ComposeText.h"
#include "puzzle/FileAccess.h"

namespace qw::compose {
namespace fs = std::filesystem;
namespace {

constexpr const char* kCacheMagic = "quotewell-words 1";
constexpr int kLevels[] = {10, 20, 35, 40, 50, 55, 60, 70, 80, 95};
// Phrases have no SCOWL level; they rank with the less common words.
constexpr uint8_t kPhraseLevel = 60;

uint64_t SplitMix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// A word file line that can be an answer: plain lower-case letters only, so proper names (capitals),
// possessives and contractions (apostrophes) and foreign spellings (accents) stay out.
bool PlainWord(const std::string& line)
{
    if (line.size() < kMinAnswer || line.size() > kMaxAnswer) return false;
    return std::all_of(line.begin(), line.end(), [](char ch) { return ch >= 'a' && ch <= 'z'; });
}

std::string CacheFolder(const WordListOptions& options)
{
    if (!options.cacheDir.empty()) return options.cacheDir;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) return std::string(xdg) + "/quotewell";
    if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.cache/quotewell";
    return {};
}

std::string FileStamp(const fs::path& path)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) return path.string() + " missing\n";
    const auto time = fs::last_write_time(path, ec).time_since_epoch().count();
    return path.string() + " " + std::to_string(size) + " " + std::to_string(time) + "\n";
}

}  // namespace

uint64_t LetterHash(char letter) { return SplitMix(static_cast<uint64_t>(static_cast<unsigned char>(letter)) * 7919); }

void WordList::Add(std::string text, uint8_t level)
{
    std::string letters = LettersOf(text);
    if (letters.size() < kMinAnswer || letters.size() > kMaxAnswer) return;
    if (auto it = byLetters_.find(letters); it != byLetters_.end()) {
        Word& old = words_[it->second];
        old.level = std::min(old.level, level);
        return;
    }
    byLetters_.emplace(letters, static_cast<uint32_t>(words_.size()));
    Word w;
    w.text = std::move(text);
    w.letters = std::move(letters);
    w.level = level;
    words_.push_back(std::move(w));
}

void WordList::Index()
{
    for (auto& list : byInitial_) list.clear();
    for (auto& map : anagrams_) map.clear();
    for (uint32_t id = 0; id < words_.size(); ++id) {
        Word& w = words_[id];
        w.counts = {};
        w.mask = 0;
        w.hash = 0;
        for (char ch : w.letters) {
            ++w.counts[static_cast<size_t>(ch - 'A')];
            w.mask |= 1u << (ch - 'A');
            w.hash += LetterHash(ch);
        }
        w.stem = StemOf(w.letters);
        const size_t slot = Slot(w.letters[0]);
        byInitial_[slot].push_back(id);
        anagrams_[slot][w.hash].push_back(id);
    }
    for (auto& list : byInitial_)
        std::sort(list.begin(), list.end(), [this](uint32_t a, uint32_t b) {
            const Word& x = words_[a];
            const Word& y = words_[b];
            if (x.letters.size() != y.letters.size()) return x.letters.size() < y.letters.size();
            if (x.level != y.level) return x.level < y.level;
            return x.letters < y.letters;
        });
}

uint32_t WordList::StemOf(const std::string& letters)
{
    const auto [it, added] = stems_.emplace(Stem(letters), static_cast<uint32_t>(stems_.size() + 1));
    (void)added;
    return it->second;
}

uint32_t WordList::StemOf(const std::string& letters) const
{
    const auto it = stems_.find(Stem(letters));
    return it == stems_.end() ? 0 : it->second;
}

const std::vector<uint32_t>* WordList::Anagrams(char initial, uint64_t hash) const
{
    if (initial < 'A' || initial > 'Z') return nullptr;
    const auto& map = anagrams_[Slot(initial)];
    const auto it = map.find(hash);
    return it == map.end() ? nullptr : &it->second;
}

std::optional<uint32_t> WordList::Find(const std::string& letters) const
{
    const auto it = byLetters_.find(letters);
    if (it == byLetters_.end()) return std::nullopt;
    return it->second;
}

WordList WordList::FromWords(const std::vector<std::pair<std::string, int>>& words)
{
    WordList list;
    for (const auto& [text, level] : words) list.Add(text, static_cast<uint8_t>(level));
    list.Index();
    return list;
}

WordList WordList::Load(const WordListOptions& options)
{
    const fs::path scowl(options.scowlDir);
    std::vector<std::pair<fs::path, int>> files;
    for (int level : kLevels) {
        if (level > options.maxLevel) break;
        for (const char* kind : {"english-words", "american-words"}) {
            const fs::path file = scowl / (std::string(kind) + "." + std::to_string(level));
            if (fs::is_regular_file(file)) files.emplace_back(file, level);
        }
    }
    if (files.empty())
        throw WordListMissing("No word list is installed (" + options.scowlDir +
                              " has no word files). Install the Debian package scowl "
                              "(sudo apt-get install scowl) for suggestions and auto-fill; typed answers still work.");
    std::vector<fs::path> phraseFiles;
    std::string warning;
    if (options.phrases) {
        for (const char* part : {"index.noun", "index.verb", "index.adj", "index.adv"}) {
            const fs::path file = fs::path(options.wordnetDir) / part;
            if (fs::is_regular_file(file)) phraseFiles.push_back(file);
        }
        if (phraseFiles.empty())
            warning = "WordNet is not installed (" + options.wordnetDir +
                      "), so no phrases are offered. Install the Debian package wordnet-base for them.";
    }

    std::string key = std::string(kCacheMagic) + "\nlevel " + std::to_string(options.maxLevel) + " phrases " +
                      (options.phrases ? "1" : "0") + "\n";
    for (const auto& [file, level] : files) key += FileStamp(file);
    for (const auto& file : phraseFiles) key += FileStamp(file);
    key += "--\n";

    const std::string folder = options.cacheDir == "-" ? std::string{} : CacheFolder(options);
    const std::string cachePath =
        folder.empty() ? std::string{}
                       : folder + "/words-" + std::to_string(options.maxLevel) + (options.phrases ? "-phrases" : "") + ".txt";

    WordList list;
    list.warning_ = warning;
    if (!cachePath.empty()) {
        if (const auto bytes = ReadRegularFile(cachePath, 64u << 20); bytes && bytes->starts_with(key)) {
            std::istringstream in(bytes->substr(key.size()));
            std::string line;
            while (std::getline(in, line)) {
                const size_t tab = line.find('\t');
                if (tab == std::string::npos) continue;
                list.Add(line.substr(tab + 1), static_cast<uint8_t>(std::atoi(line.c_str())));
            }
            if (!list.words_.empty()) {
                list.fromCache_ = true;
                list.Index();
                return list;
            }
        }
    }

    for (const auto& [file, level] : files) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (PlainWord(line)) list.Add(line, static_cast<uint8_t>(level));
        }
    }
    for (const auto& file : phraseFiles) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == ' ') continue;  // the licence header
            const std::string lemma = line.substr(0, line.find(' '));
            if (lemma.find('_') == std::string::npos) continue;
            std::string text = lemma;
            std::replace(text.begin(), text.end(), '_', ' ');
            bool plain = std::all_of(text.begin(), text.end(), [](char ch) { return ch == ' ' || (ch >= 'a' && ch <= 'z'); });
            if (plain) list.Add(text, kPhraseLevel);
        }
    }
    list.Index();

    if (!cachePath.empty()) {
        std::string bytes = key;
        for (const Word& w : list.words_) bytes += std::to_string(w.level) + "\t" + w.text + "\n";
        try {
            std::error_code ec;
            fs::create_directories(folder, ec);
            WriteFileAtomically(cachePath, bytes);
        } catch (const std::exception&) {
            // A cache that cannot be written only costs the next start its speed.
        }
    }
    return list;
}

}  // namespace qw::compose
