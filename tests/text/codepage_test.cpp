#include "ansi_text.h"
#include "codepage.h"
#include "only_on.h"

#include <gtest/gtest.h>

namespace rivo::codepage {
namespace {

std::string allBytes() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    return bytes;
}

TEST(CodepageTest, EveryByteSurvivesUtf16AndUtf8) {
    const std::string bytes = allBytes();
    const std::u16string text = decodeCp1252(bytes);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(encodeCp1252(text), bytes);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(bytes)), bytes);
}

TEST(CodepageTest, MapsTheWindowsCharacters) {
    EXPECT_EQ(cp1252ToUnicode(0x80), u'\u20AC');
    EXPECT_EQ(cp1252ToUnicode(0x8C), u'\u0152');
    EXPECT_EQ(cp1252ToUnicode(0x97), u'\u2014');
    EXPECT_EQ(cp1252ToUnicode(0x81), u'\u0081');
    EXPECT_EQ(cp1252ToUnicode(0xFC), u'\u00FC');
    EXPECT_EQ(cp1252ToUtf8("M\xFCller \x80"), "M\xC3\xBCller \xE2\x82\xAC");
}

TEST(CodepageTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(encodeCp1252(u"a\u0100b\u4E2Dc"), "a?b?c");
    EXPECT_EQ(encodeCp1252(u"x\U0001F600y"), "x?y");
    EXPECT_EQ(utf8ToCp1252("\xC3\xA4\xE2\x80\x94"), "\xE4\x97");
}

TEST(CodepageTest, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf8ToUtf16("\xC3"), u"\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16("\xF0\x9F\x98\x80")), "\xF0\x9F\x98\x80");
}

TEST(CodepageTest, ComparesNamesIgnoringCase) {
    EXPECT_TRUE(equalsIgnoreCaseUtf8("AKorlan.rcd", "akorlan.RCD"));
    EXPECT_TRUE(equalsIgnoreCaseUtf8("M\xC3\x9CLLER", "m\xC3\xBCller"));
    EXPECT_FALSE(equalsIgnoreCaseUtf8("abc", "abd"));
    EXPECT_FALSE(equalsIgnoreCaseUtf8("abc", "abcd"));
}

TEST(CodepageTest, FoldsAsciiAndLatin1Capitals) {
    EXPECT_EQ(foldCase(u'K'), u'k');
    EXPECT_EQ(foldCase(u'\u00C4'), u'\u00E4');
    EXPECT_EQ(foldCase(u'\u0152'), u'\u0153');
    EXPECT_EQ(foldCase(u'\u00D7'), u'\u00D7'); // the multiplication sign is no letter
    EXPECT_EQ(foldCase(u'\\'), u'\\');
}

// Windows' own conversions, in the code pages a player's system may use.
TEST(AnsiTextTest, EachCodePageWritesWhatItCanAndUtf8RefusesOnlyWhatNoCodePageCan) {
    RIVO_SKIP_ON(Posix, "the ANSI code page is Windows'");
#ifdef _WIN32
    constexpr unsigned kWestern = 1252, kUtf8 = 65001;
    EXPECT_EQ(ansi::fromUnicode(u"M\u00FCller \u20AC", kWestern), "M\xFCller \x80");
    EXPECT_EQ(ansi::fromUnicode(u"a\u4E2Db", kWestern), "a?b");
    EXPECT_EQ(ansi::fromUnicode(u"M\u00FCller \u4E2D", kUtf8), "M\xC3\xBCller \xE4\xB8\xAD");
    EXPECT_EQ(ansi::toUnicode("M\xC3\xBCller", kUtf8), u"M\u00FCller");
    EXPECT_THROW(ansi::fromUnicode(std::u16string(u"7") + char16_t(0xD800), kUtf8),
                 ansi::UnwritableText);
#endif
}

} // namespace
} // namespace rivo::codepage
