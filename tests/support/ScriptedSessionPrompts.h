#pragma once
// The session's questions for core tests: each call is recorded as "Kind: text", and answers come
// from a queue; with nothing queued a question takes its "cancel" way out (No, Cancel, no file).

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "solve/SessionPrompts.h"

namespace qw {

class ScriptedSessionPrompts : public SessionPrompts {
public:
    std::vector<std::string> calls;
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> files;

    void Notice(const std::string& text) override { calls.push_back("Notice: " + text); }
    void Warning(const std::string& text) override { calls.push_back("Warning: " + text); }
    void Error(const std::string& text) override { calls.push_back("Error: " + text); }
    bool ConfirmYesNo(const std::string& text) override { return Ask("ConfirmYesNo: " + text) == Answer::Yes; }
    bool CautionYesNo(const std::string& text) override { return Ask("CautionYesNo: " + text) == Answer::Yes; }
    Answer ConfirmYesNoCancel(const std::string& text) override { return Ask("ConfirmYesNoCancel: " + text); }
    std::optional<std::string> OpenFile(const std::string& startDir, const std::string& preset) override
    {
        calls.push_back("OpenFile: " + startDir + " | " + preset);
        if (files.empty()) return std::nullopt;
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }

private:
    Answer Ask(const std::string& call)
    {
        calls.push_back(call);
        if (answers.empty()) return Answer::Cancel;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace qw
