#pragma once

#include <cstdint>
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

// The launchers' files that one search reads, within one bound for them all.
// A game's or a launcher's settings are a few KB; parsing YAML takes about a
// second and many times its size in memory per MiB, so without a bound a few
// large files (or a great many small ones) would hold up the search.
class LauncherFiles {
public:
    // What one search reads of launcher files in all.
    static constexpr std::uintmax_t kTotalSize = 256u * 1024;
    // Each file opened counts as at least this much.
    static constexpr std::uintmax_t kLeastPerFile = 1024;

    explicit LauncherFiles(std::uintmax_t totalSize = kTotalSize) : left_(totalSize) {}

    // A launcher's file, whole; nothing when it is missing, not a plain file,
    // cannot be read, or does not fit in what is left of the total (it is
    // then counted as passed over).
    std::optional<std::string> read(const std::filesystem::path& file);
    // The texts of the files in `folder` whose names end in `extension`
    // (".yml"), in the order of their names; those read() gives nothing for
    // are left out.
    std::vector<std::string> readEach(const std::filesystem::path& folder,
                                      std::string_view extension);
    // The files left unread because the total was reached.
    int passedOver() const { return passedOver_; }

private:
    std::uintmax_t left_;
    int passedOver_ = 0;
};

// A folder as a launcher writes it, as one host path: a leading "~",
// "$HOME" or "${HOME}" stands for `home`, a relative path is taken from
// `home`, and the path is normalised without a trailing separator, so one
// folder written in these ways comes out the same. Empty text gives an empty
// path.
std::filesystem::path launcherPath(std::string_view text, const std::filesystem::path& home);

} // namespace rivo
