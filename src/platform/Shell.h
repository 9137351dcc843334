#pragma once
// The platform's "open" verb for mailto: addresses and web pages.

#include <string>

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

}  // namespace qw
