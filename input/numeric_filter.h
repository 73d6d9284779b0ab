#pragma once

#include "shared_state.h"

#include <string>

namespace rivo {

// Whether the driver grid lets a typed character through: one of the
// AllowedKeys (digits, backspace, the point), and the point only while the
// box's text, taken before the character is applied, holds none.
bool AcceptNumericKey(const AllowedKeysTable& AllowedKeys, int KeyAscii,
                      const std::string& currentText);

// Whether typing into an empty box could have produced `text`: every
// character one that AcceptNumericKey lets through (so the point only once),
// and none a backspace, which deletes rather than adds.
bool TypableNumber(const AllowedKeysTable& AllowedKeys, const std::string& text);

} // namespace rivo
