#include "argument_text.h"
#include "command_line.h"
#include "program.h"
#include "temp_dir.h"
#include "wine_prefixes.h"

#include <QApplication>
#include <QIcon>
#include <QProcess>
#include <gtest/gtest.h>

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
        EXPECT_EQ(command.displayGiven, row.arguments.join(' ').contains("platform"));
    }
}

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
    const std::string h = home.path().string();
    const std::string e = empty.path().string();
    const std::string kNoHome = "rivoedit: HOME is not set, so no Wine prefix was looked at\n";
    struct Row {
        QStringList arguments;
        std::string winePrefix;
        const TempDir& home;
        int exitCode;
        std::string out;
        std::string err;
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
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString() + " " + row.winePrefix);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "WINEPREFIX"}) {
            environment.remove(name);
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
