#include "app_test_game.h"
#include "game_folder.h"
#include "given_install_dir.h"
#include "wine_registry.h"

#include <QLabel>
#include <gmock/gmock.h>

namespace rivo::test {
namespace {

using ::testing::ElementsAre;

// Start-up as the program runs it off Windows: the install folder from the
// prefix's own system.reg, the files through its C: drive.
class WineStartupTest : public AppTest {
protected:
    bool startWithSystemReg(const std::string& text) {
        writeFile(prefix.root() / "system.reg", text);
        wineRegistry = std::make_unique<WineRegistry>(prefix.root() / "system.reg");
        window = std::make_unique<frmMain>(*wineRegistry, paths, dialogs);
        window->originalsRoot = originalsRoot();
        return window->Form_Load();
    }
    std::unique_ptr<WineRegistry> wineRegistry;
    std::unique_ptr<GivenInstallDir> given;
};

const char* const kHeader = "WINE REGISTRY Version 2\n"
                            ";; All keys relative to \\\\Machine\n"
                            "\n"
                            "#arch=win64\n"
                            "\n";

TEST_F(WineStartupTest, FindsTheGameInTheThirtyTwoBitViewOfTheRegistry) {
    writeGame();
    ASSERT_TRUE(startWithSystemReg(std::string(kHeader) +
                                   "[Software\\\\Wow6432Node\\\\Vantora\\\\Kestra] 1733564800\n"
                                   "#time=1db48b2c9a3e4f0\n"
                                   "\"Install Dir\"=\"C:\\\\Games\\\\Kestra\"\n"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(find<QLabel>("lblConfig_LocationDir")->text(), "C:\\Games\\Kestra");
    EXPECT_EQ(state().roster[21], SampleDriver(21));
    EXPECT_EQ(wineRegistry->openKeyCount(), 0u);
}

TEST_F(WineStartupTest, APrefixWithoutTheGameEndsWithTheMessage) {
    writeGame();
    EXPECT_FALSE(startWithSystemReg(std::string(kHeader) + "[Software\\\\Wine] 1733564795\n"
                                                           "\"Version\"=\"wine-8.0\"\n"));
    EXPECT_THAT(dialogs.messages, ElementsAre("Kestra not installed"));
}

// A copy of the game whose registry key is missing opens with --game-folder
// as start-up runs it: the folder settles the prefix and the game path, and
// the registry answers with it. Without the option it stays "Kestra not
// installed" (above).
TEST_F(WineStartupTest, AGameFolderOpensTheGameWithoutItsRegistryKey) {
    writeGame();
    writeFile(prefix.root() / "system.reg",
              std::string(kHeader) + "[Software\\\\Wine] 1733564795\n");
    TempDir home;
    struct Row {
        std::string folder;
        std::optional<std::filesystem::path> prefixOption;
    };
    const Row rows[] = {
        {prefix.onC("Games/Kestra").string(), std::nullopt},
        {"C:\\Games\\Kestra", prefix.root()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.folder);
        dialogs.messages.clear();
        const GameFolderStart start = withGameFolder(
            prefixSource(row.prefixOption, nullptr, home.path().c_str()), row.folder);
        ASSERT_EQ(start.problem, "");
        ASSERT_EQ(start.source.given, prefix.root());
        ASSERT_EQ(start.InstallDir, "C:\\Games\\Kestra");
        wineRegistry = std::make_unique<WineRegistry>(*start.source.given / "system.reg");
        given = std::make_unique<GivenInstallDir>(*wineRegistry, *start.InstallDir);
        window = std::make_unique<frmMain>(*given, paths, dialogs);
        window->originalsRoot = originalsRoot();
        ASSERT_TRUE(window->Form_Load());
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(find<QLabel>("lblConfig_LocationDir")->text(), "C:\\Games\\Kestra");
        EXPECT_EQ(find<QLineEdit>("txtConfig_SeasonDir")->text(), "Season 1");
        EXPECT_EQ(state().roster[21], SampleDriver(21));
        // The game's files are saved where they were read.
        window->mnuConfig_Save_Click();
        EXPECT_EQ(readFile(gameFile("config.ini")), SampleConfig());
        window.reset();
        given.reset();
    }
}

} // namespace
} // namespace rivo::test
