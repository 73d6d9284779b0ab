#include "lutris_games.h"

#include <string>
#include <yaml-cpp/yaml.h>

namespace rivo {

namespace fs = std::filesystem;

std::vector<NamedPrefix> lutrisPrefixes(const fs::path& gamesFolder, const fs::path& home,
                                        LauncherFiles& files) {
    std::vector<NamedPrefix> prefixes;
    for (const std::string& text : files.readEach(gamesFolder, ".yml")) {
        try {
            const YAML::Node config = YAML::Load(text);
            if (!config.IsMap() || !config["game"].IsMap()) {
                continue;
            }
            // A key that is not there gives a node that is false.
            const YAML::Node prefix = config["game"]["prefix"];
            const YAML::Node name = config["name"];
            if (prefix && prefix.IsScalar() && !prefix.Scalar().empty()) {
                prefixes.push_back({name && name.IsScalar() ? name.Scalar() : std::string(),
                                    launcherPath(prefix.Scalar(), home)});
            }
        } catch (const YAML::Exception&) {
            // Not a game configuration we can read: it names no prefix.
        }
    }
    return prefixes;
}

} // namespace rivo
