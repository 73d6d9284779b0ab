#pragma once

#include "launcher_files.h"

#include <filesystem>
#include <vector>

namespace rivo {

// The Wine prefixes that Heroic's game settings in `configFolder`
// (GamesConfig/*.json) name: each game's `winePrefix`, read as launcherPath
// reads it, named by the game's key, in the order of the files' names.
// Files that `files` does not read or that are not JSON are skipped.
std::vector<NamedPrefix> heroicPrefixes(const std::filesystem::path& configFolder,
                                        const std::filesystem::path& home, LauncherFiles& files);

} // namespace rivo
