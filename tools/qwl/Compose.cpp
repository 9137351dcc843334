#include "Compose.h"

#include <chrono>
#include <iostream>

#include <nlohmann/json.hpp>

#include "compose/ClueDrafts.h"
#include "compose/Composition.h"
#include "compose/Filler.h"
#include "compose/WordList.h"
#include "puzzle/FileAccess.h"

namespace qw {
namespace {

using namespace compose;
using Clock = std::chrono::steady_clock;

int ComposeUsage()
{
    std::cerr << "usage: qwl compose --quote-file Q.txt --source \"AUTHOR WORK\" [--width N] [--seed N] "
                 "[--lock WORD]... [--timeout S] --out OUT.(QWL|jpz|ipuz)\n";
    return 2;
}

bool ParseNumber(const std::string& text, double low, double high, double& out)
{
    try {
        size_t used = 0;
        out = std::stod(text, &used);
        return used == text.size() && out >= low && out <= high;
    } catch (const std::exception&) {
        return false;
    }
}

bool ParseSeed(const std::string& text, uint64_t& out)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
    try {
        out = std::stoull(text);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

long Millis(Clock::duration d) { return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count()); }

}  // namespace

int ComposeCommand(const std::vector<std::string>& args)
{
    std::string quoteFile, source, out;
    bool haveSource = false;
    double width = 27, timeout = 10;
    uint64_t seed = 1;
    std::vector<std::string> locks;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) return ComposeUsage();
        const std::string& v = args[++i];
        if (a == "--quote-file") quoteFile = v;
        else if (a == "--source") source = v, haveSource = true;
        else if (a == "--out") out = v;
        else if (a == "--lock") locks.push_back(v);
        else if (a == "--width") { if (!ParseNumber(v, 1, 256, width) || width != static_cast<int>(width)) return ComposeUsage(); }
        else if (a == "--seed") { if (!ParseSeed(v, seed)) return ComposeUsage(); }
        else if (a == "--timeout") { if (!ParseNumber(v, 0, 86400, timeout)) return ComposeUsage(); }
        else return ComposeUsage();
    }
    if (quoteFile.empty() || !haveSource || out.empty()) return ComposeUsage();

    const auto text = ReadRegularFile(quoteFile, 1u << 20);
    if (!text) {
        std::cerr << "qwl: cannot read the quotation file " << quoteFile << "\n";
        return 1;
    }
    const QuoteAnalysis quote = AnalyzeQuote(*text, source);
    if (!quote.Composable()) {
        std::cerr << "qwl: " << quote.FirstBlockingMessage() << "\n";
        return 1;
    }
    for (const QuoteWarning& w : quote.warnings) std::cerr << "qwl: warning: " << w.message << "\n";

    Composition c;
    c.quotation = *text;
    c.source = source;
    c.width = static_cast<int32_t>(width);
    c.seed = seed;
    FillRequest request;
    request.pool = quote.pool;
    request.quotationWords = quote.words;
    request.seed = c.seed;
    request.timeoutSeconds = timeout;
    for (char initial : quote.sourceLetters) request.answerSlots.push_back({initial, {}});
    for (const std::string& lock : locks) {
        const std::string letters = LettersOf(lock);
        bool placed = false;
        for (FillSlot& slot : request.answerSlots)
            if (!letters.empty() && slot.answer.empty() && slot.initial == letters[0]) {
                slot.answer = letters;
                placed = true;
                break;
            }
        if (!placed) {
            std::cerr << "qwl: no free slot starts with the letter of " << lock << "\n";
            return 1;
        }
    }

    WordList words;
    try {
        words = WordList::Load(WordListOptions{});
    } catch (const WordListMissing& e) {
        std::cerr << "qwl: " << e.what() << "\n";
        return 1;
    }
    const auto fillStart = Clock::now();
    const FillResult fill = AutoFill(words, request);
    const long fillMs = Millis(Clock::now() - fillStart);
    if (!fill.filled) {
        std::cerr << "qwl: " << fill.message << "\n";
        return 1;
    }

    const DiagramLayout layout = LayOutDiagram(quote, c.width);
    const auto numberStart = Clock::now();
    const Numbering numbering = NumberAnswers(layout, fill.answers, c.seed);
    const long numberMs = Millis(Clock::now() - numberStart);
    for (const NumberingProblem& p : numbering.problems) std::cerr << "qwl: warning: " << p.message << "\n";

    const Definitions definitions;
    for (const std::string& answer : fill.answers) {
        ComposeAnswer a;
        a.word = answer;
        if (const auto id = words.Find(answer)) a.word = words[*id].text;
        a.clue = DraftClue(definitions, a.word);
        c.answers.push_back(a);
    }
    Puzzle puzzle = BuildComposedPuzzle(c, layout, numbering);
    WriteComposedPuzzle(puzzle, out);

    nlohmann::ordered_json j;
    j["answers"] = fill.answers;
    j["fill_ms"] = fillMs;
    j["number_ms"] = numberMs;
    j["collisions"] = numbering.collisions;
    std::cout << j.dump() << "\n";
    return 0;
}

}  // namespace qw
