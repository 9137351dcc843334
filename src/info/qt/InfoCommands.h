#pragma once
// Help-menu commands that reach outside the program: mail to the puzzle's author and the home page.
// The congratulations dialog's e-mail button runs the same mail command.

#include <QString>

#include "puzzle/Puzzle.h"

namespace qw {

class Shell;

// Nothing when the puzzle has no author address. `windowCaption` is the subject when the header
// has no sections.
void EmailPuzzleAuthor(Shell& shell, const Puzzle& puzzle, const QString& windowCaption);

// "&Update && Additional Puzzles" and the about box's link.
void OpenHomePage(Shell& shell);

}  // namespace qw
