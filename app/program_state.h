#pragma once

#include "driver_roster.h"
#include "game_settings.h"
#include "shared_state.h"

#include <string>

namespace rivo {

// Everything the program holds for one run. The main window owns the one
// instance; the modules get the parts they use by reference.
struct ProgramState {
    std::string InstallDir;
    std::string ConfigFilePath;
    std::string VideoConfigPath;
    GameSettings settings;
    DriverRoster roster;
    UnsavedWork unsaved;
    AllowedKeysTable AllowedKeys{};
};

} // namespace rivo
