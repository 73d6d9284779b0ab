#pragma once

#include "driver_roster.h"
#include "game_settings.h"
#include "shared_state.h"

namespace rivo {

// Everything the user can change and take back: the settings, the 22 driver
// records, which rows are enabled (an import greys out the rows whose files
// are missing) and the unsaved marks. Small enough (a few KB) for every step
// of the history to keep a whole copy from before and after it.
struct EditorData {
    GameSettings settings;
    DriverRoster roster;
    DriverRowSet enabledRows = DriverRowSet().set();
    UnsavedWork unsaved;

    bool operator==(const EditorData&) const = default;
};

} // namespace rivo
