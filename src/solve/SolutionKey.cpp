#include "solve/SolutionKey.h"

namespace qw {

std::string InitialKeyText(const Puzzle& puzzle, bool constructorMode)
{
    return constructorMode ? puzzle.KeyNumber : std::string();
}

bool AcceptKey(Puzzle& puzzle, const std::string& typed)
{
    if (typed == puzzle.KeyNumber) {
        puzzle.SolutionScrambled = 0;
        puzzle.Modified = true;
        return true;
    }
    puzzle.SolutionScrambled = 1;
    return false;
}

KeyOutcome ApplyKeyNumber(Puzzle& puzzle, const std::string& typed)
{
    KeyOutcome outcome;
    outcome.accepted = AcceptKey(puzzle, typed);
    if (outcome.accepted && puzzle.IsSolved()) {
        outcome.congratulate = true;
        outcome.solved = true;
    }
    return outcome;
}

std::string FilterKeyDigits(const std::string& text)
{
    std::string digits;
    for (char ch : text)
        if (ch >= '0' && ch <= '9') digits += ch;
    return digits;
}

}  // namespace qw
