#include "rivogen.h"

#include <gtest/gtest.h>

namespace rivo {
namespace {

struct SplitCase {
    std::string line;
    std::int32_t keyPos;
    std::int32_t valuePos;
    std::string key;
    std::string plain;
    std::string quoted;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << '"' << c.line << '"';
}

class LineHelpersTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineHelpersTest, SplitsAtTheFirstEquals) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(EqualsPos(c.line, true), c.keyPos);
    EXPECT_EQ(EqualsPos(c.line, false), c.valuePos);
    EXPECT_EQ(LineKey(c.line), c.key);
    EXPECT_EQ(LineValue(c.line, true), c.plain);
    EXPECT_EQ(LineValue(c.line, false), c.quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LineHelpersTest,
    ::testing::Values(
        SplitCase{"SeasonDir=x", 9, 11, "SeasonDir", "x", "x"},
        SplitCase{"abc", 3, 1, "abc", "abc", "abc"}, SplitCase{"=x", 0, 2, "", "x", "x"},
        SplitCase{"SeasonDir=\"Season 1\"", 9, 11, "SeasonDir", "\"Season 1\"", "Season 1"},
        SplitCase{"  SystemRating = 3", 15, 17, "SystemRating ", " 3", "3"},
        SplitCase{"[Components]", 12, 1, "[Components]", "[Components]", "[Components]"},
        SplitCase{"", 0, 1, "", "", ""}, SplitCase{"Version=1.0", 7, 9, "Version", "1.0", "1.0"},
        SplitCase{"a=b=c", 1, 3, "a", "b=c", "b=c"}, SplitCase{"Version=", 7, 9, "Version", "", ""},
        SplitCase{"VideoDriver=\"Primary Display\"", 11, 13, "VideoDriver", "\"Primary Display\"",
                  "Primary Display"},
        SplitCase{"K=\"\"", 1, 3, "K", "\"\"", ""}, SplitCase{"K=abc", 1, 3, "K", "abc", "abc"},
        SplitCase{"K=x", 1, 3, "K", "x", "x"}, SplitCase{"\tKey\t=v", 5, 7, "\tKey\t", "v", "v"},
        SplitCase{" ", 1, 1, "", " ", ""}, SplitCase{"Age=3=4", 3, 5, "Age", "3=4", "3=4"},
        // Quoted: spaces and tabs on both sides go first, then one pair of quotes.
        SplitCase{"K=\"M\" \t ", 1, 3, "K", "\"M\" \t ", "M"},
        SplitCase{"K= \t\"M\"", 1, 3, "K", " \t\"M\"", "M"}, SplitCase{"K=\"", 1, 3, "K", "\"", ""},
        SplitCase{"K=\"a", 1, 3, "K", "\"a", "\"a"},
        SplitCase{"K=\"\"\"", 1, 3, "K", "\"\"\"", "\""}));

} // namespace
} // namespace rivo
