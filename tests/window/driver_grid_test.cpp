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

// Each column as the player sees it, and the key of the driver file it
// reads and saves, written out by hand.
struct ColumnCase {
    const char* box;
    const char* heading;
    const char* tooltip;
    const char* key;
};
const ColumnCase kColumns[] = {
    {"txtDriver_Qualify", "Qualify", "Qualifying Ability", "QualifyingAbility"},
    {"txtDriver_Race", "Race", "Racing Ability", "RaceAbility"},
    {"txtDriver_Laps", "Laps%", "Completed Laps %", "CompletedLaps%"},
    {"txtDriver_Crash", "Crash%", "Crashing %", "Crash%"},
    {"txtDriver_React", "React", "Reaction Time", "ReactionTime"},
    {"txtDriver_Mad", "Aggres", "Aggressive", "Aggressive"},
    {"txtDriver_Run", "Defens", "Defensive", "Defensive"},
    {"txtDriver_Brain", "Intell", "Intelligence", "Intelligence"},
    {"txtDriver_LimAvg", "LimAvg", "Limit Avergage", "LimitAverage"},
    {"txtDriver_LimVar", "LimVar", "Limit Variance", "LimitVariance"},
};

TEST_F(AppTest, EachColumnReadsAndSavesItsOwnKey) {
    writeGame();
    // Row 3's file gives every key a value of its own: 0.1 for the first
    // column's key, 0.2 for the second's, and so on.
    std::string record = "Driver 3\r\n{\r\n";
    for (std::size_t c = 0; c < std::size(kColumns); ++c) {
        record += std::string(" ") + kColumns[c].key + "=0." + std::to_string(c + 1) + "\r\n";
    }
    writeFile(driverFile(3), record + "}\r\n");
    ASSERT_TRUE(start());
    const QList<QLabel*> headings = window->findChildren<QLabel*>();
    for (std::size_t c = 0; c < std::size(kColumns); ++c) {
        const ColumnCase& column = kColumns[c];
        SCOPED_TRACE(column.box);
        QLineEdit* b = box(column.box, 3);
        EXPECT_EQ(b->text().toStdString(), "0." + std::to_string(c + 1));
        EXPECT_EQ(b->toolTip(), column.tooltip);
        // The heading over the box's column.
        const QLabel* heading = nullptr;
        for (QLabel* label : headings) {
            if (label->text() == column.heading) {
                heading = label;
            }
        }
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->mapTo(window.get(), heading->rect().bottomRight()).x(),
                  b->mapTo(window.get(), b->rect().bottomRight()).x());
        b->selectAll();
        QTest::keyClicks(b, std::to_string(c + 11).c_str());
    }
    window->mnuDrivers_Save_Game->trigger();
    const std::string saved = readFile(driverFile(3));
    for (std::size_t c = 0; c < std::size(kColumns); ++c) {
        EXPECT_NE(
            saved.find(std::string(" ") + kColumns[c].key + "=" + std::to_string(c + 11) + "\r\n"),
            std::string::npos)
            << kColumns[c].key;
    }
}

} // namespace
} // namespace rivo::test
