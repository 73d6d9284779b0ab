#pragma once

#include "file_error.h"
#include "game_paths.h"
#include "seen_files.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rivo {

// Why a save leaves alone a file that another program changed.
inline constexpr const char* kChangedElsewhereReason =
    "another program changed it after RivoEdit read it, so it was left as it was";
// Why a save leaves alone a file whose original it could not keep.
inline constexpr const char* kOriginalNotKept = "its original could not be kept (";
inline constexpr const char* kLeftAsItWas = "so it was left as it was";

// The game files that one save command replaces. The writers add their files
// with the new bytes; run() then looks at every file on disk before it writes
// any:
// - a file that already holds exactly the new bytes is not written (its time
//   stamp stays) and counts as saved;
// - the files that differ from what RivoEdit last saw of them (changed,
//   appeared or vanished since), whose last reading failed, or that are there
//   and cannot be read now, are put to the user in one question: OK replaces
//   them, Cancel leaves them as they are and each is reported as not saved;
// - the others are replaced, one after another in the order added.
// Just before its rename each file is looked at once more: one that no longer
// is as it was at the first look (another program wrote it meanwhile, while
// the question was shown, say) is left as it is then and reported like a
// file left on Cancel, without a second question.
// Before a file is first replaced (or removed), its bytes as they are then
// (or that it did not exist) are kept as the game's original, where `seen`
// names; when that fails the file is left as it is and the failure says why.
// Where Windows keeps a virtualized copy of a game file for the game (see
// GamePaths::storeCopy) and refuses a write in the game's folder for lack of
// rights, the file is saved as that copy instead, where the game reads it.
// What was written or found on disk is then remembered as seen.
class GameFileSave {
public:
    // Asked at most once per run, with the changed files' game paths (UTF-8).
    // True replaces them.
    using AskReplace = std::function<bool(const std::vector<std::string>& paths)>;
    // Told at the end of run() whether its file was saved.
    using Done = std::function<void(bool saved)>;

    // Without `seen` nothing is compared; without `ask` the changed files are
    // left as they are.
    GameFileSave(SeenFiles* seen, AskReplace ask) : seen_(seen), ask_(std::move(ask)) {}

    // A game file to replace: its game path (8-bit, as the game names it),
    // the host file it resolved to, and its new bytes.
    void add(std::string gamePath, std::filesystem::path host, std::string bytes, Done done = {});
    // The same, with the host file (and where Windows would keep the game's
    // own copy of it) as `paths` resolves the game path.
    void add(std::string gamePath, const GamePaths& paths, std::string bytes, Done done = {});
    // A game file to remove, as add() replaces one: a file RivoEdit put in
    // the game that the game did not have.
    void addRemoval(std::string gamePath, const GamePaths& paths, Done done = {});
    // A failure found before writing; run() returns it in its place.
    void fail(FileError failure);
    // Runs at the end of run(), after every Done.
    void afterRun(std::function<void()> hook) { hooks_.push_back(std::move(hook)); }

    // Does the above and returns every failure, in the order added.
    std::vector<FileError> run();
    // How many files the last run() wrote or removed: not those already as
    // the save would leave them, nor those it failed.
    int written() const { return written_; }

    // A file as added: its game path, host file and new bytes, or the
    // failure found before writing (then the rest is empty).
    struct Planned {
        std::string gamePath;
        std::filesystem::path host;
        std::string bytes;
        std::optional<FileError> failure;
    };
    // What run() would write, in the order added. Looks at no disk, writes
    // nothing.
    std::vector<Planned> planned() const;

private:
    enum class Plan { Write, AlreadyThere, ChangedElsewhere };
    // A file as it is on disk: its bytes, missing, a plain file that cannot
    // be read (too large, not readable for this user, held by another
    // program), or no file a save replaces (a folder, a pipe, a link loop).
    struct OnDisk {
        enum class State { Bytes, Missing, Unreadable, NoFile };
        State state = State::Missing;
        std::string bytes;
        bool operator==(const OnDisk&) const = default;
    };
    struct Entry {
        std::string gamePath;
        std::filesystem::path host;
        std::string bytes;
        Done done;
        std::optional<FileError> failure;
        Plan plan = Plan::Write;
        OnDisk firstLook = {};
        // Where the file goes when the game's folder refuses it: the copy
        // Windows keeps for the game, which does not exist yet.
        std::filesystem::path storeCopy = {};
        // The file is to go, not to get `bytes`.
        bool remove = false;
    };

    static OnDisk readNow(const std::filesystem::path& host);
    bool changedElsewhere(const std::string& gamePath, const OnDisk& now) const;
    std::optional<FileError> write(const Entry& entry) const;
    // Writes the entry's bytes to `host` (or removes it) once `host` is still
    // as `expected` and the original is kept.
    void replace(const Entry& entry, const std::filesystem::path& host, const OnDisk& expected,
                 const std::string& shown) const;
    // Keeps the game's original of the entry's file, as its first look found
    // it, unless one is kept already.
    void keepOriginal(const Entry& entry, const std::string& shown) const;

    SeenFiles* seen_;
    AskReplace ask_;
    std::vector<Entry> entries_;
    std::vector<std::function<void()>> hooks_;
    int written_ = 0;
};

} // namespace rivo
