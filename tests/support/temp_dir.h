#pragma once

#include "game_paths.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rivo::test {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
public:
    // Under `base` when given.
    explicit TempDir(const std::filesystem::path& base = {});
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& rel) const { return path_ / rel; }

private:
    std::filesystem::path path_;
};

// A folder in memory where the system has one (/dev/shm), else the
// temporary folder: for tests that write many files, whose syncs to a disk
// would take most of their time.
std::filesystem::path MemoryFolder();

// Writes `bytes` to `path`, creating the folders on the way.
void writeFile(const std::filesystem::path& path, std::string_view bytes);

// The names of the entries of `folder`, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

// The file's bytes; throws when it cannot be read.
std::string readFile(const std::filesystem::path& path);

// The writer's temporary files (".rivo-*.tmp") anywhere below `folder`,
// links not followed: a save must never leave one behind.
std::vector<std::filesystem::path> TemporaryFilesLeft(const std::filesystem::path& folder);

// A Wine-style prefix: <root>/drive_c and <root>/dosdevices/c: -> ../drive_c.
// paths() resolves the game's C: paths into drive_c: through the prefix
// (WinePaths) off Windows; on Windows, where a folder cannot stand in for a
// drive, as native paths with C:\ replaced by drive_c.
class TestPrefix {
public:
    explicit TestPrefix(const std::filesystem::path& base = {});
    ~TestPrefix();

    const std::filesystem::path& root() const { return dir_.path(); }
    std::filesystem::path driveC() const { return dir_ / "drive_c"; }
    // The host path under drive_c of a path written with slashes.
    std::filesystem::path onC(const std::string& rel) const { return driveC() / rel; }
    const GamePaths& paths() const { return *paths_; }

private:
    TempDir dir_;
    std::unique_ptr<GamePaths> paths_;
};

// The folder of the test data files under tests/data.
std::filesystem::path testDataDir();

} // namespace rivo::test
