#pragma once
// The questions the session asks the solver, in standard C++ and UTF-8. The window answers them
// through its Prompts (the same boxes, captions and buttons); tests answer them from a script.

#include <optional>
#include <string>

namespace qw {

enum class Answer { Yes, No, Cancel };

class SessionPrompts {
public:
    virtual ~SessionPrompts() = default;
    virtual void Notice(const std::string& text) = 0;
    virtual void Warning(const std::string& text) = 0;
    virtual void Error(const std::string& text) = 0;
    virtual bool ConfirmYesNo(const std::string& text) = 0;
    // No is the default.
    virtual bool CautionYesNo(const std::string& text) = 0;
    virtual Answer ConfirmYesNoCancel(const std::string& text) = 0;
    // The Open dialog.
    virtual std::optional<std::string> OpenFile(const std::string& startDir, const std::string& preset) = 0;
};

}  // namespace qw
