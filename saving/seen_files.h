#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <system_error>

namespace rivo {

class Originals;

// A missing file, or a missing folder on its way (as Windows reports it).
bool IsMissingFile(const std::error_code& code);
// A write the system refused for lack of rights (access denied), not for a
// read-only file, which is refused before any write.
bool RefusedForRights(const std::error_code& code);

// What RivoEdit last saw of each game file it reads or replaces (config.ini
// and the driver files), by the file's game path: its bytes, that it was
// missing, or that it could not be read. A save compares this with the disk
// so that it never silently undoes another program's change. The bytes
// themselves are kept, not a digest of them: the comparison is then exact and
// needs nothing more, and a game file is at most 1 MiB (a few KB in
// practice). It also names where the game's originals are kept, since every
// save of the game's files passes through here.
class SeenFiles {
public:
    // The bytes of a file, or nothing for a missing file.
    using Content = std::optional<std::string>;

    void remember(const std::string& gamePath, Content content) {
        unreadable_.erase(gamePath);
        files_[gamePath] = std::move(content);
    }
    // The file was there but its last reading failed: nothing of it was seen,
    // so whatever it holds may be another program's work.
    void rememberUnreadable(const std::string& gamePath) {
        files_.erase(gamePath);
        unreadable_.insert(gamePath);
    }
    // What was seen last, or nullptr for a file never seen or unreadable.
    const Content* lastSeen(const std::string& gamePath) const;
    bool lastReadFailed(const std::string& gamePath) const {
        return unreadable_.contains(gamePath);
    }

    // Where a save keeps a game file's original before it first replaces
    // the file; none: no originals are kept.
    void keepOriginalsIn(Originals* originals) { originals_ = originals; }
    Originals* originals() const { return originals_; }

private:
    std::map<std::string, Content> files_;
    std::set<std::string> unreadable_;
    Originals* originals_ = nullptr;
};

// Reads the game file `gamePath`, found at `host`, whole (as
// textfile::readBytes, which throws FileError) and remembers what it saw in
// `seen` when there is one: the bytes, that the file is missing, or that it
// could not be read.
std::string ReadGameFile(SeenFiles* seen, const std::string& gamePath,
                         const std::filesystem::path& host);

} // namespace rivo
