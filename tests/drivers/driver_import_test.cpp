#include "codepage.h"
#include "driver_test_game.h"
#include "temp_dir.h"
#include "text_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::RecordFileText;
using test::SampleRecord;
using test::WithDefaults;
using test::writeFile;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::StartsWith;

const AllowedKeysTable kTwelveKeys = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "\b", "."};

class DriverImportTest : public test::DriverGameTest {
protected:
    void writeAllGameFiles() {
        for (int row = 0; row < kDriverRows; ++row) {
            writeFile(gameFile(row), RecordFileText(SampleRecord(row)));
        }
    }
};

TEST_F(DriverImportTest, ReadsEveryGameFileIntoItsRow) {
    writeAllGameFiles();
    for (int row = 0; row < kDriverRows; ++row) {
        roster[row] = SampleRecord(row + 60);
        roster[row][DriverField::Wins] = "old"; // every field must change
    }
    import();
    for (int row = 0; row < kDriverRows; ++row) {
        EXPECT_EQ(roster[row], SampleRecord(row)) << "row " << row;
    }
    EXPECT_THAT(window.rowEnabled, Each(true));
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(AllowedKeys, kTwelveKeys);
}

TEST_F(DriverImportTest, FileNamingOnlyTheNameKeepsTheUndefaultedFields) {
    writeAllGameFiles();
    import();
    writeFile(gameFile(4), "  Renamed\r\n}\r\n Age=99\r\n");
    import();
    DriverRecord expected = WithDefaults(SampleRecord(4));
    expected[DriverField::DriverName] = "Renamed";
    EXPECT_EQ(roster[4], expected);
}

TEST_F(DriverImportTest, ReadsFilesWithAnyLineEnds) {
    writeFile(gameFile(0), "Lone LF\n Age=1\n}\n");
    writeFile(gameFile(1), "Lone CR\r Age=2\r}");
    writeFile(gameFile(2), "Mixed\r\n Age=3\n Poles=4\r}");
    import();
    EXPECT_EQ(roster[0][DriverField::Age], "1");
    EXPECT_EQ(roster[1][DriverField::DriverName], "Lone CR");
    EXPECT_EQ(roster[1][DriverField::Age], "2");
    EXPECT_EQ(roster[2][DriverField::Poles], "4");
}

TEST_F(DriverImportTest, MissingFileIsReportedAndItsRowKeepsItsValues) {
    writeAllGameFiles();
    import();
    roster[7][DriverField::RaceAbility] = "5"; // an edit in the grid
    const DriverRecord edited = roster[7];
    fs::remove(gameFile(7));
    for (int row = 8; row < kDriverRows; ++row) {
        writeFile(gameFile(row), RecordFileText(SampleRecord(row + 30)));
    }
    unsaved = {true, true};
    window.calls.clear();

    ImportDriversFromGame(ctx);

    EXPECT_THAT(
        window.messages,
        ElementsAre("Missing driver file C:\\Games\\Kestra\\Season 1\\Drivers\\HPavenna.rcd"));
    const auto at =
        std::find(window.calls.begin(), window.calls.end(), "message " + window.messages[0]);
    ASSERT_NE(at, window.calls.end());
    EXPECT_EQ(*(at + 1), "enable 7 0");
    EXPECT_FALSE(window.rowEnabled[7]);
    EXPECT_EQ(roster[7], edited);
    for (int row = 8; row < kDriverRows; ++row) {
        EXPECT_TRUE(window.rowEnabled[static_cast<std::size_t>(row)]);
        EXPECT_EQ(roster[row], SampleRecord(row + 30));
    }
    // Pending work stays pending: the window must still ask before closing.
    EXPECT_TRUE(unsaved.settings);
    EXPECT_TRUE(unsaved.drivers);
    EXPECT_EQ(AllowedKeys, kTwelveKeys);

    // Once the file is back, the next import reads it and enables the row.
    writeFile(gameFile(7), RecordFileText(SampleRecord(7)));
    ImportDriversFromGame(ctx);
    EXPECT_TRUE(window.rowEnabled[7]);
    EXPECT_EQ(roster[7], SampleRecord(7));
    EXPECT_EQ(window.messages.size(), 1u);
}

TEST_F(DriverImportTest, MissingSeasonFolderReportsEveryFileWithItsFullPath) {
    // Windows-1252 season name: the message shows it as UTF-8.
    SeasonDir = "Saison \xE9t\xE9";
    for (int row = 0; row < kDriverRows; ++row) {
        roster[row] = SampleRecord(row);
    }
    import();
    ASSERT_EQ(window.messages.size(), 22u);
    for (int row = 0; row < kDriverRows; ++row) {
        EXPECT_EQ(window.messages[static_cast<std::size_t>(row)],
                  "Missing driver file C:\\Games\\Kestra\\Saison \xC3\xA9t\xC3\xA9\\Drivers\\" +
                      DriverRoster::BaseName(row) + ".rcd");
        EXPECT_EQ(roster[row], SampleRecord(row));
    }
    EXPECT_THAT(window.rowEnabled, Each(false));
    EXPECT_EQ(AllowedKeys, kTwelveKeys);

    // The same season folder, now present under its UTF-8 host name.
    writeFile(prefix.driveC() / fs::path(u8"Games/Kestra/Saison \u00E9t\u00E9/Drivers/AKorlan.rcd"),
              "Found\r\n}");
    window.messages.clear();
    import();
    EXPECT_EQ(roster[0][DriverField::DriverName], "Found");
    EXPECT_TRUE(window.rowEnabled[0]);
    EXPECT_EQ(window.messages.size(), 21u);
}

TEST_F(DriverImportTest, UnreadableFileIsReportedWithItsReasonAndImportGoesOn) {
    writeAllGameFiles();
    import();
    fs::remove(gameFile(3));
    fs::create_directories(gameFile(3) / "inside");
    // A file where the season's folder should be is a missing folder.
    SeasonDir = "Season 2";
    writeFile(prefix.onC("Games/Kestra/Season 2"), "not a folder");
    import();
    EXPECT_EQ(window.messages.size(), 22u);
    EXPECT_THAT(window.messages,
                Each(StartsWith("Missing driver file C:\\Games\\Kestra\\Season 2\\")));

    SeasonDir = "Season 1";
    window.messages.clear();
    import();
    ASSERT_EQ(window.messages.size(), 1u);
    const std::string start = "Cannot read " + gamePath(3) + ": ";
    EXPECT_THAT(window.messages[0], StartsWith(start));
    EXPECT_GT(window.messages[0].size(), start.size()); // a reason follows
    EXPECT_FALSE(window.rowEnabled[3]);
    EXPECT_EQ(roster[3], SampleRecord(3));
    EXPECT_TRUE(window.rowEnabled[4]);
}

TEST_F(DriverImportTest, FindsGameFilesInAnyLetterCase) {
    for (int row = 0; row < kDriverRows; ++row) {
        std::string name = DriverRoster::BaseName(row);
        std::transform(name.begin(), name.end(), name.begin(), ::tolower);
        writeFile(prefix.onC("games/KESTRA/season 1/drivers/" + name + ".RCD"),
                  RecordFileText(SampleRecord(row)));
    }
    import();
    EXPECT_TRUE(window.messages.empty());
    for (int row = 0; row < kDriverRows; ++row) {
        EXPECT_EQ(roster[row], SampleRecord(row));
    }

    // Saving replaces those very files; no second set appears.
    roster[0][DriverField::Age] = "77";
    EXPECT_TRUE(exportTo().empty());
    const auto contents = test::FolderContents(prefix.driveC());
    EXPECT_EQ(contents.size(), 4u + 22u); // four folders, 22 files
    EXPECT_EQ(test::readFile(prefix.onC("games/KESTRA/season 1/drivers/akorlan.RCD")),
              RecordFileText(roster[0]));
}

// A set file made by hand: records back to back, the last one cut short. A
// row without a whole record keeps everything it had, its state too.
TEST_F(DriverImportTest, ShortSetFileFillsItsRowsAndLeavesTheRest) {
    struct Case {
        int whole;
        std::string message;
    };
    const fs::path file = prefix.root() / "five.rvd";
    for (const Case& c : {Case{4, " holds 4 of the 22 driver records; the other rows were left "
                                  "as they were."},
                          Case{0, " holds no driver record."}}) {
        for (int row = 0; row < kDriverRows; ++row) {
            roster[row] = SampleRecord(row + 50);
            window.EnableDriverRow(row, false);
        }
        std::string set;
        for (int row = 0; row < c.whole; ++row) {
            set += RecordFileText(SampleRecord(row));
        }
        set += "Fifth\r\n{\r\n Age=5"; // no "}", no line end
        writeFile(file, set);
        window.calls.clear();
        window.messages.clear();

        EXPECT_EQ(import(file).count(), static_cast<std::size_t>(c.whole));

        for (int row = 0; row < kDriverRows; ++row) {
            EXPECT_EQ(roster[row], row < c.whole ? SampleRecord(row) : SampleRecord(row + 50))
                << "row " << row;
            EXPECT_EQ(window.rowEnabled[static_cast<std::size_t>(row)], row < c.whole);
        }
        EXPECT_THAT(window.messages, ElementsAre(file.string() + c.message));
        EXPECT_EQ(window.calls.size(), static_cast<std::size_t>(c.whole) + 1);
        EXPECT_EQ(AllowedKeys, kTwelveKeys);
    }
}

TEST_F(DriverImportTest, SetFileThatCannotBeReadIsReportedAtRowZeroOnly) {
    struct Case {
        fs::path file;
        std::string message;
    };
    fs::create_directories(prefix.root() / "folder.rvd");
    const fs::path missing = prefix.root() / "no such folder" / "set.rvd";
    const fs::path folder = prefix.root() / "folder.rvd";
    for (const Case& c : {Case{missing, "Missing driver file " + missing.string()},
                          Case{folder, "Cannot read " + folder.string() + ": "}}) {
        for (int row = 0; row < kDriverRows; ++row) {
            roster[row] = SampleRecord(row);
            window.EnableDriverRow(row, row % 2 == 0);
        }
        const auto enabledBefore = window.rowEnabled;
        window.calls.clear();
        window.messages.clear();
        AllowedKeys = {};

        import(c.file);

        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_THAT(window.messages[0], StartsWith(c.message));
        EXPECT_THAT(window.calls, ElementsAre("message " + window.messages[0], "enable 0 0"));
        for (int row = 0; row < kDriverRows; ++row) {
            EXPECT_EQ(roster[row], SampleRecord(row));
        }
        for (std::size_t row = 1; row < 22; ++row) {
            EXPECT_EQ(window.rowEnabled[row], enabledBefore[row]);
        }
        EXPECT_EQ(AllowedKeys, kTwelveKeys);
    }
}

TEST_F(DriverImportTest, NoFileIsLeftOpenAfterAnImport) {
    if (test::OpenFileCount() < 0) {
        GTEST_SKIP() << "open files cannot be counted here";
    }
    writeAllGameFiles();
    fs::remove(gameFile(2));
    fs::remove(gameFile(5));
    fs::create_directories(gameFile(5));
    const fs::path set = prefix.root() / "set.rvd";
    writeFile(set, RecordFileText(SampleRecord(1)) + RecordFileText(SampleRecord(2)));
    fs::create_directories(prefix.root() / "folder.rvd");

    const int before = test::OpenFileCount();
    import();
    EXPECT_EQ(test::OpenFileCount(), before);
    for (const fs::path& source :
         {set, prefix.root() / "missing.rvd", prefix.root() / "folder.rvd"}) {
        import(source);
        EXPECT_EQ(test::OpenFileCount(), before) << source;
    }
    // The set file can be replaced at once, and a second import reads the
    // new bytes from the start.
    writeFile(set, RecordFileText(SampleRecord(9)));
    import(set);
    EXPECT_EQ(roster[0], SampleRecord(9));
    fs::remove(set);
    EXPECT_FALSE(fs::exists(set));
}

} // namespace
} // namespace rivo
