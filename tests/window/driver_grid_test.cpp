#include "app_test_game.h"

#include <QLabel>
#include <QTest>

namespace rivo::test {
namespace {

namespace fs = std::filesystem;

TEST_F(AppTest, FillingTheGridTwiceChangesNothing) {
    writeGame();
    ASSERT_TRUE(start());
    const DriverRoster before = state().roster;
    window->FillDriverGrid();
    window->FillDriverGrid();
    EXPECT_EQ(state().roster, before);
    EXPECT_EQ(box("txtDriver_Brain", 12)->text(), "8.12");
    EXPECT_FALSE(state().unsaved.any());
}

TEST_F(AppTest, BoxesAreNamedForScreenReadersAfterEveryFill) {
    writeGame();
    ASSERT_TRUE(start());
    EXPECT_EQ(box("txtDriver_React", 4)->accessibleName(), "Reaction Time, Driver 4");
    EXPECT_EQ(box("txtDriver_LimAvg", 0)->accessibleName(), "Limit Avergage, Driver 0");
    EXPECT_EQ(box("txtDriver_React", 4)->toolTip(), "Reaction Time");

    DriverRecord renamed = SampleDriver(4);
    renamed[DriverField::DriverName] = "Mira Castell";
    writeDriver(4, renamed);
    window->mnuDrivers_Import_Game_Click();
    EXPECT_EQ(box("txtDriver_React", 4)->accessibleName(), "Reaction Time, Mira Castell");
    EXPECT_EQ(find<QLabel>("lblDriver_DriverName_4")->text(), "Mira Castell");
}

TEST_F(AppTest, ImportFromGameReplacesEditsExceptInRowsWhoseFileIsMissing) {
    writeGame();
    ASSERT_TRUE(start());
    for (int row : {6, 7}) {
        QLineEdit* crash = box("txtDriver_Crash", row);
        crash->selectAll();
        QTest::keyClicks(crash, "42");
    }
    fs::remove(driverFile(7));
    window->mnuDrivers_Import_Game_Click();

    EXPECT_EQ(dialogs.messages.back(), "Missing driver file " + driverGamePath(7));
    EXPECT_EQ(box("txtDriver_Crash", 6)->text(), "4.06");
    EXPECT_EQ(box("txtDriver_Crash", 7)->text(), "42");
    EXPECT_EQ(state().roster[7][DriverField::Crash], "42");
    EXPECT_FALSE(box("txtDriver_Crash", 7)->isEnabled());
    EXPECT_FALSE(find<QLabel>("lblDriver_DriverName_7")->isEnabled());
    EXPECT_EQ(find<QLabel>("lblDriver_DriverName_7")->text(), "Driver 7");

    // A later import that finds the file again enables the row.
    writeDriver(7, SampleDriver(7));
    window->mnuDrivers_Import_Game_Click();
    EXPECT_TRUE(box("txtDriver_Crash", 7)->isEnabled());
    EXPECT_EQ(box("txtDriver_Crash", 7)->text(), "4.07");
}

} // namespace
} // namespace rivo::test
