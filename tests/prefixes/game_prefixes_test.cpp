#include "game_prefix_print.h"
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
// holds, and where the search lists it and under which name (place "" when
// it must not be listed).
struct PrefixRow {
    const char* folder;
    RegistryKind kind;
    const char* installDir;
    const char* place;
    const char* name;
};

// Every place the search knows, in its order, some holding the game, some
// not; each list in path order (launcher files: in the order of the files
// naming them, below).
const PrefixRow kHome[] = {
    {".wine", RegistryKind::Real, "C:\\Games\\Kestra", "Wine", ""},
    {"Games/lutris/kestra", RegistryKind::Holding, "C:\\Lutris\\Kestra", "Lutris", "Kestra"},
    {"Games/lutris/notepad", RegistryKind::WithoutGame, "", "", ""},
    {"Games/lutris/dollar", RegistryKind::Holding, "C:\\Dollar", "Lutris", "Kestra"},
    {"Games/lutris/braces", RegistryKind::Holding, "C:\\Braces", "Lutris", "Kestra"},
    {"Games/lutris/relative", RegistryKind::Holding, "C:\\Relative", "Lutris", ""},
    {"Games/lutris/big", RegistryKind::Holding, "C:\\Big", "", ""},
    {"Games/lutris/tilde", RegistryKind::Holding, "C:\\Tilde", "Lutris", "Kestra"},
    {".local/share/bottles/bottles/Empty", RegistryKind::WithoutGame, "", "", ""},
    {".local/share/bottles/bottles/Kestra", RegistryKind::Holding, "C:\\Bottle", "Bottles",
     "Kestra"},
    {"Elsewhere/Bottles/Racing", RegistryKind::Holding, "C:\\Custom", "Bottles", "Racing"},
    {".var/app/com.usebottles.bottles/data/bottles/bottles/Racing", RegistryKind::Holding,
     "C:\\Racing", "Bottles (Flatpak)", "Racing"},
    {".PlayOnLinux/wineprefix/Cut", RegistryKind::CutOff, "", "", ""},
    {".PlayOnLinux/wineprefix/Fifo", RegistryKind::Fifo, "", "", ""},
    {".PlayOnLinux/wineprefix/Huge", RegistryKind::Huge, "C:\\Huge", "", ""},
    {".PlayOnLinux/wineprefix/Kestra", RegistryKind::Holding, "C:\\POL", "PlayOnLinux", "Kestra"},
    {".PlayOnLinux/wineprefix/Loop", RegistryKind::Looping, "", "", ""},
    {".PlayOnLinux/wineprefix/Zero", RegistryKind::DevZero, "", "", ""},
    {"Games/Heroic/Prefixes/Kestra", RegistryKind::Holding, "C:\\Heroic", "Heroic", "Kestra"},
    {"Games/Heroic/Prefixes/default/Kestra", RegistryKind::Holding, "C:\\Default", "Heroic",
     "Kestra"},
    {"Games/custom-heroic", RegistryKind::Holding, "C:\\Custom", "Heroic", "kestra-gog"},
    {"Games/heroic-proton/pfx", RegistryKind::Holding, "C:\\Proton", "Heroic (Flatpak)", "kestra"},
    // ~/.steam/steam is a link to this Steam: listed once, under the link.
    {".local/share/Steam/steamapps/compatdata/4000/pfx", RegistryKind::Holding, "C:\\Steam",
     "Steam Proton", "4000"},
    {".local/share/Steam/steamapps/compatdata/5000/pfx", RegistryKind::WithoutGame, "", "", ""},
    {"SteamLibrary/steamapps/compatdata/8000/pfx", RegistryKind::Holding, "C:\\Library",
     "Steam Proton", "8000"},
    {".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/compatdata/7/pfx",
     RegistryKind::Holding, "C:\\Flatpak", "Steam Proton (Flatpak)", "7"},
    {".cxoffice/Kestra", RegistryKind::Holding, "C:\\Cx", "CrossOver", "Kestra"},
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
            expected.push_back({row.place, listed, row.installDir, row.name});
        }
    }
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(home / ".local/share/Steam", home / ".steam/steam");
    // A folder without system.reg is no prefix; a prefix reached again
    // through a link is not listed twice.
    fs::create_directories(home / ".cxoffice/Empty/drive_c");
    fs::create_directory_symlink(home / ".wine", home / ".local/share/bottles/bottles/Wine");
    fs::create_directory_symlink(home / ".local/share/Steam/steamapps/compatdata/4000",
                                 home / ".local/share/Steam/steamapps/compatdata/6000");

    const std::string lutris = home.path().string() + "/Games/lutris/";
    const fs::path games = home / ".config/lutris/games";
    writeFile(games / "a-kestra.yml", lutrisGame(lutris + "kestra"));
    writeFile(games / "b-notepad.yml", lutrisGame(lutris + "notepad"));
    writeFile(games / "broken.yml", "game: [prefix: {\n\t: :\n");
    writeFile(games / "c-dollar.yml", lutrisGame("$HOME/Games/lutris/dollar/"));
    writeFile(games / "d-braces.yml", lutrisGame("${HOME}/Games//lutris/./braces"));
    writeFile(games / "e-again.yml", lutrisGame("~/Games/lutris/kestra/"));
    writeFile(games / "f-relative.yml", "game:\n  prefix: Games/lutris/relative\n");
    // Above 1 MiB: not read at all.
    writeFile(games / "g-big.yml", lutrisGame(lutris + "big") + std::string(1 << 20, '#'));
    writeFile(games / "readme.txt", lutrisGame("/elsewhere"));
    writeFile(home / ".local/share/lutris/games/tilde.yml", lutrisGame("~/Games/lutris/tilde"));
    writeFile(home / ".local/share/lutris/games/scalar.yml", "just text\n");

    writeFile(home / ".local/share/bottles/data.yml",
              "custom_bottles_path: " + home.path().string() + "/Elsewhere/Bottles\n");

    const fs::path heroic = home / ".config/heroic/GamesConfig";
    writeFile(heroic / "broken.json", "{\"kestra\": {");
    writeFile(heroic / "kestra-gog.json", R"({"kestra-gog": {"winePrefix": "~/Games/custom-heroic",
        "wineVersion": {"type": "wine"}}, "version": "v0", "explicit": true})");
    writeFile(heroic / "known.json",
              R"({"known": {"winePrefix": "$HOME/Games/Heroic/Prefixes/default/Kestra"}})");
    // A Proton prefix is the pfx folder inside the one named.
    writeFile(home / ".var/app/com.heroicgameslauncher.hgl/config/heroic/GamesConfig/k.json",
              R"({"kestra": {"winePrefix": "Games/heroic-proton"}})");

    writeFile(home / ".local/share/Steam/steamapps/libraryfolders.vdf",
              "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + home.path().string() +
                  "/.local/share/Steam\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" +
                  home.path().string() + "/SteamLibrary\"\n\t\t\"apps\" { \"8000\" \"1\" }\n\t}\n" +
                  "\t\"2\"\t{ \"path\" \"/nowhere\" }\n}\n");

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
    // What the registry reader would not read is not read here either.
    for (const RegistryKind odd :
         {RegistryKind::Fifo, RegistryKind::DevZero, RegistryKind::Looping, RegistryKind::Huge}) {
        const fs::path folder = dir / std::to_string(static_cast<int>(odd));
        writePrefix(folder, odd);
        EXPECT_FALSE(fileMentionsGameKey(folder / "system.reg")) << folder;
    }
}

TEST(GamePrefixesTest, AnEmptyHomeHasNoCandidates) {
    TempDir home;
    EXPECT_TRUE(findGamePrefixes(home.path()).empty());
}

} // namespace
} // namespace rivo
