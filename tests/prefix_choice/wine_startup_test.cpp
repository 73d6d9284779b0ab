#include "app_test_game.h"
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

} // namespace
} // namespace rivo::test
