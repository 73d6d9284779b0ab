#pragma once

#include <array>
#include <bitset>
#include <string>

namespace rivo {

// One mark for each of the driver grid's 22 rows, in roster order.
using DriverRowSet = std::bitset<22>;

// What the window holds that has not been saved to the game, kept apart for
// settings and driver values: saving one must not make the other look saved.
struct UnsavedWork {
    bool settings = false; // a change on the Config page
    bool drivers = false;  // an edit in the driver grid
    // The rows the user edited since each was last read or saved to the
    // game. A row that is never saved (it has no name) fails a save only
    // when it holds such edits.
    DriverRowSet editedRows{};

    // The user changed a value of driver row `row` (typed, deleted, pasted,
    // dropped).
    void markDriverEdit(int row) {
        drivers = true;
        editedRows.set(static_cast<std::size_t>(row));
    }
    bool any() const { return settings || drivers; }
    void clear() {
        settings = drivers = false;
        editedRows.reset();
    }
    bool operator==(const UnsavedWork&) const = default;
};

// The characters the driver grid accepts: "0" to "9", backspace, ".". The
// input filter finds the decimal point as the last entry.
inline constexpr std::size_t kAllowedKeyCount = 12;
inline constexpr std::size_t kDecimalPointKey = 11;
using AllowedKeysTable = std::array<std::string, kAllowedKeyCount>;

// Writes the twelve entries in index order (every driver import does).
void FillAllowedKeys(AllowedKeysTable& AllowedKeys);

} // namespace rivo
