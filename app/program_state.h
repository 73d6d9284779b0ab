#pragma once

#include "driver_roster.h"
#include "file_error.h"
#include "game_settings.h"
#include "seen_files.h"
#include "shared_state.h"

#include <optional>
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
    // What RivoEdit last saw of config.ini and the driver files, so that a
    // save can tell when another program changed them.
    SeenFiles seen;
    // Why config.ini, which exists, could not be read at start-up. Saving the
    // settings then would replace the game's settings with what little was
    // read, so it is refused.
    std::optional<FileError> configReadError;
};

} // namespace rivo
