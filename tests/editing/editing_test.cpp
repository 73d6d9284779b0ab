#include "command_report.h"
#include "edit_step.h"
#include "rivoconfig.h"
#include "sample_game.h"
#include "save_review.h"
#include "temp_dir.h"
#include "text_file.h"

#include <functional>
#include <gmock/gmock.h>

namespace rivo::test {
namespace {

using ::testing::ElementsAreArray;

// One file on disk against what Save All writes there: the values that
// differ, as the readers take them, and the lines the save drops.
struct ReviewCase {
    bool config; // config.ini, otherwise row 0's driver file
    std::string disk;
    std::vector<std::string> values; // "name: on disk -> written", "-" for no value
    std::vector<std::string> removed;
};

class ReviewTest : public ::testing::TestWithParam<ReviewCase> {};

TEST_P(ReviewTest, ComparesValuesAndListsTheLinesASaveDrops) {
    const ReviewCase& c = GetParam();
    TestPrefix prefix;
    const std::string InstallDir = "C:\\Games\\Kestra";
    std::string ConfigFilePath;
    const std::optional<FileError> noError;
    SeenFiles seen;
    const GameFiles files{prefix.paths(), InstallDir, ConfigFilePath, noError, &seen};
    writeFile(prefix.onC("Games/Kestra/config.ini"), SampleConfig());
    EditorData data;
    LoadConfig(prefix.paths(), InstallDir, ConfigFilePath, data.settings, &seen);
    data.roster[0][DriverField::DriverName] = "Arno";
    data.roster[0][DriverField::LimitAverage] = "1.000";
    data.roster[0][DriverField::Age] = "30";
    // Every planned file holds its own bytes, as RivoEdit saw them, but the
    // one of the case, which another program changed.
    for (const GameFileSave::Planned& file : PlanSaveAll(files, data)) {
        writeFile(file.host, file.bytes);
        seen.remember(file.gamePath, file.bytes);
    }
    writeFile(PlanSaveAll(files, data).at(c.config ? 0 : 1).host, c.disk);

    const std::vector<FileReview> reviews = ReviewSaveAll(files, data);
    ASSERT_EQ(reviews.size(), 1u);
    std::vector<std::string> values;
    for (const ValueChange& v : reviews[0].values) {
        values.push_back(v.name + ": " + v.onDisk.value_or("-") + " -> " + v.written);
    }
    EXPECT_THAT(values, ElementsAreArray(c.values));
    EXPECT_THAT(reviews[0].removedLines, ElementsAreArray(c.removed));
    EXPECT_TRUE(reviews[0].changedElsewhere);
}

std::string Edited(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

const std::string kRecord = "Arno\r\n{\r\n //Driver Info\r\n Nationality=\r\n DateofBirth=\r\n"
                            " Age=30\r\n Starts=\r\n Poles=\r\n Wins=\r\n"
                            " BestWorldChampionshipPlace=\r\n\r\n //Driver Stats\r\n"
                            " QualifyingAbility=\r\n RaceAbility=\r\n CompletedLaps%=\r\n"
                            " Crash%=\r\n ReactionTime=\r\n Aggressive=\r\n Defensive=\r\n"
                            " Intelligence=\r\n LimitAverage=1.000\r\n LimitVariance=\r\n}\r\n";

INSTANTIATE_TEST_SUITE_P(
    Files, ReviewTest,
    ::testing::Values(
        // Another key's line, an earlier copy of a key, a section of one's own.
        ReviewCase{true,
                   Edited(Edited(SampleConfig(), "SystemRating=3", "; mine\r\nSystemRating=4"),
                          "UseA3D=0", "UseA3D=1\r\nUseA3D=0") +
                       "[Mine]\r\nLanguage=fr\r\n",
                   {"SystemRating: 4 -> 3"},
                   {"; mine", "UseA3D=1", "[Mine]", "Language=fr"}},
        // Line ends, quotes and places change; every value stays.
        ReviewCase{true,
                   Edited(Edited(SampleConfig(), "\"Sounds\"", "Sounds  "), "[Version]\r\n", ""),
                   {},
                   {}},
        // A default the reader puts in is no value of the file; a comment,
        // a second "{" and text after the closing line are dropped.
        ReviewCase{false,
                   Edited(Edited(kRecord, " LimitAverage=1.000\r\n", " // mine\r\n{\r\n"),
                          " Age=30", " Age=31") +
                       "Arno\r\n",
                   {"Age: 31 -> 30", "LimitAverage: - -> 1.000"},
                   {" // mine", "{", "Arno"}}));

// The status line's words after a save: counted, and nothing written is
// "Nothing to save" only when nothing failed.
TEST(CommandReportTest, ASaveTellsWhatItWroteAndWhatFailed) {
    struct Row {
        int written;
        int failed;
        std::string folder;
        std::string text;
    };
    const Row rows[] = {
        {0, 0, "", "Nothing to save"},
        {1, 0, "", "Saved 1 game file"},
        {23, 0, "/o/k", "Saved 23 game files; the game's originals are kept in /o/k"},
        {0, 1, "", "Saved 0 game files; 1 could not be saved"},
        {2, 3, "", "Saved 2 game files; 3 could not be saved"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SavedText(row.written, row.failed, row.folder), row.text);
    }
    EXPECT_EQ(ImportedText(1, "a set.rvd"), "Imported 1 driver from a set.rvd");
    EXPECT_EQ(RestoredText(1), "Restored the game's originals: 1 file as the game had them");
}

// Where a step worked: the first value it changes, a setting before the
// drivers, rows top down, fields in record order.
struct PlaceCase {
    const char* what;
    std::function<void(EditorData&)> change;
    StepPlace place;
};

TEST(StepPlaceTest, IsTheFirstValueTheStepChanges) {
    const PlaceCase cases[] = {
        {"a choice", [](EditorData& d) { d.settings.UseA3D = "1"; }, {&GameSettings::UseA3D}},
        {"the video driver",
         [](EditorData& d) { d.settings.VideoDriver = "Soft"; },
         {&GameSettings::VideoDriver}},
        {"a driver value",
         [](EditorData& d) { d.roster[3][DriverField::ReactionTime] = "0.1"; },
         {nullptr, 3, DriverField::ReactionTime}},
        {"two values in two rows",
         [](EditorData& d) {
             d.roster[2][DriverField::Crash] = "1";
             d.roster[1][DriverField::CompletedLaps] = "1";
         },
         {nullptr, 1, DriverField::CompletedLaps}},
        {"two values in one row",
         [](EditorData& d) {
             d.roster[5][DriverField::LimitVariance] = "1";
             d.roster[5][DriverField::RaceAbility] = "1";
         },
         {nullptr, 5, DriverField::RaceAbility}},
        {"a setting and a driver",
         [](EditorData& d) {
             d.roster[0][DriverField::QualifyingAbility] = "1";
             d.settings.SystemRating = "5";
         },
         {&GameSettings::SystemRating}},
        {"a row greyed",
         [](EditorData& d) { d.enabledRows.reset(21); },
         {nullptr, 21, DriverField::DriverName}},
        {"a new name",
         [](EditorData& d) { d.roster[7][DriverField::DriverName] = "Ann"; },
         {nullptr, 7, DriverField::DriverName}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        EditorData before;
        EditorData after = before;
        c.change(after);
        EXPECT_TRUE(EditStep(before, after).place() == c.place);
        EXPECT_TRUE(EditStep(after, before).place() == c.place);
    }
}

} // namespace
} // namespace rivo::test
