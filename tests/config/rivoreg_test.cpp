#include "fake_registry.h"
#include "given_install_dir.h"
#include "recording_window.h"
#include "rivoconfig.h"
#include "rivoreg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rivo {
namespace {

using test::FakeRegistry;
using test::RecordingWindow;
using ::testing::ElementsAre;

const std::string kKey = "SOFTWARE\\Vantora\\Kestra";

TEST(RegReadValueTest, ReadsTextAndNumbersAndOpensReadOnlyIn32BitView) {
    FakeRegistry registry;
    registry.setText(kKey, "Install Dir", "C:\\Games\\Kestra");
    registry.setDword(kKey, "Count", 42);
    registry.setDword(kKey, "Negative", 0xFFFFFFFEu);

    EXPECT_EQ(RegReadValue(registry, kKey, "install dir"),
              RegistryValue(std::string("C:\\Games\\Kestra")));
    EXPECT_EQ(RegReadValue(registry, kKey, "Count"), RegistryValue(std::int32_t{42}));
    EXPECT_EQ(RegReadValue(registry, kKey, "Negative"), RegistryValue(std::int32_t{-2}));
    // Windows keeps a text stored without its NUL and hands it out so.
    registry.setRaw(kKey, "Unterminated", reg::kTypeSz, {'C', ':', '\\', 'K'});
    EXPECT_EQ(RegReadValue(registry, kKey, "Unterminated"), RegistryValue(std::string("C:\\K")));
    EXPECT_EQ(registry.openHandles(), 0);
    for (auto access : registry.openAccess) {
        EXPECT_EQ(access, reg::kKeyRead | reg::kKeyWow64_32Key);
    }
}

TEST(RegReadValueTest, TheKeyIsLookedForInThe64BitViewThenInTheUsersVirtualStore) {
    FakeRegistry registry;
    registry.setText64("SOFTWARE\\Only64", "Install Dir", "C:\\Native");
    registry.setText("SOFTWARE\\Both", "Install Dir", "C:\\Games\\Kestra");
    registry.setText64("SOFTWARE\\Both", "Install Dir", "C:\\Native");
    registry.setText("SOFTWARE\\NoValue32", "Other", "x");
    registry.setText64("SOFTWARE\\NoValue32", "Install Dir", "C:\\Native");
    const std::string store = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\";
    registry.setUserText(store + "WOW6432Node\\Virtualized", "Install Dir",
                         "C:\\Program Files (x86)\\Kestra");
    registry.setUserText(store + "Virtualized", "Install Dir", "C:\\Plain");
    registry.setUserText(store + "VirtualizedPlain", "Install Dir", "C:\\Plain");
    registry.setText("SOFTWARE\\VirtualizedEmpty", "Other", "x");
    registry.setUserText(store + "VirtualizedEmpty", "Install Dir", "C:\\Plain");
    registry.setUserText(store + "Both", "Install Dir", "C:\\Virtual");
    const std::vector<std::pair<std::string, RegistryValue>> cases = {
        {"SOFTWARE\\Only64", std::string("C:\\Native")},
        {"SOFTWARE\\Both", std::string("C:\\Games\\Kestra")},
        // The key is there in the game's view: its missing value is missing.
        {"SOFTWARE\\NoValue32", RegistryValue{}},
        // An installer run virtualized wrote into the user's VirtualStore;
        // the machine's key wins, and the 32-bit programs' node comes first.
        {"SOFTWARE\\Virtualized", std::string("C:\\Program Files (x86)\\Kestra")},
        {"SOFTWARE\\VirtualizedPlain", std::string("C:\\Plain")},
        {"SOFTWARE\\VirtualizedEmpty", std::string("C:\\Plain")},
        {"SOFTWARE\\Both", std::string("C:\\Games\\Kestra")},
    };
    for (const auto& [key, expected] : cases) {
        EXPECT_EQ(RegReadValue(registry, key, "Install Dir"), expected) << key;
    }
    EXPECT_EQ(registry.openHandles(), 0);
}

TEST(RegReadValueTest, EveryFailureGivesTheEmptyValue) {
    FakeRegistry registry;
    registry.setRaw(kKey, "Expand", reg::kTypeExpandSz, {'a', 0});
    registry.setRaw(kKey, "Binary", reg::kTypeBinary, {1, 2, 3});
    registry.setRaw(kKey, "NoNul", reg::kTypeSz, {});
    registry.setRaw(kKey, "ShortDword", reg::kTypeDword, {1, 2});
    registry.setText("SOFTWARE\\Locked", "Install Dir", "C:\\x");
    registry.denied.push_back("SOFTWARE\\Locked");

    const RegistryValue empty;
    EXPECT_EQ(RegReadValue(registry, kKey, "Missing"), empty);
    EXPECT_EQ(RegReadValue(registry, kKey, "Expand"), empty);
    EXPECT_EQ(RegReadValue(registry, kKey, "Binary"), empty);
    EXPECT_EQ(RegReadValue(registry, kKey, "NoNul"), empty);
    EXPECT_EQ(RegReadValue(registry, kKey, "ShortDword"), empty);
    EXPECT_EQ(RegReadValue(registry, "SOFTWARE\\Nowhere", "Install Dir"), empty);
    EXPECT_EQ(RegReadValue(registry, "SOFTWARE\\Locked", "Install Dir"), empty);
}

TEST(RegQueryValueTest, ReturnsThePlatformStatus) {
    FakeRegistry registry;
    registry.setRaw(kKey, "Expand", reg::kTypeExpandSz, {'a', 0});
    registry.setText(kKey, "Text", "abc");
    reg::Handle key = 0;
    ASSERT_EQ(registry.openKey(reg::Root::LocalMachine, kKey, 0, reg::kKeyRead, key),
              reg::kSuccess);

    RegistryValue value;
    EXPECT_EQ(RegQueryValue(registry, key, "Text", value), reg::kSuccess);
    EXPECT_EQ(value, RegistryValue(std::string("abc")));

    RegistryValue untouched;
    EXPECT_EQ(RegQueryValue(registry, key, "Expand", untouched), -1);
    EXPECT_EQ(untouched, RegistryValue());
    EXPECT_EQ(RegQueryValue(registry, key, "Missing", untouched), reg::kFileNotFound);
    EXPECT_EQ(RegQueryValue(registry, 0, "Text", untouched), reg::kInvalidHandle);
    EXPECT_EQ(untouched, RegistryValue());
    registry.closeKey(key);
}

TEST(RegistryValueTextTest, FormsTheInstallFolderText) {
    EXPECT_EQ(RegistryValueText(RegistryValue(std::string("C:\\Games\\Kestra\\"))),
              "C:\\Games\\Kestra\\");
    EXPECT_EQ(RegistryValueText(RegistryValue(std::int32_t{42})), "42");
    EXPECT_EQ(RegistryValueText(RegistryValue(std::int32_t{-7})), "-7");
    EXPECT_EQ(RegistryValueText(RegistryValue()), "");
}

TEST(LocateInstallDirTest, FindsTheFolderAndStaysQuiet) {
    FakeRegistry registry;
    registry.setText(kKey, "Install Dir", "C:\\Games\\Kestra\\");
    RecordingWindow window;
    std::string InstallDir;
    LocateInstallDir(registry, window, InstallDir);
    EXPECT_EQ(InstallDir, "C:\\Games\\Kestra\\");
    EXPECT_TRUE(window.calls.empty());
}

TEST(LocateInstallDirTest, NoFolderTellsTheUserAndClosesTheWindow) {
    for (int variant = 0; variant < 3; ++variant) {
        FakeRegistry registry;
        if (variant == 1) {
            registry.setText(kKey, "Install Dir", "");
        } else if (variant == 2) {
            registry.setRaw(kKey, "Install Dir", reg::kTypeExpandSz, {'C', ':', 0});
        }
        RecordingWindow window;
        std::string InstallDir;
        LocateInstallDir(registry, window, InstallDir);
        EXPECT_EQ(InstallDir, "");
        EXPECT_THAT(window.calls, ElementsAre("message Kestra not installed", "close"))
            << "variant " << variant;
    }
}

TEST(LocateInstallDirTest, ANumberIsTakenAsItsDigits) {
    FakeRegistry registry;
    registry.setDword(kKey, "Install Dir", 42);
    RecordingWindow window;
    std::string InstallDir;
    LocateInstallDir(registry, window, InstallDir);
    EXPECT_EQ(InstallDir, "42");
    EXPECT_TRUE(window.calls.empty());
}

// --game-folder: the folder given stands for the game's install folder,
// with or without the game's key in the registry below.
TEST(GivenInstallDirTest, AnswersTheInstallFolderAndPassesTheRestThrough) {
    struct Row {
        const char* below;   // the registry's own install folder, nullptr: no key
        const char* userKey; // the key in the user's VirtualStore, nullptr: none
    };
    const Row rows[] = {
        {nullptr, nullptr}, {"C:\\Games\\Kestra", nullptr}, {nullptr, "C:\\Stored"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.below != nullptr ? row.below : "no key");
        FakeRegistry below;
        if (row.below != nullptr) {
            below.setText(kKey, "Install Dir", row.below);
            below.setText(kKey, "Version", "1.2");
        }
        if (row.userKey != nullptr) {
            below.setUserText("Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\"
                              "Vantora\\Kestra",
                              "Install Dir", row.userKey);
        }
        below.setText("SOFTWARE\\Other", "Install Dir", "C:\\Other");
        {
            GivenInstallDir registry(below, "D:\\Copy of Kestra");
            RecordingWindow window;
            std::string InstallDir;
            LocateInstallDir(registry, window, InstallDir);
            EXPECT_EQ(InstallDir, "D:\\Copy of Kestra");
            EXPECT_TRUE(window.calls.empty());
            EXPECT_EQ(RegReadValue(registry, "software\\vantora\\kestra", "INSTALL DIR"),
                      RegistryValue(std::string("D:\\Copy of Kestra")));
            // The key's other values and other keys are the registry's own.
            EXPECT_EQ(RegReadValue(registry, kKey, "Version"),
                      row.below != nullptr ? RegistryValue(std::string("1.2")) : RegistryValue());
            EXPECT_EQ(RegReadValue(registry, "SOFTWARE\\Other", "Install Dir"),
                      RegistryValue(std::string("C:\\Other")));
            reg::Handle key = 0;
            EXPECT_EQ(registry.openKey(reg::Root::LocalMachine, "SOFTWARE\\Missing", 0,
                                       reg::kKeyRead, key),
                      reg::kFileNotFound);
            EXPECT_EQ(key, 0u);
            // The handles are its own: one left open is closed with it.
            ASSERT_EQ(registry.openKey(reg::Root::LocalMachine, kKey, 0, reg::kKeyRead, key),
                      reg::kSuccess);
            EXPECT_EQ(registry.closeKey(key + 1), reg::kInvalidHandle);
            EXPECT_EQ(registry.queryValue(key + 1, "Install Dir", nullptr, nullptr, nullptr),
                      reg::kInvalidHandle);
            EXPECT_EQ(registry.openKey(reg::Root::LocalMachine, kKey, 0, reg::kKeyRead, key),
                      reg::kSuccess);
            EXPECT_EQ(registry.closeKey(key), reg::kSuccess);
            EXPECT_EQ(registry.closeKey(key), reg::kInvalidHandle);
        }
        EXPECT_EQ(below.openHandles(), 0);
    }
}

} // namespace
} // namespace rivo
