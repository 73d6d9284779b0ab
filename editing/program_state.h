#pragma once

#include "editor_data.h"
#include "file_error.h"
#include "seen_files.h"
#include "shared_state.h"

#include <optional>
#include <string>

namespace rivo {

// Everything the program holds for one run: what the user edits (the
// settings, the roster, the rows enabled, the unsaved marks), which the
// history takes back and forth, and what stays for the run. The main window
// owns the one instance; the modules get the parts they use by reference.
struct ProgramState : EditorData {
    std::string InstallDir;
    std::string ConfigFilePath;
    std::string VideoConfigPath;
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
