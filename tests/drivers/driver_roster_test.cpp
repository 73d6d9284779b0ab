#include "driver_roster.h"

#include <gtest/gtest.h>
#include <set>

namespace rivo {
namespace {

TEST(DriverRosterTest, TwentyTwoRowsInFixedOrderAllEmptyAtStart) {
    DriverRoster roster;
    EXPECT_EQ(DriverRoster::BaseName(0), "AKorlan");
    EXPECT_EQ(DriverRoster::BaseName(13), "NWestrand");
    EXPECT_EQ(DriverRoster::BaseName(21), "VFalbrook");
    std::set<std::string> names;
    for (int row = 0; row < kDriverRows; ++row) {
        names.insert(DriverRoster::BaseName(row));
        for (const std::string& field : roster[row].fields) {
            EXPECT_EQ(field, "");
        }
    }
    EXPECT_EQ(names.size(), 22u);
    EXPECT_THROW(roster[22], std::out_of_range);
}

TEST(DriverRosterTest, FieldKeysAreTheFileKeys) {
    EXPECT_STREQ(DriverFieldKey(DriverField::DriverName), "");
    EXPECT_STREQ(DriverFieldKey(DriverField::CompletedLaps), "CompletedLaps%");
    EXPECT_STREQ(DriverFieldKey(DriverField::Crash), "Crash%");
    EXPECT_STREQ(DriverFieldKey(DriverField::LimitVariance), "LimitVariance");
}

} // namespace
} // namespace rivo
