#include "app_test_game.h"
#include "only_on.h"

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gmock/gmock.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace rivo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Puts something at `path` that exists but is no file to read: a pipe, or
// on Windows, which has none in its file system, a folder.
void makeUnreadable(const fs::path& path) {
#ifdef _WIN32
    fs::create_directory(path);
#else
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
#endif
}

bool stillUnreadable(const fs::path& path) {
    return fs::exists(path) && !fs::is_regular_file(path);
}

TEST_F(AppTest, StartsOnTheConfigPageWithTheProductCaption) {
    writeGame();
    ASSERT_TRUE(start());
    // Qt shows "[*]" as the mark of unsaved changes, while there are any.
    EXPECT_EQ(window->windowTitle(), "RivoEdit v1.3[*]");
    EXPECT_FALSE(window->isWindowModified());
    auto* tabs = find<QTabWidget>("tabRivo");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Config");
    EXPECT_EQ(tabs->tabText(1), "Drivers");
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_FALSE(window->isVisible()) << "start-up runs before the window is shown";
}

TEST_F(AppTest, StartUpWithEveryFileFillsBothPagesAndLeavesNothingUnsaved) {
    writeGame();
    ASSERT_TRUE(start());
    EXPECT_TRUE(dialogs.messages.empty());

    EXPECT_EQ(find<QLabel>("lblConfig_LocationDir")->text(), "C:\\Games\\Kestra");
#ifdef _WIN32
    EXPECT_TRUE(find<QLabel>("lblConfig_HostDir")->isHidden());
#else
    // Under Wine, the folder on this system is named below it.
    EXPECT_FALSE(find<QLabel>("lblConfig_HostDir")->isHidden());
    EXPECT_EQ(find<QLabel>("lblConfig_HostDir")->text().toStdString(),
              displayPath(prefix.onC("Games/Kestra")));
#endif
    EXPECT_EQ(find<QLineEdit>("txtConfig_SeasonDir")->text(), "Season 1");
    EXPECT_EQ(find<QLineEdit>("txtConfig_SoundsDir")->text(), "Sounds");
    EXPECT_EQ(find<QLineEdit>("txtConfig_MusicDir")->text(), "Music");
    EXPECT_TRUE(find<QRadioButton>("optConfig_SystemRating_2")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optConfig_Windowed_1")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optConfig_UseA3D_0")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optConfig_UseEAX_1")->isChecked());
    auto* list = find<QListWidget>("lstConfig_VideoDriver");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "Primary Display Driver");
    EXPECT_EQ(list->currentRow(), 1);

    for (int r = 0; r < kDriverRows; ++r) {
        const DriverRecord expected = SampleDriver(r);
        auto* name = find<QLabel>(QString("lblDriver_DriverName_%1").arg(r));
        EXPECT_EQ(name->text().toStdString(), expected[DriverField::DriverName]);
        EXPECT_TRUE(name->isEnabled());
        for (const DriverColumn& column : kDriverColumns) {
            QLineEdit* b = box(column.boxName, r);
            EXPECT_EQ(b->text().toStdString(), expected[column.field]) << column.boxName << r;
            EXPECT_TRUE(b->isEnabled());
        }
        EXPECT_EQ(state().roster[r], expected) << "row " << r;
    }
    EXPECT_FALSE(state().unsaved.any());

    // Every value read is held unchanged: saving now writes the same file.
    window->mnuConfig_Save_Click();
    EXPECT_EQ(readFile(gameFile("config.ini")), SampleConfig());
}

TEST_F(AppTest, MissingDriverFilesAreReportedAndTheirRowsGreyedOut) {
    writeGame();
    fs::remove(driverFile(4));
    fs::remove(driverFile(21));
    ASSERT_TRUE(start());

    EXPECT_THAT(dialogs.messages, ElementsAre("Missing driver file " + driverGamePath(4),
                                              "Missing driver file " + driverGamePath(21)));
    for (int r = 0; r < kDriverRows; ++r) {
        const bool present = r != 4 && r != 21;
        EXPECT_EQ(find<QLabel>(QString("lblDriver_DriverName_%1").arg(r))->isEnabled(), present);
        EXPECT_EQ(box("txtDriver_LimVar", r)->isEnabled(), present);
    }
    // At start-up a missing row has nothing to keep: blank and greyed.
    EXPECT_EQ(find<QLabel>("lblDriver_DriverName_4")->text(), "");
    EXPECT_EQ(box("txtDriver_Qualify", 4)->text(), "");
    EXPECT_EQ(box("txtDriver_Qualify", 5)->text(), "1.05");
    EXPECT_FALSE(state().unsaved.any());
    // A greyed row's boxes name the file it lacks; the others only their value.
    EXPECT_EQ(box("txtDriver_Race", 4)->toolTip().toStdString(),
              "Racing Ability\nMissing driver file " + driverGamePath(4));
    EXPECT_EQ(box("txtDriver_Race", 5)->toolTip().toStdString(), "Racing Ability");
}

TEST_F(AppTest, TheLauncherIsNamedBesideTheInstallsFolder) {
    RIVO_SKIP_ON(Windows, "the folder on this system is the main folder itself");
    writeGame();
    window = std::make_unique<frmMain>(registry, paths, dialogs);
    window->originalsRoot = originalsRoot();
    window->launcherName = "Lutris";
    ASSERT_TRUE(window->Form_Load());
    EXPECT_EQ(find<QLabel>("lblConfig_HostDir")->text().toStdString(),
              displayPath(prefix.onC("Games/Kestra")) + "  (Lutris)");
}

TEST_F(AppTest, WithoutTheGameOnlyTheMessageAppearsAndTheWindowNever) {
    FakeRegistry empty;
    writeGame();
    window = std::make_unique<frmMain>(empty, paths, dialogs);
    EXPECT_FALSE(window->Form_Load());
    EXPECT_THAT(dialogs.messages, ElementsAre("Kestra not installed"));
    EXPECT_FALSE(window->isVisible());
    // Nothing of the game was read.
    EXPECT_EQ(find<QListWidget>("lstConfig_VideoDriver")->count(), 0);
    EXPECT_EQ(find<QLabel>("lblDriver_DriverName_0")->text(), "Driver Name");
    EXPECT_EQ(find<QLineEdit>("txtConfig_SeasonDir")->text(), "Season Folder");
}

TEST_F(AppTest, UnreadableSettingsAreReportedOnceAndStartUpGoesOn) {
    writeGame();
    fs::remove(gameFile("config.ini"));
    fs::create_directory(gameFile("config.ini")); // a folder where the file should be
    fs::remove(gameFile("video.cfg"));
    ASSERT_TRUE(start());

    // One message for each file, then (with no season folder known) one for
    // each driver file; the window opens all the same.
    ASSERT_EQ(dialogs.messages.size(), 2u + kDriverRows);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("config.ini"));
    EXPECT_THAT(dialogs.messages[1], HasSubstr("video.cfg"));
    EXPECT_THAT(dialogs.messages[1], HasSubstr("No such file"));
    EXPECT_THAT(dialogs.messages[2], HasSubstr("Missing driver file"));
    EXPECT_FALSE(state().unsaved.any());
    EXPECT_EQ(find<QListWidget>("lstConfig_VideoDriver")->count(), 0);
}

TEST_F(AppTest, SettingsThatCouldNotBeReadAreNeverOverwritten) {
    writeGame();
    fs::remove(gameFile("config.ini"));
    makeUnreadable(gameFile("config.ini"));
    ASSERT_TRUE(start());
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_THAT(dialogs.messages[0], HasSubstr("C:\\Games\\Kestra\\config.ini"));
    dialogs.messages.clear();

    window->optConfig_SystemRating_Click(4);
    window->mnuConfig_Save_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("config.ini"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr("could not be read"));
    EXPECT_TRUE(stillUnreadable(gameFile("config.ini")));
    EXPECT_TRUE(state().unsaved.settings);

    // Save All still writes the driver files.
    dialogs.messages.clear();
    window->mnuFile_Save_Click();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(stillUnreadable(gameFile("config.ini")));
    EXPECT_FALSE(state().unsaved.drivers);
}

// With no settings changed there is nothing of config.ini to save: the
// refusal to overwrite it is no failure and does not keep the window open.
class UnreadableSettingsCloseTest : public AppTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UnreadableSettingsCloseTest, ClosingWithOkRefusesThemSilentlyUnlessChanged) {
    const bool settingsChanged = GetParam();
    writeGame();
    fs::remove(gameFile("config.ini"));
    makeUnreadable(gameFile("config.ini"));
    // No season folder is known, so the driver files are looked for here.
    const fs::path drivers = prefix.onC("Games/Kestra/Drivers");
    fs::create_directories(drivers);
    for (int r = 0; r < kDriverRows; ++r) {
        writeFile(drivers / (DriverRoster::BaseName(r) + ".rcd"), RecordText(SampleDriver(r)));
    }
    startShown();
    ASSERT_EQ(state().roster[0], SampleDriver(0));
    dialogs.messages.clear();
    if (settingsChanged) {
        window->optConfig_UseA3D_Click(1);
    }
    QLineEdit* race = box("txtDriver_Race", 0);
    race->end(false);
    QTest::keyClick(race, Qt::Key_7);

    dialogs.answers = {UserDialogs::Answer::Ok};
    EXPECT_EQ(window->close(), !settingsChanged);
    EXPECT_EQ(dialogs.messages.size(), settingsChanged ? 1u : 0u);
    EXPECT_TRUE(stillUnreadable(gameFile("config.ini")));
    EXPECT_THAT(readFile(drivers / (DriverRoster::BaseName(0) + ".rcd")),
                HasSubstr(" RaceAbility=2.007\r\n"));
}

INSTANTIATE_TEST_SUITE_P(SettingsChanged, UnreadableSettingsCloseTest, ::testing::Bool());

// A failure start-up does not expect is shown, and start-up goes on; what
// could not be read is never overwritten.
struct StartUpFailureCase {
    const char* failing;
    bool outOfMemory;
    const char* reason;
};

class StartUpFailureTest : public AppTest,
                           public ::testing::WithParamInterface<StartUpFailureCase> {};

TEST_P(StartUpFailureTest, IsShownAndStartUpGoesOn) {
    const StartUpFailureCase& c = GetParam();
    writeGame();
    paths.onResolve = [&](const std::string& gamePath) {
        if (gamePath.ends_with(c.failing)) {
            c.outOfMemory ? throw std::bad_alloc() : throw std::runtime_error("lookup broke");
        }
    };
    ASSERT_TRUE(start());
    paths.onResolve = nullptr;
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_THAT(dialogs.messages[0], HasSubstr(c.reason));
    EXPECT_FALSE(state().unsaved.any());

    window->mnuFile_Save_Click();
    EXPECT_EQ(readFile(gameFile("config.ini")), SampleConfig());
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartUpFailureTest,
    ::testing::Values(StartUpFailureCase{"config.ini", false, "lookup broke"},
                      StartUpFailureCase{"video.cfg", true, "not enough memory"},
                      StartUpFailureCase{"BTessaro.rcd", true, "not enough memory"}));

struct RatingCase {
    const char* inFile;
    const char* held;
    int selected;
};

class RatingTest : public AppTest, public ::testing::WithParamInterface<RatingCase> {};

TEST_P(RatingTest, ClampsAndSelectsTheRating) {
    const RatingCase& c = GetParam();
    writeGame();
    std::string config = SampleConfig();
    config.replace(config.find("SystemRating=3"), 14, std::string("SystemRating=") + c.inFile);
    writeConfig(config);
    ASSERT_TRUE(start());
    EXPECT_EQ(state().settings.SystemRating, c.held);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(find<QRadioButton>(QString("optConfig_SystemRating_%1").arg(i))->isChecked(),
                  i == c.selected)
            << i;
    }
    EXPECT_FALSE(state().unsaved.any());
}

INSTANTIATE_TEST_SUITE_P(Ratings, RatingTest,
                         ::testing::Values(RatingCase{"0", "1", 0}, RatingCase{"9", "5", 4},
                                           RatingCase{"-2", "1", 0}, RatingCase{"3", "3", 2},
                                           RatingCase{"5", "5", 4},
                                           RatingCase{"99999999999999999999", "5", 4},
                                           // Not a whole number: kept, layout's choice.
                                           RatingCase{"fast", "fast", 0}, RatingCase{"", "", 0}));

TEST_F(AppTest, YesNoSettingsSelectTheirButtonAndOddValuesAreKept) {
    writeGame();
    std::string config = SampleConfig();
    config.replace(config.find("WindowedMode=1"), 14, "WindowedMode=0");
    config.replace(config.find("UseA3D=0"), 8, "UseA3D=1");
    config.replace(config.find("UseEAX=1"), 8, "UseEAX=2");
    writeConfig(config);
    ASSERT_TRUE(start());
    EXPECT_TRUE(find<QRadioButton>("optConfig_Windowed_0")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optConfig_UseA3D_1")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("optConfig_UseEAX_0")->isChecked()) << "layout's choice";
    EXPECT_EQ(state().settings.UseEAX, "2");
    EXPECT_EQ(state().settings.WindowedMode, "0");
    EXPECT_EQ(state().settings.UseA3D, "1");
}

TEST_F(AppTest, GameTextKeepsEveryByteThroughTheWidgets) {
    // Every byte a line can hold, from 0x01 to 0xFF, CR and LF aside.
    std::string bytes;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') {
            bytes += static_cast<char>(b);
        }
    }
    writeGame();
    std::string config = SampleConfig();
    config.replace(config.find("\"Music\""), 7, "\"" + bytes + "\"");
    writeConfig(config);
    DriverRecord odd = SampleDriver(2);
    odd[DriverField::DriverName] = "J\xF6rg \x80\x9F\xFF " + bytes;
    odd[DriverField::RaceAbility] = bytes;
    writeDriver(2, odd);
    ASSERT_TRUE(start());
    EXPECT_EQ(state().settings.MusicDir, bytes);
    EXPECT_EQ(state().roster[2], odd);

    window->mnuFile_Save_Click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(readFile(gameFile("config.ini")), config);
    EXPECT_EQ(readFile(driverFile(2)), RecordText(odd));
}

TEST_F(AppTest, LongValuesAndNulBytesSurviveTheWidgetsWhole) {
    // Longer than a text field holds unless told otherwise.
    const std::string longValue(40000, '7');
    const std::string withNul("a\0b", 3);
    writeGame();
    std::string config = SampleConfig();
    config.replace(config.find("\"Music\""), 7, "\"" + longValue + "\"");
    config.replace(config.find("\"Sounds\""), 8, "\"" + withNul + "\"");
    writeConfig(config);
    DriverRecord odd = SampleDriver(2);
    odd[DriverField::RaceAbility] = longValue;
    odd[DriverField::Crash] = withNul;
    writeDriver(2, odd);
    ASSERT_TRUE(start());
    EXPECT_EQ(state().settings.MusicDir, longValue);
    EXPECT_EQ(state().settings.SoundDir, withNul);
    EXPECT_EQ(state().roster[2], odd);

    window->mnuFile_Save_Click();
    EXPECT_EQ(readFile(gameFile("config.ini")), config);
    EXPECT_EQ(readFile(driverFile(2)), RecordText(odd));
}

TEST_F(AppTest, VideoDriverNotInTheListSelectsNothingAndIsKept) {
    writeGame();
    std::string config = SampleConfig();
    config.replace(config.find("3D Accelerator"), 14, "3d accelerator");
    writeConfig(config);
    ASSERT_TRUE(start());
    EXPECT_EQ(find<QListWidget>("lstConfig_VideoDriver")->currentRow(), -1);
    EXPECT_EQ(state().settings.VideoDriver, "3d accelerator");
}

} // namespace
} // namespace rivo::test
