#pragma once
// The three settings that shape a printed puzzle, as the printer options dialog holds them.

#include "puzzle/FontDescription.h"

namespace qw {

struct PrinterOptions {
    FontSpec clueFont{"Arial", 10, 0};
    FontSpec answerNumberFont{"Arial", 10, 0};
    bool spacesGray = false;
    bool operator==(const PrinterOptions&) const = default;
};

}  // namespace qw
