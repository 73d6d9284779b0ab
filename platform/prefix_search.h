#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rivo {

// A Wine prefix found on the machine, and the launcher whose place it was
// found in ("Wine", "Lutris", "Steam Proton", ...).
struct FoundPrefix {
    std::string place;
    std::filesystem::path path;

    bool operator==(const FoundPrefix&) const = default;
};

// A folder is a Wine prefix when it holds a system.reg.
bool isWinePrefix(const std::filesystem::path& folder);

// Every Wine prefix under the home folder `home` in the places where Wine and
// the game launchers keep them, in this order:
//   ~/.wine; Lutris (the game: prefix: of ~/.config/lutris/games/*.yml, then
//   ~/.local/share/lutris/games/*.yml); Bottles, then its Flatpak; PlayOnLinux;
//   Heroic (Prefixes/*, then Prefixes/default/*); Steam's Proton prefixes of
//   ~/.steam/steam, ~/.local/share/Steam and the Flatpak's Steam; CrossOver.
// Within one place, folders come in path order (Lutris: in the order of its
// files' names). A prefix reached twice (Steam's folders are often links to
// one another) is listed once, at its first place. Folders and files that are
// missing or cannot be read are skipped without a word.
std::vector<FoundPrefix> findWinePrefixes(const std::filesystem::path& home);

} // namespace rivo
