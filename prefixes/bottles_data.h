#pragma once

#include "launcher_files.h"

#include <filesystem>

namespace rivo {

// The folder that Bottles' data.yml at `dataFile` sets for the bottles
// (`custom_bottles_path`), read as launcherPath reads it; empty when the
// file sets none or `files` does not read it.
std::filesystem::path customBottlesFolder(const std::filesystem::path& dataFile,
                                          const std::filesystem::path& home, LauncherFiles& files);

} // namespace rivo
