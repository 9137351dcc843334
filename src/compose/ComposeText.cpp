#include "compose/ComposeText.h"

#include <algorithm>
#include <cstdio>

#include "puzzle/Win1252.h"

namespace qw::compose {
namespace {

// Plain capitals for the accented letters of the code page; an empty entry is not a letter.
std::string FoldLetter(char32_t cp)
{
    if (cp >= 'a' && cp <= 'z') return std::string(1, static_cast<char>(cp - 32));
    if (cp >= 'A' && cp <= 'Z') return std::string(1, static_cast<char>(cp));
    switch (cp) {
    case 0xC0: case 0xC1: case 0xC2: case 0xC3: case 0xC4: case 0xC5:
    case 0xE0: case 0xE1: case 0xE2: case 0xE3: case 0xE4: case 0xE5: return "A";
    case 0xC6: case 0xE6: return "AE";
    case 0xC7: case 0xE7: return "C";
    case 0xC8: case 0xC9: case 0xCA: case 0xCB: case 0xE8: case 0xE9: case 0xEA: case 0xEB: return "E";
    case 0xCC: case 0xCD: case 0xCE: case 0xCF: case 0xEC: case 0xED: case 0xEE: case 0xEF: return "I";
    case 0xD0: case 0xF0: return "D";
    case 0xD1: case 0xF1: return "N";
    case 0xD2: case 0xD3: case 0xD4: case 0xD5: case 0xD6: case 0xD8:
    case 0xF2: case 0xF3: case 0xF4: case 0xF5: case 0xF6: case 0xF8: return "O";
    case 0xD9: case 0xDA: case 0xDB: case 0xDC: case 0xF9: case 0xFA: case 0xFB: case 0xFC: return "U";
    case 0xDD: case 0xFD: case 0xFF: case 0x178: return "Y";
    case 0xDE: case 0xFE: return "TH";
    case 0xDF: return "SS";
    case 0x152: case 0x153: return "OE";
    case 0x160: case 0x161: return "S";
    case 0x17D: case 0x17E: return "Z";
    default: return {};
    }
}

bool IsSpace(char32_t cp) { return cp == ' ' || cp == '\t' || cp == '\n' || cp == '\r' || cp == 0xA0; }

std::string CodePoint(char32_t cp)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

std::string Plural(int32_t n, const std::string& one, const std::string& many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int32_t Total(const LetterCounts& counts)
{
    int32_t n = 0;
    for (int32_t c : counts) n += c;
    return n;
}

LetterCounts CountLetters(std::string_view upperLetters)
{
    LetterCounts counts{};
    for (char ch : upperLetters)
        if (ch >= 'A' && ch <= 'Z') ++counts[static_cast<size_t>(ch - 'A')];
    return counts;
}

std::string DescribeCounts(const LetterCounts& counts)
{
    std::string out;
    for (size_t i = 0; i < counts.size(); ++i) {
        if (counts[i] == 0) continue;
        if (!out.empty()) out += ", ";
        out += std::to_string(counts[i]) + " " + static_cast<char>('A' + i) + (counts[i] == 1 ? "" : "s");
    }
    return out;
}

std::string LettersOf(std::string_view text)
{
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const auto cp = NextUtf8(text, i);
        if (cp) out += FoldLetter(*cp);
    }
    return out;
}

bool QuoteAnalysis::Composable() const { return FirstBlockingMessage().empty(); }

std::string QuoteAnalysis::FirstBlockingMessage() const
{
    for (const QuoteWarning& w : warnings)
        if (w.kind == QuoteWarning::Empty || w.kind == QuoteWarning::Unstorable || w.kind == QuoteWarning::SourceLetters)
            return w.message;
    if (sourceLetters.empty()) return "The source has no letters.";
    return {};
}

QuoteAnalysis AnalyzeQuote(std::string_view quotation, std::string_view source)
{
    QuoteAnalysis a;
    std::string word;
    int line = 1, column = 0;
    bool pendingGap = false;
    auto endWord = [&] {
        if (!word.empty()) a.words.push_back(word);
        word.clear();
    };
    size_t i = 0;
    while (i < quotation.size()) {
        const size_t start = i;
        const auto cp = NextUtf8(quotation, i);
        ++column;
        if (!cp) {
            a.warnings.push_back({QuoteWarning::Unstorable, "The byte at line " + std::to_string(line) + ", column " +
                                                                std::to_string(column) + " is not UTF-8 text."});
            continue;
        }
        if (IsSpace(*cp)) {
            if (*cp == '\n') {
                ++line;
                column = 0;
            }
            if (!a.chars.empty()) pendingGap = true;
            endWord();
            continue;
        }
        const std::string letters = FoldLetter(*cp);
        const auto byte = UnicodeToWin1252(*cp);
        if (letters.empty() && (!byte || static_cast<unsigned char>(*byte) < 0x20 || *cp == 0x7F)) {
            a.warnings.push_back({QuoteWarning::Unstorable,
                                  "\"" + std::string(quotation.substr(start, i - start)) + "\" (" + CodePoint(*cp) +
                                      ") at line " + std::to_string(line) + ", column " + std::to_string(column) +
                                      " cannot be kept in a puzzle file."});
            continue;
        }
        if (pendingGap) a.chars.push_back({QuoteChar::Gap, ' '});
        pendingGap = false;
        if (letters.empty()) {
            a.chars.push_back({QuoteChar::Fixed, *byte});
        } else {
            for (char ch : letters) a.chars.push_back({QuoteChar::Letter, ch});
            word += letters;
        }
    }
    endWord();
    for (const QuoteChar& qc : a.chars)
        if (qc.kind == QuoteChar::Letter) ++a.pool[static_cast<size_t>(qc.ch - 'A')];

    a.sourceLetters = LettersOf(source);
    const int32_t total = a.LetterTotal();
    if (total == 0) {
        a.warnings.push_back({QuoteWarning::Empty, "The quotation has no letters."});
    } else if (total < 150 || total > 200) {
        a.warnings.push_back({QuoteWarning::LetterCount,
                              "The quotation has " + Plural(total, "letter", "letters") + "; aim at 150 to 200."});
    }
    const LetterCounts need = CountLetters(a.sourceLetters);
    for (size_t c = 0; c < 26; ++c) {
        if (need[c] <= a.pool[c]) continue;
        const std::string letter(1, static_cast<char>('A' + c));
        a.warnings.push_back({QuoteWarning::SourceLetters,
                              "The source needs " + Plural(need[c], letter, letter + "s") + " but the quotation has " +
                                  (a.pool[c] == 0 ? std::string("none") : std::to_string(a.pool[c])) + "."});
    }
    if (a.sourceLetters.size() > 28)
        a.warnings.push_back({QuoteWarning::SourceLength, "The source has " + std::to_string(a.sourceLetters.size()) +
                                                              " letters; at most 28 make a word list that fits."});
    const int32_t q = a.pool['Q' - 'A'];
    const int32_t spareU = a.pool['U' - 'A'] - need['U' - 'A'];
    if (q > 0 && q > spareU)
        a.warnings.push_back({QuoteWarning::QWithoutU, "The quotation has " + Plural(q, "Q", "Qs") + " but only " +
                                                           std::to_string(std::max(spareU, 0)) +
                                                           " spare U to go with them."});
    return a;
}

std::string Stem(std::string_view w)
{
    std::string s(w);
    auto ends = [&](std::string_view suffix, size_t minStem) {
        return s.size() >= suffix.size() + minStem && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    auto cut = [&](size_t n) { s.resize(s.size() - n); };
    if (ends("IES", 2)) {
        cut(3);
        s += 'Y';
    } else if (ends("NESS", 3) || ends("MENT", 3) || ends("EDLY", 3) || ends("INGS", 3) || ends("LESS", 3)) {
        cut(4);
    } else if (ends("ING", 3) || ends("EST", 3) || ends("FUL", 3)) {
        cut(3);
    } else if (ends("ED", 3) || ends("ER", 3) || ends("LY", 3) || ends("ES", 3)) {
        cut(2);
    } else if (ends("S", 3) && !ends("SS", 2) && !ends("US", 2) && !ends("IS", 2)) {
        cut(1);
    }
    // Doubled final consonants (HOPP from HOPPING) and a silent E (HOPE) fold to one stem.
    if (s.size() >= 4 && s[s.size() - 1] == s[s.size() - 2] && std::string_view("AEIOULSZ").find(s.back()) == std::string_view::npos)
        s.pop_back();
    if (s.size() >= 4 && s.back() == 'E') s.pop_back();
    if (s.size() >= 4 && s.back() == 'Y') s.back() = 'I';
    return s;
}

Ledger ComputeLedger(const LetterCounts& pool, const std::vector<std::string>& answers)
{
    Ledger ledger;
    ledger.remaining = pool;
    for (const std::string& answer : answers)
        for (char ch : answer)
            if (ch >= 'A' && ch <= 'Z') --ledger.remaining[static_cast<size_t>(ch - 'A')];
    ledger.balanced = true;
    for (size_t c = 0; c < 26; ++c) {
        if (ledger.remaining[c] < 0) ledger.overUsed.push_back(static_cast<char>('A' + c));
        if (ledger.remaining[c] != 0) ledger.balanced = false;
        if (ledger.remaining[c] > 0) ledger.left += ledger.remaining[c];
    }
    return ledger;
}

}  // namespace qw::compose
