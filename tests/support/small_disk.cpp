#include "small_disk.h"

#include <cerrno>
#include <cstring>
#include <string>

#ifdef __linux__
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace rivo::test {

namespace fs = std::filesystem;

#ifdef __linux__
namespace {
std::string failed(const char* what) {
    return std::string(what) + " failed: " + std::strerror(errno);
}
} // namespace

SmallDisk::SmallDisk(const fs::path& folder, std::size_t bytes) : folder_(folder) {
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        whyNot_ = failed("mounting a tmpfs");
    }
}

SmallDisk::~SmallDisk() {
    if (mounted()) {
        ::umount2(folder_.c_str(), MNT_DETACH);
    }
}

bool SmallDisk::fillLeaving(int pages) {
    const fs::path filler = folder_ / "filler";
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        whyNot_ = failed("making the filler file");
        return false;
    }
    const std::string page(4096, 'f');
    off_t size = 0;
    for (;;) {
        const ssize_t n = ::write(fd, page.data(), page.size());
        if (n <= 0) {
            break;
        }
        size += n;
    }
    const bool ok = errno == ENOSPC && ::ftruncate(fd, size - 4096 * pages) == 0;
    if (!ok) {
        whyNot_ = failed("filling the disk");
    }
    ::close(fd);
    return ok;
}

bool SmallDisk::makeReadOnly() {
    if (::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        whyNot_ = failed("remounting the tmpfs read-only");
        return false;
    }
    return true;
}
#else
SmallDisk::SmallDisk(const fs::path& folder, std::size_t)
    : folder_(folder), whyNot_("mounting a tmpfs needs Linux") {}
SmallDisk::~SmallDisk() = default;
bool SmallDisk::fillLeaving(int) {
    return false;
}
bool SmallDisk::makeReadOnly() {
    return false;
}
#endif

} // namespace rivo::test
