#include "driver_test_game.h"
#include "native_system.h"
#include "only_on.h"
#include "rivoconfig.h"
#include "sample_game.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::RecordFileText;
using test::SampleRecord;
using test::writeFile;

// The game as scripts/test-windows installs it in its Wine prefix: the
// install folder the registry names (with a Windows-1252 letter) is made on
// C: here, then read and written through the program's Windows backends.
class WindowsGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        RIVO_SKIP_ON(Posix, test::kNoWindowsRegistry);
        if (!test::scriptRegistryValuesThere()) {
            GTEST_SKIP() << test::kNoScriptRegistryValues;
        }
        registry = test::nativeRegistry();
        paths = test::nativePaths();
        LocateInstallDir(*registry, window, InstallDir);
        ASSERT_FALSE(InstallDir.empty());
        folder = paths->toHost(InstallDir);
        writeFile(folder / "config.ini", test::SampleConfig());
        for (int row = 0; row < kDriverRows; ++row) {
            writeFile(driverFile(row), RecordFileText(SampleRecord(row)));
        }
    }
    void TearDown() override {
        if (!folder.empty()) {
            fs::remove_all(folder);
        }
    }
    fs::path driverFile(int row) const {
        return folder / "Season 1" / "Drivers" / (DriverRoster::BaseName(row) + ".rcd");
    }

    std::unique_ptr<reg::RegistryApi> registry;
    std::unique_ptr<GamePaths> paths;
    test::RecordingWindow window;
    std::string InstallDir;
    fs::path folder;
};

TEST_F(WindowsGameTest, SettingsAndDriversRoundTripThroughNativePaths) {
    // The folder's name on disk carries the letter as Unicode.
    EXPECT_TRUE(fs::exists(fs::path(L"C:\\Spiele\\Kestra M\u00FCller\\config.ini")));

    std::string ConfigFilePath;
    GameSettings settings;
    LoadConfig(*paths, InstallDir, ConfigFilePath, settings);
    EXPECT_EQ(ConfigFilePath, InstallDir + "\\config.ini");
    EXPECT_EQ(settings.SeasonDir, "Season 1");
    UnsavedWork unsaved{true, false};
    SaveConfig(*paths, ConfigFilePath, settings, unsaved);
    EXPECT_EQ(readFile(folder / "config.ini"), test::SampleConfig());

    const GameDriverFolder game{*paths, InstallDir, settings.SeasonDir};
    DriverRoster roster;
    AllowedKeysTable AllowedKeys;
    ImportDrivers({}, game, roster, AllowedKeys, window);
    EXPECT_TRUE(window.messages.empty());
    for (int row = 0; row < kDriverRows; ++row) {
        EXPECT_EQ(roster[row], SampleRecord(row));
    }
    roster[5][DriverField::Age] = "55";
    DriverRowSet edited;
    EXPECT_TRUE(ExportDrivers({}, game, roster, edited).empty());
    EXPECT_EQ(readFile(driverFile(5)), RecordFileText(roster[5]));

    const fs::path set = folder / "season.rvd";
    EXPECT_TRUE(ExportDrivers(set, game, roster, edited).empty());
    DriverRoster back;
    ImportDrivers(set, game, back, AllowedKeys, window);
    EXPECT_EQ(back, roster);
    EXPECT_TRUE(window.messages.empty());
}

class WindowsDeviceSetFileTest : public test::DriverGameTest {};

// NUL read as an empty set file would reset every row to its defaults.
TEST_F(WindowsDeviceSetFileTest, DeviceNameChosenAsSetFileIsRefused) {
    RIVO_SKIP_ON(Posix, "only Windows gives these names to devices");
    for (int row = 0; row < kDriverRows; ++row) {
        roster[row] = SampleRecord(row);
    }
    for (const char* name : {"NUL", "nul.rvd", "COM1.rvd"}) {
        const fs::path set = prefix.root() / name;
        window.messages.clear();
        import(set);
        ASSERT_EQ(window.messages.size(), 1u) << name;
        EXPECT_EQ(window.messages[0], "Cannot read " + set.string() + ": not a regular file");
        for (int row = 0; row < kDriverRows; ++row) {
            EXPECT_EQ(roster[row], SampleRecord(row)) << name << " row " << row;
        }
        const auto failures = exportTo(set);
        ASSERT_EQ(failures.size(), 1u) << name;
        EXPECT_EQ(failures[0].reason(), "not a regular file");
    }
}

} // namespace
} // namespace rivo
