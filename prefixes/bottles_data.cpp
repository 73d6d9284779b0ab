#include "bottles_data.h"

#include <yaml-cpp/yaml.h>

namespace rivo {

std::filesystem::path customBottlesFolder(const std::filesystem::path& dataFile,
                                          const std::filesystem::path& home, LauncherFiles& files) {
    const std::optional<std::string> text = files.read(dataFile);
    if (!text) {
        return {};
    }
    try {
        const YAML::Node data = YAML::Load(*text);
        const YAML::Node folder = data.IsMap() ? data["custom_bottles_path"] : YAML::Node();
        if (folder && folder.IsScalar()) {
            return launcherPath(folder.Scalar(), home);
        }
    } catch (const YAML::Exception&) {
        // Not YAML: no folder of its own.
    }
    return {};
}

} // namespace rivo
