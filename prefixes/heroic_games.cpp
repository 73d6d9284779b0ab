#include "heroic_games.h"

#include <nlohmann/json.hpp>

namespace rivo {

namespace fs = std::filesystem;

std::vector<NamedPrefix> heroicPrefixes(const fs::path& configFolder, const fs::path& home,
                                        LauncherFiles& files) {
    std::vector<NamedPrefix> prefixes;
    for (const std::string& text : files.readEach(configFolder, ".json")) {
        // No exceptions: text that is not JSON comes back discarded.
        const nlohmann::json config = nlohmann::json::parse(text, nullptr, false);
        if (!config.is_object()) {
            continue;
        }
        // {"<game>": {"winePrefix": "...", ...}, "version": "v0", ...}
        for (const auto& [game, settings] : config.items()) {
            if (!settings.is_object()) {
                continue;
            }
            const auto prefix = settings.find("winePrefix");
            if (prefix != settings.end() && prefix->is_string() &&
                !prefix->get_ref<const std::string&>().empty()) {
                prefixes.push_back(
                    {game, launcherPath(prefix->get_ref<const std::string&>(), home)});
            }
        }
    }
    return prefixes;
}

} // namespace rivo
