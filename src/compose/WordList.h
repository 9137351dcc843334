#pragma once
// The answer words: SCOWL's word files up to a size level (its levels stand for commonness) and,
// when asked, WordNet's multi-word phrases. Read once as installed, indexed in memory, and kept
// as a compact cache file keyed by the package files' sizes and dates.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

namespace qw::compose {

constexpr size_t kMinAnswer = 3;
constexpr size_t kMaxAnswer = 15;

// Counts of A..Z in a word, padded so comparisons run on whole registers.
using WordCounts = std::array<uint8_t, 32>;

struct Word {
    std::string text;     // as shown: lower case, phrases with their spaces
    std::string letters;  // A..Z only
    uint8_t level = 0;    // SCOWL size: 10 very common .. 95 rare
    WordCounts counts{};
    uint32_t mask = 0;    // bit c set when letter c occurs
    uint64_t hash = 0;    // additive over letters, so hash(a) + hash(b) is the hash of their union
    uint32_t stem = 0;    // words with the same stem share this number
};

struct WordListOptions {
    std::string scowlDir = "/usr/share/dict/scowl";
    std::string wordnetDir = "/usr/share/wordnet";
    int maxLevel = 50;
    bool phrases = false;
    // Where the index cache goes; empty: $XDG_CACHE_HOME/quotewell (or ~/.cache/quotewell).
    // "-" keeps no cache.
    std::string cacheDir;
};

// The word list packages are not installed (or hold no words); the text says which and how to
// install them.
struct WordListMissing : std::runtime_error {
    using std::runtime_error::runtime_error;
};

uint64_t LetterHash(char letter);

class WordList {
public:
    // Reads the cache when it matches the installed files, else the files (writing the cache).
    // Throws WordListMissing.
    static WordList Load(const WordListOptions& options);
    // A list from words given directly (tests, typed additions): "word" or "word level".
    static WordList FromWords(const std::vector<std::pair<std::string, int>>& words);

    const std::vector<Word>& Words() const { return words_; }
    const Word& operator[](uint32_t id) const { return words_[id]; }
    size_t size() const { return words_.size(); }
    // Ids of the words starting with `initial` (A..Z), shortest first, then most common.
    const std::vector<uint32_t>& ByInitial(char initial) const { return byInitial_[Slot(initial)]; }
    // Words starting with `initial` made of exactly the letters whose hash is `hash`.
    const std::vector<uint32_t>* Anagrams(char initial, uint64_t hash) const;
    std::optional<uint32_t> Find(const std::string& letters) const;
    uint32_t StemOf(const std::string& letters);  // interns stems not in the list
    uint32_t StemOf(const std::string& letters) const;  // 0 for a stem the list does not have
    bool fromCache() const { return fromCache_; }
    // Set when phrases were asked for and WordNet is not installed.
    const std::string& warning() const { return warning_; }

private:
    static size_t Slot(char initial) { return static_cast<size_t>(initial - 'A') % 26; }
    void Add(std::string text, uint8_t level);
    void Index();

    std::vector<Word> words_;
    std::array<std::vector<uint32_t>, 26> byInitial_;
    std::array<std::unordered_map<uint64_t, std::vector<uint32_t>>, 26> anagrams_;
    std::unordered_map<std::string, uint32_t> byLetters_;
    std::unordered_map<std::string, uint32_t> stems_;
    bool fromCache_ = false;
    std::string warning_;
};

}  // namespace qw::compose
