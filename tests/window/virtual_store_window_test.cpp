// The game in Program Files, where Windows keeps the files the game saves in
// the player's VirtualStore. Real known folders, so only in the Wine prefix
// of scripts/test-windows: elsewhere Program Files is no place for a test.
#include "app_test_game.h"
#include "native_system.h"
#include "only_on.h"

#include <QRadioButton>
#include <QTest>
#include <cstdlib>
#include <map>

namespace rivo::test {
namespace {

namespace fs = std::filesystem;

class VirtualStoreWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        RIVO_SKIP_ON(Posix, "Windows alone keeps a VirtualStore; Wine's prefixes have none");
        if (!scriptRegistryValuesThere()) {
            GTEST_SKIP() << kNoScriptRegistryValues;
        }
    }
    // Starts on the install, noting every file's bytes there.
    void start(const std::string& install) {
        installDir = install;
        registry.setText("SOFTWARE\\Vantora\\Kestra", "Install Dir", installDir);
        window = std::make_unique<frmMain>(registry, *program, dialogs);
        window->originalsRoot = originals.path();
        ASSERT_TRUE(window->Form_Load());
        for (const auto& entry : fs::recursive_directory_iterator(plain->toHost(installDir))) {
            if (entry.is_regular_file()) {
                before[entry.path()] = readFile(entry.path());
            }
        }
    }
    fs::path inInstall(const std::string& rel) const {
        return plain->toHost(installDir + "\\" + rel);
    }
    fs::path copyOf(const std::string& rel) const {
        return program->storeCopy(installDir + "\\" + rel);
    }
    // Chooses rating `index` + 1 and saves all; the install stays as it was.
    void rateAndSave(std::size_t index) {
        QRadioButton* button = window->configPage->optConfig_SystemRating[index];
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        window->mnuFile_Save->trigger();
        EXPECT_NE(readFile(copyOf("config.ini")).find("SystemRating=" + std::to_string(index + 1)),
                  std::string::npos);
        for (const auto& [file, bytes] : before) {
            EXPECT_EQ(readFile(file), bytes) << file;
        }
    }
    void TearDown() override {
        if (window) {
            window->state().unsaved.clear();
            window->close();
        }
    }

    std::string installDir = "C:\\Program Files (x86)\\Vantora\\Kestra";
    std::unique_ptr<GamePaths> plain = nativePaths();
    std::unique_ptr<GamePaths> program = programPaths();
    FakeRegistry registry;
    FakeDialogs dialogs;
    TempDir originals;
    std::unique_ptr<frmMain> window;
    std::map<fs::path, std::string> before;
};

TEST_F(VirtualStoreWindowTest, TheGamesCopiesAreReadAndSavedAndTheInstallKeepsItsFiles) {
    const std::string driver5 = "Season 1\\Drivers\\" + DriverRoster::BaseName(5) + ".rcd";
    writeFile(inInstall("config.ini"), SampleConfig());
    writeFile(inInstall("video.cfg"), SampleVideo());
    for (int row = 0; row < kDriverRows; ++row) {
        writeFile(inInstall("Season 1\\Drivers\\" + DriverRoster::BaseName(row) + ".rcd"),
                  RecordText(SampleDriver(row)));
    }
    // The game saved a rating of 4 and a new qualifying value for driver 5.
    std::string config = SampleConfig();
    writeFile(copyOf("config.ini"),
              config.replace(config.find("SystemRating=3"), 14, "SystemRating=4"));
    DriverRecord saved = SampleDriver(5);
    saved[DriverField::QualifyingAbility] = "8.5";
    writeFile(copyOf(driver5), RecordText(saved));
    start(installDir);

    ConfigPage* page = window->configPage;
    EXPECT_TRUE(page->optConfig_SystemRating[3]->isChecked());
    EXPECT_EQ(page->lblConfig_LocationDir->text().toStdString(), installDir);
    EXPECT_FALSE(page->lblConfig_StoreDir->isHidden());
    EXPECT_EQ(page->lblConfig_StoreDir->text().toStdString(),
              displayPath(program->storeCopy(installDir)));
    QLineEdit* qualify = window->findChild<QLineEdit*>("txtDriver_Qualify_5");
    EXPECT_EQ(qualify->text(), "8.5");
    qualify->setFocus();
    qualify->end(false);
    QTest::keyClicks(qualify, "1");
    rateAndSave(1);
    EXPECT_NE(readFile(copyOf(driver5)).find("QualifyingAbility=8.51\r\n"), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front();
    fs::remove_all(plain->toHost(installDir));
    fs::remove_all(program->storeCopy(installDir));
}

// scripts/test-windows runs this one alone, without the rights that let
// root write anywhere, on the demo game it put in Program Files with its
// folders not writable (RIVO_LOCKED_INSTALL names the install).
TEST_F(VirtualStoreWindowTest, ASaveTheGamesFolderRefusesGoesWhereTheGameWillReadIt) {
    const char* locked = std::getenv("RIVO_LOCKED_INSTALL");
    if (locked == nullptr) {
        GTEST_SKIP() << "RIVO_LOCKED_INSTALL is not set: no install folder refuses writes here";
    }
    start(locked);
    EXPECT_TRUE(window->configPage->lblConfig_StoreDir->isHidden());
    rateAndSave(4);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find(displayPath(program->storeCopy(installDir))),
              std::string::npos)
        << dialogs.messages[0];
    EXPECT_FALSE(window->configPage->lblConfig_StoreDir->isHidden());
    rateAndSave(0); // said once a run: the next save there says nothing more
    EXPECT_EQ(dialogs.messages.size(), 1u);
    fs::remove_all(program->storeCopy(installDir));
}

} // namespace
} // namespace rivo::test
