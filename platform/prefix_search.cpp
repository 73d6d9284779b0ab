#include "prefix_search.h"

#include "lutris_games.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace rivo {

namespace fs = std::filesystem;

namespace {

// The folder with its links resolved, to know a prefix reached twice; the
// folder itself when that fails.
fs::path resolved(const fs::path& folder) {
    std::error_code error;
    fs::path same = fs::weakly_canonical(folder, error);
    return error ? folder.lexically_normal() : same;
}

class Collector {
public:
    // `key`: the prefix's folder with its links resolved.
    void add(const std::string& place, const fs::path& folder, const fs::path& key) {
        if (isWinePrefix(folder) && seen_.insert(key).second) {
            found_.push_back({place, folder.lexically_normal()});
        }
    }
    void add(const std::string& place, const fs::path& folder) {
        add(place, folder, resolved(folder));
    }
    // Each sub-folder of `parent` (in path order) followed by `below`. Links
    // are resolved once for the parent, not for every prefix in it.
    void addEachIn(const std::string& place, const fs::path& parent, const fs::path& below = {}) {
        std::vector<fs::path> names;
        std::error_code error;
        for (fs::directory_iterator it(parent, error), end; !error && it != end;
             it.increment(error)) {
            if (it->is_directory(error)) {
                names.push_back(it->path().filename());
            }
        }
        if (names.empty()) {
            return;
        }
        std::sort(names.begin(), names.end());
        const fs::path parentKey = resolved(parent);
        for (const fs::path& name : names) {
            // An empty `below` would add a trailing separator.
            const fs::path rel = below.empty() ? name : name / below;
            add(place, parent / rel, parentKey / rel);
        }
    }
    std::vector<FoundPrefix> take() { return std::move(found_); }

private:
    std::set<fs::path> seen_;
    std::vector<FoundPrefix> found_;
};

} // namespace

bool isWinePrefix(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / "system.reg", error);
}

std::vector<FoundPrefix> findWinePrefixes(const fs::path& home) {
    Collector found;
    found.add("Wine", home / ".wine");

    for (const char* games : {".config/lutris/games", ".local/share/lutris/games"}) {
        for (const fs::path& prefix : lutrisPrefixes(home / games, home)) {
            found.add("Lutris", prefix);
        }
    }

    found.addEachIn("Bottles", home / ".local/share/bottles/bottles");
    found.addEachIn("Bottles (Flatpak)",
                    home / ".var/app/com.usebottles.bottles/data/bottles/bottles");

    found.addEachIn("PlayOnLinux", home / ".PlayOnLinux/wineprefix");

    found.addEachIn("Heroic", home / "Games/Heroic/Prefixes");
    found.addEachIn("Heroic", home / "Games/Heroic/Prefixes/default");

    found.addEachIn("Steam Proton", home / ".steam/steam/steamapps/compatdata", "pfx");
    found.addEachIn("Steam Proton", home / ".local/share/Steam/steamapps/compatdata", "pfx");
    found.addEachIn(
        "Steam Proton (Flatpak)",
        home / ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata", "pfx");

    found.addEachIn("CrossOver", home / ".cxoffice");
    return found.take();
}

} // namespace rivo
