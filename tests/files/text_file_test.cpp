#include "file_error.h"
#include "only_on.h"
#include "temp_dir.h"
#include "text_file.h"

#include <atomic>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct SplitCase {
    std::string bytes;
    std::vector<std::string> lines;
};

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(textfile::splitLines(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SplitLinesTest,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"a", {"a"}}, SplitCase{"a\r\n", {"a"}},
                      SplitCase{"a\r\nb", {"a", "b"}}, SplitCase{"a\rb\r", {"a", "b"}},
                      SplitCase{"a\nb\n", {"a", "b"}}, SplitCase{"a\r\n\r\n", {"a", ""}},
                      SplitCase{"a\n\rb", {"a", "", "b"}}, SplitCase{"\r\n", {""}},
                      SplitCase{"\r\r\n\n", {"", "", ""}},
                      SplitCase{std::string("x\0y\r\nz", 6), {std::string("x\0y", 3), "z"}},
                      SplitCase{"\xEF\xBB\xBFkey=v\r\n", {"\xEF\xBB\xBFkey=v"}}));

TEST(TextFileTest, ReadsBinaryGarbageAndLongLinesByteForByte) {
    TempDir dir;
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    bytes += std::string((1 << 20) - 256, 'x'); // 1 MiB, the most that is read
    writeFile(dir / "f.bin", bytes);
    EXPECT_EQ(textfile::readBytes(dir / "f.bin"), bytes);
    const auto lines = textfile::readLines(dir / "f.bin");
    ASSERT_EQ(lines.size(), 3u); // split at byte 10 (LF) and byte 13 (CR)
    EXPECT_EQ(lines[2].size(), (1u << 20) - 14u);
}

TEST(TextFileTest, ReadFailuresNameTheFileAndTheReason) {
    TempDir dir;
    fs::create_directory(dir / "folder");
    for (const fs::path& p : {dir / "missing.ini", dir / "folder", dir / "no" / "such.ini"}) {
        try {
            textfile::readBytes(p);
            ADD_FAILURE() << "read of " << p << " succeeded";
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), p.string());
            EXPECT_FALSE(e.reason().empty());
            EXPECT_THAT(e.what(), HasSubstr(p.string()));
        }
    }
}

TEST(TextFileTest, PipesDevicesAndLargeFilesAreRefusedNotRead) {
    TempDir dir;
    std::vector<std::string> names{"large.rvd", "huge.rvd"};
#ifndef _WIN32
    ASSERT_EQ(::mkfifo((dir / "pipe.rvd").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero.rvd");
    names.insert(names.end(), {"pipe.rvd", "zero.rvd"});
#endif
    // Sparse: take no room on disk. One byte over 1 MiB is refused at once,
    // and so is a file far larger than memory (64 GiB: Wine cannot make a
    // sparse file of a terabyte).
    writeFile(dir / "large.rvd", "");
    fs::resize_file(dir / "large.rvd", (1u << 20) + 1);
    writeFile(dir / "huge.rvd", "");
    fs::resize_file(dir / "huge.rvd", std::uintmax_t{1} << 36);
    for (const std::string& name : names) {
        try {
            textfile::readBytes(dir / name);
            ADD_FAILURE() << name << " was read";
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), (dir / name).string());
            EXPECT_FALSE(e.reason().empty());
            if (name == "large.rvd") {
                EXPECT_EQ(e.reason(), "the file is larger than 1 MiB, the most RivoEdit reads");
            }
        }
    }
}

// Another program swaps the file for a pipe and back while it is read: the
// reader never waits on the pipe, and says what it found.
TEST(TextFileTest, AFileSwappedForAPipeIsRefusedNotWaitedOn) {
    RIVO_SKIP_ON(Windows, "pipes in a folder are POSIX only");
#ifndef _WIN32
    TempDir dir;
    writeFile(dir / "file.rvd", "record");
    ASSERT_EQ(::mkfifo((dir / "pipe.rvd").c_str(), 0600), 0);
    fs::create_symlink("file.rvd", dir / "target.rvd");
    std::atomic<bool> done = false;
    std::thread swapper([&] {
        for (int i = 0; !done; ++i) {
            fs::create_symlink(i % 2 ? "file.rvd" : "pipe.rvd", dir / "next");
            fs::rename(dir / "next", dir / "target.rvd");
            // Lets go a reader that waits on the pipe.
            if (const int fd = ::open((dir / "pipe.rvd").c_str(), O_WRONLY | O_NONBLOCK); fd >= 0) {
                ::close(fd);
            }
        }
    });
    int wrong = 0;
    for (int i = 0; i < 3000; ++i) {
        try {
            wrong += textfile::readBytes(dir / "target.rvd") != "record";
        } catch (const FileError& e) {
            wrong += e.reason() != "not a regular file";
        }
    }
    done = true;
    swapper.join();
    EXPECT_EQ(wrong, 0);
#endif
}

TEST(TextFileTest, JoinEndsEveryLineWithCrLf) {
    EXPECT_EQ(textfile::joinCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(textfile::joinCrLf({}), "");
}

TEST(WriteAtomicTest, CreatesAndReplacesAndKeepsPermissionBits) {
    RIVO_SKIP_ON(
        Windows,
        "Windows keeps no POSIX permission bits (the read-only attribute has its own test)");
    TempDir dir;
    const fs::path target = dir / "config.ini";
    textfile::writeAtomic(target, "first");
    EXPECT_EQ(readFile(target), "first");

    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    textfile::writeAtomic(target, std::string("second\0", 7));
    EXPECT_EQ(readFile(target), std::string("second\0", 7));
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_THAT(test::FileNames(dir.path()), ElementsAre("config.ini"));
}

TEST(WriteAtomicTest, ANameAsLongAsTheSystemAllowsCanBeWritten) {
    TempDir dir;
    // 255 bytes is the longest name common file systems take.
    const fs::path target = dir / (std::string(251, 'n') + ".rvd");
    textfile::writeAtomic(target, "first");
    textfile::writeAtomic(target, "second");
    EXPECT_EQ(readFile(target), "second");
    EXPECT_EQ(test::FileNames(dir.path()).size(), 1u);
}

TEST(WriteAtomicTest, NewFileGetsTheUsualPermissions) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no umask";
#else
    TempDir dir;
    const mode_t old = ::umask(022);
    textfile::writeAtomic(dir / "new.ini", "x");
    ::umask(old);
    EXPECT_EQ(fs::status(dir / "new.ini").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
#endif
}

} // namespace
} // namespace rivo
