#pragma once

#include "driver_commands.h"
#include "recording_window.h"
#include "rivodriver.h"
#include "temp_dir.h"
#include "wine_paths.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <vector>

namespace rivo {

// Failures print as their text in test output.
inline void PrintTo(const FileError& e, std::ostream* os) {
    *os << e.what();
}

} // namespace rivo

namespace rivo::test {

// A game install in a Wine-style prefix, with the roster, the key table, the
// unsaved-work records and a recording window that the driver functions use.
class DriverGameTest : public ::testing::Test {
protected:
    static constexpr const char* kDriversRel = "Games/Kestra/Season 1/Drivers";

    std::filesystem::path driversFolder() const { return prefix.onC(kDriversRel); }
    std::filesystem::path gameFile(int row) const {
        return driversFolder() / (DriverRoster::BaseName(row) + ".rcd");
    }
    // The game path as a message shows it.
    std::string gamePath(int row) const {
        return GameDriverPath(InstallDir, SeasonDir, DriverRoster::BaseName(row));
    }

    DriverRowSet import(const std::filesystem::path& source = {}) {
        return ImportDrivers(source, game, roster, AllowedKeys, window);
    }
    std::vector<FileError> exportTo(const std::filesystem::path& target = {}) {
        return ExportDrivers(target, game, roster, unsaved.editedRows);
    }

    TestPrefix prefix;
    const GamePaths& paths = prefix.paths();
    std::string InstallDir = "C:\\Games\\Kestra";
    std::string SeasonDir = "Season 1";
    GameDriverFolder game{paths, InstallDir, SeasonDir};
    DriverRoster roster;
    AllowedKeysTable AllowedKeys;
    UnsavedWork unsaved;
    RecordingWindow window;
    DriverCommandContext ctx{game, roster, AllowedKeys, unsaved, window};
};

// A record with a distinct value in every field, e.g. "Nation 3" or "0.53".
DriverRecord SampleRecord(int row);
// `r` with the six values a read puts in before the record's own lines.
DriverRecord WithDefaults(DriverRecord r);

// The 23 lines of a record as the game's own files hold it, CR LF each.
std::string RecordFileText(const DriverRecord& record);

// Every file in a folder tree with its bytes, by path relative to `folder`.
std::vector<std::pair<std::string, std::string>>
FolderContents(const std::filesystem::path& folder);

// How many files this process has open, or -1 where that cannot be seen.
int OpenFileCount();

} // namespace rivo::test
