#include "compose/Numbering.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <array>
#include <climits>
#include <cstdlib>
#include <random>

namespace qw::compose {

DiagramLayout LayOutDiagram(const QuoteAnalysis& quote, int32_t width)
{
    DiagramLayout out;
    out.width = std::max<int32_t>(width, 1);
    std::string row;
    int32_t word = 0;
    std::string current;
    auto flush = [&] {
        if (static_cast<int32_t>(row.size()) == out.width) {
            out.rows.push_back(row);
            row.clear();
        }
    };
    for (const QuoteChar& qc : quote.chars) {
        if (qc.kind == QuoteChar::Gap) {
            out.words.push_back(current);
            current.clear();
            ++word;
            if (!row.empty()) {
                row += ' ';
                flush();
            }
            continue;
        }
        if (qc.kind == QuoteChar::Letter) {
            out.squares.push_back({qc.ch, static_cast<int32_t>(out.rows.size()), static_cast<int32_t>(row.size()), word});
            current += qc.ch;
        } else if (out.fixedChars.find(qc.ch) == std::string::npos) {
            out.fixedChars += qc.ch;
        }
        row += qc.ch;
        flush();
    }
    out.words.push_back(current);
    if (!row.empty()) out.rows.push_back(row + std::string(static_cast<size_t>(out.width) - row.size(), ' '));
    return out;
}

namespace {

// Answers' word tallies and the swaps that improve them. Two letters of one answer in one word
// cost a great deal, in neighbouring words a little.
class Search {
public:
    Search(const DiagramLayout& layout, const std::vector<std::string>& answers, uint64_t seed)
        : layout_(layout), answers_(answers), rng_(seed), words_(static_cast<int32_t>(layout.words.size()))
    {
        tally_.assign(answers.size(), std::vector<int16_t>(static_cast<size_t>(words_) + 2, 0));
        std::array<std::vector<int32_t>, 26> squaresOf;
        for (size_t i = 0; i < layout.squares.size(); ++i)
            squaresOf[static_cast<size_t>(layout.squares[i].letter - 'A')].push_back(static_cast<int32_t>(i));
        for (auto& list : squaresOf) std::shuffle(list.begin(), list.end(), rng_);
        assigned_.resize(answers.size());
        for (size_t a = 0; a < answers.size(); ++a) {
            assigned_[a].resize(answers[a].size());
            for (size_t j = 0; j < answers[a].size(); ++j) {
                auto& list = squaresOf[static_cast<size_t>(answers[a][j] - 'A')];
                assigned_[a][j] = list.back();
                list.pop_back();
                byLetter_[static_cast<size_t>(answers[a][j] - 'A')].push_back({a, j});
                Add(a, WordOf(assigned_[a][j]), 1);
            }
        }
    }

    void Run(int iterations)
    {
        for (int it = 0; it < iterations; ++it) {
            std::vector<std::pair<size_t, size_t>> bad;
            for (size_t a = 0; a < answers_.size(); ++a)
                for (size_t j = 0; j < assigned_[a].size(); ++j)
                    if (Tally(a, WordOf(assigned_[a][j])) > 1) bad.push_back({a, j});
            const bool polishing = bad.empty();
            if (polishing) {
                // Collisions gone: spend a little on spreading, then stop.
                if (++polish_ > 2000) return;
                const size_t a = rng_() % answers_.size();
                if (answers_[a].empty()) continue;
                bad.push_back({a, rng_() % answers_[a].size()});
            }
            const auto [a, j] = bad[rng_() % bad.size()];
            const auto& peers = byLetter_[static_cast<size_t>(answers_[a][j] - 'A')];
            long best = LONG_MAX;
            std::vector<std::pair<size_t, size_t>> bestMoves;
            for (const auto& [b, k] : peers) {
                if (b == a) continue;
                const long d = SwapDelta(a, j, b, k);
                if (d < best) {
                    best = d;
                    bestMoves.clear();
                }
                if (d == best) bestMoves.push_back({b, k});
            }
            if (bestMoves.empty()) continue;
            if (best > 0 && (polishing || rng_() % 10 != 0)) continue;
            const auto [b, k] = bestMoves[rng_() % bestMoves.size()];
            Swap(a, j, b, k);
        }
    }

    bool Collides(size_t a) const
    {
        for (int32_t square : assigned_[a])
            if (Tally(a, WordOf(square)) > 1) return true;
        return false;
    }

    std::string CollidingWord(size_t a) const
    {
        for (int32_t square : assigned_[a])
            if (Tally(a, WordOf(square)) > 1) return layout_.words[static_cast<size_t>(WordOf(square))];
        return {};
    }

    std::vector<std::vector<int32_t>> Squares() const
    {
        std::vector<std::vector<int32_t>> out = assigned_;
        for (auto& list : out)
            for (int32_t& s : list) ++s;
        return out;
    }

private:
    int32_t WordOf(int32_t square) const { return layout_.squares[static_cast<size_t>(square)].word; }
    int16_t Tally(size_t a, int32_t w) const { return tally_[a][static_cast<size_t>(w) + 1]; }
    void Add(size_t a, int32_t w, int16_t n) { tally_[a][static_cast<size_t>(w) + 1] = static_cast<int16_t>(tally_[a][static_cast<size_t>(w) + 1] + n); }

    // Cost change for answer `a` when one of its letters moves from word `from` to word `to`.
    long MoveDelta(size_t a, int32_t from, int32_t to) const
    {
        if (from == to) return 0;
        const auto& t = tally_[a];
        auto at = [&](int32_t w) -> long { return t[static_cast<size_t>(w) + 1] - (w == from ? 1 : 0); };
        long d = 0;
        d -= 1000L * (t[static_cast<size_t>(from) + 1] - 1);
        d += 1000L * at(to);
        d -= (from > 0 ? t[static_cast<size_t>(from)] : 0) + (from + 1 < words_ ? t[static_cast<size_t>(from) + 2] : 0);
        d += (to > 0 ? at(to - 1) : 0) + (to + 1 < words_ ? at(to + 1) : 0);
        return d;
    }

    long SwapDelta(size_t a, size_t j, size_t b, size_t k) const
    {
        const int32_t wa = WordOf(assigned_[a][j]);
        const int32_t wb = WordOf(assigned_[b][k]);
        return MoveDelta(a, wa, wb) + MoveDelta(b, wb, wa);
    }

    void Swap(size_t a, size_t j, size_t b, size_t k)
    {
        const int32_t wa = WordOf(assigned_[a][j]);
        const int32_t wb = WordOf(assigned_[b][k]);
        Add(a, wa, -1);
        Add(a, wb, 1);
        Add(b, wb, -1);
        Add(b, wa, 1);
        std::swap(assigned_[a][j], assigned_[b][k]);
    }

    const DiagramLayout& layout_;
    const std::vector<std::string>& answers_;
    std::mt19937_64 rng_;
    int32_t words_;
    int polish_ = 0;
    std::vector<std::vector<int16_t>> tally_;
    std::vector<std::vector<int32_t>> assigned_;
    std::array<std::vector<std::pair<size_t, size_t>>, 26> byLetter_;
};

std::string Why(const DiagramLayout& layout, const std::string& answer, const std::string& word)
{
    const size_t words = layout.words.size();
    if (answer.size() > words)
        return answer + " has " + std::to_string(answer.size()) + " letters but the quotation has only " +
               std::to_string(words) + " words.";
    const LetterCounts need = CountLetters(answer);
    for (size_t c = 0; c < 26; ++c) {
        if (need[c] < 2) continue;
        size_t holding = 0;
        for (const std::string& w : layout.words)
            if (w.find(static_cast<char>('A' + c)) != std::string::npos) ++holding;
        if (static_cast<size_t>(need[c]) > holding) {
            const std::string letter(1, static_cast<char>('A' + c));
            // Letter names that start with a vowel sound take "an".
            const std::string article = std::string("AEFHILMNORSX").find(letter[0]) != std::string::npos ? "an " : "a ";
            return answer + " needs " + std::to_string(need[c]) + " " + letter + "s but only " + std::to_string(holding) +
                   (holding == 1 ? " word of the quotation holds " : " words of the quotation hold ") + article + letter + ".";
        }
    }
    return answer + " takes two letters from the quotation word " + word +
           ": no arrangement of the squares keeps them apart.";
}

}  // namespace

Numbering NumberAnswers(const DiagramLayout& layout, const std::vector<std::string>& answers, uint64_t seed)
{
    Numbering out;
    std::string letters;
    for (const LaidSquare& s : layout.squares) letters += s.letter;
    for (const std::string& a : answers)
        if (a.empty() || a.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string::npos) {
            out.message = "Every answer must be filled with letters before the squares are numbered.";
            return out;
        }
    const Ledger ledger = ComputeLedger(CountLetters(letters), answers);
    if (!ledger.balanced) {
        LetterCounts left{}, over{};
        for (size_t c = 0; c < 26; ++c) (ledger.remaining[c] > 0 ? left : over)[c] = std::abs(ledger.remaining[c]);
        out.message = "The answers do not use the quotation's letters exactly";
        if (Total(left) > 0) out.message += "; left over: " + DescribeCounts(left);
        if (Total(over) > 0) out.message += "; used too often: " + DescribeCounts(over);
        out.message += ".";
        return out;
    }
    // A search that sticks starts again from another shuffle, while time allows; the best one
    // found stays.
    const auto start = std::chrono::steady_clock::now();
    std::optional<Search> best;
    int bestCollisions = INT_MAX;
    for (uint64_t attempt = 0; attempt < 16; ++attempt) {
        Search search(layout, answers, seed + attempt * 0x9E3779B97F4A7C15ULL);
        search.Run(30000);
        int collisions = 0;
        for (size_t a = 0; a < answers.size(); ++a) collisions += search.Collides(a) ? 1 : 0;
        if (collisions < bestCollisions) {
            bestCollisions = collisions;
            best.emplace(std::move(search));
        }
        if (bestCollisions == 0 || std::chrono::steady_clock::now() - start > std::chrono::milliseconds(30)) break;
    }
    const Search& search = *best;
    out.complete = true;
    out.squares = search.Squares();
    for (size_t a = 0; a < answers.size(); ++a) {
        if (!search.Collides(a)) continue;
        ++out.collisions;
        out.problems.push_back({a, Why(layout, answers[a], search.CollidingWord(a))});
    }
    return out;
}

}  // namespace qw::compose
