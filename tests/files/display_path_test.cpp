#include "file_error.h"

#include <clocale>
#include <gtest/gtest.h>
#include <string>

namespace rivo {
namespace {

struct DisplayCase {
    const char* locale;
    std::string hostName; // the bytes of a name on the host
    std::string shown;    // UTF-8
};

class DisplayPathTest : public ::testing::TestWithParam<DisplayCase> {};

// A host name is shown in the user's encoding; a byte not valid there is read
// as Windows-1252, so a message never shows a replacement character.
TEST_P(DisplayPathTest, ShowsHostNamesInTheUsersEncoding) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows paths are wide, so Unicode already";
#else
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, GetParam().locale) == nullptr) {
        GTEST_SKIP() << "no locale " << GetParam().locale << " here";
    }
    const std::string shown = displayPath(std::filesystem::path(GetParam().hostName));
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(shown, GetParam().shown);
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Names, DisplayPathTest,
    ::testing::Values(DisplayCase{"C.UTF-8", "/sets/Caf\xC3\xA9.rvd", "/sets/Caf\xC3\xA9.rvd"},
                      DisplayCase{"C.UTF-8", "/sets/Caf\xE9.rvd", "/sets/Caf\xC3\xA9.rvd"},
                      DisplayCase{"C.UTF-8", "/\xC3\xA9\xE9\x80\xC3",
                                  "/\xC3\xA9\xC3\xA9\xE2\x82\xAC\xC3\x83"},
                      DisplayCase{"C", "/sets/Caf\xE9.rvd", "/sets/Caf\xC3\xA9.rvd"},
                      DisplayCase{"C", "/plain/ascii.rvd", "/plain/ascii.rvd"}));

} // namespace
} // namespace rivo
