#include "driver_test_game.h"
#include "file_size_limit.h"
#include "only_on.h"
#include "temp_dir.h"
#include "text_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::RecordFileText;
using test::SampleRecord;
using test::writeFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class DriverExportTest : public test::DriverGameTest {
protected:
    void fillRoster() {
        for (int row = 0; row < kDriverRows; ++row) {
            roster[row] = SampleRecord(row);
        }
    }
    void writeAllGameFiles(const std::string& extra = "") {
        for (int row = 0; row < kDriverRows; ++row) {
            writeFile(gameFile(row), RecordFileText(SampleRecord(row)) + extra);
        }
    }
};

TEST_F(DriverExportTest, WritesTheExactTwentyThreeLineRecord) {
    fs::create_directories(driversFolder());
    roster[3] = SampleRecord(3);
    roster[3][DriverField::Nationality] = "Fran\xE7"
                                          "aise";
    ASSERT_THAT(exportTo(), IsEmpty());
    EXPECT_EQ(readFile(gameFile(3)), "Driver 3\r\n"
                                     "{\r\n"
                                     " //Driver Info\r\n"
                                     " Nationality=Fran\xE7"
                                     "aise\r\n"
                                     " DateofBirth=3/4/1970\r\n"
                                     " Age=23\r\n"
                                     " Starts=130\r\n"
                                     " Poles=3\r\n"
                                     " Wins=\r\n"
                                     " BestWorldChampionshipPlace=3rd (3)\r\n"
                                     "\r\n"
                                     " //Driver Stats\r\n"
                                     " QualifyingAbility=7\r\n"
                                     " RaceAbility=0.93\r\n"
                                     " CompletedLaps%=83\r\n"
                                     " Crash%=1.3\r\n"
                                     " ReactionTime=0.073\r\n"
                                     " Aggressive=0.13\r\n"
                                     " Defensive=0.23\r\n"
                                     " Intelligence=0.33\r\n"
                                     " LimitAverage=0.993\r\n"
                                     " LimitVariance=0.043\r\n"
                                     "}\r\n");
    // Only the named row was written.
    EXPECT_EQ(test::FolderContents(driversFolder()).size(), 1u);
}

TEST_F(DriverExportTest, GameFilesAreRewrittenInTheWritersFormOnly) {
    // Old files with lines the format does not write, a missing key, and
    // text after the closing line.
    for (int row = 0; row < kDriverRows; ++row) {
        std::string text = RecordFileText(SampleRecord(row));
        text.insert(text.find(" Age="), " // a comment\r\n Mood=grumpy\r\n\r\n");
        text.erase(text.find(" LimitVariance="), text.find("}") - text.find(" LimitVariance="));
        writeFile(gameFile(row), "   " + text + "after the record\r\n Age=1\r\n");
    }
    import();
    ASSERT_THAT(exportTo(), IsEmpty());
    for (int row = 0; row < kDriverRows; ++row) {
        const std::string bytes = readFile(gameFile(row));
        EXPECT_EQ(textfile::splitLines(bytes).size(), 23u);
        DriverRecord expected = SampleRecord(row);
        expected[DriverField::LimitVariance] = "0.030"; // the default, now written
        EXPECT_EQ(bytes, RecordFileText(expected)) << "row " << row;
    }
}

TEST_F(DriverExportTest, UnnamedRowsLeaveTheirGameFilesAlone) {
    // Before any import every row is unnamed: nothing is written.
    fs::create_directories(driversFolder());
    ASSERT_THAT(exportTo(), IsEmpty());
    EXPECT_THAT(test::FolderContents(driversFolder()), IsEmpty());

    fillRoster();
    roster[4][DriverField::DriverName] = "";
    roster[9][DriverField::DriverName] = "";
    writeFile(gameFile(4), "kept as it was");
    // Their values cannot be saved without a name: each is a failure, so
    // that they are not taken for saved.
    const auto failures = exportTo();
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_THAT(failures[0].path(), HasSubstr(DriverRoster::BaseName(4)));
    EXPECT_THAT(failures[1].path(), HasSubstr(DriverRoster::BaseName(9)));
    EXPECT_THAT(failures[0].reason(), HasSubstr("no name"));
    EXPECT_EQ(readFile(gameFile(4)), "kept as it was");
    EXPECT_FALSE(fs::exists(gameFile(9)));
    EXPECT_EQ(test::FolderContents(driversFolder()).size(), 21u);
}

TEST_F(DriverExportTest, SetFileRoundTripKeepsEveryRowAlsoUnnamedOnes) {
    fillRoster();
    roster[0][DriverField::DriverName] = "";
    roster[5][DriverField::DriverName] = "";
    roster[21] = DriverRecord{}; // all fields empty
    const DriverRoster saved = roster;
    const fs::path set = prefix.root() / "drivers.rvd";

    ASSERT_THAT(exportTo(set), IsEmpty());
    const std::string first = readFile(set);
    EXPECT_EQ(textfile::splitLines(first).size(), 22u * 23u);
    EXPECT_EQ(first.rfind("\r\n"), first.size() - 2);

    for (int row = 0; row < kDriverRows; ++row) {
        roster[row] = SampleRecord(row + 40);
    }
    import(set);
    EXPECT_EQ(roster, saved);
    EXPECT_THAT(window.rowEnabled, ::testing::Each(true));
    EXPECT_THAT(window.messages, IsEmpty());

    // Writing the same roster again gives the same bytes, not more.
    ASSERT_THAT(exportTo(set), IsEmpty());
    EXPECT_EQ(readFile(set), first);
}

TEST_F(DriverExportTest, MissingDriversFolderFailsEveryFileAndTheRecordStaysSet) {
    fillRoster();
    unsaved = {false, true};
    const auto failures = SaveDriversToGame(ctx);
    ASSERT_EQ(failures.size(), 22u);
    for (int row = 0; row < kDriverRows; ++row) {
        EXPECT_EQ(failures[static_cast<std::size_t>(row)].path(), gamePath(row));
        EXPECT_FALSE(failures[static_cast<std::size_t>(row)].reason().empty());
    }
    EXPECT_TRUE(unsaved.drivers);
    EXPECT_FALSE(unsaved.settings);
    EXPECT_FALSE(fs::exists(prefix.onC("Games")));
}

TEST_F(DriverExportTest, FolderInPlaceOfOneFileFailsThatRowOnly) {
    writeAllGameFiles();
    import();
    for (int row = 0; row < kDriverRows; ++row) {
        roster[row][DriverField::Age] = "61";
    }
    fs::remove(gameFile(3));
    fs::create_directories(gameFile(3) / "inside");
    unsaved = {true, true};

    const auto failures = SaveDriversToGame(ctx);

    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].path(), gamePath(3));
    EXPECT_FALSE(failures[0].reason().empty());
    EXPECT_TRUE(fs::is_directory(gameFile(3) / "inside"));
    for (int row = 0; row < kDriverRows; ++row) {
        if (row != 3) {
            EXPECT_EQ(readFile(gameFile(row)), RecordFileText(roster[row]));
        }
    }
    EXPECT_TRUE(unsaved.drivers);
    EXPECT_TRUE(unsaved.settings);
    EXPECT_EQ(test::FolderContents(driversFolder()).size(), 23u); // no stray files
}

TEST_F(DriverExportTest, SetFileThatCannotBeWrittenIsOneFailureAndNothingAppears) {
    fillRoster();
    fs::create_directories(prefix.root() / "folder.rvd" / "inside");
    const fs::path inMissing = prefix.root() / "gone" / "set.rvd";
    const fs::path folder = prefix.root() / "folder.rvd";
    const auto before = test::FolderContents(prefix.root());
    auto expectOneFailure = [&](const fs::path& target) {
        unsaved = {true, true};
        const auto failures = SaveDriversToFile(ctx, target);
        ASSERT_EQ(failures.size(), 1u) << target;
        EXPECT_EQ(failures[0].path(), target.string());
        EXPECT_FALSE(failures[0].reason().empty());
        EXPECT_TRUE(unsaved.drivers);
    };
    expectOneFailure(inMissing);
    expectOneFailure(folder);
    EXPECT_EQ(test::FolderContents(prefix.root()), before);

    RIVO_SKIP_ON(Windows, test::kNoSymlinks);
    // A link to a folder that is not there.
    const fs::path dangling = prefix.root() / "link.rvd";
    fs::create_symlink(prefix.root() / "gone" / "target.rvd", dangling);
    const auto withLink = test::FolderContents(prefix.root());
    expectOneFailure(dangling);
    EXPECT_EQ(test::FolderContents(prefix.root()), withLink);
}

// The disk fills up while the files are written: a limit on file size stops
// every write, even as root. The old files keep their bytes.
TEST_F(DriverExportTest, WriteThatFailsHalfWayKeepsTheOldFiles) {
    RIVO_SKIP_ON(Windows, test::kNoFileSizeLimit);
    writeAllGameFiles();
    import();
    for (int row = 0; row < kDriverRows; ++row) {
        roster[row][DriverField::Age] = "62";
    }
    const fs::path set = prefix.root() / "set.rvd";
    writeFile(set, "old set");
    const auto driversBefore = test::FolderContents(driversFolder());
    unsaved = {false, true};

    std::vector<FileError> gameFailures;
    std::vector<FileError> setFailures;
    {
        test::FileSizeLimit limit(100);
        gameFailures = SaveDriversToGame(ctx);
        setFailures = SaveDriversToFile(ctx, set);
    }

    ASSERT_EQ(gameFailures.size(), 22u);
    for (int row = 0; row < kDriverRows; ++row) {
        EXPECT_EQ(gameFailures[static_cast<std::size_t>(row)].path(), gamePath(row));
    }
    ASSERT_EQ(setFailures.size(), 1u);
    EXPECT_EQ(setFailures[0].path(), set.string());
    EXPECT_EQ(test::FolderContents(driversFolder()), driversBefore);
    EXPECT_EQ(readFile(set), "old set");
    EXPECT_TRUE(unsaved.drivers);
}

// Random 8-bit text without CR or LF.
std::string RandomText(std::mt19937& random, std::size_t maxLength) {
    std::uniform_int_distribution<std::size_t> length(0, maxLength);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text(length(random), '\0');
    for (char& c : text) {
        do {
            c = static_cast<char>(byte(random));
        } while (c == '\r' || c == '\n');
    }
    return text;
}

// A roster of random values. Names never begin with a space or "}": a
// record's leading spaces are not part of its name line, and a name line
// beginning with "}" would end the record (no name read from a file can take
// either form). Any other byte but CR and LF is fair in any field.
DriverRoster RandomRoster(std::mt19937& random, bool someUnnamed) {
    DriverRoster roster;
    std::bernoulli_distribution unnamed(0.2);
    for (int row = 0; row < kDriverRows; ++row) {
        for (std::string& field : roster[row].fields) {
            field = RandomText(random, 24);
        }
        std::string& name = roster[row][DriverField::DriverName];
        while (!name.empty() && (name.front() == ' ' || name.front() == '}')) {
            name.erase(0, 1);
        }
        if (name.empty() || (someUnnamed && unnamed(random))) {
            name.assign(someUnnamed ? 0 : 1, 'N');
        }
    }
    return roster;
}

TEST_F(DriverExportTest, ArbitraryBytesSurviveGameAndSetFileRoundTrips) {
    std::mt19937 random(20240601);
    fs::create_directories(driversFolder());
    const fs::path set = prefix.root() / "random.rvd";
    for (int round = 0; round < 25; ++round) {
        const DriverRoster named = RandomRoster(random, false);
        roster = named;
        ASSERT_THAT(exportTo(), IsEmpty());
        roster = DriverRoster{};
        import();
        ASSERT_EQ(roster, named) << "game files, round " << round;

        const DriverRoster mixed = RandomRoster(random, true);
        roster = mixed;
        ASSERT_THAT(exportTo(set), IsEmpty());
        roster = DriverRoster{};
        import(set);
        ASSERT_EQ(roster, mixed) << "set file, round " << round;
    }
    EXPECT_THAT(window.messages, IsEmpty());
}

} // namespace
} // namespace rivo
