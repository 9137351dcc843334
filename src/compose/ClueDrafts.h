#pragma once
// Clue drafts from WordNet's definitions (Debian package wordnet-base), and the check that a
// clue does not give its answer away.

#include <string>
#include <vector>

namespace qw::compose {

class Definitions {
public:
    explicit Definitions(std::string wordnetDir = "/usr/share/wordnet");
    bool Available() const { return available_; }
    // The definitions of a word or phrase (lower case, spaces allowed), most common sense first;
    // plural and inflected forms fall back to their base word.
    std::vector<std::string> Of(const std::string& text) const;

private:
    std::vector<std::string> Lookup(const std::string& lemma) const;
    std::string dir_;
    bool available_ = false;
};

// Whether `clue` holds the answer, or a word sharing its stem.
bool ClueGivesAway(const std::string& clue, const std::string& answerLetters);

// The first definition that does not give the answer away, with a capital letter; empty when
// WordNet has none.
std::string DraftClue(const Definitions& definitions, const std::string& answerText);

}  // namespace qw::compose
