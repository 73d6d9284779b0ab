#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// 8-bit text files, read and written whole. Bytes are never converted.
namespace rivo::textfile {

// The largest file read: far above any game file, far below what would
// exhaust memory.
inline constexpr std::uintmax_t kMaxReadSize = 256u * 1024 * 1024;

// The whole of a plain file. Throws FileError naming the file and the
// reason, also for a pipe, a device or a file above kMaxReadSize.
std::string readBytes(const std::filesystem::path& path);

// Splits at CR LF, a lone CR or a lone LF. The last line needs no line end,
// and a line end at the very end does not start another (empty) line.
std::vector<std::string> splitLines(std::string_view bytes);

// readBytes, then splitLines.
std::vector<std::string> readLines(const std::filesystem::path& path);

// Each line followed by CR LF, the last one included.
std::string joinCrLf(const std::vector<std::string>& lines);

// Replaces the file whole: the bytes go to a temporary file in the same
// folder, which is flushed, closed and renamed over the target, keeping the
// target's permission bits. On any failure the temporary file is removed, the
// target keeps its old bytes, and FileError names the target and the reason.
// A symbolic link as target is followed, so the file it points at is replaced.
// On Windows a device name (NUL, COM1.rvd) is refused as not a regular file.
void writeAtomic(const std::filesystem::path& target, std::string_view bytes);

} // namespace rivo::textfile
