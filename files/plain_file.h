#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace rivo {

// A plain file open for reading, of at most a given size: the one way the
// game's files, driver set files, system.reg and launcher files are read. It
// is opened without waiting and checked once open, so a pipe, a device or a
// file swapped for one between a look and the open is refused before anything
// is read, and nothing blocks or runs on without end. On Windows a device name
// (NUL, COM1.rvd) is refused before it is opened.
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
    // What is left of the file, up to the size seen at the open.
    std::string readAll();
    // The size when it was opened.
    std::uintmax_t size() const { return size_; }

private:
    void close() noexcept;

    std::filesystem::path path_;
#ifdef _WIN32
    void* handle_ = nullptr; // a HANDLE
#else
    int fd_ = -1;
#endif
    std::uintmax_t size_ = 0;
    std::uintmax_t left_ = 0;
};

// The whole file through PlainFileReader. Throws FileError.
std::string readPlainFile(const std::filesystem::path& path, std::uintmax_t maxSize,
                          const char* tooLargeReason);

} // namespace rivo
