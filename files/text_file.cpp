#include "text_file.h"

#include "device_names.h"
#include "file_error.h"
#include "plain_file.h"

#include <cerrno>
#include <random>

#ifdef _WIN32
#include "windows_api.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace rivo::textfile {

namespace fs = std::filesystem;

namespace {

// Windows opens a device for a reserved name (NUL, COM1.rvd) in any folder:
// NUL reads as empty and swallows writes, COM1 waits on the port.
void refuseDeviceName([[maybe_unused]] const fs::path& path,
                      [[maybe_unused]] const std::string& shown) {
#ifdef _WIN32
    if (isReservedDeviceName(path)) {
        throw FileError(shown, "not a regular file");
    }
#endif
}

} // namespace

std::string readBytes(const fs::path& path, std::uintmax_t maxSize, const char* tooLargeReason) {
    return readPlainFile(path, maxSize, tooLargeReason);
}

std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines.emplace_back(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < n) {
        lines.emplace_back(bytes.substr(start));
    }
    return lines;
}

std::vector<std::string> readLines(const fs::path& path) {
    return splitLines(readBytes(path));
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

namespace {

std::error_code lastError() {
    return {errno, std::generic_category()};
}

#ifdef _WIN32
int openExclusive(const fs::path& p) {
    // Writable: a read-only temporary file could not be removed after a
    // failed rename.
    return ::_wopen(p.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int writeSome(int fd, const char* data, std::size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(size));
}
int syncFile(int fd) {
    return ::_commit(fd);
}
int closeFile(int fd) {
    return ::_close(fd);
}
// The attributes stay Windows' own: nothing is copied onto the temporary file.
void copyMode(int, fs::perms) {}
// The new file's owner follows the folder's rules, as for any new file.
void copyOwner(int, const fs::path&) {}

void refuseReadOnly(const fs::path& target, const std::string& shown) {
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        throw FileError(shown, ReadOnlyAdvice(target));
    }
}

std::error_code lastWindowsError() {
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

// The new file in the old one's place. An existing file is replaced with
// ReplaceFileW, which keeps what Windows keeps of a file beyond its bytes:
// its attributes (hidden, archive, not indexed), its own security
// descriptor, its creation time and its alternate data streams. The old file
// is moved aside until the new one is in place, and put back should the new
// one fail to take its name. A new file is moved into place write-through.
std::error_code replaceWith(const fs::path& temp, const fs::path& target) {
    if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            return {};
        }
        return lastWindowsError();
    }
    // The new file takes the name it is given: the one the folder holds,
    // not the game's spelling of it in another letter case.
    fs::path replaced = target;
    WIN32_FIND_DATAW found{};
    if (const HANDLE search = ::FindFirstFileW(target.c_str(), &found);
        search != INVALID_HANDLE_VALUE) {
        ::FindClose(search);
        replaced = target.parent_path() / found.cFileName;
    }
    // ReplaceFileW carries the attributes over on Windows, not under Wine:
    // the new file gets them first.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (const DWORD attributes = ::GetFileAttributesW(replaced.c_str());
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept) != 0) {
        ::SetFileAttributesW(temp.c_str(), attributes & kKept);
    }
    fs::path backup = temp;
    backup += L".old";
    if (::ReplaceFileW(replaced.c_str(), temp.c_str(), backup.c_str(),
                       REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                       nullptr)) {
        ::DeleteFileW(backup.c_str());
        // The rename on the disk before this returns, as write-through would.
        const HANDLE file = ::CreateFileW(replaced.c_str(), GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::FlushFileBuffers(file);
            ::CloseHandle(file);
        }
        return {};
    }
    const std::error_code error = lastWindowsError();
    // Only here did the old file go aside (and the new one could not take
    // its name): it goes back. Should that fail too, it stays beside the
    // target as ".rivo-....tmp.old" rather than be lost.
    if (error.value() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
        !::MoveFileExW(backup.c_str(), replaced.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return std::error_code(static_cast<int>(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2),
                               std::system_category());
    }
    return error;
}

std::error_code syncFolder(const fs::path&) {
    return {}; // MOVEFILE_WRITE_THROUGH did it
}
#else
int openExclusive(const fs::path& p) {
    return ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
ssize_t writeSome(int fd, const char* data, std::size_t size) {
    return ::write(fd, data, size);
}
int syncFile(int fd) {
    return ::fsync(fd);
}
int closeFile(int fd) {
    return ::close(fd);
}
// The target's permission bits, which always hold a write bit here (a
// read-only target is refused), so the temporary file stays an ordinary
// file. A file system without modes refuses; the new file then has its own.
void copyMode(int fd, fs::perms perms) {
    (void)::fchmod(fd, static_cast<mode_t>(perms & fs::perms::mask));
}

// The replaced file's owner and group, so that a save made as another user
// (root, say) does not take the file away from the game's player. Root may
// give both, any other user only a group it belongs to. Where neither is
// allowed the new file keeps this user's, as any new file would. Done before
// the mode: a change of owner clears the set-user and set-group bits.
void copyOwner(int fd, const fs::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        return;
    }
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
        (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
    }
}

// No write bit for anyone marks a file read-only (Wine's DOS read-only
// attribute is exactly that), and root, whom access() lets write anyway,
// must respect it too.
void refuseReadOnly(const fs::path& target, const std::string& shown) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        return; // nothing there to keep
    }
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        throw FileError(shown, ReadOnlyAdvice(target));
    }
    if (::access(target.c_str(), W_OK) != 0) {
        if (errno == EACCES || errno == EPERM) {
            throw FileError(shown, ReadOnlyAdvice(target));
        }
        throw FileError(shown, lastError()); // e.g. a read-only file system
    }
}

std::error_code replaceWith(const fs::path& temp, const fs::path& target) {
    if (::rename(temp.c_str(), target.c_str()) == 0) {
        return {};
    }
    return lastError();
}

// The rename lives in the folder: until the folder is on the disk, a power
// cut can bring the old file back. Some file systems cannot sync a folder.
std::error_code syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return {}; // a folder that cannot be opened cannot be synced either
    }
    std::error_code result;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EOPNOTSUPP) {
        result = lastError();
    }
    ::close(fd);
    return result;
}
#endif

// Removes the temporary file unless the rename has taken it over.
class TempFile {
public:
    explicit TempFile(fs::path path) : path_(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!path_.empty()) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }
    const fs::path& path() const { return path_; }
    void release() { path_.clear(); }

private:
    fs::path path_;
};

// The file a link points at, through any number of links; the target itself
// when it is no link. A link to nothing gives the name it points at. A loop
// fails with the system's reason, and the link is left as it is.
fs::path followLinks(const fs::path& target, const std::string& shown) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(target, ec))) {
        return target;
    }
    (void)fs::status(target, ec);
    if (ec == std::errc::too_many_symbolic_link_levels) {
        throw FileError(shown, ec);
    }
    fs::path p = target;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
        fs::path next = fs::read_symlink(p, ec);
        if (ec || hops == 40) {
            throw FileError(
                shown, ec ? ec : std::make_error_code(std::errc::too_many_symbolic_link_levels));
        }
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p;
}

} // namespace

void removeFile(const fs::path& requested, const std::function<void()>& beforeRemove) {
    const std::string shown = displayPath(requested);
    refuseDeviceName(requested, shown);
    const fs::path target = followLinks(requested, shown);
    std::error_code ec;
    const auto status = fs::status(target, ec);
    if (!fs::exists(status)) {
        return;
    }
    if (!fs::is_regular_file(status)) {
        throw FileError(shown, "not a regular file");
    }
    refuseReadOnly(target, shown);
    if (beforeRemove) {
        beforeRemove();
    }
    if (!fs::remove(target, ec) && ec) {
        throw FileError(shown, ec);
    }
    fs::path folder = target.parent_path();
    if (const auto err = syncFolder(folder.empty() ? fs::path(".") : folder)) {
        throw FileError(shown, "the file was removed, but its folder could not be synced: " +
                                   err.message());
    }
}

namespace {

// Writes all of `bytes` to `fd`, then syncs and closes it; closes it on a
// failure too. `beforeSync` may still change the open file. Throws FileError
// naming `shown`.
void writeSyncClose(int fd, std::string_view bytes, const std::string& shown,
                    const std::function<void(int)>& beforeSync = {}) {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const auto written = writeSome(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            const auto err = lastError();
            closeFile(fd);
            throw FileError(shown, err);
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (beforeSync) {
        beforeSync(fd);
    }
    if (syncFile(fd) != 0) {
        const auto err = lastError();
        closeFile(fd);
        throw FileError(shown, err);
    }
    if (closeFile(fd) != 0) {
        throw FileError(shown, lastError());
    }
}

} // namespace

void writeNew(const fs::path& target, std::string_view bytes) {
    const std::string shown = displayPath(target);
    refuseDeviceName(target, shown);
    const int fd = openExclusive(target);
    if (fd < 0) {
        throw FileError(shown, lastError());
    }
    // Made here, so ours to remove should it not be written whole.
    TempFile made(target);
    writeSyncClose(fd, bytes, shown);
    made.release();
    fs::path folder = target.parent_path();
    if (const auto err = syncFolder(folder.empty() ? fs::path(".") : folder)) {
        throw FileError(shown,
                        "the file was made, but its folder could not be synced: " + err.message());
    }
}

void writeAtomic(const fs::path& requested, std::string_view bytes,
                 const std::function<void()>& beforeReplace) {
    const std::string shown = displayPath(requested);
    refuseDeviceName(requested, shown);
    const fs::path target = followLinks(requested, shown);
    std::error_code ec;
    const auto status = fs::status(target, ec);
    if (fs::is_directory(status)) {
        throw FileError(shown, std::make_error_code(std::errc::is_a_directory));
    }
    const bool exists = fs::exists(status);
    if (exists && !fs::is_regular_file(status)) {
        throw FileError(shown, "not a regular file");
    }
    if (exists) {
        refuseReadOnly(target, shown);
    }

    fs::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    // A unique name beside the target, so that the rename stays in one file
    // system. It does not grow with the target's name, which may already be
    // as long as the file system allows.
    static std::mt19937_64 random{std::random_device{}()};
    int fd = -1;
    fs::path tempPath;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        tempPath = folder / (".rivo-" + std::to_string(random() % 1000000000) + ".tmp");
        fd = openExclusive(tempPath);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        throw FileError(shown, lastError());
    }
    TempFile temp(tempPath);

    writeSyncClose(fd, bytes, shown, [&](int file) {
        if (exists) {
            copyOwner(file, target);
            copyMode(file, status.permissions());
        }
    });
    // The last look before the target is gone; what it throws leaves the
    // target as it is.
    if (beforeReplace) {
        beforeReplace();
    }
    if (const auto err = replaceWith(temp.path(), target)) {
        throw FileError(shown, err);
    }
    temp.release();
    if (const auto err = syncFolder(folder)) {
        // The new file is in place but may not survive a power cut: not
        // counted as saved.
        throw FileError(shown, "the file was replaced, but its folder could not be synced: " +
                                   err.message());
    }
}

std::string ReadOnlyAdvice(const fs::path& target) {
    std::string text = kReadOnlyReason;
#ifdef _WIN32
    (void)target;
    text += ". To save it, clear \"Read-only\" in the file's Properties, then save again.";
#else
    // The file's real place, not the link (a Wine drive letter) on the way.
    std::error_code failed;
    const fs::path real = fs::weakly_canonical(target, failed);
    std::string quoted = "'";
    for (const char c : (failed ? target : real).string()) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    quoted += "'";
    text += ". To save it, make it writable (chmod u+w " + quoted + "), then save again.";
#endif
    return text;
}

} // namespace rivo::textfile
