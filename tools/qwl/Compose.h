#pragma once
// `qwl compose`: fill, number and write a complete acrostic from a quotation file.

#include <string>
#include <vector>

namespace qw {

// Arguments after "compose". Returns the exit status; messages go to stderr, the JSON summary to
// stdout.
int ComposeCommand(const std::vector<std::string>& args);

}  // namespace qw
