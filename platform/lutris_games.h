#pragma once

#include <filesystem>
#include <vector>

namespace rivo {

// The Wine prefixes named by the Lutris game configurations in `gamesFolder`
// (the `prefix` under `game` of each *.yml), in the order of the files'
// names. A leading "~" stands for `home`. Files that cannot be read or are
// not YAML, and entries without a prefix, are skipped.
std::vector<std::filesystem::path> lutrisPrefixes(const std::filesystem::path& gamesFolder,
                                                  const std::filesystem::path& home);

} // namespace rivo
