#include "command_line.h"
#include "program.h"
#include "temp_dir.h"
#include "wine_prefixes.h"

#include <QApplication>
#include <QIcon>
#include <gtest/gtest.h>

namespace rivo::test {
namespace {

TEST(CommandLineTest, ReadsTheOptionsAndRefusesWhatItCannotUse) {
    TempDir prefix;
    writePrefix(prefix.path(), RegistryKind::WithoutGame);
    TempDir bare;
    const QString good = QString::fromStdString(prefix.path().string());
    [[maybe_unused]] const QString noReg = QString::fromStdString(bare.path().string());
    [[maybe_unused]] const QString missing = QString::fromStdString((bare / "missing").string());
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
        {{"--prefix"}, Action::Exit, 2, "rivoedit: Missing value after '--prefix'.\n"},
#endif
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
                  row.arguments.size() == 2 && row.action == Action::Start);
    }
}

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
