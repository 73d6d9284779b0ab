#include "driver_test_game.h"
#include "temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::RecordFileText;
using test::SampleRecord;
using test::writeFile;
using ::testing::IsEmpty;

class DriverCommandsTest : public test::DriverGameTest {
protected:
    void SetUp() override {
        for (int row = 0; row < kDriverRows; ++row) {
            writeFile(gameFile(row), RecordFileText(SampleRecord(row)));
        }
        ImportDriversFromGame(ctx);
    }
};

TEST_F(DriverCommandsTest, CancelledDialogsReadAndWriteNothing) {
    roster[2][DriverField::Crash] = "9"; // an unsaved edit
    unsaved = {true, true};
    const DriverRoster before = roster;
    const auto files = test::FolderContents(prefix.root());
    window.calls.clear();
    AllowedKeys = {};

    EXPECT_FALSE(ImportDriversFromFile(ctx, {}));
    EXPECT_THAT(SaveDriversToFile(ctx, {}), IsEmpty());

    EXPECT_EQ(roster, before);
    EXPECT_THAT(window.calls, IsEmpty());
    EXPECT_EQ(AllowedKeys, AllowedKeysTable{});
    EXPECT_EQ(test::FolderContents(prefix.root()), files);
    EXPECT_TRUE(unsaved.drivers);
}

TEST_F(DriverCommandsTest, SaveToGameMarksDriverValuesSavedOnlyOnFullSuccess) {
    roster[0][DriverField::Poles] = "12";
    unsaved = {true, true};
    EXPECT_THAT(SaveDriversToGame(ctx), IsEmpty());
    EXPECT_FALSE(unsaved.drivers);
    EXPECT_TRUE(unsaved.settings); // the settings are saved elsewhere
    EXPECT_EQ(readFile(gameFile(0)), RecordFileText(roster[0]));

    // A copy to a set file does not save the game's files.
    unsaved.drivers = true;
    EXPECT_THAT(SaveDriversToFile(ctx, prefix.root() / "copy.rvd"), IsEmpty());
    EXPECT_TRUE(unsaved.drivers);

    fs::remove(gameFile(20));
    fs::create_directory(gameFile(20));
    EXPECT_EQ(SaveDriversToGame(ctx).size(), 1u);
    EXPECT_TRUE(unsaved.drivers);
}

TEST_F(DriverCommandsTest, AnImportClearsTheEditMarksOfTheRowsItRead) {
    unsaved.editedRows.set();
    fs::remove(gameFile(7));
    ImportDriversFromGame(ctx);
    EXPECT_EQ(unsaved.editedRows, DriverRowSet().set(7)) << "row 7 was not read";

    const fs::path set = prefix.root() / "set.rvd";
    ASSERT_THAT(SaveDriversToFile(ctx, set), IsEmpty());
    EXPECT_EQ(unsaved.editedRows, DriverRowSet().set(7)) << "a copy elsewhere saves no edits";
    EXPECT_TRUE(ImportDriversFromFile(ctx, set));
    EXPECT_TRUE(unsaved.editedRows.none());
}

TEST_F(DriverCommandsTest, SetFileImportedAndSavedToGameCopiesTheSet) {
    std::string set;
    for (int row = 0; row < kDriverRows; ++row) {
        set += RecordFileText(SampleRecord(row + 100));
    }
    const fs::path file = prefix.root() / "season two.rvd";
    writeFile(file, set);

    EXPECT_TRUE(ImportDriversFromFile(ctx, file));
    EXPECT_THAT(SaveDriversToGame(ctx), IsEmpty());

    std::string game;
    for (int row = 0; row < kDriverRows; ++row) {
        game += readFile(gameFile(row));
    }
    EXPECT_EQ(game, set);
}

} // namespace
} // namespace rivo
