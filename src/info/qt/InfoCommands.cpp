#include "info/qt/InfoCommands.h"

#include "info/Mail.h"
#include "platform/QtConvert.h"
#include "platform/Shell.h"

namespace qw {

void EmailPuzzleAuthor(Shell& shell, const Puzzle& puzzle, const QString& windowCaption)
{
    if (puzzle.AuthorAddress.empty()) return;
    shell.OpenUrl(AuthorMailUrl(puzzle.AuthorAddress, HeaderSections(puzzle.HeaderStrings), ToAnsi(windowCaption)));
}

void OpenHomePage(Shell& shell) { shell.OpenUrl(kHomePageUrl); }

}  // namespace qw
