#pragma once

#include <array>
#include <string>

namespace rivo {

// What the window holds that has not been saved to the game, kept apart for
// settings and driver values: saving one must not make the other look saved.
struct UnsavedWork {
    bool settings = false; // a change on the Config page
    bool drivers = false;  // an edit in the driver grid

    bool any() const { return settings || drivers; }
    void clear() { settings = drivers = false; }
};

// The characters the driver grid accepts: "0" to "9", backspace, ".". The
// input filter finds the decimal point as the last entry.
inline constexpr std::size_t kAllowedKeyCount = 12;
inline constexpr std::size_t kDecimalPointKey = 11;
using AllowedKeysTable = std::array<std::string, kAllowedKeyCount>;

// Writes the twelve entries in index order (every driver import does).
void FillAllowedKeys(AllowedKeysTable& AllowedKeys);

} // namespace rivo
