#include "game_prefixes.h"

#include "file_error.h"
#include "prefix_search.h"
#include "rivoreg.h"
#include "text_file.h"
#include "wine_registry.h"

#include <algorithm>
#include <functional>

namespace rivo {

namespace fs = std::filesystem;

namespace {

// The last two parts of the game's key as system.reg writes them, lower case.
constexpr std::string_view kKeyTail = "vantora\\\\kestra";

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

struct FoldedHash {
    std::size_t operator()(char c) const { return std::hash<char>()(lower(c)); }
};
struct FoldedEqual {
    bool operator()(char a, char b) const { return lower(a) == lower(b); }
};

} // namespace

bool mentionsGameKey(std::string_view registryFile) {
    static const std::boyer_moore_horspool_searcher searcher(kKeyTail.begin(), kKeyTail.end(),
                                                             FoldedHash(), FoldedEqual());
    return std::search(registryFile.begin(), registryFile.end(), searcher) != registryFile.end();
}

std::string installDirInPrefix(const fs::path& prefix) {
    const fs::path systemReg = prefix / "system.reg";
    try {
        if (!mentionsGameKey(textfile::readBytes(systemReg))) {
            return {};
        }
    } catch (const FileError&) {
        return {};
    }
    WineRegistry registry(systemReg);
    return RegistryValueText(RegReadValue(registry, kGameRegistryKey, kInstallDirValue));
}

std::vector<GamePrefix> findGamePrefixes(const fs::path& home) {
    std::vector<GamePrefix> holding;
    for (FoundPrefix& found : findWinePrefixes(home)) {
        std::string installDir = installDirInPrefix(found.path);
        if (!installDir.empty()) {
            holding.push_back(
                {std::move(found.place), std::move(found.path), std::move(installDir)});
        }
    }
    return holding;
}

} // namespace rivo
