#pragma once

#include "launcher_files.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rivo {

// A Wine prefix whose registry holds the game: where it was found, its
// folder, the install folder its registry gives (game text), and the name
// the launcher gives the prefix (may be empty).
struct GamePrefix {
    std::string place;
    std::filesystem::path path;
    std::string InstallDir;
    std::string name;

    bool operator==(const GamePrefix&) const = default;
};

// Whether a registry file names the game's key at all: a byte search for the
// end of its key line, letter case ignored, that settles most prefixes
// without parsing them. The second reads the file in small blocks and stops
// at the key; a file that the registry reader would not read (not a plain
// file, above its size limit, unreadable) names nothing.
bool mentionsGameKey(std::string_view registryFile);
bool fileMentionsGameKey(const std::filesystem::path& file);

// Why the folder that the user named cannot be used as a Wine prefix, in
// words ("not a folder", "no system.reg in this folder", "cannot read
// system.reg: <the system's reason>"); empty when it can.
std::string prefixProblem(const std::filesystem::path& folder);

// The Wine prefix that `folder` lies in: the nearest folder at or above it
// (as given, made absolute; then with its links resolved) that holds a
// dosdevices folder and a system.reg that can be read. Nothing when none
// does.
std::optional<std::filesystem::path> prefixAround(const std::filesystem::path& folder);

// The install folder that the prefix's system.reg holds for the game, read
// the way start-up reads it (the 32-bit view first); empty when the file is
// missing, unreadable or does not hold the game.
std::string installDirInPrefix(const std::filesystem::path& prefix);

// The prefixes under `home` (in the order findWinePrefixes gives, with its
// `launcherFiles`) whose registry holds the game.
std::vector<GamePrefix> findGamePrefixes(const std::filesystem::path& home,
                                         LauncherFiles* launcherFiles = nullptr);

} // namespace rivo
