#pragma once

#include "editor_data.h"
#include "file_error.h"
#include "game_file_save.h"
#include "game_paths.h"
#include "seen_files.h"

#include <optional>
#include <string>

namespace rivo {

// Where the game's files are and what RivoEdit knows of them.
struct GameFiles {
    const GamePaths& paths;
    const std::string& InstallDir;
    const std::string& ConfigFilePath;
    // Why config.ini, which exists, could not be read at start-up.
    const std::optional<FileError>& configReadError;
    SeenFiles* seen;
};

// Why config.ini must not be saved, if it must not: it could not be read at
// start-up, so its settings were never shown and saving would lose them.
std::optional<FileError> ConfigRefusal(const std::optional<FileError>& configReadError);

// Adds what "Save All (To Game)" writes to `save`: config.ini, then the named
// rows' driver files; each file saved clears its marks in `data.unsaved`.
// Settings that could not be read and were not changed hold nothing to save,
// so config.ini is then left alone without a failure.
void AddSaveAll(const GameFiles& files, EditorData& data, GameFileSave& save);

// What AddSaveAll adds for `data`, built by the writers themselves; nothing
// is written or read.
std::vector<GameFileSave::Planned> PlanSaveAll(const GameFiles& files, const EditorData& data);

} // namespace rivo
