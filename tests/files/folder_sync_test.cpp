#include "temp_dir.h"
#include "text_file.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <algorithm>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

// What this program did to the disk, in order, seen through its own fsync
// and rename, which stand in for the C library's and hand the call on.
struct DiskStep {
    enum Kind { SyncedFile, SyncedFolder, Renamed } kind;
    dev_t device; // of the file or folder synced; of the file renamed
    ino_t inode;
};

std::vector<DiskStep>& DiskSteps() {
    static std::vector<DiskStep> steps;
    return steps;
}

} // namespace

extern "C" int fsync(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
        DiskSteps().push_back({S_ISDIR(st.st_mode) ? DiskStep::SyncedFolder : DiskStep::SyncedFile,
                               st.st_dev, st.st_ino});
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int rename(const char* from, const char* to) {
    struct stat st {};
    const bool seen = ::lstat(from, &st) == 0;
#ifdef SYS_renameat2
    const auto result = ::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, 0);
#else
    const auto result = ::syscall(SYS_renameat, AT_FDCWD, from, AT_FDCWD, to);
#endif
    if (result == 0 && seen) {
        DiskSteps().push_back({DiskStep::Renamed, st.st_dev, st.st_ino});
    }
    return static_cast<int>(result);
}
#endif

namespace rivo {
namespace {

namespace fs = std::filesystem;

// A new file replaces the old one safely only in this order: its bytes are
// on the disk, then it takes the old one's name, then the folder that holds
// the name is on the disk (until then a power cut can bring the old file
// back). The folder synced is the one the file is in, also when the name
// given is a link from elsewhere.
TEST(FolderSyncTest, TheFileIsSyncedThenRenamedThenItsFolderSynced) {
#ifndef __linux__
    GTEST_SKIP() << "the syncs are seen through Linux's fsync";
#else
    test::TempDir dir;
    fs::create_directories(dir / "game");
    fs::create_directories(dir / "links");
    fs::create_symlink(dir / "game" / "linked.rcd", dir / "links" / "link.rcd");
    const auto identity = [](const fs::path& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
        return std::make_pair(st.st_dev, st.st_ino);
    };
    const auto where = [](DiskStep::Kind kind, std::pair<dev_t, ino_t> of) {
        const auto& all = DiskSteps();
        const auto found = std::find_if(all.begin(), all.end(), [&](const DiskStep& step) {
            return step.kind == kind && step.device == of.first && step.inode == of.second;
        });
        return found == all.end() ? -1 : static_cast<int>(found - all.begin());
    };
    for (const fs::path& target : {dir / "game" / "config.ini", dir / "links" / "link.rcd"}) {
        for (const char* bytes : {"new", "newer"}) { // made, then replaced
            DiskSteps().clear();
            textfile::writeAtomic(target, bytes);
            const auto file = identity(target); // the temporary file, renamed
            const int synced = where(DiskStep::SyncedFile, file);
            const int renamed = where(DiskStep::Renamed, file);
            const int folderSynced = where(DiskStep::SyncedFolder, identity(dir / "game"));
            EXPECT_GE(synced, 0) << target;
            EXPECT_GT(renamed, synced) << target;
            EXPECT_GT(folderSynced, renamed) << target;
            EXPECT_EQ(where(DiskStep::SyncedFolder, identity(dir / "links")), -1) << target;
        }
    }
#endif
}

} // namespace
} // namespace rivo
