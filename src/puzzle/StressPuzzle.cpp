#include "puzzle/StressPuzzle.h"

#include <algorithm>
#include <random>
#include <stdexcept>

namespace qw {
namespace {

// std::mt19937 is fully specified; the standard distributions are not, so they are avoided.
class Dice {
public:
    explicit Dice(unsigned seed) : Engine(seed) {}
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Engine() % n); }
    bool OneIn(uint32_t n) { return Below(n) == 0; }

private:
    std::mt19937 Engine;
};

constexpr char kAccented = static_cast<char>(0xC9);  // E with acute accent

std::string Word(Dice& dice, size_t length, bool upper)
{
    std::string word;
    for (size_t i = 0; i < length; ++i) word += static_cast<char>((upper ? 'A' : 'a') + dice.Below(26));
    return word;
}

}  // namespace

Puzzle MakeStressPuzzle(unsigned seed)
{
    Dice dice(seed);
    const std::string punctuation = ",.;'-!";

    // The quotation as one stream of squares: letters, black squares between words and now and
    // then a punctuation mark as a fixed square.
    std::string stream;
    int32_t letters = 0;
    while (letters < kStressLetters) {
        const int32_t length = std::min<int32_t>(2 + static_cast<int32_t>(dice.Below(8)), kStressLetters - letters);
        for (int32_t i = 0; i < length; ++i)
            stream += dice.OneIn(200) ? kAccented : static_cast<char>('A' + dice.Below(26));
        letters += length;
        if (dice.OneIn(8)) stream += punctuation[dice.Below(static_cast<uint32_t>(punctuation.size()))];
        stream += ' ';
    }
    const size_t rows = (stream.size() + kStressColumns - 1) / kStressColumns;
    stream.resize(rows * kStressColumns, ' ');
    std::vector<std::string> rowStrings;
    for (size_t r = 0; r < rows; ++r) rowStrings.push_back(stream.substr(r * kStressColumns, kStressColumns));

    std::vector<int32_t> order(static_cast<size_t>(kStressLetters));
    for (int32_t i = 0; i < kStressLetters; ++i) order[static_cast<size_t>(i)] = i + 1;
    for (size_t i = order.size() - 1; i > 0; --i) std::swap(order[i], order[dice.Below(static_cast<uint32_t>(i + 1))]);

    std::vector<ClueInput> clues(static_cast<size_t>(kStressClues));
    const int32_t base = kStressLetters / kStressClues;
    const int32_t longer = kStressLetters % kStressClues;  // this many answers get one more letter
    size_t next = 0;
    for (int32_t k = 0; k < kStressClues; ++k) {
        ClueInput& clue = clues[static_cast<size_t>(k)];
        clue.Text = "Stress clue ";
        clue.Text += std::to_string(k + 1);
        clue.Text += ':';
        const uint32_t words = 2 + dice.Below(10);
        for (uint32_t w = 0; w < words; ++w) {
            clue.Text += ' ';
            clue.Text += Word(dice, 3 + dice.Below(7), false);
        }
        const int32_t length = base + (k < longer ? 1 : 0);
        for (int32_t j = 0; j < length; ++j) clue.Answer.push_back(order[next++]);
    }

    Puzzle p;
    p.MaskSeed = static_cast<uint8_t>(dice.Below(256));
    if (!p.BuildPuzzle(static_cast<int32_t>(rows), kStressColumns, punctuation, rowStrings, clues))
        throw std::logic_error("stress puzzle rows have the wrong length");

    // Some progress: about a third right, a few wrong.
    for (int32_t i = 1; i <= p.LetterCount; ++i) {
        LetterEntry& e = p.Letters[static_cast<size_t>(i)];
        const uint32_t roll = dice.Below(100);
        if (roll < 30)
            e.Entered = e.Solution;
        else if (roll < 33)
            e.Entered = e.Solution == 'Q' ? 'X' : 'Q';
    }

    p.KeyNumber = "4711";
    p.SolutionScrambled = 1;
    p.HeaderStrings[0] = "Stress Acrostic No. " + std::to_string(seed);
    p.HeaderStrings[1] = "Made for measuring";
    p.HeaderStrings[2] = "Quotewell test suite";
    p.ExtraLetters = std::string(1, kAccented);
    p.AuthorAddress = "stress@example.org";
    p.MoreInfo.Caption = "About this puzzle";
    p.MoreInfo.FontName = "Arial";
    p.MoreInfo.FontHeight = -13;
    for (int i = 0; i < 20; ++i) p.MoreInfo.Lines.push_back(Word(dice, 60, false));
    p.SolverInfo.Caption = "For solvers";
    p.SolverInfo.FontName = "Times New Roman";
    p.SolverInfo.FontHeight = -15;
    p.SolverInfo.Bold = true;
    for (int i = 0; i < 10; ++i) {
        p.SolverInfo.Text += Word(dice, 70, false);
        p.SolverInfo.Text += "\r\n";
    }
    p.TypingAlphabet = p.ComputeTypingAlphabet();
    p.Modified = false;
    return p;
}

}  // namespace qw
