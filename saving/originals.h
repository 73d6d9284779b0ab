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
// them back by hand. A copy is only ever made as a new file, never over
// one that is there. Each keep reads originals.txt again and rewrites it
// under a lock beside it (originals.lock), so that RivoEdits saving the
// same install at once never drop each other's entries.
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
    // cannot be read, or holds a line that cannot be read, nothing can be
    // kept (keep() throws why, naming the list and the line), since an
    // original could then be replaced unseen.
    Originals(std::filesystem::path folder, std::string InstallDir,
              std::filesystem::path installHost);

    // Keeps `bytes` as the original of `gamePath`, unless one is kept
    // already: its copy first, then originals.txt, each with the safe
    // whole-file write, making the folders it needs. Throws FileError naming
    // the file of the folder that could not be written, and why.
    void keep(const std::string& gamePath, const std::optional<std::string>& bytes);

    // For an install whose folder has no originals yet: looks among the
    // folders beside it for the one whose list names the same game folder
    // (InstallDir) at a host path that no longer exists, as when a launcher
    // moved the prefix. When exactly one does, its originals are this
    // install's: they are used from now on, and the first keep (of any
    // file, kept before or not) renames that folder to this install's name
    // and records the new host path there. Renamed rather than used where it is, so that a folder's
    // name always tells its install: a new install later made at the old path then starts a folder
    // of its own instead of finding these originals.
    void takeOverMoved();
    // Once, after the first keep that took over a moved install's folder:
    // what to tell the player.
    std::optional<std::string> takeMovedNotice();

    bool has(const std::string& gamePath) const { return entries_.count(gamePath) != 0; }
    // Whether keep() has anything to do for the file: keep its original, or
    // take over a moved install's folder.
    bool wants(const std::string& gamePath) const { return !has(gamePath) || !movedFrom_.empty(); }
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
    bool listNames(const std::string& copy) const;
    bool taken(const std::string& copy) const;
    std::string makeCopy(const std::string& gamePath, const std::string& bytes) const;
    void reread();
    void moveIn();
    std::string indexText() const;
    // Where the copies are now: the moved install's folder until it is
    // renamed.
    const std::filesystem::path& copies() const {
        return movedFrom_.empty() ? folder_ : movedFrom_;
    }

    std::filesystem::path folder_;
    std::string InstallDir_;
    std::filesystem::path installHost_;
    std::map<std::string, Entry> entries_;
    std::optional<FileError> unreadable_;
    std::filesystem::path movedFrom_;
    std::filesystem::path movedHost_;
    std::optional<std::string> movedNotice_;
};

// The folder that keeps the originals of the install at `installHost`, in
// `dataFolder`: the install's path made into one readable name, then a
// short hash of the whole path, so that two installs never share a folder.
std::filesystem::path OriginalsFolder(const std::filesystem::path& dataFolder,
                                      const std::filesystem::path& installHost);

} // namespace rivo
