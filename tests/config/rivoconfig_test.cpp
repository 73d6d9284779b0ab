#include "file_error.h"
#include "recording_window.h"
#include "rivoconfig.h"
#include "sample_game.h"
#include "temp_dir.h"
#include "wine_paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::RecordingWindow;
using test::TestPrefix;
using test::writeFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kInstallDir = "C:\\Games\\Kestra";

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(gameFile("")); }
    fs::path gameFile(const std::string& name) const { return prefix.onC("Games/Kestra/" + name); }
    void writeConfig(const std::string& bytes) { writeFile(gameFile("config.ini"), bytes); }
    GameSettings load() {
        GameSettings settings;
        LoadConfig(paths, kInstallDir, ConfigFilePath, settings);
        return settings;
    }

    TestPrefix prefix;
    const GamePaths& paths = prefix.paths();
    std::string ConfigFilePath;
};

const std::string kSample = test::SampleConfig();

TEST_F(ConfigTest, ReadsEveryKeyAndWritesTheSameFileBack) {
    writeConfig(kSample);
    const GameSettings s = load();
    EXPECT_EQ(ConfigFilePath, "C:\\Games\\Kestra\\config.ini");
    EXPECT_EQ(s.SeasonDir, "Season 1");
    EXPECT_EQ(s.SystemRating, "3");
    EXPECT_EQ(s.VideoDriver, "3D Accelerator");
    EXPECT_EQ(s.InstallFrom, "D:\\");
    EXPECT_EQ(s.Version, "1.00");

    UnsavedWork unsaved{true, false};
    SaveConfig(paths, ConfigFilePath, s, unsaved);
    EXPECT_EQ(readFile(gameFile("config.ini")), kSample);
    EXPECT_FALSE(unsaved.settings);
}

TEST_F(ConfigTest, SavingKeepsUnsavedDriverValuesMarked) {
    writeConfig(kSample);
    const GameSettings s = load();
    UnsavedWork unsaved{true, true};
    SaveConfig(paths, ConfigFilePath, s, unsaved);
    EXPECT_FALSE(unsaved.settings);
    EXPECT_TRUE(unsaved.drivers);
}

TEST_F(ConfigTest, ArbitraryEightBitValuesSurviveARoundTrip) {
    std::mt19937 random(1234);
    for (int round = 0; round < 50; ++round) {
        GameSettings written;
        for (const SettingKey& key : kSettingKeys) {
            std::string value;
            const int length = static_cast<int>(random() % 12);
            for (int i = 0; i < length; ++i) {
                char c;
                do {
                    c = static_cast<char>(random() % 256);
                } while (c == '\r' || c == '\n');
                value.push_back(c);
            }
            if (round == 0) {
                value = "";
            } else if (round == 1) {
                value = "\"quoted\" \"\"";
            }
            written.*key.field = value;
        }
        UnsavedWork unsaved;
        ConfigFilePath = kInstallDir + "\\config.ini";
        SaveConfig(paths, ConfigFilePath, written, unsaved);

        const std::string bytes = readFile(gameFile("config.ini"));
        std::size_t lineEnds = 0;
        for (std::size_t at = bytes.find("\r\n"); at != std::string::npos;
             at = bytes.find("\r\n", at + 2)) {
            ++lineEnds;
        }
        ASSERT_EQ(lineEnds, 21u);
        ASSERT_TRUE(bytes.ends_with("\r\n"));
        EXPECT_EQ(load(), written) << "round " << round;
    }
}

TEST_F(ConfigTest, EmptyValuesAreWrittenInTheirForm) {
    ConfigFilePath = kInstallDir + "\\config.ini";
    UnsavedWork unsaved;
    SaveConfig(paths, ConfigFilePath, GameSettings{}, unsaved);
    EXPECT_EQ(readFile(gameFile("config.ini")),
              "[Components]\r\nSeasonDir=\"\"\r\nSoundDir=\"\"\r\nOptionsDir=\"\"\r\n"
              "MovieDir=\"\"\r\nReplayDir=\"\"\r\nTracksDir=\"\"\r\nVehiclesDir=\"\"\r\n"
              "MusicDir=\"\"\r\nSystemRating=\r\nWindowedMode=\r\nVideoDriver=\"\"\r\n"
              "UseA3D=\r\nUseEAX=\r\n\r\n[Install]\r\nInstallFrom=\"\"\r\nInstallTo=\"\"\r\n"
              "\r\n[Version]\r\nVersion=\r\n");
}

struct ReadCase {
    const char* name;
    std::string file;
    std::string GameSettings::*field;
    std::string expected;
};

class ConfigReadCaseTest : public ConfigTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ConfigReadCaseTest, ReadsAsTheLineHelpersSplit) {
    writeConfig(GetParam().file);
    EXPECT_EQ(load().*GetParam().field, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ConfigReadCaseTest,
    ::testing::Values(
        ReadCase{"LowerCaseKey", "seasondir=\"x\"\r\n", &GameSettings::SeasonDir, ""},
        ReadCase{"SpaceBeforeEquals", "SystemRating =3\r\n", &GameSettings::SystemRating, ""},
        ReadCase{"LeadingSpaces", "   SystemRating=4\r\n", &GameSettings::SystemRating, "4"},
        ReadCase{"WrongSection", "[Components]\r\nVersion=1.0\r\n", &GameSettings::Version, "1.0"},
        ReadCase{"LastWins", "VideoDriver=\"A\"\r\nVideoDriver=\"B\"\r\n",
                 &GameSettings::VideoDriver, "B"},
        ReadCase{"PlainKeepsLaterEquals", "Version=1.0=beta\r\n", &GameSettings::Version,
                 "1.0=beta"},
        ReadCase{"QuotedWithoutQuotes", "SoundDir=Sounds\r\n", &GameSettings::SoundDir, "Sounds"},
        ReadCase{"QuotedShort", "SoundDir=x\r\nMusicDir=\r\n", &GameSettings::SoundDir, "x"},
        ReadCase{"QuotedThenSpaces", "MovieDir=\"Movies\"  \r\n", &GameSettings::MovieDir,
                 "Movies"},
        ReadCase{"BlankBeforeQuote", "SeasonDir= \"Season 1\"\r\n", &GameSettings::SeasonDir,
                 "Season 1"},
        ReadCase{"TabsAroundQuotes", "VideoDriver=\t\"3D\" \t\r\n", &GameSettings::VideoDriver,
                 "3D"},
        ReadCase{"PlainKeepsBlanks", "SystemRating= 3\r\n", &GameSettings::SystemRating, " 3"},
        ReadCase{"LoneQuote", "MusicDir=\"\r\n", &GameSettings::MusicDir, ""},
        ReadCase{"NoLineEnd", "UseEAX=1", &GameSettings::UseEAX, "1"},
        ReadCase{"LoneLineEnds", "UseA3D=1\rUseEAX=0\nWindowedMode=1", &GameSettings::UseA3D, "1"},
        ReadCase{"NulBytesKept", std::string("MovieDir=\"a\0b\"\r\n", 17), &GameSettings::MovieDir,
                 std::string("a\0b", 3)},
        ReadCase{"ByteOrderMarkHidesFirstKey", "\xEF\xBB\xBFSeasonDir=\"x\"\r\n",
                 &GameSettings::SeasonDir, ""},
        // As long as a file may be: 1 MiB in all.
        ReadCase{"LongLine", "TracksDir=\"" + std::string((1 << 20) - 12, 't') + "\"",
                 &GameSettings::TracksDir, std::string((1 << 20) - 12, 't')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigTest, GarbageReadsWithoutHarm) {
    std::string garbage;
    std::mt19937 random(99);
    for (int i = 0; i < 100000; ++i) {
        garbage.push_back(static_cast<char>(random() % 256));
    }
    writeConfig(garbage);
    EXPECT_NO_THROW(load());
}

// Saving it replaces that same file: see the write fault matrix.
TEST_F(ConfigTest, FileInAnotherCaseIsRead) {
    fs::remove_all(prefix.onC("Games"));
    writeFile(prefix.onC("GAMES/kestra/CONFIG.INI"), "UseEAX=1\r\n");
    EXPECT_EQ(load().UseEAX, "1");
}

TEST_F(ConfigTest, MissingFileIsAnErrorNamingIt) {
    fs::create_directories(gameFile(""));
    GameSettings settings;
    settings.SeasonDir = "kept";
    try {
        LoadConfig(paths, kInstallDir, ConfigFilePath, settings);
        FAIL() << "no error";
    } catch (const FileError& e) {
        // The file as the user knows it: the game's path, not the host's.
        EXPECT_EQ(e.path(), "C:\\Games\\Kestra\\config.ini");
        EXPECT_EQ(e.code(), std::errc::no_such_file_or_directory);
    }
    EXPECT_EQ(settings.SeasonDir, "kept");
    EXPECT_EQ(ConfigFilePath, "C:\\Games\\Kestra\\config.ini");

    // Saving then creates the file.
    UnsavedWork unsaved{true, false};
    SaveConfig(paths, ConfigFilePath, settings, unsaved);
    EXPECT_THAT(readFile(gameFile("config.ini")), HasSubstr("SeasonDir=\"kept\"\r\n"));
}

class VideoDriversTest : public ConfigTest {
protected:
    void loadVideo(const std::string& bytes, const std::string& current) {
        writeFile(gameFile("video.cfg"), bytes);
        settings.VideoDriver = current;
        window.onSelect = [this](int position) {
            settings.VideoDriver = window.videoDrivers.at(static_cast<std::size_t>(position));
        };
        LoadVideoDrivers(paths, kInstallDir, settings, window, VideoConfigPath);
    }
    GameSettings settings;
    RecordingWindow window;
    std::string VideoConfigPath;
};

TEST_F(VideoDriversTest, ListsSectionsInFileOrderAndSelectsTheCurrentOne) {
    loadVideo("[Primary Display Driver]\r\nMode=1\r\n[3D Accelerator]\r\n", "3D Accelerator");
    EXPECT_EQ(VideoConfigPath, "C:\\Games\\Kestra\\video.cfg");
    EXPECT_THAT(window.calls,
                ElementsAre("append Primary Display Driver", "append 3D Accelerator", "select 1"));
    EXPECT_EQ(settings.VideoDriver, "3D Accelerator");
}

TEST_F(VideoDriversTest, OddLines) {
    loadVideo("  [Indented]\n[Mode=1]\r[]\n[\n[\r\nplain line\n[Dup]\n[Dup]", "");
    EXPECT_THAT(window.calls, ElementsAre("append Indented", "append Mod", "append ", "select 2",
                                          "append Dup", "append Dup"));
}

TEST_F(VideoDriversTest, EveryEqualEntryIsSelectedInTurn) {
    loadVideo("[Dup]\n[Other]\n[Dup]\n", "Dup");
    EXPECT_THAT(window.calls,
                ElementsAre("append Dup", "select 0", "append Other", "append Dup", "select 2"));
}

TEST_F(VideoDriversTest, OtherCaseOrNoSectionsSelectNothing) {
    loadVideo("[3D Accelerator]\n", "3d accelerator");
    EXPECT_EQ(window.selectedVideoDriver, -1);
    EXPECT_EQ(settings.VideoDriver, "3d accelerator");

    RecordingWindow other;
    writeFile(gameFile("video.cfg"), "Mode=1\nx=2\n");
    LoadVideoDrivers(paths, kInstallDir, settings, other, VideoConfigPath);
    EXPECT_TRUE(other.calls.empty());
}

TEST_F(VideoDriversTest, MissingFileIsAnErrorNamingIt) {
    fs::create_directories(gameFile(""));
    try {
        LoadVideoDrivers(paths, kInstallDir, settings, window, VideoConfigPath);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), "C:\\Games\\Kestra\\video.cfg");
    }
    EXPECT_TRUE(window.calls.empty());
}

} // namespace
} // namespace rivo
