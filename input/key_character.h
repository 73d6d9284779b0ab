#pragma once

#include <QKeyEvent>
#include <optional>

namespace rivo {

// The character code a key press types into a text box, as the grid's input
// filter sees it: Backspace is 8 and Enter 13; otherwise the first UTF-16
// unit of the text a box would insert. Keys that type nothing (Tab, Delete,
// arrows) and shortcuts (Ctrl+V, Ctrl+Z) have none.
std::optional<int> typedCharacter(const QKeyEvent& event);

} // namespace rivo
