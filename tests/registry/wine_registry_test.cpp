#include "recording_window.h"
#include "rivoconfig.h"
#include "rivoreg.h"
#include "temp_dir.h"
#include "wine_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <optional>
#include <random>

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::RecordingWindow;
using test::TempDir;
using test::testDataDir;
using test::writeFile;
using ::testing::ElementsAre;

constexpr std::uint32_t k32 = reg::kKeyRead | reg::kKeyWow64_32Key;
constexpr std::uint32_t k64 = reg::kKeyRead | reg::kKeyWow64_64Key;

fs::path fixture(const char* name) {
    return testDataDir() / "wine-registry" / name;
}

// One value read the way the ANSI call is used: probe the size, then query.
struct Read {
    reg::Status status = -1;
    std::uint32_t type = 0;
    std::string data;
};

Read readValue(WineRegistry& registry, const std::string& key, const std::string& name,
               std::uint32_t access = k32) {
    Read read;
    reg::Handle handle = 0;
    read.status = registry.openKey(reg::Root::LocalMachine, key, 0, access, handle);
    if (read.status != reg::kSuccess) {
        return read;
    }
    std::uint32_t size = 0;
    read.status = registry.queryValue(handle, name, &read.type, nullptr, &size);
    if (read.status == reg::kSuccess) {
        std::string buffer(size, '\xAA');
        read.status = registry.queryValue(handle, name, &read.type,
                                          reinterpret_cast<unsigned char*>(buffer.data()), &size);
        read.data = buffer.substr(0, size);
    }
    EXPECT_EQ(registry.closeKey(handle), reg::kSuccess);
    return read;
}

std::string installDirIn(const fs::path& systemReg, RecordingWindow& window) {
    WineRegistry registry(systemReg);
    std::string InstallDir;
    LocateInstallDir(registry, window, InstallDir);
    EXPECT_EQ(registry.openKeyCount(), 0u);
    return InstallDir;
}

const std::string kDirLine = "\"Install Dir\"=\"C:\\\\Games\\\\Kestra\"\n";

std::string text(const char* s) {
    return std::string(s) + '\0';
}

TEST(WineRegistryTest, FindsTheGameInARealPrefix) {
    RecordingWindow window;
    EXPECT_EQ(installDirIn(fixture("system.reg"), window), "C:\\Games\\Kestra");
    EXPECT_TRUE(window.calls.empty());
}

struct ValueCase {
    const char* key;
    const char* name;
    std::uint32_t type;
    std::string data;
};

std::string binaryFixture() {
    std::string bytes;
    for (int tens = 0; tens < 4; ++tens) {
        for (int units = 0; units < 10; ++units) {
            bytes.push_back(static_cast<char>(tens * 16 + units));
        }
    }
    return bytes;
}

TEST(WineRegistryTest, EveryValueOfTheFixtureComesBackAsTheAnsiCallGivesIt) {
    const char* values = "SOFTWARE\\Fixture\\Values";
    const std::vector<ValueCase> cases = {
        {values, "", reg::kTypeSz, text("default value")},
        {values, "Binary", reg::kTypeBinary, binaryFixture()},
        {values, "Empty", reg::kTypeSz, text("")},
        {values, "Expand", reg::kTypeExpandSz, text("%ProgramFiles%\\Game")},
        // Octal escapes here: a hex escape would swallow the digit after it.
        {values, "HexNeighbour", reg::kTypeSz, text("\3741\200a\200 tab\tend")},
        {values, "Latin", reg::kTypeSz, text("C:\\Spiele\\M\374ller Gr\366\337e")},
        {values, "mIXEDcASE", reg::kTypeSz, text("value names match in any case")},
        {values, "Multi", reg::kTypeMultiSz, std::string("one\0two\0\0", 9)},
        {values, "Negative", reg::kTypeDword, std::string("\xFE\xFF\xFF\xFF", 4)},
        {values, "NonLatin1", reg::kTypeSz, text("Euro \x80 \x8Cuvre \x97 dash")},
        {values, "Number", reg::kTypeDword, std::string("\x2A\0\0\0", 4)},
        {values, "Plain", reg::kTypeSz, text("D:\\Racing\\Sim")},
        {values, "Spaces and Quotes", reg::kTypeSz, text("say \"hi\" \\ back\\slash")},
        {"software\\fixture\\VALUES\\nested key", "Child", reg::kTypeSz, text("C:\\child")},
    };
    WineRegistry registry(fixture("values.reg"));
    for (const ValueCase& c : cases) {
        const Read read = readValue(registry, c.key, c.name);
        EXPECT_EQ(read.status, reg::kSuccess) << c.name;
        EXPECT_EQ(read.type, c.type) << c.name;
        EXPECT_EQ(read.data, c.data) << c.name;
    }
    EXPECT_EQ(registry.openKeyCount(), 0u);
}

TEST(WineRegistryTest, AnswersLikeRegQueryValueExA) {
    WineRegistry registry(fixture("values.reg"));
    reg::Handle key = 0;
    ASSERT_EQ(registry.openKey(reg::Root::LocalMachine, "SOFTWARE\\Fixture\\Values", 0, k32, key),
              reg::kSuccess);
    ASSERT_NE(key, 0u);

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(registry.queryValue(key, "Plain", &type, nullptr, &size), reg::kSuccess);
    EXPECT_EQ(type, reg::kTypeSz);
    EXPECT_EQ(size, 14u); // D:\Racing\Sim and its NUL

    unsigned char small[4] = {'x', 'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(registry.queryValue(key, "Plain", nullptr, small, &size), reg::kMoreData);
    EXPECT_EQ(size, 14u);

    unsigned char exact[14] = {};
    size = sizeof exact;
    EXPECT_EQ(registry.queryValue(key, "Plain", nullptr, exact, &size), reg::kSuccess);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(exact), size), text("D:\\Racing\\Sim"));
    EXPECT_EQ(registry.queryValue(key, "Plain", nullptr, exact, nullptr), reg::kInvalidParameter);
    EXPECT_EQ(registry.queryValue(key, "Plain", &type, nullptr, nullptr), reg::kSuccess);

    EXPECT_EQ(registry.queryValue(key, "Missing", &type, nullptr, &size), reg::kFileNotFound);
    EXPECT_EQ(registry.queryValue(key + 1000, "Plain", &type, nullptr, &size), reg::kInvalidHandle);
    EXPECT_EQ(registry.queryValue(0, "Plain", &type, nullptr, &size), reg::kInvalidHandle);

    EXPECT_EQ(registry.closeKey(key), reg::kSuccess);
    EXPECT_EQ(registry.queryValue(key, "Plain", &type, nullptr, &size), reg::kInvalidHandle);
    EXPECT_EQ(registry.closeKey(key), reg::kInvalidHandle);
    EXPECT_EQ(registry.closeKey(0), reg::kInvalidHandle);
}

TEST(WineRegistryTest, RefusedOpensLeaveTheHandleAlone) {
    WineRegistry registry(fixture("values.reg"));
    reg::Handle key = 77;
    EXPECT_EQ(registry.openKey(reg::Root::LocalMachine, "SOFTWARE\\Nowhere", 0, k32, key),
              reg::kFileNotFound);
    EXPECT_EQ(registry.openKey(static_cast<reg::Root>(0x80000001u), "SOFTWARE\\Fixture\\Values", 0,
                               k32, key),
              reg::kInvalidHandle);
    EXPECT_EQ(registry.openKey(reg::Root::LocalMachine, "SOFTWARE\\Fixture\\Values", 0,
                               reg::kKeyRead | reg::kKeyWow64_32Key | reg::kKeyWow64_64Key, key),
              reg::kInvalidParameter);
    EXPECT_EQ(key, 77u);
    EXPECT_EQ(registry.openKeyCount(), 0u);
}

TEST(WineRegistryTest, ViewsOfA64BitPrefix) {
    WineRegistry registry(fixture("values.reg"));
    // The 64-bit view has no Values key; the 32-bit one is reached by its own
    // path too, without a second Wow6432Node.
    EXPECT_EQ(readValue(registry, "SOFTWARE\\Fixture\\Values", "Plain", k64).status,
              reg::kFileNotFound);
    EXPECT_EQ(readValue(registry, "SOFTWARE\\Wow6432Node\\Fixture\\Values", "Plain").data,
              text("D:\\Racing\\Sim"));
    EXPECT_EQ(readValue(registry, "SOFTWARE\\Fixture\\Native64", "Only64", k64).data,
              text("C:\\sixty-four"));
    // A key only in the 64-bit view is not in the 32-bit one; the lookup
    // finds it there after the 32-bit view has no such key.
    EXPECT_EQ(readValue(registry, "SOFTWARE\\Fixture\\Native64", "Only64").status,
              reg::kFileNotFound);
    EXPECT_EQ(RegReadValue(registry, "SOFTWARE\\Fixture\\Native64", "Only64"),
              RegistryValue(std::string("C:\\sixty-four")));
    // Without a view flag the program reads as a 32-bit program.
    EXPECT_EQ(readValue(registry, "SOFTWARE\\Fixture\\Values", "Plain", reg::kKeyRead).data,
              text("D:\\Racing\\Sim"));
    // A key without its own line exists when a key below it does; doubled
    // and trailing backslashes name no key.
    for (const char* path : {"Software\\Fixture", "SOFTWARE\\\\Fixture\\"}) {
        reg::Handle key = 0;
        EXPECT_EQ(registry.openKey(reg::Root::LocalMachine, path, 0, k32, key), reg::kSuccess);
        EXPECT_EQ(registry.queryValue(key, "Plain", nullptr, nullptr, nullptr), reg::kFileNotFound);
        EXPECT_EQ(registry.closeKey(key), reg::kSuccess);
    }
}

TEST(WineRegistryTest, KeyInBothViewsTakesThe32BitOne) {
    TempDir dir;
    writeFile(dir / "system.reg", "WINE REGISTRY Version 2\n#arch=win64\n\n"
                                  "[Software\\\\Vantora\\\\Kestra] 1\n"
                                  "\"Install Dir\"=\"C:\\\\Native\"\n\n"
                                  "[Software\\\\Wow6432Node\\\\Vantora\\\\Kestra] 1\n"
                                  "\"Install Dir\"=\"C:\\\\Games\\\\Kestra\"\n");
    WineRegistry registry(dir / "system.reg");
    EXPECT_EQ(readValue(registry, kGameRegistryKey, "Install Dir").data, text("C:\\Games\\Kestra"));
    EXPECT_EQ(readValue(registry, kGameRegistryKey, "Install Dir", k64).data, text("C:\\Native"));
}

TEST(WineRegistryTest, A32BitPrefixHasNoWow6432Node) {
    for (const char* arch : {"#arch=win32\n", ""}) {
        TempDir dir;
        writeFile(dir / "system.reg", std::string("WINE REGISTRY Version 2\n") + arch +
                                          "\n[Software\\\\Vantora\\\\Kestra] 1796623556\n"
                                          "\"Install Dir\"=\"C:\\\\Games\\\\Kestra\"\n\n"
                                          "[Software\\\\Wow6432Node\\\\Vantora\\\\Kestra] 1\n"
                                          "\"Install Dir\"=\"C:\\\\Stray\"\n");
        RecordingWindow window;
        EXPECT_EQ(installDirIn(dir / "system.reg", window), "C:\\Games\\Kestra") << arch;
        EXPECT_TRUE(window.calls.empty());
    }
}

// A registry file with one key, Software\Wow6432Node\Test, holding `lines`.
std::string testKey(const std::string& lines) {
    return "WINE REGISTRY Version 2\n#arch=win64\n\n[Software\\\\Wow6432Node\\\\Test] 1\n" + lines;
}

TEST(WineRegistryTest, DecodesEveryStringEscapeAndValueForm) {
    const std::vector<std::pair<std::string, ValueCase>> cases = {
        {R"("c"="\a\b\e\f\n\r\t\v")", {"", "c", 1, text("\a\b\x1B\f\n\r\t\v")}},
        {R"("x"="\x41\x0042\x4z\xg\x263a")", {"", "x", 1, text("AB\x04zxg?")}},
        {R"("o"="\101\1234\7\8\0x")", {"", "o", 1, std::string("AS4\a8\0x\0", 8)}},
        {R"("e"="\[\]\"\\\q")", {"", "e", 1, text("[]\"\\q")}},
        {"\"u\"=\"M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x98\x80 \xFF\"",
         {"", "u", 1, text("M\xFCller \x80 ? ?")}},
        {"\"M\xC3\x9C\"=\"name in UTF-8\"", {"", "m\xFC", 1, text("name in UTF-8")}},
        {R"("s"=str:"plain")", {"", "s", 1, text("plain")}},
        {R"("h1"=hex(1):41,00,ac,20,00,00)", {"", "h1", 1, text("A\x80")}},
        {R"("h2"=hex(2):25,00,41,00,25,00,00,00)", {"", "h2", 2, text("%A%")}},
        {R"("h7"=hex(7):61,00,00,00,62,00,00,00,00,00)", {"", "h7", 7, std::string("a\0b\0\0", 5)}},
        {R"("odd"=hex(1):41,00,42)", {"", "odd", 1, "A"}},
        {R"("q"=hex(b):01,02,03,04,05,06,07,08)",
         {"", "q", 11, "\x01\x02\x03\x04\x05\x06\x07\x08"}},
        {R"("w"=hex(ffff0007):03,00,00,00)", {"", "w", 0xFFFF0007u, std::string("\x03\0\0\0", 4)}},
        {R"("b"=hex:)", {"", "b", 3, ""}},
        {R"("d"=dword:7)", {"", "d", 4, std::string("\x07\0\0\0", 4)}},
        {"\"twice\"=\"first\"\n\"TWICE\"=\"second\"", {"", "twice", 1, text("second")}},
    };
    for (const auto& [line, c] : cases) {
        TempDir dir;
        writeFile(dir / "system.reg", testKey(line + "\n"));
        WineRegistry registry(dir / "system.reg");
        const Read read = readValue(registry, "SOFTWARE\\Test", c.name);
        EXPECT_EQ(read.status, reg::kSuccess) << line;
        EXPECT_EQ(read.type, c.type) << line;
        EXPECT_EQ(read.data, c.data) << line;
    }
}

TEST(WineRegistryTest, KeyLinesAreUnescapedAndComparedIgnoringCase) {
    TempDir dir;
    writeFile(dir / "system.reg",
              "WINE REGISTRY Version 2\r\n#arch=win64\r\n\r\n"
              "[Software\\\\Wow6432Node\\\\Br\\]acket\\\\M\xC3\xBCller\\\\\\x00c4rger] 1\r\n"
              "\"Gr\\xd6\\xdf\"=\"big\"\r\n"
              "[Software\\\\Wow6432Node\\\\Split] 1\r\n\"a\"=\"1\"\r\n"
              "[Software\\\\Wow6432Node\\\\Other] 1\r\n\"a\"=\"other\"\r\n"
              "[software\\\\wow6432node\\\\SPLIT] 2\r\n\"b\"=\"2\"\r\n");
    WineRegistry registry(dir / "system.reg");
    EXPECT_EQ(readValue(registry, "software\\br]ACKET\\M\xDCLLER\\\xE4RGER", "gr\xF6\xDF").data,
              text("big"));
    // A key written twice: its values are read from both places.
    EXPECT_EQ(readValue(registry, "SOFTWARE\\Split", "a").data, text("1"));
    EXPECT_EQ(readValue(registry, "SOFTWARE\\Split", "b").data, text("2"));
}

TEST(WineRegistryTest, AKeyLineNamesTheGameKeyHoweverItIsWritten) {
    const std::vector<std::pair<const char*, bool>> lines = {
        {R"([SOFTWARE\\wow6432node\\VANTORA\\kestra] 1)", true},
        {R"([\x53oftware\\Wow6432Node\\Vantora\\Kestr\x61] 1)", true},
        {R"([Software\x5cWow6432Node\\Vantora\\\Kestra] 1)", true},
        {R"([Software\\Wow6432Node\\Vantora\\Kestra\\Sub] 1)", true},
        {R"([Software\\Wow6432Node\\Vantora\\Kestra\x5cSub] 1)", true},
        {R"([Software\\Wow6432Node\\Vantora\\Kestra2] 1)", false},
        {R"([Software\\Wow6432Node\\Vantora\\Kestr] 1)", false},
        {R"([Software\\Wow6432Node\\Vantora\\Kestra\x41] 1)", false},
        {R"([Software\\Wow6432Node\\Vantora\\Kestra\]] 1)", false},
        {R"([Software\\Wow6432Node\\Vantora\\Kestra)", false},
        {R"([Software\\Wow6432Node\\Vantora\Kestra] 1)", false},
    };
    for (const auto& [line, found] : lines) {
        TempDir dir;
        writeFile(dir / "system.reg",
                  "WINE REGISTRY Version 2\n#arch=win64\n\n" + std::string(line) + "\n" + kDirLine);
        WineRegistry registry(dir / "system.reg");
        reg::Handle key = 0;
        EXPECT_EQ(registry.openKey(reg::Root::LocalMachine, kGameRegistryKey, 0, k32, key),
                  found ? reg::kSuccess : reg::kFileNotFound)
            << line;
        registry.closeKey(key);
    }
}

// Damaged files: what the game lookup gives, and the values still read.
struct DamageCase {
    const char* what;
    std::string file;
    const char* installDir; // "" means "Kestra not installed"
    std::vector<std::pair<const char*, std::optional<std::string>>> values = {};
};

const std::string kHead = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n"
                          "#arch=win64\n\n";
const std::string kGameKey = "[Software\\\\Wow6432Node\\\\Vantora\\\\Kestra] 1796623556\n"
                             "#time=1dd8611065838ca\n";
const std::string kBlob = "\"Blob\"=hex:01,02,03,\\\n  04,05\n";

std::string garbage(std::size_t size) {
    std::mt19937 random(1234);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random() & 0xFF);
    }
    return bytes;
}

std::vector<DamageCase> damageCases() {
    const std::string good = kHead + kGameKey + kDirLine + kBlob;
    const std::string blob = "\x01\x02\x03\x04\x05";
    return {
        {"intact",
         good + "\"Version\"=\"1.00\"\n",
         "C:\\Games\\Kestra",
         {{"Blob", blob}, {"Version", text("1.00")}}},
        {"cut mid-string",
         good + "\"Version\"=\"1.0",
         "C:\\Games\\Kestra",
         {{"Blob", blob}, {"Version", std::nullopt}}},
        {"cut before the line end",
         good + "\"Version\"=\"1.00\"",
         "C:\\Games\\Kestra",
         {{"Version", std::nullopt}}},
        {"cut mid-dword",
         good + "\"Number\"=dword:0000",
         "C:\\Games\\Kestra",
         {{"Number", std::nullopt}}},
        {"cut mid-continuation",
         kHead + kGameKey + kDirLine + "\"Blob\"=hex:01,02,03,\\\n  04,0",
         "C:\\Games\\Kestra",
         {{"Blob", std::nullopt}}},
        {"cut after the backslash",
         kHead + kGameKey + kDirLine + "\"Blob\"=hex:01,02,03,\\\n",
         "C:\\Games\\Kestra",
         {{"Blob", std::nullopt}}},
        {"continuation that is not hex",
         kHead + kGameKey + "\"Blob\"=hex:01,\\\n" + kDirLine,
         "C:\\Games\\Kestra",
         {{"Blob", std::nullopt}}},
        {"cut in the install folder", kHead + kGameKey + "\"Install Dir\"=\"C:\\\\Gam", ""},
        {"cut in the value name", kHead + kGameKey + "\"Install Di", ""},
        {"cut in the key line", kHead + "[Software\\\\Wow6432Node\\\\Vant", ""},
        {"unknown lines",
         kHead + kGameKey + "#link\n#time=0\n;; note\ngarbage\n#x=1\n" + kDirLine +
             "  04,05\n=\"x\"\n" + kBlob,
         "C:\\Games\\Kestra",
         {{"Blob", blob}}},
        {"values after a broken key line belong to no key",
         good + "[Software\\\\Broken\n\"Install Dir\"=\"C:\\\\Wrong\"\n", "C:\\Games\\Kestra"},
        {"lone brackets", kHead + "[\n" + kGameKey + kDirLine + "[", "C:\\Games\\Kestra"},
        {"not a registry file", "[Software\\\\Wow6432Node\\\\Vantora\\\\Kestra]\n" + kDirLine, ""},
        {"other version", "WINE REGISTRY Version 1\n" + kGameKey + kDirLine, ""},
        {"empty file", "", ""},
        {"byte order mark", "\xEF\xBB\xBF" + kHead + kGameKey + kDirLine, ""},
        {"NUL bytes",
         kHead + std::string("[Soft\0ware]\n\0\n", 14) + kGameKey +
             std::string("\"Bad\"=\"a\0b\"\n", 12) + kDirLine + kBlob,
         "C:\\Games\\Kestra",
         {{"Bad", std::nullopt}, {"Blob", blob}}},
        {"1 MB lines",
         kHead + "[Software\\\\" + std::string(1 << 20, 'x') + "]\n" + kGameKey + "\"Long\"=\"" +
             std::string(1 << 20, 'y') + "\"\n" + std::string(1 << 20, 'z') + "\n" + kDirLine +
             kBlob,
         "C:\\Games\\Kestra",
         {{"Long", text(std::string(1 << 20, 'y').c_str())}, {"Blob", blob}}},
        {"random garbage before the key", kHead + garbage(1 << 16) + "\n" + kGameKey + kDirLine,
         "C:\\Games\\Kestra"},
        {"random garbage only", kHead + garbage(1 << 16), ""},
        {"CR LF line ends",
         "WINE REGISTRY Version 2\r\n#arch=win64\r\n\r\n"
         "[Software\\\\Wow6432Node\\\\Vantora\\\\Kestra] 1\r\n"
         "\"Install Dir\"=\"C:\\\\Games\\\\Kestra\"\r\n"
         "\"Blob\"=hex:01,02,03,\\\r\n  04,05\r\n",
         "C:\\Games\\Kestra",
         {{"Blob", blob}}},
    };
}

TEST(WineRegistryTest, DamagedFilesNeverLoseWhatCameBefore) {
    for (const DamageCase& c : damageCases()) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        writeFile(dir / "system.reg", c.file);
        RecordingWindow window;
        const std::string InstallDir = installDirIn(dir / "system.reg", window);
        EXPECT_EQ(InstallDir, c.installDir);
        if (InstallDir.empty()) {
            EXPECT_THAT(window.calls, ElementsAre("message Kestra not installed", "close"));
        }
        WineRegistry registry(dir / "system.reg");
        for (const auto& [name, expected] : c.values) {
            const Read read = readValue(registry, kGameRegistryKey, name);
            if (expected) {
                EXPECT_EQ(read.status, reg::kSuccess) << name;
                EXPECT_EQ(read.data, *expected) << name;
            } else {
                EXPECT_EQ(read.status, reg::kFileNotFound) << name;
            }
        }
    }
}

TEST(WineRegistryTest, NoReadableFileMeansNotInstalled) {
    TempDir dir;
    fs::create_directories(dir / "folder.reg");
    for (const fs::path& path : {dir / "missing.reg", dir / "folder.reg"}) {
        RecordingWindow window;
        EXPECT_EQ(installDirIn(path, window), "");
        EXPECT_THAT(window.calls, ElementsAre("message Kestra not installed", "close"));
    }
}

} // namespace
} // namespace rivo
