#pragma once
// A shell that keeps the URLs it is asked to open instead of opening them.

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace qw {

class RecordingShell : public Shell {
public:
    void OpenUrl(const std::string& url) override { urls.push_back(url); }
    std::vector<std::string> urls;
};

}  // namespace qw
