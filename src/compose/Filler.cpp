#include "compose/Filler.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <unordered_set>

namespace qw::compose {
namespace {

using Clock = std::chrono::steady_clock;
constexpr uint32_t kNone = UINT32_MAX;
// How many of the best-scored words a dive picks among, and how many words the slot before the
// exhaustive last three tries.
constexpr size_t kPickAmong = 5;
constexpr size_t kFourthTries = 16;
constexpr size_t kExhaustive = 3;

uint32_t MaskOf(const WordCounts& pool)
{
    uint32_t mask = 0;
    for (size_t c = 0; c < 26; ++c)
        if (pool[c] != 0) mask |= 1u << c;
    return mask;
}

uint64_t HashOf(const WordCounts& pool)
{
    uint64_t h = 0;
    for (size_t c = 0; c < 26; ++c) h += pool[c] * LetterHash(static_cast<char>('A' + c));
    return h;
}

int32_t SizeOf(const WordCounts& pool)
{
    int32_t n = 0;
    for (size_t c = 0; c < 26; ++c) n += pool[c];
    return n;
}

bool Fits(const Word& w, const WordCounts& pool, uint32_t poolMask)
{
    if ((w.mask & ~poolMask) != 0) return false;
    bool ok = true;
    for (size_t c = 0; c < 32; ++c) ok &= w.counts[c] <= pool[c];
    return ok;
}

void Take(WordCounts& pool, const Word& w)
{
    for (size_t c = 0; c < 32; ++c) pool[c] = static_cast<uint8_t>(pool[c] - w.counts[c]);
}

void Give(WordCounts& pool, const Word& w)
{
    for (size_t c = 0; c < 32; ++c) pool[c] = static_cast<uint8_t>(pool[c] + w.counts[c]);
}

bool SameCounts(const WordCounts& a, const WordCounts& b) { return a == b; }

class Engine {
public:
    Engine(const WordList& words, const FillRequest& request, Clock::time_point deadline)
        : words_(words), rng_(request.seed), deadline_(deadline)
    {
        // What the letters after the first of a word are made of, over the whole list: the shape
        // the remaining letters should keep so the last slots can still be filled.
        std::array<double, 26> count{};
        double total = 0;
        for (const Word& w : words.Words())
            for (size_t i = 1; i < w.letters.size(); ++i) {
                count[static_cast<size_t>(w.letters[i] - 'A')] += 1;
                total += 1;
            }
        for (size_t c = 0; c < 26; ++c) freq_[c] = total > 0 ? (count[c] + 1) / (total + 26) : 1.0 / 26;
        for (const std::string& word : request.quotationWords)
            if (const uint32_t stem = words.StemOf(word); stem != 0) banned_.insert(stem);
        // An answer can take a letter only once from each quotation word, so a word needing more
        // of a letter than there are quotation words holding it could never be numbered.
        if (!request.quotationWords.empty()) {
            spread_.fill(0);
            for (const std::string& word : request.quotationWords) {
                const LetterCounts counts = CountLetters(word);
                for (size_t c = 0; c < 26; ++c)
                    if (counts[c] > 0 && spread_[c] < 255) ++spread_[c];
            }
        }
        for (const std::string& word : request.excluded)
            if (const auto id = words.Find(LettersOf(word))) excluded_.insert(*id);
    }

    // A kept answer's stem is out of use for the open slots (0 stands for a stem no word has).
    void Keep(const std::string& answer) { used_.push_back(words_.StemOf(answer)); }

    bool Allowed(uint32_t id) const
    {
        const Word& w = words_[id];
        bool spreads = true;
        for (size_t c = 0; c < 32; ++c) spreads &= w.counts[c] <= spread_[c];
        if (!spreads || banned_.count(w.stem) != 0 || excluded_.count(id) != 0) return false;
        return std::find(used_.begin(), used_.end(), w.stem) == used_.end();
    }

    bool TimeUp() const { return Clock::now() >= deadline_; }

    // Ids of `initial`'s words whose length lies in [lo, hi].
    std::pair<const uint32_t*, const uint32_t*> Range(char initial, int32_t lo, int32_t hi) const
    {
        const auto& list = words_.ByInitial(initial);
        lo = std::max<int32_t>(lo, static_cast<int32_t>(kMinAnswer));
        hi = std::min<int32_t>(hi, static_cast<int32_t>(kMaxAnswer));
        if (lo > hi) return {nullptr, nullptr};
        auto byLength = [this](uint32_t id, int32_t n) { return static_cast<int32_t>(words_[id].letters.size()) < n; };
        const auto first = std::lower_bound(list.begin(), list.end(), lo, byLength);
        const auto last = std::lower_bound(first, list.end(), hi + 1, byLength);
        return {list.data() + (first - list.begin()), list.data() + (last - list.begin())};
    }

    // Scored words for `slot` given the open slots' initials, best first.
    std::vector<std::pair<double, uint32_t>> Candidates(const std::vector<char>& openInitials, char initial,
                                                        const WordCounts& pool) const
    {
        std::array<double, 26> rest{};
        double restTotal = 0;
        for (size_t c = 0; c < 26; ++c) rest[c] = pool[c];
        for (char ch : openInitials) rest[static_cast<size_t>(ch - 'A')] -= 1;
        for (size_t c = 0; c < 26; ++c) restTotal += rest[c];
        const double open = static_cast<double>(openInitials.size());
        // Long words are scarce, so the greedy slots take the excess over a comfortable length and
        // leave the exhaustive end about that length each.
        const double letters = restTotal + open;
        constexpr double comfy = 7.5;
        const double greedy = open - static_cast<double>(kExhaustive + 1);
        const double endEach = std::min(letters / open, comfy);
        const double target = greedy >= 1 ? std::min((letters - endEach * (open - greedy)) / greedy, 13.0) : letters / open;
        const int32_t room = static_cast<int32_t>(restTotal) + 1 - static_cast<int32_t>(kMinAnswer - 1) * static_cast<int32_t>(open - 1);
        const uint32_t mask = MaskOf(pool);
        std::vector<std::pair<double, uint32_t>> out;
        const auto [first, last] = Range(initial, 0, room);
        for (const uint32_t* p = first; p != last; ++p) {
            const Word& w = words_[*p];
            if (!Fits(w, pool, mask) || !Allowed(*p)) continue;
            const double after = restTotal - static_cast<double>(w.letters.size() - 1);
            bool short_ = false;
            double chi = 0;
            for (size_t c = 0; c < 26; ++c) {
                const double left = rest[c] - (w.counts[c] - (c == static_cast<size_t>(initial - 'A') ? 1 : 0));
                if (left < 0) short_ = true;
                const double expected = freq_[c] * after;
                const double d = left - expected;
                chi += d * d / (expected + 0.5);
            }
            // A Q left without a U to follow it strands the last slots.
            const auto left = [&](char ch) {
                const size_t c = static_cast<size_t>(ch - 'A');
                return rest[c] - (w.counts[c] - (ch == initial ? 1 : 0));
            };
            if (short_ || left('Q') > left('U')) continue;
            const double len = static_cast<double>(w.letters.size());
            // The letter balance leads; length and commonness only break near-ties. Weights tuned
            // on the replay set of tools/bench.
            const double score = 10.0 * chi / std::max(after, 1.0) + 0.1 * (len - target) * (len - target) + 0.002 * w.level;
            out.emplace_back(score, *p);
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    bool Exhaustive1(char a, const WordCounts& pool, uint32_t* out) const
    {
        const auto* list = words_.Anagrams(a, HashOf(pool));
        if (!list) return false;
        for (uint32_t id : *list)
            if (Allowed(id) && SameCounts(words_[id].counts, pool)) {
                *out = id;
                return true;
            }
        return false;
    }

    // Allowed words of `initial` with a length in [lo, hi] that fit `pool`, shortest first.
    std::vector<uint32_t> Fitting(char initial, const WordCounts& pool, int32_t lo, int32_t hi) const
    {
        std::vector<uint32_t> out;
        const uint32_t mask = MaskOf(pool);
        const auto [first, last] = Range(initial, lo, hi);
        for (const uint32_t* p = first; p != last; ++p)
            if (Fits(words_[*p], pool, mask) && Allowed(*p)) out.push_back(*p);
        return out;
    }

    // A word of `firsts` (allowed, shortest first) and one of `b` that together are `pool`.
    bool Pair(const uint32_t* first, const uint32_t* last, char a, char b, WordCounts& pool, uint32_t* out)
    {
        const int32_t size = SizeOf(pool);
        const uint32_t mask = MaskOf(pool);
        const uint64_t hash = HashOf(pool);
        for (const uint32_t* p = first; p != last; ++p) {
            const Word& w = words_[*p];
            const int32_t rest = size - static_cast<int32_t>(w.letters.size());
            if (rest > static_cast<int32_t>(kMaxAnswer)) continue;
            if (rest < static_cast<int32_t>(kMinAnswer)) break;
            // With one initial for both, each pair turns up twice: keep the one whose first is longer.
            if (a == b && rest > static_cast<int32_t>(w.letters.size())) continue;
            if (!Fits(w, pool, mask) || !Allowed(*p)) continue;
            const auto* list = words_.Anagrams(b, hash - w.hash);
            if (!list) continue;
            Take(pool, w);
            for (uint32_t id : *list) {
                if (id == *p || words_[id].stem == w.stem || !Allowed(id) || !SameCounts(words_[id].counts, pool)) continue;
                Give(pool, w);
                out[0] = *p;
                out[1] = id;
                return true;
            }
            Give(pool, w);
        }
        return false;
    }

    bool Exhaustive2(char a, char b, WordCounts& pool, uint32_t* out)
    {
        const int32_t size = SizeOf(pool);
        const auto firsts = Fitting(a, pool, size - static_cast<int32_t>(kMaxAnswer), size - static_cast<int32_t>(kMinAnswer));
        return Pair(firsts.data(), firsts.data() + firsts.size(), a, b, pool, out);
    }

    bool Exhaustive3(char a, char b, char c, WordCounts& pool, uint32_t* out)
    {
        const int32_t size = SizeOf(pool);
        constexpr auto kMin = static_cast<int32_t>(kMinAnswer), kMax = static_cast<int32_t>(kMaxAnswer);
        const auto firsts = Fitting(a, pool, size - 2 * kMax, size - 2 * kMin);
        // The second words are filtered once against the whole pool, then per first word.
        const auto seconds = Fitting(b, pool, size - kMax - kMax, size - kMin - kMin);
        size_t tick = 0;
        for (uint32_t id : firsts) {
            if ((++tick & 63) == 0 && TimeUp()) return false;
            const Word& w = words_[id];
            Take(pool, w);
            used_.push_back(w.stem);
            const bool found = Pair(seconds.data(), seconds.data() + seconds.size(), b, c, pool, out + 1);
            used_.pop_back();
            Give(pool, w);
            if (found) {
                out[0] = id;
                return true;
            }
        }
        return false;
    }

    // Fills the slots of `order` (initials in `initials`) from `pool` exactly; chosen ids in `out`.
    bool Exhaustive(const std::vector<char>& initials, WordCounts& pool, uint32_t* out)
    {
        switch (initials.size()) {
        case 0: return SizeOf(pool) == 0;
        case 1: return Exhaustive1(initials[0], pool, out);
        case 2: return Exhaustive2(initials[0], initials[1], pool, out);
        default: return Exhaustive3(initials[0], initials[1], initials[2], pool, out);
        }
    }

    // One randomised dive through the open slots (`initials`, in fill order).
    bool Dive(const std::vector<char>& initials, WordCounts pool, std::vector<uint32_t>& out, bool randomise)
    {
        const size_t n = initials.size();
        const size_t stems = used_.size();
        auto undo = [&] { used_.resize(stems); };
        size_t i = 0;
        for (; i + kExhaustive + 1 < n; ++i) {
            const std::vector<char> open(initials.begin() + static_cast<long>(i), initials.end());
            const auto candidates = Candidates(open, initials[i], pool);
            if (candidates.empty()) {
                undo();
                return false;
            }
            size_t pick = 0;
            if (randomise) {
                const size_t among = std::min(kPickAmong, candidates.size());
                // Weights fall with rank so the best word is the likeliest but not the only one.
                uint64_t total = 0;
                for (size_t k = 0; k < among; ++k) total += (among - k) * (among - k);
                uint64_t roll = rng_() % total;
                while (roll >= (among - pick) * (among - pick)) {
                    roll -= (among - pick) * (among - pick);
                    ++pick;
                }
            }
            const uint32_t id = candidates[pick].second;
            out[i] = id;
            Take(pool, words_[id]);
            used_.push_back(words_[id].stem);
        }
        const std::vector<char> last(initials.begin() + static_cast<long>(i), initials.end());
        bool found = false;
        if (last.size() <= kExhaustive) {
            found = Exhaustive(last, pool, out.data() + i);
        } else {
            const std::vector<char> tail(last.begin() + 1, last.end());
            const auto candidates = Candidates(last, last[0], pool);
            // Straight after the greedy part only the best few are worth the exhaustive search; with
            // nothing before it (a reroll) every word is tried.
            const size_t tries = i == 0 ? candidates.size() : std::min(kFourthTries, candidates.size());
            for (size_t k = 0; k < tries && !found && !TimeUp(); ++k) {
                const Word& w = words_[candidates[k].second];
                Take(pool, w);
                used_.push_back(w.stem);
                found = Exhaustive(tail, pool, out.data() + i + 1);
                used_.pop_back();
                Give(pool, w);
                if (found) out[i] = candidates[k].second;
            }
        }
        undo();
        return found;
    }

    void Release() { used_.pop_back(); }

private:
    const WordList& words_;
    std::mt19937_64 rng_;
    Clock::time_point deadline_;
    std::array<double, 26> freq_{};
    std::vector<uint32_t> used_;
    WordCounts spread_ = [] {
        WordCounts all;
        all.fill(255);
        return all;
    }();
    std::unordered_set<uint32_t> banned_;
    std::unordered_set<uint32_t> excluded_;
};

// The pool less the kept answers, or a message when they already use more than it has.
std::string RemainingPool(const FillRequest& request, size_t skip, WordCounts& pool, std::vector<size_t>& open)
{
    LetterCounts left = request.pool;
    for (size_t s = 0; s < request.answerSlots.size(); ++s) {
        const FillSlot& slot = request.answerSlots[s];
        if (s == skip || slot.answer.empty()) {
            if (s != skip) open.push_back(s);
            continue;
        }
        if (slot.answer[0] != slot.initial)
            return "The answer " + slot.answer + " does not start with " + std::string(1, slot.initial) + ".";
        for (char ch : slot.answer) {
            if (ch < 'A' || ch > 'Z') return "The answer " + slot.answer + " holds a character that is not a letter.";
            --left[static_cast<size_t>(ch - 'A')];
        }
    }
    for (size_t c = 0; c < 26; ++c) {
        if (left[c] < 0)
            return "The kept answers use more " + std::string(1, static_cast<char>('A' + c)) + "s than the quotation has.";
        if (left[c] > 255) return "The quotation is too long to fill automatically.";
        pool[c] = static_cast<uint8_t>(left[c]);
    }
    return {};
}

void KeepAnswers(Engine& engine, const FillRequest& request, size_t skip)
{
    for (size_t s = 0; s < request.answerSlots.size(); ++s)
        if (s != skip && !request.answerSlots[s].answer.empty()) engine.Keep(request.answerSlots[s].answer);
}

// Open slots, the ones with the fewest words first, so the most flexible are left to the
// exhaustive end.
std::vector<size_t> FillOrder(const WordList& words, const FillRequest& request, std::vector<size_t> open)
{
    std::stable_sort(open.begin(), open.end(), [&](size_t a, size_t b) {
        return words.ByInitial(request.answerSlots[a].initial).size() < words.ByInitial(request.answerSlots[b].initial).size();
    });
    return open;
}

std::string Seconds(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g second%s", seconds, seconds == 1 ? "" : "s");
    return text;
}

bool ValidInitials(const FillRequest& request, std::string& message)
{
    for (const FillSlot& slot : request.answerSlots)
        if (slot.initial < 'A' || slot.initial > 'Z') {
            message = "A slot has no letter to start with.";
            return false;
        }
    return true;
}

}  // namespace

FillResult AutoFill(const WordList& words, const FillRequest& request)
{
    FillResult result;
    if (!ValidInitials(request, result.message)) return result;
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(request.timeoutSeconds));
    WordCounts pool{};
    std::vector<size_t> open;
    result.message = RemainingPool(request, SIZE_MAX, pool, open);
    if (!result.message.empty()) return result;
    for (const FillSlot& slot : request.answerSlots) result.answers.push_back(slot.answer);
    if (open.empty()) {
        result.filled = SizeOf(pool) == 0;
        if (!result.filled) result.message = "Every slot is filled but letters are left over.";
        return result;
    }
    if (SizeOf(pool) < static_cast<int32_t>(open.size() * kMinAnswer)) {
        result.message = "Too few letters are left for the open slots.";
        return result;
    }
    Engine engine(words, request, deadline);
    KeepAnswers(engine, request, SIZE_MAX);
    const std::vector<size_t> order = FillOrder(words, request, open);
    std::vector<char> initials;
    for (size_t s : order) initials.push_back(request.answerSlots[s].initial);
    std::vector<uint32_t> ids(order.size(), kNone);
    do {
        ++result.dives;
        if (engine.Dive(initials, pool, ids, result.dives > 1)) {
            for (size_t k = 0; k < order.size(); ++k) result.answers[order[k]] = words[ids[k]].letters;
            result.filled = true;
            return result;
        }
        // With four or fewer open slots the one dive was exhaustive.
    } while (order.size() > kExhaustive + 1 && !engine.TimeUp());
    result.message = order.size() > kExhaustive + 1 || engine.TimeUp()
                         ? "No fill was found within " + Seconds(request.timeoutSeconds) +
                               ". Try another seed, unlock or change an answer, or edit the quotation."
                         : "No words fit the letters left for the open slots.";
    return result;
}

std::vector<Suggestion> Suggest(const WordList& words, const FillRequest& request, size_t slot, size_t maxCount,
                                double budgetSeconds)
{
    std::vector<Suggestion> out;
    if (slot >= request.answerSlots.size()) return out;
    std::string message;
    if (!ValidInitials(request, message)) return out;
    const auto start = Clock::now();
    const auto budget = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(budgetSeconds));
    WordCounts pool{};
    std::vector<size_t> open;
    if (!RemainingPool(request, slot, pool, open).empty()) return out;
    Engine engine(words, request, start + budget);
    KeepAnswers(engine, request, slot);
    const char initial = request.answerSlots[slot].initial;
    std::vector<char> others;
    for (size_t s : FillOrder(words, request, open)) others.push_back(request.answerSlots[s].initial);

    // Most common first; among equals the longer word, which leaves the others less to do.
    std::vector<char> all = others;
    all.insert(all.begin(), initial);
    auto candidates = engine.Candidates(all, initial, pool);
    std::stable_sort(candidates.begin(), candidates.end(), [&](const auto& a, const auto& b) {
        const Word& x = words[a.second];
        const Word& y = words[b.second];
        if (x.level != y.level) return x.level < y.level;
        return x.letters.size() > y.letters.size();
    });
    std::vector<uint32_t> ids(others.size() + 1, kNone);
    for (const auto& [score, id] : candidates) {
        if (out.size() >= maxCount || engine.TimeUp()) break;
        const Word& w = words[id];
        if (others.empty() && SizeOf(pool) != static_cast<int32_t>(w.letters.size())) continue;
        WordCounts rest = pool;
        Take(rest, w);
        engine.Keep(w.letters);
        bool ok = false;
        if (others.size() <= kExhaustive) {
            ok = engine.Exhaustive(others, rest, ids.data());
        } else {
            // A quick fill: a few dives, the first straight down the best-scored words.
            for (int dive = 0; dive < 4 && !ok && !engine.TimeUp(); ++dive) ok = engine.Dive(others, rest, ids, dive > 0);
        }
        engine.Release();
        if (ok) out.push_back({w.letters, w.level});
    }
    return out;
}

FillResult Reroll(const WordList& words, const FillRequest& request, size_t slot, const std::vector<bool>& kept)
{
    FillResult result;
    if (slot >= request.answerSlots.size()) {
        result.message = "There is no such slot.";
        return result;
    }
    const std::string old = request.answerSlots[slot].answer;
    std::vector<size_t> partners;
    for (size_t s = 0; s < request.answerSlots.size(); ++s)
        if (s != slot && !request.answerSlots[s].answer.empty() && !(s < kept.size() && kept[s])) partners.push_back(s);
    std::mt19937_64 rng(request.seed);
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(request.timeoutSeconds));
    // Free as few other answers as will do: none, then one, two and three at random.
    for (size_t freed = 0; freed <= std::min<size_t>(3, partners.size()); ++freed) {
        for (int attempt = 0; attempt < (freed == 0 ? 1 : 8); ++attempt) {
            if (Clock::now() >= deadline) break;
            FillRequest r = request;
            if (!old.empty()) r.excluded.push_back(old);
            r.answerSlots[slot].answer.clear();
            std::vector<size_t> pool = partners;
            for (size_t k = 0; k < freed; ++k) {
                const size_t j = k + rng() % (pool.size() - k);
                std::swap(pool[k], pool[j]);
                r.answerSlots[pool[k]].answer.clear();
            }
            r.seed = rng();
            r.timeoutSeconds = std::max(0.0, std::min(0.25, std::chrono::duration<double>(deadline - Clock::now()).count()));
            FillResult attemptResult = AutoFill(words, r);
            if (attemptResult.filled) return attemptResult;
        }
    }
    result.message = "No other word fits this slot.";
    return result;
}

}  // namespace qw::compose
