#include "plain_file.h"

#include "file_error.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rivo {

namespace {

[[noreturn]] void fail(const std::filesystem::path& path, int err) {
    throw FileError(displayPath(path), std::error_code(err, std::generic_category()));
}

} // namespace

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
        ::close(fd_);
        fail(path, err);
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(fd_);
        fail(path, EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd_);
        throw FileError(displayPath(path), "not a regular file");
    }
    size_ = static_cast<std::uintmax_t>(info.st_size);
    if (size_ > maxSize) {
        ::close(fd_);
        throw FileError(displayPath(path), tooLargeReason);
    }
    left_ = size_;
}

PlainFileReader::~PlainFileReader() {
    ::close(fd_);
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

std::string readPlainFile(const std::filesystem::path& path, std::uintmax_t maxSize,
                          const char* tooLargeReason) {
    PlainFileReader file(path, maxSize, tooLargeReason);
    std::string bytes(static_cast<std::size_t>(file.size()), '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::size_t got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got == 0) {
            break;
        }
        filled += got;
    }
    bytes.resize(filled);
    return bytes;
}

} // namespace rivo
