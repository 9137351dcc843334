#pragma once
// The platform's "open" verb for mailto: addresses and web pages.

#include <string>
#include <vector>

namespace qw {

class Shell {
public:
    virtual ~Shell() = default;
    virtual void OpenUrl(const std::string& url) = 0;
};

class DesktopShell : public Shell {
public:
    void OpenUrl(const std::string& url) override;
};

// Keeps the URLs instead of opening them (tests, headless runs).
class RecordingShell : public Shell {
public:
    void OpenUrl(const std::string& url) override { urls.push_back(url); }
    std::vector<std::string> urls;
};

}  // namespace qw
