#include "prefix_search.h"

#include "bottles_data.h"
#include "heroic_games.h"
#include "launcher_files.h"
#include "lutris_games.h"
#include "steam_libraries.h"

#include <algorithm>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace rivo {

namespace fs = std::filesystem;

namespace {

class Collector {
public:
    // Keeps `folder` when it is a prefix not found before. The same folder
    // is known by its device and inode, whatever links or spelling led to it.
    void add(const std::string& place, const fs::path& folder, const std::string& name = {}) {
        struct stat info {};
        if (!isWinePrefix(folder) || ::stat(folder.c_str(), &info) != 0) {
            return;
        }
        if (seen_.insert({info.st_dev, info.st_ino}).second) {
            found_.push_back({place, folder.lexically_normal(), name});
        }
    }
    void add(const std::string& place, const std::vector<NamedPrefix>& prefixes) {
        for (const NamedPrefix& prefix : prefixes) {
            add(place, prefix.path, prefix.name);
        }
    }
    // Each sub-folder of `parent` (in path order) followed by `below`, named
    // by the sub-folder.
    void addEachIn(const std::string& place, const fs::path& parent, const fs::path& below = {}) {
        std::vector<fs::path> names;
        std::error_code error;
        for (fs::directory_iterator it(parent, error), end; !error && it != end;
             it.increment(error)) {
            if (it->is_directory(error)) {
                names.push_back(it->path().filename());
            }
        }
        std::sort(names.begin(), names.end());
        for (const fs::path& name : names) {
            // An empty `below` would add a trailing separator.
            add(place, below.empty() ? parent / name : parent / name / below, name.string());
        }
    }
    std::vector<FoundPrefix> take() { return std::move(found_); }

private:
    std::set<std::pair<dev_t, ino_t>> seen_;
    std::vector<FoundPrefix> found_;
};

void addBottles(Collector& found, const std::string& place, const fs::path& data,
                const fs::path& home, LauncherFiles& files) {
    found.addEachIn(place, data / "bottles");
    const fs::path custom = customBottlesFolder(data / "data.yml", home, files);
    if (!custom.empty()) {
        found.addEachIn(place, custom);
    }
}

void addHeroicGames(Collector& found, const std::string& place, const fs::path& config,
                    const fs::path& home, LauncherFiles& files) {
    for (const NamedPrefix& game : heroicPrefixes(config / "GamesConfig", home, files)) {
        found.add(place, game.path, game.name);
        // A Proton game's prefix is the pfx folder inside.
        found.add(place, game.path / "pfx", game.name);
    }
}

// The root's own library first, then the others it lists.
void addSteam(Collector& found, const std::string& place, const fs::path& root,
              LauncherFiles& files) {
    const fs::path compatdata = "steamapps/compatdata";
    found.addEachIn(place, root / compatdata, "pfx");
    if (const auto vdf = files.read(root / "steamapps/libraryfolders.vdf")) {
        for (const fs::path& library : steamLibraryFolders(*vdf)) {
            found.addEachIn(place, library / compatdata, "pfx");
        }
    }
}

} // namespace

bool isWinePrefix(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / "system.reg", error);
}

std::vector<FoundPrefix> findWinePrefixes(const fs::path& home, LauncherFiles* launcherFiles) {
    LauncherFiles own;
    LauncherFiles& files = launcherFiles != nullptr ? *launcherFiles : own;
    Collector found;
    found.add("Wine", home / ".wine");

    for (const char* games : {".config/lutris/games", ".local/share/lutris/games"}) {
        found.add("Lutris", lutrisPrefixes(home / games, home, files));
    }

    addBottles(found, "Bottles", home / ".local/share/bottles", home, files);
    addBottles(found, "Bottles (Flatpak)", home / ".var/app/com.usebottles.bottles/data/bottles",
               home, files);

    found.addEachIn("PlayOnLinux", home / ".PlayOnLinux/wineprefix");

    found.addEachIn("Heroic", home / "Games/Heroic/Prefixes");
    found.addEachIn("Heroic", home / "Games/Heroic/Prefixes/default");
    addHeroicGames(found, "Heroic", home / ".config/heroic", home, files);
    addHeroicGames(found, "Heroic (Flatpak)",
                   home / ".var/app/com.heroicgameslauncher.hgl/config/heroic", home, files);

    addSteam(found, "Steam Proton", home / ".steam/steam", files);
    addSteam(found, "Steam Proton", home / ".local/share/Steam", files);
    addSteam(found, "Steam Proton (Flatpak)",
             home / ".var/app/com.valvesoftware.Steam/.local/share/Steam", files);

    found.addEachIn("CrossOver", home / ".cxoffice");
    return found.take();
}

} // namespace rivo
