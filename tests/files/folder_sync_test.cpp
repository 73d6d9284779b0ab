#include "temp_dir.h"
#include "text_file.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <algorithm>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// The folders (device, inode) that this program synced, seen through its own
// fsync, which stands in for the C library's and hands the call on.
std::vector<std::pair<dev_t, ino_t>>& SyncedFolders() {
    static std::vector<std::pair<dev_t, ino_t>> folders;
    return folders;
}

} // namespace

extern "C" int fsync(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        SyncedFolders().emplace_back(st.st_dev, st.st_ino);
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}
#endif

namespace rivo {
namespace {

namespace fs = std::filesystem;

// The rename lives in the folder: until the folder is synced, a power cut can
// bring the old file back. The folder synced is the one the file is in, also
// when the name given is a link from elsewhere.
TEST(FolderSyncTest, TheFoldersRenameIsSyncedAfterTheWrite) {
#ifndef __linux__
    GTEST_SKIP() << "the folder sync is seen through Linux's fsync";
#else
    test::TempDir dir;
    fs::create_directories(dir / "game");
    fs::create_directories(dir / "links");
    fs::create_symlink(dir / "game" / "linked.rcd", dir / "links" / "link.rcd");
    auto synced = [](const fs::path& folder) {
        struct stat st {};
        ::stat(folder.c_str(), &st);
        const auto& all = SyncedFolders();
        return std::find(all.begin(), all.end(), std::make_pair(st.st_dev, st.st_ino)) != all.end();
    };
    for (const fs::path& target : {dir / "game" / "config.ini", dir / "links" / "link.rcd"}) {
        SyncedFolders().clear();
        textfile::writeAtomic(target, "new");
        EXPECT_TRUE(synced(dir / "game")) << target;
        EXPECT_FALSE(synced(dir / "links")) << target;
    }
#endif
}

} // namespace
} // namespace rivo
