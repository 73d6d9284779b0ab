#include "game_prefixes.h"
#include "temp_dir.h"
#include "wine_prefixes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace rivo {

namespace {

namespace fs = std::filesystem;
using test::RegistryKind;
using test::TempDir;
using test::writeFile;
using test::writePrefix;

// One folder of the home made for the test: where it is, what its system.reg
// holds, and where the search lists it ("" when it must not be listed).
struct PrefixRow {
    const char* folder;
    RegistryKind kind;
    const char* installDir;
    const char* place;
};

// Every place the search knows, in its order, some holding the game, some
// not; each list in path order.
const PrefixRow kHome[] = {
    {".wine", RegistryKind::Real, "C:\\Games\\Kestra", "Wine"},
    {"Games/lutris/kestra", RegistryKind::Holding, "C:\\Lutris\\Kestra", "Lutris"},
    {"Games/lutris/notepad", RegistryKind::WithoutGame, "", ""},
    {"Games/lutris/tilde", RegistryKind::Holding, "C:\\Tilde", "Lutris"},
    {".local/share/bottles/bottles/Empty", RegistryKind::WithoutGame, "", ""},
    {".local/share/bottles/bottles/Kestra", RegistryKind::Holding, "C:\\Bottle", "Bottles"},
    {".var/app/com.usebottles.bottles/data/bottles/bottles/Racing", RegistryKind::Holding,
     "C:\\Racing", "Bottles (Flatpak)"},
    {".PlayOnLinux/wineprefix/Cut", RegistryKind::CutOff, "", ""},
    {".PlayOnLinux/wineprefix/Kestra", RegistryKind::Holding, "C:\\POL", "PlayOnLinux"},
    {"Games/Heroic/Prefixes/Kestra", RegistryKind::Holding, "C:\\Heroic", "Heroic"},
    {"Games/Heroic/Prefixes/default/Kestra", RegistryKind::Holding, "C:\\Default", "Heroic"},
    // ~/.steam/steam is a link to this Steam: listed once, under the link.
    {".local/share/Steam/steamapps/compatdata/4000/pfx", RegistryKind::Holding, "C:\\Steam",
     "Steam Proton"},
    {".local/share/Steam/steamapps/compatdata/5000/pfx", RegistryKind::WithoutGame, "", ""},
    {".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/7/pfx",
     RegistryKind::Holding, "C:\\Flatpak", "Steam Proton (Flatpak)"},
    {".cxoffice/Kestra", RegistryKind::Holding, "C:\\Cx", "CrossOver"},
};

// A Lutris configuration as the launcher writes it, with keys the search
// does not use.
std::string lutrisGame(const std::string& prefix) {
    return "game:\n"
           "  arch: win64\n"
           "  exe: " +
           prefix +
           "/drive_c/Games/Kestra/kestra.exe\n"
           "  prefix: " +
           prefix +
           "\n"
           "game_slug: kestra\n"
           "name: Kestra\n"
           "runner: wine\n"
           "system:\n"
           "  disable_runtime: false\n"
           "wine:\n"
           "  version: lutris-8.0\n";
}

TEST(GamePrefixesTest, FindsThePrefixesHoldingTheGameInAStableOrder) {
    TempDir home;
    std::vector<GamePrefix> expected;
    for (const PrefixRow& row : kHome) {
        writePrefix(home / row.folder, row.kind, row.installDir);
        if (*row.place != '\0') {
            fs::path listed = home / row.folder;
            if (std::string(row.folder).starts_with(".local/share/Steam/")) {
                listed = home / ".steam/steam" /
                         fs::path(row.folder).lexically_relative(".local/share/Steam");
            }
            expected.push_back({row.place, listed, row.installDir});
        }
    }
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(home / ".local/share/Steam", home / ".steam/steam");
    // A folder without system.reg is no prefix.
    fs::create_directories(home / ".cxoffice/Empty/drive_c");

    writeFile(home / ".config/lutris/games/kestra-1.yml",
              lutrisGame((home / "Games/lutris/kestra").string()));
    writeFile(home / ".config/lutris/games/notepad-2.yml",
              lutrisGame((home / "Games/lutris/notepad").string()));
    writeFile(home / ".config/lutris/games/broken.yml", "game: [prefix: {\n\t: :\n");
    writeFile(home / ".config/lutris/games/readme.txt", lutrisGame("/elsewhere"));
    writeFile(home / ".local/share/lutris/games/tilde.yml", lutrisGame("~/Games/lutris/tilde"));
    writeFile(home / ".local/share/lutris/games/scalar.yml", "just text\n");

    EXPECT_EQ(findGamePrefixes(home.path()), expected);
}

TEST(GamePrefixesTest, TheQuickCheckFindsTheKeyLineWhereverItStands) {
    struct Row {
        std::string keyLine;
        bool found;
    };
    const Row rows[] = {
        {"[Software\\\\Wow6432Node\\\\Vantora\\\\Kestra] 1733564800\n", true},
        {"[SOFTWARE\\\\VANTORA\\\\KESTRA] 1733564800\n", true},
        {"[Software\\\\Vantora\\\\Kestra\\\\Options] 1733564800\n", false},
        {"[Software\\\\Vantora\\\\Kestrel] 1733564800\n", false},
        {"[Software\\\\Vantora\\\\Kes", false},
    };
    TempDir dir;
    // The file is read in blocks of 128 KiB: the line stands before, across
    // and after the first block's end.
    for (const std::size_t at : {0u, 131040u, 131060u, 131065u, 131072u, 200000u}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::to_string(at) + " " + row.keyLine);
            const std::string bytes =
                std::string(at, 'k') + row.keyLine + "\"Install Dir\"=\"C:\"\n";
            writeFile(dir / "system.reg", bytes);
            EXPECT_EQ(fileMentionsGameKey(dir / "system.reg"), row.found);
            EXPECT_EQ(mentionsGameKey(bytes), row.found);
        }
    }
    EXPECT_FALSE(fileMentionsGameKey(dir / "missing.reg"));
}

TEST(GamePrefixesTest, AnEmptyHomeHasNoCandidates) {
    TempDir home;
    EXPECT_TRUE(findGamePrefixes(home.path()).empty());
}

} // namespace
} // namespace rivo
