#include "argument_text.h"
#include "command_line.h"
#include "program.h"
#include "temp_dir.h"
#include "wine_prefixes.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QProcess>
#include <gtest/gtest.h>
#include <iostream>

namespace rivo::test {
namespace {

namespace fs = std::filesystem;

TEST(CommandLineTest, ReadsTheOptionsAndRefusesWhatItCannotUse) {
    TempDir prefix;
    writePrefix(prefix.path(), RegistryKind::WithoutGame);
    TempDir bare;
    writePrefix(bare / "fifo", RegistryKind::Fifo);
    const QString good = QString::fromStdString(prefix.path().string());
    [[maybe_unused]] const QString noReg = QString::fromStdString(bare.path().string());
    [[maybe_unused]] const QString missing = QString::fromStdString((bare / "missing").string());
    [[maybe_unused]] const QString fifo = QString::fromStdString((bare / "fifo").string());
    // A folder name that is not UTF-8 (Latin-1 "Café"), taken byte for byte.
    const std::string cafe = bare.path().string() + "/Caf\xE9";
    writePrefix(cafe, RegistryKind::WithoutGame);
    using Action = CommandLine::Action;
    struct Row {
        QStringList arguments;
        Action action;
        int exitCode;
        std::string output; // the start of it
    };
    const Row rows[] = {
        {{}, Action::Start, 0, ""},
        {{"--version"}, Action::Exit, 0, "RivoEdit 1.3.0.0\n"},
        {{"--help"}, Action::Exit, 0, "Usage: "},
#ifdef _WIN32
        {{"/?"}, Action::Exit, 0, "Usage: "},
        {{"-?"}, Action::Exit, 0, "Usage: "},
        // Windows has no Wine prefix to name or list.
        {{"--prefix", good}, Action::Exit, 2, "rivoedit: Unknown option 'prefix'.\n"},
        {{"--list-prefixes"}, Action::Exit, 2, "rivoedit: Unknown option 'list-prefixes'.\n"},
#else
        {{"--prefix", good}, Action::Start, 0, ""},
        {{"--list-prefixes"}, Action::ListPrefixes, 0, ""},
        {{"--prefix", missing},
         Action::Exit,
         2,
         "rivoedit: --prefix " + missing.toStdString() + ": not a folder\n"},
        {{"--prefix", noReg},
         Action::Exit,
         2,
         "rivoedit: --prefix " + noReg.toStdString() + ": no system.reg in this folder\n"},
        {{"--prefix", fifo},
         Action::Exit,
         2,
         "rivoedit: --prefix " + fifo.toStdString() +
             ": cannot read system.reg: not a regular file\n"},
        {{"--prefix"}, Action::Exit, 2, "rivoedit: Missing value after '--prefix'.\n"},
        {{"--prefix", argumentText(cafe)}, Action::Start, 0, ""},
        {{"--prefix", argumentText(cafe + "\xE9")},
         Action::Exit,
         2,
         "rivoedit: --prefix " + noReg.toStdString() + "/Caf\xC3\xA9\xC3\xA9: not a folder\n"},
        {{"--platform", "offscreen", "--list-prefixes"}, Action::ListPrefixes, 0, ""},
#endif
        // Qt's own options, for Qt to act on.
        {{"-platform", "offscreen", "-style=fusion", "-reverse"}, Action::Start, 0, ""},
        {{"--frobnicate"}, Action::Exit, 2, "rivoedit: Unknown option 'frobnicate'.\n"},
        {{"--game-folder", "D:\\Kestra"}, Action::Start, 0, ""},
        {{"--game-folder", ""}, Action::Exit, 2, "rivoedit: --game-folder: no folder given\n"},
        {{"--game-folder"}, Action::Exit, 2, "rivoedit: Missing value after '--game-folder'.\n"},
        {{"game.ini"}, Action::Exit, 2, "rivoedit: unexpected argument: game.ini\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const CommandLine command = parseCommandLine(QStringList{"rivoedit"} + row.arguments);
        EXPECT_EQ(command.action, row.action);
        EXPECT_EQ(command.exitCode, row.exitCode);
        EXPECT_TRUE(command.output.starts_with(row.output)) << command.output;
        EXPECT_EQ(command.prefix.has_value(),
                  row.arguments.contains("--prefix") && row.action == Action::Start);
        EXPECT_EQ(command.displayGiven(), row.arguments.join(' ').contains("platform"));
        EXPECT_EQ(command.gameFolder.has_value(),
                  row.arguments.contains("--game-folder") && row.action == Action::Start);
    }
    EXPECT_EQ(parseCommandLine({"rivoedit", "--game-folder", "D:\\Kestra"}).gameFolder,
              "D:\\Kestra");
    EXPECT_EQ(parseCommandLine({"rivoedit", "-display", ":5", "-platform", "xcb"}).display, ":5");
#ifdef _WIN32
    // A Windows path is made absolute, in the game's code page.
    EXPECT_EQ(parseCommandLine({"rivoedit", "--game-folder", "Kestra"}).gameFolder,
              (fs::current_path() / "Kestra").string());
#endif
}

#ifndef _WIN32
// Whether something answers at the X display :999, which the rows below
// take for unreachable: its socket, in the file system or the abstract
// namespace that libxcb tries first.
bool display999Answers() {
    if (fs::exists("/tmp/.X11-unix/X999")) {
        return true;
    }
    QFile sockets("/proc/net/unix");
    return sockets.open(QIODevice::ReadOnly) && sockets.readAll().contains("/tmp/.X11-unix/X999");
}
#endif

#ifndef _WIN32
// The program itself, started without a display, as from a terminal or a
// script: what it prints and its exit status.
TEST(CommandLineTest, TheProgramAnswersWithoutADisplay) {
    TempDir home;
    TempDir empty;
    writePrefix(home / ".wine", RegistryKind::Holding, "C:\\Games\\Kestra");
    writePrefix(home / ".cxoffice/Tab\tand\nline", RegistryKind::Holding, "C:\\Odd");
    writePrefix(empty / "without", RegistryKind::WithoutGame);
    writePrefix(empty / "fifo", RegistryKind::Fifo);
    writePrefix(empty / "loop", RegistryKind::Looping);
    writePrefix(empty / "huge", RegistryKind::Huge);
    // Control characters in a hostile registry; launcher files past what a
    // search reads.
    TempDir crowded;
    writePrefix(crowded / ".wine", RegistryKind::Holding, "C:\\Esc\x1b[2J\x7f\xC2\x9D");
    writeFile(crowded / ".config/lutris/games/big.yml", std::string(300 * 1024, '#'));
    TempDir noHome; // stands for HOME unset
    // A prefix whose registry lacks the game, with the game's folder on its C:
    // drive, and a folder outside it.
    TempDir games;
    writePrefix(games / "pfx", RegistryKind::WithoutGame);
    fs::create_directories(games / "pfx/drive_c/Games/Kestra");
    fs::create_directories(games / "pfx/dosdevices");
    fs::create_directory_symlink("../drive_c", games / "pfx/dosdevices/c:");
    fs::create_directories(games / "outside");
    const std::string h = home.path().string();
    const std::string e = empty.path().string();
    const std::string g = games.path().string();
    const QString gameFolder = QString::fromStdString(g + "/pfx/drive_c/Games/Kestra");
    const std::string kNoHome = "rivoedit: HOME is not set, so no Wine prefix was looked at\n";
    const std::string kNoDisplay =
        "rivoedit: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)\n";
    const std::string kOpensKestra = "rivoedit: with --game-folder the window opens "
                                     "C:\\\\Games\\\\Kestra in the Wine prefix " +
                                     g + "/pfx, whatever the registry names\n";
    struct Row {
        QStringList arguments;
        std::string winePrefix;
        const TempDir& home;
        int exitCode;
        std::string out;
        std::string err;
        std::string display = {}; // DISPLAY; the X display :999 is taken for unreachable
    };
    const Row rows[] = {
        {{},
         "",
         home,
         3,
         "",
         "rivoedit: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set)\n"},
        {{"--version"}, "", home, 0, "RivoEdit 1.3.0.0\n", ""},
        {{"-platform", "offscreen", "--version"}, "", home, 0, "RivoEdit 1.3.0.0\n", ""},
        {{"--list-prefixes"},
         "",
         home,
         0,
         h + "/.wine\tWine\tC:\\\\Games\\\\Kestra\n" + h +
             "/.cxoffice/Tab\\tand\\nline\tCrossOver\tC:\\\\Odd\n",
         ""},
        {{"--list-prefixes"},
         "",
         empty,
         1,
         "",
         "rivoedit: Kestra is in no Wine prefix; looked in ~/.wine, Lutris, Bottles, PlayOnLinux, "
         "Heroic, Steam and CrossOver\n"},
        {{"--list-prefixes"},
         e + "/without",
         home,
         1,
         "",
         "rivoedit: Kestra is not in the Wine prefix " + e + "/without (from WINEPREFIX)\n"},
        {{}, e + "/missing", home, 2, "", "rivoedit: WINEPREFIX " + e + "/missing: not a folder\n"},
        {{"--list-prefixes"},
         e,
         home,
         2,
         "",
         "rivoedit: WINEPREFIX " + e + ": no system.reg in this folder\n"},
        {{},
         e + "/fifo",
         home,
         2,
         "",
         "rivoedit: WINEPREFIX " + e + "/fifo: cannot read system.reg: not a regular file\n"},
        {{"--list-prefixes"},
         e + "/loop",
         home,
         2,
         "",
         "rivoedit: WINEPREFIX " + e +
             "/loop: cannot read system.reg: Too many levels of symbolic links\n"},
        {{"--list-prefixes"},
         e + "/huge",
         home,
         2,
         "",
         "rivoedit: WINEPREFIX " + e +
             "/huge: cannot read system.reg: the file is larger than 64 MiB, the most RivoEdit "
             "reads of a registry\n"},
        {{"--list-prefixes"},
         "",
         crowded,
         0,
         crowded.path().string() + "/.wine\tWine\tC:\\\\Esc\\x1b[2J\\x7f\\xc2\\x9d\n",
         "rivoedit: 1 launcher file was not read: a search reads at most 256 KiB of launcher "
         "files\n"},
        {{"-display", ":99"}, "", noHome, 2, "", kNoHome},
        {{"-platform", "offscreen"}, "", noHome, 2, "", kNoHome},
        // Nowhere to look is a command line that cannot be used, not an
        // empty search.
        {{"--list-prefixes"}, "", noHome, 2, "", kNoHome},
        {{"--list-prefixes"},
         h + "/.wine",
         noHome,
         0,
         h + "/.wine\tWINEPREFIX\tC:\\\\Games\\\\Kestra\n",
         ""},
        // A display that is set but does not answer: one line, not Qt's abort.
        {{},
         "",
         home,
         3,
         "",
         "rivoedit: no display could be opened for the window (DISPLAY=:999)\n",
         ":999"},
        {{"-display", ":999"},
         "",
         home,
         3,
         "",
         "rivoedit: no display could be opened for the window (-display :999)\n"},
        // Control characters in a folder's name are escaped in errors too.
        {{"--prefix", QString::fromStdString(e + "/Esc\x1b[2J\x7f\xC2\x9B\tend")},
         "",
         home,
         2,
         "",
         "rivoedit: --prefix " + e + "/Esc\\x1b[2J\\x7f\\xc2\\x9b\\tend: not a folder\n"},
        {{},
         e + "/Line\nfeed",
         home,
         2,
         "",
         "rivoedit: WINEPREFIX " + e + "/Line\\nfeed: not a folder\n"},
        // --game-folder: a C:\ path in the prefix given, or a host folder in
        // the prefix around it, which --list-prefixes names once.
        {{"--list-prefixes", "--game-folder", "C:\\Games\\Kestra"},
         g + "/pfx",
         home,
         1,
         "",
         kOpensKestra + "rivoedit: Kestra is not in the Wine prefix " + g +
             "/pfx (from WINEPREFIX)\n"},
        {{"--list-prefixes", "--game-folder", gameFolder},
         "",
         home,
         0,
         h + "/.wine\tWine\tC:\\\\Games\\\\Kestra\n" + h +
             "/.cxoffice/Tab\\tand\\nline\tCrossOver\tC:\\\\Odd\n",
         kOpensKestra},
        {{"--game-folder", gameFolder + "/"}, "", empty, 3, "", kNoDisplay},
        // The folder's own prefix needs no home to be found from.
        {{"--game-folder", gameFolder}, "", noHome, 3, "", kNoDisplay},
        {{"--game-folder", "C:\\Games\\Kestra"}, g + "/pfx", empty, 3, "", kNoDisplay},
        {{"--game-folder", QString::fromStdString(g + "/outside")},
         g + "/pfx",
         home,
         2,
         "",
         "rivoedit: --game-folder " + g + "/outside: no drive of the Wine prefix " + g +
             "/pfx leads to this folder\n"},
        {{"--list-prefixes", "--game-folder", QString::fromStdString(g + "/outside")},
         "",
         empty,
         2,
         "",
         "rivoedit: --game-folder " + g +
             "/outside: no Wine prefix holds this folder and no "
             "drive of " +
             e + "/.wine leads to it (--prefix names the prefix)\n"},
        {{"--game-folder", QString::fromStdString(g + "/missing")},
         "",
         home,
         2,
         "",
         "rivoedit: --game-folder " + g + "/missing: not a folder\n"},
        {{"--game-folder", "C:\\\u0416"},
         g + "/pfx",
         home,
         2,
         "",
         "rivoedit: --game-folder C:\\\\\xD0\x96: the name holds a character that Windows-1252, "
         "the game's code page, cannot write\n"},
        {{"--game-folder"}, "", home, 2, "", "rivoedit: Missing value after '--game-folder'.\n"},
    };
    const bool display999 = display999Answers();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString() + " " + row.winePrefix);
        if (display999 && row.err.find(":999") != std::string::npos) {
            std::cout << "Skipped: something answers at the X display :999, which this row "
                         "takes for unreachable\n";
            continue;
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "WINEPREFIX"}) {
            environment.remove(name);
        }
        if (!row.display.empty()) {
            environment.insert("DISPLAY", QString::fromStdString(row.display));
        }
        if (&row.home != &noHome) {
            environment.insert("HOME", QString::fromStdString(row.home.path().string()));
        } else {
            environment.remove("HOME");
        }
        if (!row.winePrefix.empty()) {
            environment.insert("WINEPREFIX", QString::fromStdString(row.winePrefix));
        }
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(RIVO_PROGRAM, row.arguments);
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), row.exitCode);
        EXPECT_EQ(program.readAllStandardOutput().toStdString(), row.out);
        EXPECT_EQ(program.readAllStandardError().toStdString(), row.err);
    }
}
#endif

TEST(CommandLineTest, TheWindowIconIsBuiltIn) {
    setProgramIcon();
    EXPECT_EQ(QApplication::windowIcon().availableSizes(),
              (QList<QSize>{{48, 48}, {128, 128}, {256, 256}}));
}

// The images are decoded when first drawn, and then drawn at each size.
TEST(CommandLineTest, TheWindowIconDraws) {
    setProgramIcon();
    const QIcon icon = QApplication::windowIcon();
    for (const int size : {48, 128, 256}) {
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        EXPECT_FALSE(pixmap.isNull()) << size;
        EXPECT_EQ(pixmap.size(), QSize(size, size));
    }
}

} // namespace
} // namespace rivo::test
