#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace rivo {

// The Steam library folders that a libraryfolders.vdf lists, in its order:
// the `path` of each numbered entry of "libraryfolders" (older files give
// the path as the entry's value). Only absolute paths are kept; text that is
// not KeyValues lists none.
std::vector<std::filesystem::path> steamLibraryFolders(std::string_view vdf);

} // namespace rivo
