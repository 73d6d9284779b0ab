#include "game_prefixes.h"

#include "file_error.h"
#include "plain_file.h"
#include "prefix_search.h"
#include "rivoreg.h"
#include "wine_registry.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace rivo {

namespace fs = std::filesystem;

namespace {

// The end of the game's key line as system.reg writes it, lower case: the
// key's last two parts and the closing bracket.
constexpr std::string_view kKeyTail = "vantora\\\\kestra]";

unsigned char lower(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Where the rarest letter of kKeyTail stands in it: 'k' is scarce in a
// registry file, ']' (which ends every key line) is not.
constexpr std::size_t kAnchor = kKeyTail.find('k');

// Whether kKeyTail starts at `start`, letter case ignored.
bool tailAt(const char* start) {
    for (std::size_t i = 0; i < kKeyTail.size(); ++i) {
        if (lower(static_cast<unsigned char>(start[i])) !=
            static_cast<unsigned char>(kKeyTail[i])) {
            return false;
        }
    }
    return true;
}

// Looks at every 'k' and 'K' in the bytes (memchr jumps between them) for
// kKeyTail around it.
bool findTail(const char* data, std::size_t size) {
    for (const char anchor : {'k', 'K'}) {
        const char* at = data;
        const char* const end = data + size;
        while ((at = static_cast<const char*>(std::memchr(at, anchor, end - at))) != nullptr) {
            const auto pos = static_cast<std::size_t>(at - data);
            if (pos >= kAnchor && pos - kAnchor + kKeyTail.size() <= size && tailAt(at - kAnchor)) {
                return true;
            }
            ++at;
        }
    }
    return false;
}

} // namespace

bool mentionsGameKey(std::string_view registryFile) {
    return findTail(registryFile.data(), registryFile.size());
}

bool fileMentionsGameKey(const fs::path& file) {
    // Block by block into one small buffer that stays in the cache, with the
    // end of each block kept in front of the next so that a key line split
    // between two blocks is still seen whole; stops at the first sight of the
    // key. Only what the registry reader would read: a pipe would block, a
    // device or a huge file would keep the search busy for nothing.
    try {
        PlainFileReader in(file, WineRegistry::kMaxFileSize, WineRegistry::kTooLargeReason);
        constexpr std::size_t kBlock = 128 * 1024;
        const std::size_t keep = kKeyTail.size() - 1;
        std::vector<char> buffer(keep + kBlock);
        std::size_t kept = 0;
        for (;;) {
            const std::size_t got = in.read(buffer.data() + kept, kBlock);
            if (got == 0) {
                return false;
            }
            if (findTail(buffer.data(), kept + got)) {
                return true;
            }
            const std::size_t total = kept + got;
            kept = std::min(keep, total);
            std::memmove(buffer.data(), buffer.data() + total - kept, kept);
        }
    } catch (const FileError&) {
        return false;
    }
}

std::string prefixProblem(const fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return "not a folder";
    }
    const fs::path systemReg = folder / "system.reg";
    if (!fs::exists(fs::symlink_status(systemReg, error))) {
        return "no system.reg in this folder";
    }
    try {
        PlainFileReader open(systemReg, WineRegistry::kMaxFileSize, WineRegistry::kTooLargeReason);
    } catch (const FileError& failure) {
        return "cannot read system.reg: " + failure.reason();
    }
    return {};
}

namespace {

std::optional<fs::path> prefixAbove(fs::path folder) {
    for (;;) {
        std::error_code error;
        if (fs::is_directory(folder / "dosdevices", error) && prefixProblem(folder).empty()) {
            return folder;
        }
        if (!folder.has_relative_path()) {
            return std::nullopt;
        }
        folder = folder.parent_path();
    }
}

} // namespace

std::optional<fs::path> prefixAround(const fs::path& folder) {
    std::error_code error;
    const fs::path given = fs::absolute(folder, error).lexically_normal();
    if (!error) {
        // A trailing slash leaves an empty last part.
        if (auto found = prefixAbove(given.has_filename() ? given : given.parent_path())) {
            return found;
        }
    }
    const fs::path real = fs::canonical(folder, error);
    if (error) {
        return std::nullopt;
    }
    return prefixAbove(real);
}

std::string installDirInPrefix(const fs::path& prefix) {
    const fs::path systemReg = prefix / "system.reg";
    if (!fileMentionsGameKey(systemReg)) {
        return {};
    }
    WineRegistry registry(systemReg);
    return RegistryValueText(RegReadValue(registry, kGameRegistryKey, kInstallDirValue));
}

std::vector<GamePrefix> findGamePrefixes(const fs::path& home, LauncherFiles* launcherFiles) {
    std::vector<GamePrefix> holding;
    for (FoundPrefix& found : findWinePrefixes(home, launcherFiles)) {
        std::string installDir = installDirInPrefix(found.path);
        if (!installDir.empty()) {
            holding.push_back({std::move(found.place), std::move(found.path), std::move(installDir),
                               std::move(found.name)});
        }
    }
    return holding;
}

} // namespace rivo
