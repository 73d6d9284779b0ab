#include "prefix_search.h"

#include "lutris_games.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace rivo {

namespace fs = std::filesystem;

namespace {

// The sub-folders of `folder`, in path order.
std::vector<fs::path> subFolders(const fs::path& folder) {
    std::vector<fs::path> folders;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_directory(error)) {
            folders.push_back(it->path());
        }
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

class Collector {
public:
    void add(const std::string& place, const fs::path& folder) {
        if (!isWinePrefix(folder)) {
            return;
        }
        std::error_code error;
        fs::path same = fs::weakly_canonical(folder, error);
        if (error) {
            same = folder.lexically_normal();
        }
        if (seen_.insert(same).second) {
            found_.push_back({place, folder.lexically_normal()});
        }
    }
    void addEach(const std::string& place, const std::vector<fs::path>& folders) {
        for (const fs::path& folder : folders) {
            add(place, folder);
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

    found.addEach("Lutris", lutrisPrefixes(home / ".config/lutris/games", home));
    found.addEach("Lutris", lutrisPrefixes(home / ".local/share/lutris/games", home));

    found.addEach("Bottles", subFolders(home / ".local/share/bottles/bottles"));
    found.addEach("Bottles (Flatpak)",
                  subFolders(home / ".var/app/com.usebottles.bottles/data/bottles/bottles"));

    found.addEach("PlayOnLinux", subFolders(home / ".PlayOnLinux/wineprefix"));

    found.addEach("Heroic", subFolders(home / "Games/Heroic/Prefixes"));
    found.addEach("Heroic", subFolders(home / "Games/Heroic/Prefixes/default"));

    const std::pair<const char*, fs::path> steams[] = {
        {"Steam Proton", home / ".steam/steam"},
        {"Steam Proton", home / ".local/share/Steam"},
        {"Steam Proton (Flatpak)", home / ".var/app/com.valvesoftware.Steam/.local/share/Steam"},
    };
    for (const auto& [place, steam] : steams) {
        for (const fs::path& game : subFolders(steam / "steamapps/compatdata")) {
            found.add(place, game / "pfx");
        }
    }

    found.addEach("CrossOver", subFolders(home / ".cxoffice"));
    return found.take();
}

} // namespace rivo
