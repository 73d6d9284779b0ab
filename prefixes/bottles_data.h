#pragma once

#include <filesystem>

namespace rivo {

// The folder that Bottles' data.yml at `dataFile` sets for the bottles
// (`custom_bottles_path`), read as launcherPath reads it; empty when the
// file sets none or cannot be read.
std::filesystem::path customBottlesFolder(const std::filesystem::path& dataFile,
                                          const std::filesystem::path& home);

} // namespace rivo
