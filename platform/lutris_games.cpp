#include "lutris_games.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <yaml-cpp/yaml.h>

namespace rivo {

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> ymlFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == ".yml" && it->is_regular_file(error)) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

fs::path expandHome(const std::string& text, const fs::path& home) {
    if (text == "~") {
        return home;
    }
    if (text.starts_with("~/")) {
        return home / text.substr(2);
    }
    return fs::path(text);
}

} // namespace

std::vector<fs::path> lutrisPrefixes(const fs::path& gamesFolder, const fs::path& home) {
    std::vector<fs::path> prefixes;
    for (const fs::path& file : ymlFiles(gamesFolder)) {
        try {
            const YAML::Node config = YAML::LoadFile(file.string());
            const YAML::Node prefix =
                config.IsMap() && config["game"].IsMap() ? config["game"]["prefix"] : YAML::Node();
            if (prefix.IsScalar() && !prefix.Scalar().empty()) {
                prefixes.push_back(expandHome(prefix.Scalar(), home));
            }
        } catch (const YAML::Exception&) {
            // Not a game configuration we can read: it names no prefix.
        }
    }
    return prefixes;
}

} // namespace rivo
