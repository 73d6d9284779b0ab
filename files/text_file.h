#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// 8-bit text files, read and written whole. Bytes are never converted.
namespace rivo::textfile {

// The largest game text file read (config.ini, video.cfg, driver and driver
// set files): the game's own files are a few KB, and a larger file is no game
// file; reading it would only tie up memory and time.
inline constexpr std::uintmax_t kMaxReadSize = 1024u * 1024;
// Why a file above kMaxReadSize is refused.
inline constexpr const char* kTooLargeReason =
    "the file is larger than 1 MiB, the most RivoEdit reads";

// The whole of a plain file, through PlainFileReader: opened without waiting
// and read no further than the size it had when opened. Throws FileError
// naming the file and the reason, also for a folder, a pipe, a device or a
// file above `maxSize` (refused before anything is allocated; the reason then
// says `tooLargeReason`).
std::string readBytes(const std::filesystem::path& path, std::uintmax_t maxSize = kMaxReadSize,
                      const char* tooLargeReason = kTooLargeReason);

// Splits at CR LF, a lone CR or a lone LF. The last line needs no line end,
// and a line end at the very end does not start another (empty) line.
std::vector<std::string> splitLines(std::string_view bytes);

// readBytes, then splitLines.
std::vector<std::string> readLines(const std::filesystem::path& path);

// Each line followed by CR LF, the last one included.
std::string joinCrLf(const std::vector<std::string>& lines);

// Why writeAtomic leaves a read-only file alone.
inline constexpr const char* kReadOnlyReason = "the file is read-only, so it was left as it was";

// kReadOnlyReason with a full stop and how to clear it: in the file's
// Properties on Windows, elsewhere its mode (chmod u+w, with `target`
// quoted for the shell).
std::string ReadOnlyAdvice(const std::filesystem::path& target);

// Replaces the file whole: the bytes go to a temporary file in the same
// folder, which is flushed, closed and renamed over the target, keeping the
// target's permission bits; then the folder is synced so that the rename
// survives a power cut. On any failure the temporary file is removed, the
// target keeps its old bytes and mode, and FileError names the target and the
// reason.
// - A read-only target (no write permission bit at all, not writable by this
//   user, or on Windows the read-only attribute) is never replaced.
// - A symbolic link as target is followed, so the file it points at is
//   replaced and the link stays. A link to nothing is followed too: the file
//   it names is created (the link stays). A link that loops fails with the
//   system's reason.
// - Only a plain file is replaced: a folder, pipe or device fails.
// - On Windows a device name (NUL, COM1.rvd) is refused as not a regular file.
// `beforeReplace`, when given, runs once the new bytes are safely in the
// temporary file, just before the rename; whatever it throws leaves the target
// as it was (and removes the temporary file).
void writeAtomic(const std::filesystem::path& target, std::string_view bytes,
                 const std::function<void()>& beforeReplace = {});

// Makes the file `target` with `bytes`, never over an existing one: it is
// created only when no file (or link, or anything else) has that name, then
// written, synced and closed, and its folder synced. On a failure after the
// file was made, the file is removed again. Throws FileError naming the file;
// its code is EEXIST (std::errc::file_exists) when the name is taken.
void writeNew(const std::filesystem::path& target, std::string_view bytes);

// Removes the plain file `target` (a link: the file it points at) on the
// same terms: a read-only file is never removed, `beforeRemove` runs just
// before and whatever it throws leaves the file, and the folder is synced
// after. A missing file is no failure. Throws FileError naming the file.
void removeFile(const std::filesystem::path& target,
                const std::function<void()>& beforeRemove = {});

} // namespace rivo::textfile
