#pragma once

#include "driver_roster.h"
#include "editor_data.h"
#include "game_settings.h"
#include "shared_state.h"

namespace rivo {

// The values the game's files held when RivoEdit last read or saved them:
// the settings of config.ini and the record of each driver row. The unsaved
// marks are measured against them value by value, so that a file's
// comments, unknown lines and line ends never make it look unsaved, and
// taking an edit back to what the file holds makes it look saved again,
// whatever saves and imports came in between.
class LastSaved {
public:
    // Everything as `data` holds it: after start-up's reading or Restore.
    void takeAll(const EditorData& data) {
        settings_ = data.settings;
        roster_ = data.roster;
    }
    void takeSettings(const GameSettings& settings) { settings_ = settings; }
    void takeRow(int row, const DriverRecord& record) { roster_[row] = record; }

    // Unsaved: the settings when they differ from config.ini's, and each row
    // whose record differs from its file's.
    UnsavedWork marks(const EditorData& data) const;

    const GameSettings& settings() const { return settings_; }
    const DriverRoster& roster() const { return roster_; }

private:
    GameSettings settings_;
    DriverRoster roster_;
};

} // namespace rivo
