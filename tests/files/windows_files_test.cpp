#include "device_names.h"
#include "file_error.h"
#include "native_system.h"
#include "only_on.h"
#include "temp_dir.h"
#include "text_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

// Files as Windows has them: device names, files other programs hold open,
// the read-only attribute, names in any letter case.
namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;
using ::testing::ElementsAre;

TEST(DeviceNamesTest, WindowsDeviceNamesInEveryForm) {
    for (const char* name :
         {"NUL", "nul", "CON", "PRN", "aux", "COM1", "com9", "LPT1", "Lpt9", "COM1.rvd",
          "nul.tar.gz", "NUL.", "nul. .", "CON .rvd", "COM1 ", "conin$", "CONOUT$", "AUX:"}) {
        EXPECT_TRUE(isReservedDeviceName(fs::path("sets") / name)) << name;
    }
    EXPECT_TRUE(isReservedDeviceName(fs::path(u8"COM\u00B9.rvd")));
    for (const char* name : {"", "NULL", "NU", "COM", "COM0", "COM10", "LPT0", "nul1.rvd", "xnul",
                             "my.nul", "CONSOLE", "a.rvd", ".nul"}) {
        EXPECT_FALSE(isReservedDeviceName(fs::path("sets") / name)) << name;
    }
}

// Reading or writing a device name reaches the device, not a file in the
// folder: the empty NUL would reset every driver, COM1 would block or fail
// oddly, and a write to NUL would report a save that did not happen.
TEST(WindowsFilesTest, DeviceNamesAreRefusedAsNotARegularFile) {
    RIVO_SKIP_ON(Posix, "only Windows gives these names to devices");
    TempDir dir;
    for (const char* name : {"NUL", "con", "COM1.rvd", "lpt2.rvd", "nul. "}) {
        for (bool writing : {false, true}) {
            try {
                if (writing) {
                    textfile::writeAtomic(dir / name, "record");
                } else {
                    textfile::readBytes(dir / name);
                }
                ADD_FAILURE() << name << (writing ? " was written" : " was read");
            } catch (const FileError& e) {
                EXPECT_EQ(e.reason(), "not a regular file") << name;
            }
        }
    }
    EXPECT_TRUE(test::FileNames(dir.path()).empty());
}

TEST(WindowsFilesTest, FileHeldOpenByAnotherProgramFailsWithAReason) {
    RIVO_SKIP_ON(Posix, "POSIX has no files opened without sharing");
    TempDir dir;
    const fs::path target = dir / "config.ini";
    writeFile(target, "old");
#ifdef _WIN32
    // As another program may hold it: open, and share it with no one.
    HANDLE held = CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    for (bool writing : {false, true}) {
        try {
            if (writing) {
                textfile::writeAtomic(target, "new");
            } else {
                textfile::readBytes(target);
            }
            ADD_FAILURE() << (writing ? "written" : "read") << " while held open";
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), target.string());
            EXPECT_FALSE(e.reason().empty());
        }
    }
    CloseHandle(held);
#endif
    EXPECT_EQ(readFile(target), "old");
    EXPECT_THAT(test::FileNames(dir.path()), ElementsAre("config.ini"));
}

TEST(WindowsFilesTest, ReadOnlyFileIsNotReplaced) {
    RIVO_SKIP_ON(Posix, "the read-only attribute is Windows only");
    TempDir dir;
    const fs::path target = dir / "config.ini";
    writeFile(target, "old");
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        textfile::writeAtomic(target, "new");
        ADD_FAILURE() << "a read-only file was replaced";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), target.string());
        EXPECT_FALSE(e.reason().empty());
    }
    EXPECT_EQ(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY,
              DWORD{FILE_ATTRIBUTE_READONLY});
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
    EXPECT_EQ(readFile(target), "old");
    EXPECT_THAT(test::FileNames(dir.path()), ElementsAre("config.ini"));
}

TEST(WindowsFilesTest, NativePathInAnotherLetterCaseReadsAndReplacesTheFile) {
    RIVO_SKIP_ON(Posix, "native game paths with drive letters are Windows only");
    TempDir dir;
    writeFile(dir / "Kestra" / "CONFIG.INI", "old");
    // The game path as the registry and config.ini would give it, in
    // another case than the files on disk.
    const std::string gamePath = dir.path().string() + "\\kestra\\Config.ini";
    const auto paths = test::nativePaths();
    const fs::path host = paths->toHost(gamePath);
    EXPECT_EQ(textfile::readBytes(host), "old");
    textfile::writeAtomic(host, "new");
    EXPECT_EQ(readFile(dir / "Kestra" / "CONFIG.INI"), "new");
    EXPECT_THAT(test::FileNames(dir / "Kestra"), ElementsAre("CONFIG.INI"));
}

// What Windows keeps of a file beyond its bytes stays when it is replaced:
// here its attributes (its security descriptor and streams only real
// Windows keeps; Wine has neither).
TEST(WindowsFilesTest, AReplacedFileKeepsItsAttributes) {
    RIVO_SKIP_ON(Posix, "file attributes are Windows'");
#ifdef _WIN32
    TempDir dir;
    const fs::path target = dir / "config.ini";
    writeFile(target, "old");
    constexpr DWORD kSet = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), kSet));
    textfile::writeAtomic(target, "new");
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(GetFileAttributesW(target.c_str()) & kSet, kSet);
    EXPECT_THAT(test::FileNames(dir.path()), ElementsAre("config.ini"));
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
}

} // namespace
} // namespace rivo
