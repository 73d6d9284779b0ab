#pragma once

#include "driver_roster.h"
#include "file_error.h"
#include "game_file_save.h"
#include "game_paths.h"
#include "shared_state.h"
#include "window_operations.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace rivo {

// Where the game keeps its driver files: InstallDir and the current season
// folder, resolved to host paths through `paths`; what RivoEdit last saw of
// each file is kept in `seen` (when there is one).
struct GameDriverFolder {
    const GamePaths& paths;
    const std::string& InstallDir;
    const std::string& SeasonDir;
    SeenFiles* seen = nullptr;
};

// InstallDir + "\" + SeasonDir + "\Drivers\" + base name + ".rcd".
std::string GameDriverPath(const std::string& InstallDir, const std::string& SeasonDir,
                           const std::string& baseName);

static_assert(DriverRowSet().size() == kDriverRows);

// Reads all 22 rows: from the game's own files when `source` is empty,
// otherwise record after record from the driver set file `source` (a host
// path). Refills AllowedKeys first. Each row is enabled when its record was
// read and disabled, with a message through `window`, when its file is
// missing or cannot be read; such a row keeps its values. A set file that
// cannot be read is reported at row 0; rows 1 to 21 are then left as they are.
// A row for which the set file holds no whole record keeps its values and
// state, and a message says how many records the file holds. Returns the
// rows whose record was read.
DriverRowSet ImportDrivers(const std::filesystem::path& source, const GameDriverFolder& game,
                           DriverRoster& roster, AllowedKeysTable& AllowedKeys,
                           WindowOperations& window);

// Adds each named row's game file to `save`; a row's mark in `edited` is
// cleared once its file is saved, and `allSaved` runs at the end of the save
// when every file was saved and nothing failed. An unnamed row leaves its
// game file alone; it is a failure only when `edited` marks it, since those
// edits cannot be saved. A record with a line break in a value fails its
// game file, which is not written.
void AddGameDriverFiles(const GameDriverFolder& game, const DriverRoster& roster,
                        DriverRowSet& edited, GameFileSave& save,
                        std::function<void()> allSaved = {});

// Writes the roster: to the game's files when `target` is empty
// (AddGameDriverFiles, run with game.seen and nobody to ask, so files
// changed by another program are left as they are), otherwise every row as
// one record of the driver set file `target`, written whole. Each file is
// replaced atomically. Goes on after a failure and returns every failure. A
// record with a line break in a value fails the whole set file, and nothing
// is written there.
std::vector<FileError> ExportDrivers(const std::filesystem::path& target,
                                     const GameDriverFolder& game, const DriverRoster& roster,
                                     DriverRowSet& edited);

// The 23 lines of one record.
std::vector<std::string> DriverRecordLines(const DriverRecord& record);

} // namespace rivo
