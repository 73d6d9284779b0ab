#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rivo {

// A Wine prefix whose registry holds the game: where it was found, its
// folder, and the install folder its registry gives (game text).
struct GamePrefix {
    std::string place;
    std::filesystem::path path;
    std::string InstallDir;

    bool operator==(const GamePrefix&) const = default;
};

// Whether a registry file names the game's key at all: a byte search for the
// end of its key line, letter case ignored, that settles most prefixes
// without parsing them. The second reads the file in small blocks and stops
// at the key; a file that cannot be read names nothing.
bool mentionsGameKey(std::string_view registryFile);
bool fileMentionsGameKey(const std::filesystem::path& file);

// The install folder that the prefix's system.reg holds for the game, read
// the way start-up reads it (the 32-bit view first); empty when the file is
// missing, unreadable or does not hold the game.
std::string installDirInPrefix(const std::filesystem::path& prefix);

// The prefixes under `home` (in the order findWinePrefixes gives) whose
// registry holds the game.
std::vector<GamePrefix> findGamePrefixes(const std::filesystem::path& home);

} // namespace rivo
