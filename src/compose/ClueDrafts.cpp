#include "compose/ClueDrafts.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "compose/ComposeText.h"

namespace qw::compose {
namespace {

constexpr const char* kParts[] = {"noun", "verb", "adj", "adv"};

// The line of a sorted WordNet index file that starts with `lemma` and a space, found by
// bisecting the file on disk.
std::string FindIndexLine(std::ifstream& in, const std::string& lemma)
{
    in.clear();
    in.seekg(0, std::ios::end);
    long lo = 0, hi = static_cast<long>(in.tellg());
    std::string line;
    const std::string key = lemma + " ";
    while (lo < hi) {
        const long mid = lo + (hi - lo) / 2;
        in.clear();
        in.seekg(mid);
        if (mid > 0) std::getline(in, line);  // to the start of the next whole line
        const long at = static_cast<long>(in.tellg());
        if (!std::getline(in, line) || at < 0) {
            hi = mid;
            continue;
        }
        if (line.starts_with(key)) return line;
        // The licence lines at the top start with spaces and sort before every lemma.
        if (line.empty() || line[0] == ' ' || line.compare(0, lemma.size() + 1, key) < 0)
            lo = at + static_cast<long>(line.size()) + 1;
        else
            hi = mid;
    }
    return {};
}

std::string Capitalised(std::string text)
{
    while (!text.empty() && text.front() == ' ') text.erase(text.begin());
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 32);
    return text;
}

}  // namespace

Definitions::Definitions(std::string wordnetDir) : dir_(std::move(wordnetDir))
{
    available_ = std::filesystem::is_regular_file(dir_ + "/index.noun") && std::filesystem::is_regular_file(dir_ + "/data.noun");
}

std::vector<std::string> Definitions::Lookup(const std::string& lemma) const
{
    std::vector<std::string> out;
    for (const char* part : kParts) {
        std::ifstream index(dir_ + "/index." + part, std::ios::binary);
        if (!index) continue;
        const std::string line = FindIndexLine(index, lemma);
        if (line.empty()) continue;
        std::istringstream fields(line);
        std::vector<std::string> tokens;
        for (std::string t; fields >> t;) tokens.push_back(t);
        if (tokens.size() < 4) continue;
        const long senses = std::atol(tokens[2].c_str());
        std::ifstream data(dir_ + "/data." + part, std::ios::binary);
        for (long k = 0; k < senses && k < static_cast<long>(tokens.size()); ++k) {
            const std::string& offset = tokens[tokens.size() - static_cast<size_t>(senses) + static_cast<size_t>(k)];
            data.clear();
            data.seekg(std::atol(offset.c_str()));
            std::string entry;
            if (!std::getline(data, entry)) continue;
            const size_t bar = entry.find(" | ");
            if (bar == std::string::npos) continue;
            std::string gloss = entry.substr(bar + 3);
            // The definition comes first; quoted examples follow after semicolons.
            const size_t quote = gloss.find("; \"");
            if (quote != std::string::npos) gloss.resize(quote);
            if (!gloss.empty() && gloss[0] == '"') continue;
            out.push_back(Capitalised(gloss));
        }
    }
    return out;
}

std::vector<std::string> Definitions::Of(const std::string& text) const
{
    if (!available_) return {};
    std::string lemma = text;
    std::transform(lemma.begin(), lemma.end(), lemma.begin(), [](char ch) {
        return ch == ' ' ? '_' : (ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch);
    });
    auto found = Lookup(lemma);
    if (!found.empty()) return found;
    auto ends = [&](const std::string& s) { return lemma.size() > s.size() + 2 && lemma.ends_with(s); };
    std::vector<std::string> bases;
    if (ends("ies")) bases.push_back(lemma.substr(0, lemma.size() - 3) + "y");
    if (ends("es")) bases.push_back(lemma.substr(0, lemma.size() - 2));
    if (ends("s")) bases.push_back(lemma.substr(0, lemma.size() - 1));
    if (ends("ing")) bases.push_back(lemma.substr(0, lemma.size() - 3)), bases.push_back(lemma.substr(0, lemma.size() - 3) + "e");
    if (ends("ed")) bases.push_back(lemma.substr(0, lemma.size() - 2)), bases.push_back(lemma.substr(0, lemma.size() - 1));
    for (const std::string& base : bases)
        if (found = Lookup(base); !found.empty()) return found;
    return {};
}

bool ClueGivesAway(const std::string& clue, const std::string& answerLetters)
{
    const std::string answer = LettersOf(answerLetters);
    if (answer.empty()) return false;
    const std::string stem = Stem(answer);
    // Words split at ASCII non-letters; accented letters inside a word fold to their capitals.
    std::string piece;
    auto check = [&] {
        const std::string token = LettersOf(piece);
        piece.clear();
        return !token.empty() && (token.find(answer) != std::string::npos || Stem(token) == stem ||
                                  (stem.size() >= 4 && token.find(stem) != std::string::npos));
    };
    for (char ch : clue) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 || std::isalpha(c)) {
            piece += ch;
        } else if (check()) {
            return true;
        }
    }
    return check();
}

std::string DraftClue(const Definitions& definitions, const std::string& answerText)
{
    for (const std::string& gloss : definitions.Of(answerText))
        if (!gloss.empty() && !ClueGivesAway(gloss, answerText)) return gloss;
    return {};
}

}  // namespace qw::compose
