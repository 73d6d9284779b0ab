#include "plain_file.h"

#include "file_error.h"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include "device_names.h"
#include "windows_api.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rivo {

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, std::error_code code) {
    throw FileError(displayPath(path), code);
}

[[noreturn]] void fail(const std::filesystem::path& path, int err) {
    fail(path, std::error_code(err, std::generic_category()));
}

#ifdef _WIN32
// The system's error as the C library names it, so that a missing file reads
// as missing on both systems; others keep Windows' own words.
std::error_code windowsError(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return {ENOENT, std::generic_category()};
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return {EACCES, std::generic_category()};
    case ERROR_FILENAME_EXCED_RANGE:
        return {ENAMETOOLONG, std::generic_category()};
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return {ENOMEM, std::generic_category()};
    default:
        return {static_cast<int>(error), std::system_category()};
    }
}
#endif

} // namespace

#ifdef _WIN32
PlainFileReader::PlainFileReader(const std::filesystem::path& path, std::uintmax_t maxSize,
                                 const char* tooLargeReason)
    : path_(path) {
    // Windows opens a device for a reserved name in any folder: NUL reads as
    // empty, COM1 waits on the port.
    if (isReservedDeviceName(path)) {
        throw FileError(displayPath(path), "not a regular file");
    }
    // Shared for writing and replacing, so that the game is never held up.
    HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // A folder opens only with backup semantics; without, access is denied.
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            fail(path, EISDIR);
        }
        fail(path, windowsError(error));
    }
    handle_ = handle;
    // A pipe or a console is no file on a disk.
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        close();
        throw FileError(displayPath(path), "not a regular file");
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle, &size) || size.QuadPart < 0) {
        const DWORD error = ::GetLastError();
        close();
        fail(path, windowsError(error));
    }
    size_ = static_cast<std::uintmax_t>(size.QuadPart);
    if (size_ > maxSize) {
        close();
        throw FileError(displayPath(path), tooLargeReason);
    }
    left_ = size_;
}

void PlainFileReader::close() noexcept {
    if (handle_ != nullptr) {
        ::CloseHandle(static_cast<HANDLE>(handle_));
        handle_ = nullptr;
    }
}

std::size_t PlainFileReader::read(char* buffer, std::size_t size) {
    const auto want = static_cast<DWORD>(std::min<std::uintmax_t>({size, left_, 1u << 30}));
    if (want == 0) {
        return 0;
    }
    DWORD got = 0;
    if (!::ReadFile(static_cast<HANDLE>(handle_), buffer, want, &got, nullptr)) {
        fail(path_, windowsError(::GetLastError()));
    }
    left_ = got == 0 ? 0 : left_ - got; // none: the file shrank
    return got;
}
#else
PlainFileReader::PlainFileReader(const std::filesystem::path& path, std::uintmax_t maxSize,
                                 const char* tooLargeReason)
    : path_(path) {
    // O_NONBLOCK: opening a pipe would otherwise wait for a writer.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        fail(path, errno);
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        const int err = errno;
        close();
        fail(path, err);
    }
    if (S_ISDIR(info.st_mode)) {
        close();
        fail(path, EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        close();
        throw FileError(displayPath(path), "not a regular file");
    }
    size_ = static_cast<std::uintmax_t>(info.st_size);
    if (size_ > maxSize) {
        close();
        throw FileError(displayPath(path), tooLargeReason);
    }
    left_ = size_;
}

void PlainFileReader::close() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::size_t PlainFileReader::read(char* buffer, std::size_t size) {
    const auto want = static_cast<std::size_t>(std::min<std::uintmax_t>(size, left_));
    if (want == 0) {
        return 0;
    }
    ssize_t got = 0;
    do {
        got = ::read(fd_, buffer, want);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        fail(path_, errno);
    }
    left_ -= static_cast<std::uintmax_t>(got);
    if (got == 0) {
        left_ = 0; // the file shrank
    }
    return static_cast<std::size_t>(got);
}
#endif

PlainFileReader::~PlainFileReader() {
    close();
}

std::string PlainFileReader::readAll() {
    std::string bytes(static_cast<std::size_t>(left_), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::size_t got = read(bytes.data() + filled, bytes.size() - filled);
        if (got == 0) {
            break;
        }
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

std::string readPlainFile(const std::filesystem::path& path, std::uintmax_t maxSize,
                          const char* tooLargeReason) {
    return PlainFileReader(path, maxSize, tooLargeReason).readAll();
}

} // namespace rivo
