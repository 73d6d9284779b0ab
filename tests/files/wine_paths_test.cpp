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

struct DotsCase {
    const char* gamePath;
    const char* onC; // where it lands, below drive_c
};

class WinePathDotsTest : public ::testing::TestWithParam<DotsCase> {};

// ".." stops at the drive's root, as on Windows: a path from the registry or
// config.ini never leaves the drive through its link.
TEST_P(WinePathDotsTest, DotsStayOnTheDrive) {
    RIVO_SKIP_ON(Windows, kNoPrefix);
    TestPrefix prefix;
    fs::create_directories(prefix.onC("Games/Kestra"));
    WinePaths paths(prefix.root());
    EXPECT_EQ(paths.toHost(GetParam().gamePath), prefix.root() / "dosdevices/c:" / GetParam().onC);
}

INSTANTIATE_TEST_SUITE_P(Paths, WinePathDotsTest,
                         ::testing::Values(DotsCase{"C:\\..\\..\\etc\\passwd", "etc/passwd"},
                                           DotsCase{"C:\\Games\\..\\..\\..\\..\\x.ini", "x.ini"},
                                           DotsCase{
                                               "C:\\Games\\Kestra\\..\\.\\Kestra\\.\\config.ini",
                                               "Games/Kestra/config.ini"},
                                           DotsCase{"C:\\..\\config.ini", "config.ini"}));

TEST(WinePathsTest, EightBitNamesAreUtf8OnTheHost) {
    RIVO_SKIP_ON(Windows, kNoPrefix);
    TestPrefix prefix;
    writeFile(prefix.onC("Spiele/M\xC3\xBCller/config.ini"), "x");
    WinePaths paths(prefix.root());
    // Windows-1252 0xDC is the capital U with diaeresis.
    EXPECT_EQ(readFile(paths.toHost("C:\\Spiele\\M\xDCLLER\\config.ini")), "x");
}

TEST(WinePathsTest, PathWithoutDriveIsAHostPath) {
    WinePaths paths("/nowhere");
    EXPECT_EQ(paths.toHost("42\\config.ini"), fs::path("42/config.ini"));
    EXPECT_EQ(paths.toHost("/tmp/sets\\a.rvd"), fs::path("/tmp/sets/a.rvd"));
}

// The way back: a host folder to the game path under which Wine shows it.
TEST(WinePathsTest, AHostFolderIsNamedThroughTheDriveThatHoldsItMostClosely) {
    RIVO_SKIP_ON(Windows, kNoPrefix);
    TestPrefix prefix;
    test::TempDir elsewhere;
    const fs::path devices = prefix.root() / "dosdevices";
    fs::create_directories(prefix.onC("Games/Kestra"));
    fs::create_directories(prefix.onC("Spiele/M\xC3\xBCller"));
    fs::create_directories(prefix.onC("\xD0\x96")); // Cyrillic, not in Windows-1252
    fs::create_directories(elsewhere / "cd/Kestra");
    fs::create_directories(elsewhere / "outside");
    fs::create_directory_symlink(elsewhere / "cd", devices / "d:");
    fs::create_directory_symlink("../drive_c", devices / "e:"); // a second letter for drive_c
    fs::create_directory_symlink(elsewhere / "gone", devices / "f:");
    writeFile(devices / "com1", "");
    fs::create_directory_symlink(prefix.onC("Games"), elsewhere / "link");
    WinePaths paths(prefix.root());
    struct Row {
        fs::path host;
        std::optional<std::string> game;
    };
    const Row rows[] = {
        {prefix.onC("Games/Kestra"), "C:\\Games\\Kestra"},
        {prefix.onC("Games/Kestra/"), "C:\\Games\\Kestra"},
        {prefix.onC("Games/../Games/Kestra"), "C:\\Games\\Kestra"},
        {prefix.driveC(), "C:\\"},
        {elsewhere / "cd/Kestra", "D:\\Kestra"},
        {elsewhere / "link/Kestra", "C:\\Games\\Kestra"},
        {prefix.onC("Spiele/M\xC3\xBCller"), "C:\\Spiele\\M\xFCller"},
        {prefix.onC("\xD0\x96"), std::nullopt},
        {elsewhere / "outside", std::nullopt},
        {prefix.onC("Games/Missing"), std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(paths.toGame(row.host), row.game) << row.host;
    }
    // z: leads to the root, so every folder has a path; drive_c's own letter
    // still wins inside it.
    fs::create_directory_symlink("/", devices / "z:");
    const fs::path outside = fs::canonical(elsewhere / "outside");
    std::string expected = "Z:";
    for (const fs::path& part : outside.relative_path()) {
        expected += "\\" + part.string();
    }
    EXPECT_EQ(paths.toGame(elsewhere / "outside"), expected);
    EXPECT_EQ(paths.toGame(prefix.onC("Games/Kestra")), "C:\\Games\\Kestra");
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
