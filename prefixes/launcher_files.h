#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rivo {

// A Wine prefix that a launcher's file names, with the name the launcher
// gives it (a game's or a bottle's; may be empty).
struct NamedPrefix {
    std::string name;
    std::filesystem::path path;

    bool operator==(const NamedPrefix&) const = default;
};

// The largest launcher file read: a game's or a launcher's settings are a
// few KB, and a larger file would only hold up the search.
inline constexpr std::uintmax_t kMaxLauncherFileSize = 1024u * 1024;

// A launcher's file, whole; nothing when it is missing, not a plain file,
// above kMaxLauncherFileSize or cannot be read.
std::optional<std::string> readLauncherFile(const std::filesystem::path& file);

// The texts of the launcher files in `folder` whose names end in
// `extension` (".yml"), in the order of their names; those readLauncherFile
// cannot read are left out.
std::vector<std::string> readLauncherFiles(const std::filesystem::path& folder,
                                           std::string_view extension);

// A folder as a launcher writes it, as one host path: a leading "~",
// "$HOME" or "${HOME}" stands for `home`, a relative path is taken from
// `home`, and the path is normalised without a trailing separator, so one
// folder written in these ways comes out the same. Empty text gives an empty
// path.
std::filesystem::path launcherPath(std::string_view text, const std::filesystem::path& home);

} // namespace rivo
