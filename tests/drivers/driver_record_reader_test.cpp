#include "driver_record_reader.h"
#include "driver_test_game.h"

#include <gtest/gtest.h>
#include <map>
#include <ostream>

namespace rivo {
namespace {

using F = DriverField;
using test::WithDefaults;

// Every field "old N": what a row holds from an earlier import.
DriverRecord OldRecord() {
    DriverRecord r;
    for (std::size_t i = 0; i < kDriverFieldCount; ++i) {
        r.fields[i] = "old " + std::to_string(i);
    }
    return r;
}

struct ReadCase {
    const char* name;
    std::vector<std::string> lines;
    // Fields that differ from an old record with the six defaults put in.
    std::map<F, std::string> changed;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class DriverRecordReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(DriverRecordReadTest, ReadsOneRecordOverTheRowsOldValues) {
    DriverRecord expected = WithDefaults(OldRecord());
    for (const auto& [field, value] : GetParam().changed) {
        expected[field] = value;
    }
    DriverRecord record = OldRecord();
    DriverRecordReader(GetParam().lines).ReadRecord(record);
    EXPECT_EQ(record, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DriverRecordReadTest,
    ::testing::Values(
        ReadCase{"NameAndCloseOnlyGiveNameAndDefaults",
                 {"New Name", "}"},
                 {{F::DriverName, "New Name"}}},
        ReadCase{"SpaceBeforeEqualsMatchesNoKey",
                 {"N", " ReactionTime =0.1", " Age =5"},
                 {{F::DriverName, "N"}}},
        ReadCase{"KeysAreCaseSensitive",
                 {"N", " nationality=x", " AGE=5", " completedlaps%=1"},
                 {{F::DriverName, "N"}}},
        ReadCase{"LineWithoutEqualsIsItsOwnKeyAndValue",
                 {"N", "Nationality", " Wins"},
                 {{F::DriverName, "N"}, {F::Nationality, "Nationality"}, {F::Wins, "Wins"}}},
        ReadCase{"CloseWithMoreTextEndsTheRecord",
                 {"N", " Age=1", "   }  trailing", " Age=2", " Poles=3"},
                 {{F::DriverName, "N"}, {F::Age, "1"}}},
        ReadCase{"RecordWithoutCloseRunsToTheEnd",
                 {"N", " Age=1", " LimitAverage=2"},
                 {{F::DriverName, "N"}, {F::Age, "1"}, {F::LimitAverage, "2"}}},
        ReadCase{"OpeningBraceAsFirstLineIsTheName",
                 {"{", " Age=1", "}"},
                 {{F::DriverName, "{"}, {F::Age, "1"}}},
        ReadCase{"LastOfRepeatedKeysWins",
                 {"N", " Age=1", " Crash%=5", " Age=2", " Crash%="},
                 {{F::DriverName, "N"}, {F::Age, "2"}, {F::Crash, ""}}},
        ReadCase{"EmptyValueOverridesTheDefault",
                 {"N", " ReactionTime=", "}"},
                 {{F::DriverName, "N"}, {F::ReactionTime, ""}}},
        ReadCase{"ValueRunsFromTheFirstEquals",
                 {"N", " Age=3=4"},
                 {{F::DriverName, "N"}, {F::Age, "3=4"}}},
        ReadCase{
            "ValuesAreNeitherTrimmedNorConverted",
            {"N", "Nationality=  Irish \t", " Poles=\xE9\xFF\x01", "\t Wins=9"},
            {{F::DriverName, "N"}, {F::Nationality, "  Irish \t"}, {F::Poles, "\xE9\xFF\x01"}}},
        ReadCase{"LeadingSpacesAreNotPartOfTheName",
                 {"   Ann Bell  ", "}"},
                 {{F::DriverName, "Ann Bell  "}}},
        ReadCase{"NameLineIsTakenWholeWhateverItHolds",
                 {" Age=5", " Age=6"},
                 {{F::DriverName, "Age=5"}, {F::Age, "6"}}},
        ReadCase{"EmptyFirstLineIsAnEmptyName",
                 {"", "{", " Age=5", "}"},
                 {{F::DriverName, ""}, {F::Age, "5"}}},
        ReadCase{"CloseAsFirstLineEndsTheRecordAtOnce", {"}", "Name", " Age=5"}, {}},
        ReadCase{"NoLinesGiveOnlyTheDefaults", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DriverRecordReaderTest, ReadsRecordsOneAfterAnother) {
    DriverRecordReader reader(
        {"First", " Age=1", "}", "", " Age=2", "}", "Third", " LimitAverage=3"});
    DriverRecord a = OldRecord();
    DriverRecord b = OldRecord();
    DriverRecord c = OldRecord();
    DriverRecord d = OldRecord();
    reader.ReadRecord(a);
    reader.ReadRecord(b);
    EXPECT_FALSE(reader.AtEnd());
    reader.ReadRecord(c);
    EXPECT_TRUE(reader.AtEnd());
    reader.ReadRecord(d);
    EXPECT_EQ(a[F::DriverName], "First");
    EXPECT_EQ(a[F::Age], "1");
    EXPECT_EQ(b[F::DriverName], "");
    EXPECT_EQ(b[F::Age], "2");
    EXPECT_EQ(c[F::DriverName], "Third");
    EXPECT_EQ(c[F::LimitAverage], "3");
    EXPECT_EQ(d, WithDefaults(OldRecord()));
}

} // namespace
} // namespace rivo
