#include "steam_libraries.h"

#include "key_values.h"

#include <algorithm>

namespace rivo {

namespace fs = std::filesystem;

std::vector<fs::path> steamLibraryFolders(std::string_view vdf) {
    std::vector<fs::path> folders;
    auto top = keyvalues::parse(vdf);
    if (!top) {
        return folders;
    }
    keyvalues::Node root;
    root.children = std::move(*top);
    const keyvalues::Node* libraries = root.find("libraryfolders");
    if (libraries == nullptr) {
        return folders;
    }
    for (const keyvalues::Node& entry : libraries->children) {
        // Other keys (contentstatsid, ...) are no libraries.
        const bool numbered =
            !entry.key.empty() && std::all_of(entry.key.begin(), entry.key.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
        const keyvalues::Node* path = entry.block ? entry.find("path") : &entry;
        if (!numbered || path == nullptr || path->block) {
            continue;
        }
        fs::path folder(path->value);
        if (folder.is_absolute()) {
            folders.push_back(folder.lexically_normal());
        }
    }
    return folders;
}

} // namespace rivo
