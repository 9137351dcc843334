#pragma once
// The two painted panes as a screen reader sees them: the diagram as a table of squares, the word
// list as a list of clues whose children are the answer's letters. The names come from the core
// (view/SpokenNames.h); these classes only adapt them to Qt's accessibility interfaces.

#include <QAccessible>
#include <cstdint>
#include <vector>

#include "view/Highlight.h"

namespace qw {

class PuzzleScreen;

// Installs the factory that gives the panes their interfaces; once per process.
void InstallPaneAccessibility();

// Tells the assistive technology, if one listens, that the cursor is on `letter` of `screen`'s
// puzzle (focus in the active pane, when `moved`), that the entries of `changed` are new (their
// names change in both panes), and which names the highlight renamed since `highlightBefore`.
void AnnounceCursor(PuzzleScreen& screen, int32_t letter, bool moved, const std::vector<int32_t>& changed,
                    const HighlightSet& highlightBefore);

}  // namespace qw
