// Which game files Windows virtualizes, and where it keeps their copies: the
// same rules on every system, from plain paths.
#include "virtual_store.h"

#include <gtest/gtest.h>

namespace rivo {
namespace {

const VirtualStore kStore({L"C:\\Program Files", L"C:\\Program Files (x86)", L"C:\\Windows",
                           L"C:\\ProgramData"},
                          L"C:\\Users\\ana\\AppData\\Local\\VirtualStore\\");
const std::wstring kRoot = L"C:\\Users\\ana\\AppData\\Local\\VirtualStore";

struct Row {
    const wchar_t* path;
    const wchar_t* copy; // empty: not virtualized
};

const Row kRows[] = {
    {L"C:\\Program Files (x86)\\Vantora\\Kestra\\config.ini",
     L"\\Program Files (x86)\\Vantora\\Kestra\\config.ini"},
    // Letter case and separators as anyone may write them.
    {L"c:\\PROGRAM FILES (X86)\\Vantora\\Kestra\\config.ini",
     L"\\PROGRAM FILES (X86)\\Vantora\\Kestra\\config.ini"},
    {L"C:/program files/Vantora//Kestra/./Season 1/Drivers/AKorlan.rcd",
     L"\\program files\\Vantora\\Kestra\\Season 1\\Drivers\\AKorlan.rcd"},
    {L"C:\\ProgramData\\Kestra\\config.ini", L"\\ProgramData\\Kestra\\config.ini"},
    {L"C:\\WINDOWS\\Kestra\\video.cfg", L"\\WINDOWS\\Kestra\\video.cfg"},
    // A protected folder itself, and a file right in it.
    {L"C:\\Program Files", L"\\Program Files"},
    {L"C:\\Program Files\\config.ini", L"\\Program Files\\config.ini"},
    {L"\\\\?\\C:\\Program Files\\Kestra\\config.ini", L"\\Program Files\\Kestra\\config.ini"},
    // Elsewhere Windows writes where it is told.
    {L"C:\\Games\\Kestra\\config.ini", L""},
    {L"D:\\Games\\Kestra\\config.ini", L""},
    {L"D:\\Program Files\\Kestra\\config.ini", L""},
    {L"C:\\Program Files Old\\Kestra\\config.ini", L""},
    {L"C:\\Windows.old\\Kestra\\config.ini", L""},
    {L"C:\\Program Files\\..\\Games\\config.ini", L""},
    {L"\\\\server\\share\\Program Files\\Kestra\\config.ini", L""},
    {L"Program Files\\Kestra\\config.ini", L""},
    {L"", L""},
};

class VirtualStoreTest : public ::testing::TestWithParam<Row> {};

TEST_P(VirtualStoreTest, CopyLiesInTheStoreAtThePathWithoutItsDrive) {
    const Row& row = GetParam();
    const std::wstring copy = row.copy[0] == L'\0' ? L"" : kRoot + row.copy;
    EXPECT_EQ(kStore.copyOf(row.path), copy);
    EXPECT_EQ(kStore.covers(row.path), !copy.empty());
}

INSTANTIATE_TEST_SUITE_P(Paths, VirtualStoreTest, ::testing::ValuesIn(kRows));

TEST(VirtualStoreTest, OnlyTheFoldersWindowsNamesAreProtected) {
    const VirtualStore onlyProgramFiles({L"C:\\Program Files"}, kRoot);
    EXPECT_FALSE(onlyProgramFiles.covers(L"C:\\Program Files (x86)\\Kestra\\config.ini"));
    EXPECT_TRUE(onlyProgramFiles.covers(L"c:\\program files\\Kestra\\config.ini"));
    const VirtualStore none({}, kRoot);
    EXPECT_TRUE(none.copyOf(L"C:\\Program Files\\Kestra\\config.ini").empty());
}

} // namespace
} // namespace rivo
