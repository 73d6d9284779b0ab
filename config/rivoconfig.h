#pragma once

#include "game_file_save.h"
#include "game_paths.h"
#include "game_settings.h"
#include "registry_api.h"
#include "shared_state.h"
#include "window_operations.h"

#include <string>
#include <vector>

namespace rivo {

inline constexpr const char* kNotInstalledMessage = "Kestra not installed";

// Reads the game's install folder from the registry into InstallDir. When
// there is none, shows "Kestra not installed" and closes the main window;
// InstallDir stays empty.
void LocateInstallDir(reg::RegistryApi& registry, WindowOperations& window,
                      std::string& InstallDir);

// Sets ConfigFilePath to InstallDir + "\config.ini" and fills the fields of
// `settings` whose keys the file holds (the last occurrence wins); what it
// read is remembered in `seen`. Throws FileError when the file cannot be
// read; fields are then unchanged.
void LoadConfig(const GamePaths& paths, const std::string& InstallDir, std::string& ConfigFilePath,
                GameSettings& settings, SeenFiles* seen = nullptr);

// The setting a line of config.ini gives a value, as LoadConfig reads it:
// the key before the "=" matched exactly. Nullptr for every other line.
const SettingKey* SettingOfLine(const std::string& line);

// Adds config.ini, rewritten whole (21 lines, CR LF), to `save`; once it is
// saved the settings count as saved. A value holding CR or LF is a failure,
// and nothing is written.
void AddConfigFile(const GamePaths& paths, const std::string& ConfigFilePath,
                   const GameSettings& settings, UnsavedWork& unsaved, GameFileSave& save);

// Saves config.ini alone (AddConfigFile, run with `seen` and `ask`) and then
// marks the settings saved. On failure throws FileError; the old file keeps
// its bytes and `unsaved` is unchanged.
void SaveConfig(const GamePaths& paths, const std::string& ConfigFilePath,
                const GameSettings& settings, UnsavedWork& unsaved, SeenFiles* seen = nullptr,
                const GameFileSave::AskReplace& ask = {});

// The 21 lines SaveConfig writes.
std::vector<std::string> ConfigFileLines(const GameSettings& settings);

// Sets VideoConfigPath to InstallDir + "\video.cfg", appends every driver
// named in it to the window's list in file order, and selects each entry that
// equals settings.VideoDriver. Throws FileError when the file cannot be read.
void LoadVideoDrivers(const GamePaths& paths, const std::string& InstallDir,
                      const GameSettings& settings, WindowOperations& window,
                      std::string& VideoConfigPath);

} // namespace rivo
