#pragma once

#include "file_error.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace rivo {

// The game's own files as they were before RivoEdit first replaced each of
// them, kept in a folder of their own for each game install, so that a
// player can always go back. An original is written once and never
// replaced. The folder holds originals.txt, which names the install and,
// for each original, when it was kept, the game file it belongs to and its
// copy in the folder (or that the game file did not exist); the copies sit
// at the game files' paths inside the install, so that a person can copy
// them back by hand.
class Originals {
public:
    // What was kept for one game file: its bytes, or nothing when the file
    // did not exist.
    struct Kept {
        std::string gamePath; // 8-bit, as the game names it
        std::optional<std::string> bytes;
        std::string keptAt; // UTC, "2026-12-07 20:31:05"
    };

    // The originals of the install `InstallDir` (its game path; `installHost`
    // is the install's host path, named in originals.txt for a person), kept
    // in `folder`. Reads originals.txt when it is there. When it is there but
    // cannot be read, nothing can be kept (keep() throws why), since an
    // original could then be replaced unseen.
    Originals(std::filesystem::path folder, std::string InstallDir,
              std::filesystem::path installHost);

    // Keeps `bytes` as the original of `gamePath`, unless one is kept
    // already: its copy first, then originals.txt, each with the safe
    // whole-file write, making the folders it needs. Throws FileError naming
    // the file of the folder that could not be written, and why.
    void keep(const std::string& gamePath, const std::optional<std::string>& bytes);

    bool has(const std::string& gamePath) const { return entries_.count(gamePath) != 0; }
    bool empty() const { return entries_.empty(); }
    const std::filesystem::path& folder() const { return folder_; }

    // Every original, in the order kept, with its bytes read from its copy
    // (FileError when a copy cannot be read).
    std::vector<Kept> all() const;

private:
    struct Entry {
        std::string keptAt;
        std::string copy; // relative to the folder, '/'-separated; empty: absent
        int order;
    };

    std::string copyName(const std::string& gamePath) const;
    std::string indexText() const;

    std::filesystem::path folder_;
    std::string InstallDir_;
    std::filesystem::path installHost_;
    std::map<std::string, Entry> entries_;
    std::optional<FileError> unreadable_;
};

// The folder that keeps the originals of the install at `installHost`, in
// `dataFolder`: the install's path made into one readable name, then a
// short hash of the whole path, so that two installs never share a folder.
std::filesystem::path OriginalsFolder(const std::filesystem::path& dataFolder,
                                      const std::filesystem::path& installHost);

} // namespace rivo
