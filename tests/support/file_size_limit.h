#pragma once

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace rivo::test {

#ifndef _WIN32
// While it lives, no file of this process may grow beyond `bytes`: writes
// past it fail with EFBIG, as on a full disk. Root is not exempt, unlike
// permission bits.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};
#else
// Windows has no limit on a process's file size: the tests that use one skip
// there (RIVO_SKIP_ON), and this stands in so that they still compile.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long long) {}
};
#endif

// Why a test that needs FileSizeLimit skips on Windows.
inline constexpr const char* kNoFileSizeLimit = "Windows has no per-process file size limit";

} // namespace rivo::test
