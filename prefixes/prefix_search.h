#pragma once

#include "launcher_files.h"

#include <filesystem>
#include <string>
#include <vector>

namespace rivo {

// A Wine prefix found on the machine, the launcher whose place it was found
// in ("Wine", "Lutris", "Steam Proton", ...) and the name that launcher gives
// it (a game's, a bottle's or a Steam app id; may be empty).
struct FoundPrefix {
    std::string place;
    std::filesystem::path path;
    std::string name;

    bool operator==(const FoundPrefix&) const = default;
};

// A folder is a Wine prefix when it holds a system.reg.
bool isWinePrefix(const std::filesystem::path& folder);

// Where findWinePrefixes looks, in words, for a message that it found nothing.
inline constexpr const char* kSearchedPlaces =
    "~/.wine, Lutris, Bottles, PlayOnLinux, Heroic, Steam and CrossOver";

// Every Wine prefix under the home folder `home` in the places where Wine and
// the game launchers keep them, in this order:
//   ~/.wine;
//   Lutris: the game: prefix: of ~/.config/lutris/games/*.yml, then of
//   ~/.local/share/lutris/games/*.yml;
//   Bottles: its bottles folder, then the custom_bottles_path of its
//   data.yml; then the same for its Flatpak;
//   PlayOnLinux;
//   Heroic: Prefixes/*, Prefixes/default/*, then the winePrefix of each game
//   in GamesConfig/*.json, then the same for its Flatpak's settings;
//   Steam's Proton prefixes (compatdata/*/pfx) of ~/.steam/steam,
//   ~/.local/share/Steam and the Flatpak's Steam, each followed by every
//   library its steamapps/libraryfolders.vdf lists;
//   CrossOver.
// Within one place, folders come in path order (launcher files: in the order
// of the files' names). A prefix reached twice (through links, or written in
// two ways) is the same folder on disk and is listed once, under the first
// name found. Folders and files that are missing or cannot be read are
// skipped without a word. Launcher files are read through `launcherFiles`
// (a LauncherFiles of its own when none is given), which tells how many were
// passed over once its total was reached.
std::vector<FoundPrefix> findWinePrefixes(const std::filesystem::path& home,
                                          LauncherFiles* launcherFiles = nullptr);

} // namespace rivo
