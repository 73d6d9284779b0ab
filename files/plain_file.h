#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace rivo {

// A plain file open for reading, of at most a given size. It is opened
// without waiting and checked once open, so a pipe, a device or a file
// swapped for one between a look and the open is refused before anything is
// read, and nothing blocks or runs on without end. Off Windows only.
class PlainFileReader {
public:
    // Throws FileError naming the file and the reason; `tooLargeReason` for a
    // file above `maxSize`.
    PlainFileReader(const std::filesystem::path& path, std::uintmax_t maxSize,
                    const char* tooLargeReason);
    ~PlainFileReader();
    PlainFileReader(const PlainFileReader&) = delete;
    PlainFileReader& operator=(const PlainFileReader&) = delete;

    // Up to `size` bytes; 0 at the end, or once the size seen at the open has
    // been read (a file that grows is not followed). Throws FileError.
    std::size_t read(char* buffer, std::size_t size);
    // The size when it was opened.
    std::uintmax_t size() const { return size_; }

private:
    std::filesystem::path path_;
    int fd_ = -1;
    std::uintmax_t size_ = 0;
    std::uintmax_t left_ = 0;
};

// The whole file through PlainFileReader. Throws FileError.
std::string readPlainFile(const std::filesystem::path& path, std::uintmax_t maxSize,
                          const char* tooLargeReason);

} // namespace rivo
