#pragma once

#include "game_paths.h"

#include <filesystem>
#include <optional>
#include <string>

namespace rivo {

// Resolves game paths the way Wine does inside a prefix: the drive letter
// through <prefix>/dosdevices/<letter>:, backslashes as folder separators,
// Windows-1252 names as UTF-8, and each part that does not exist as given
// matched case-insensitively against the folder's entries. "." and ".." are
// resolved as Windows does: ".." stops at the drive's root. A path without a
// drive letter is a host path with its backslashes turned into slashes.
class WinePaths : public GamePaths {
public:
    explicit WinePaths(std::filesystem::path prefix);

    std::filesystem::path toHost(const std::string& gamePath) const override;

    // The other way: the game path (game text, "C:\\Games\\Kestra") under
    // which Wine shows the existing host folder or file `host`, through the
    // drive of <prefix>/dosdevices whose folder holds it most closely (drive_c
    // before the root that z: leads to); both are compared with their links
    // resolved. A drive's own folder is "C:\\". Nothing when no drive holds it
    // or a name on the way has no Windows-1252 form.
    std::optional<std::string> toGame(const std::filesystem::path& host) const;

    const std::filesystem::path& prefix() const { return prefix_; }

private:
    std::filesystem::path prefix_;
};

// The prefix to use: $WINEPREFIX when it is set (a relative one taken from
// the current folder), otherwise ~/.wine. Empty when neither can be formed. Takes the two
// variables' values (null when unset) so that callers and tests choose them.
std::filesystem::path winePrefixFrom(const char* winePrefix, const char* home);

// Looks up one name in a folder: the exact entry if it exists, otherwise the
// first entry (in name order) equal to it ignoring letter case.
std::optional<std::filesystem::path> findEntryIgnoringCase(const std::filesystem::path& folder,
                                                           const std::string& utf8Name);

} // namespace rivo
