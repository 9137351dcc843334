#pragma once
// Filling the answer slots from the word list so that the answers use the quotation's letters
// exactly: the auto-fill around kept answers, the suggestions for one slot, and the reroll.
//
// A fill dives through the open slots, rarest initial first, taking for each a word that leaves
// the remaining letters most like what words are made of; the last four slots are searched
// exhaustively (the last three through the anagram index), and a failed dive starts again from a
// new random choice. The same seed gives the same fill.

#include <cstdint>
#include <string>
#include <vector>

#include "compose/ComposeText.h"
#include "compose/WordList.h"

namespace qw::compose {

struct FillSlot {
    char initial = 'A';
    std::string answer;  // A..Z; empty when open
};

struct FillRequest {
    LetterCounts pool{};
    std::vector<FillSlot> answerSlots;                 // a slot holding an answer keeps it
    std::vector<std::string> quotationWords;     // never answers, nor words sharing their stems
    std::vector<std::string> excluded;           // words the constructor turned down
    uint64_t seed = 1;
    double timeoutSeconds = 10;
};

struct FillResult {
    bool filled = false;
    std::vector<std::string> answers;  // one per slot, kept answers unchanged
    std::string message;               // why there is no fill
    int dives = 0;
};

FillResult AutoFill(const WordList& words, const FillRequest& request);

struct Suggestion {
    std::string word;  // letters
    uint8_t level = 0;
};

// Words for `slot` (treated as open) that start with its letter, fit the letters the other answers
// leave, and after which the other open slots can still be filled; most common first. Stops at
// `maxCount` words or when `budgetSeconds` are spent.
std::vector<Suggestion> Suggest(const WordList& words, const FillRequest& request, size_t slot, size_t maxCount = 12,
                                double budgetSeconds = 0.08);

// Another word for `slot`, never its current one: the slot and a few other slots that are
// neither kept (`kept[i]`) nor open are refilled, the rest stay. `filled` is false when no other
// word fits.
FillResult Reroll(const WordList& words, const FillRequest& request, size_t slot, const std::vector<bool>& kept);

}  // namespace qw::compose
