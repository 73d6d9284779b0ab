#include "only_on.h"
#include "temp_dir.h"
#include "text_file.h"
#include "wine_paths.h"

#include <gtest/gtest.h>

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TestPrefix;
using test::writeFile;

// A Wine prefix needs its dosdevices links, which Windows does not make.
constexpr const char* kNoPrefix = "Wine-prefix paths are resolved off Windows only";

TEST(WinePathsTest, ResolvesThroughTheDriveLinkIgnoringCase) {
    RIVO_SKIP_ON(Windows, kNoPrefix);
    TestPrefix prefix;
    writeFile(prefix.onC("games/KESTRA/Season1/drivers/akorlan.RCD"), "x");
    WinePaths paths(prefix.root());

    const fs::path host = paths.toHost("C:\\Games\\Kestra\\Season1\\Drivers\\AKorlan.rcd");
    EXPECT_EQ(host, prefix.root() / "dosdevices/c:/games/KESTRA/Season1/drivers/akorlan.RCD");
    EXPECT_EQ(readFile(host), "x");
    // The lower-case drive letter and forward slashes work the same way.
    EXPECT_EQ(paths.toHost("c:/games/kestra/season1/drivers/AKORLAN.rcd"), host);
}

TEST(WinePathsTest, KeepsMissingPartsAsGiven) {
    RIVO_SKIP_ON(Windows, kNoPrefix);
    TestPrefix prefix;
    fs::create_directories(prefix.onC("Games/Kestra"));
    WinePaths paths(prefix.root());
    EXPECT_EQ(paths.toHost("C:\\games\\kestra\\New\\File.ini"),
              prefix.root() / "dosdevices/c:/Games/Kestra/New/File.ini");
}

TEST(WinePathsTest, DoubledBackslashNamesNoFolder) {
    RIVO_SKIP_ON(Windows, kNoPrefix);
    TestPrefix prefix;
    writeFile(prefix.onC("Games/Kestra/config.ini"), "x");
    WinePaths paths(prefix.root());
    EXPECT_EQ(paths.toHost("C:\\Games\\Kestra\\\\config.ini"),
              prefix.root() / "dosdevices/c:/Games/Kestra/config.ini");
}

TEST(WinePathsTest, EightBitNamesAreUtf8OnTheHost) {
    RIVO_SKIP_ON(Windows, kNoPrefix);
    TestPrefix prefix;
    writeFile(prefix.onC("Spiele/M\xC3\xBCller/config.ini"), "x");
    WinePaths paths(prefix.root());
    // Windows-1252 0xDC is the capital U with diaeresis.
    EXPECT_EQ(readFile(paths.toHost("C:\\Spiele\\M\xDCLLER\\config.ini")), "x");
}

TEST(WinePathsTest, WritingReplacesTheFileFoundInAnotherCase) {
    RIVO_SKIP_ON(Windows, kNoPrefix);
    TestPrefix prefix;
    writeFile(prefix.onC("Games/Kestra/CONFIG.INI"), "old");
    WinePaths paths(prefix.root());
    textfile::writeAtomic(paths.toHost("C:\\Games\\Kestra\\config.ini"), "new");
    EXPECT_EQ(readFile(prefix.onC("Games/Kestra/CONFIG.INI")), "new");
    EXPECT_FALSE(fs::exists(prefix.onC("Games/Kestra/config.ini")));
}

TEST(WinePathsTest, PathWithoutDriveIsAHostPath) {
    WinePaths paths("/nowhere");
    EXPECT_EQ(paths.toHost("42\\config.ini"), fs::path("42/config.ini"));
    EXPECT_EQ(paths.toHost("/tmp/sets\\a.rvd"), fs::path("/tmp/sets/a.rvd"));
}

TEST(WinePathsTest, PrefixComesFromWineprefixOrHome) {
    RIVO_SKIP_ON(Windows, "WINEPREFIX and ~/.wine are looked at off Windows only");
    EXPECT_EQ(winePrefixFrom("/opt/prefix", "/home/u"), fs::path("/opt/prefix"));
    EXPECT_EQ(winePrefixFrom("relative", "/home/u"), fs::current_path() / "relative");
    EXPECT_EQ(winePrefixFrom(nullptr, "/home/u"), fs::path("/home/u/.wine"));
    EXPECT_EQ(winePrefixFrom("", nullptr), fs::path());
}

} // namespace
} // namespace rivo
