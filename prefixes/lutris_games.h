#pragma once

#include "launcher_files.h"

#include <filesystem>
#include <vector>

namespace rivo {

// The Wine prefixes named by the Lutris game configurations in `gamesFolder`
// (the `prefix` under `game` of each *.yml, read as launcherPath reads it),
// each with the game's `name` where the file gives one, in the order of the
// files' names, read through `files`. Files that it does not read or that
// are not YAML, and entries without a prefix, are skipped.
std::vector<NamedPrefix> lutrisPrefixes(const std::filesystem::path& gamesFolder,
                                        const std::filesystem::path& home, LauncherFiles& files);

} // namespace rivo
