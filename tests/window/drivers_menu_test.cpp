#include "app_test_game.h"
#include "qt_user_dialogs.h"

#include <QLabel>
#include <QTest>
#include <gmock/gmock.h>

namespace rivo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

class DriversMenuTest : public AppTest {
protected:
    void SetUp() override {
        writeGame();
        ASSERT_TRUE(start());
    }
    void type(const char* column, int row, const char* text) {
        QLineEdit* b = box(column, row);
        b->selectAll();
        QTest::keyClicks(b, text);
    }
    TempDir userFolder;
};

TEST_F(DriversMenuTest, SaveToThenImportFromBringsBackEveryRow) {
    const fs::path set = userFolder / "my set.rvd";
    type("txtDriver_Race", 0, "99.5");
    const DriverRoster edited = state().roster;

    dialogs.files = {set};
    window->mnuDrivers_SaveIn->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(dialogs.fileRequests[0].save);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Save To ...");
    EXPECT_EQ(dialogs.fileRequests[0].filter,
              (FileFilter{"RivoEdit Driver Files (*.rvd) ", "*.rvd"}));
    ASSERT_TRUE(fs::exists(set));
    EXPECT_TRUE(state().unsaved.drivers) << "a copy elsewhere does not save the game";

    type("txtDriver_Race", 0, "1");
    type("txtDriver_Run", 21, "2");
    dialogs.files = {set};
    window->mnuDrivers_Import->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_FALSE(dialogs.fileRequests[1].save);
    EXPECT_EQ(dialogs.fileRequests[1].title, "Import From ...");
    EXPECT_EQ(state().roster, edited);
    EXPECT_EQ(box("txtDriver_Race", 0)->text(), "99.5");
    EXPECT_EQ(box("txtDriver_Run", 21)->text(), "7.21");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DriversMenuTest, ACancelAfterAnEarlierChoiceReadsAndWritesNothing) {
    const fs::path set = userFolder / "set.rvd";
    dialogs.files = {set};
    window->mnuDrivers_SaveIn->trigger();
    dialogs.files = {set};
    window->mnuDrivers_Import->trigger();
    const std::string written = readFile(set);

    type("txtDriver_Laps", 2, "50");
    const DriverRoster edited = state().roster;
    window->mnuDrivers_SaveIn->trigger(); // cancelled
    window->mnuDrivers_Import->trigger(); // cancelled
    EXPECT_EQ(dialogs.fileRequests.size(), 4u);
    EXPECT_EQ(readFile(set), written);
    EXPECT_EQ(state().roster, edited);
    EXPECT_EQ(box("txtDriver_Laps", 2)->text(), "50");
}

TEST_F(DriversMenuTest, ImportFromASetThenSaveToGameCopiesTheSet) {
    const fs::path set = userFolder / "other.rvd";
    std::string text;
    for (int r = 0; r < kDriverRows; ++r) {
        DriverRecord record = SampleDriver(r);
        record[DriverField::DriverName] = "Other " + std::to_string(r);
        text += RecordText(record);
    }
    writeFile(set, text);
    dialogs.files = {set};
    window->mnuDrivers_Import->trigger();
    EXPECT_EQ(find<QLabel>("lblDriver_DriverName_13")->text(), "Other 13");

    window->mnuDrivers_Save_Game->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    for (int r = 0; r < kDriverRows; ++r) {
        EXPECT_EQ(readFile(driverFile(r)).rfind("Other " + std::to_string(r) + "\r\n", 0), 0u);
    }
}

TEST_F(DriversMenuTest, AFailedSaveToGameNamesTheFileAndKeepsTheEditUnsaved) {
    type("txtDriver_Mad", 1, "0.9");
    fs::remove(driverFile(1));
    fs::create_directory(driverFile(1)); // a folder where the file should be
    window->mnuDrivers_Save_Game->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("Could not save"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr("BTessaro.rcd"));
    EXPECT_TRUE(state().unsaved.drivers);
    // The other rows were written all the same.
    EXPECT_THAT(readFile(driverFile(0)), HasSubstr("Driver 0"));
}

TEST_F(DriversMenuTest, AnUnreadableSetIsReportedAndTheGridStays) {
    dialogs.files = {userFolder / "gone.rvd"};
    const DriverRoster before = state().roster;
    window->mnuDrivers_Import->trigger();
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_THAT(dialogs.messages[0], HasSubstr("gone.rvd"));
    EXPECT_EQ(state().roster, before);
}

} // namespace
} // namespace rivo::test

namespace rivo::test {
namespace {

TEST(DriverFileFilter, SplitsAtTheBarAndReadsAsQtWritesIt) {
    const FileFilter filter = FileFilter::parse(kDriverFileFilter);
    EXPECT_EQ(filter.description, "RivoEdit Driver Files (*.rvd) ");
    EXPECT_EQ(filter.pattern, "*.rvd");
    EXPECT_EQ(QtUserDialogs::qtNameFilter(filter), "RivoEdit Driver Files (*.rvd)");
    EXPECT_EQ(QtUserDialogs::qtNameFilter({"Driver sets", "*.rvd"}), "Driver sets (*.rvd)");
    EXPECT_EQ(FileFilter::parse("*.rvd"), (FileFilter{"", "*.rvd"}));
}

} // namespace
} // namespace rivo::test
