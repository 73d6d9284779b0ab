#pragma once

#include "driver_roster.h"
#include "file_error.h"
#include "game_paths.h"
#include "shared_state.h"
#include "window_operations.h"

#include <filesystem>
#include <string>
#include <vector>

namespace rivo {

// Where the game keeps its driver files: InstallDir and the current season
// folder, resolved to host paths through `paths`.
struct GameDriverFolder {
    const GamePaths& paths;
    const std::string& InstallDir;
    const std::string& SeasonDir;
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
// Returns the rows whose record was read.
DriverRowSet ImportDrivers(const std::filesystem::path& source, const GameDriverFolder& game,
                           DriverRoster& roster, AllowedKeysTable& AllowedKeys,
                           WindowOperations& window);

// Writes the roster: each named row to its game file when `target` is empty,
// otherwise every row as one record of the driver set file `target`, written
// whole. Each file is replaced atomically. Goes on after a failure and
// returns every failure. An unnamed row leaves its game file alone; it is a
// failure only when `edited` marks it, since those edits cannot be saved.
// Each row written to its game file has its mark in `edited` cleared. A
// record with a line break in a value fails its game file, or the whole set
// file, and nothing is written there.
std::vector<FileError> ExportDrivers(const std::filesystem::path& target,
                                     const GameDriverFolder& game, const DriverRoster& roster,
                                     DriverRowSet& edited);

// The 23 lines of one record.
std::vector<std::string> DriverRecordLines(const DriverRecord& record);

} // namespace rivo
