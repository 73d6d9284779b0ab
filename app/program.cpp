#include "program.h"

#include "command_line.h"
#include "console_output.h"
#include "deferred_icon.h"
#include "frm_main.h"
#include "given_install_dir.h"
#include "qt_user_dialogs.h"
#include "rivo_version.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include "native_paths.h"
#include "windows_registry.h"
#else
#include "answers_before_window.h"
#include "argument_text.h"
#include "game_folder.h"
#include "platform_start_watch.h"
#include "prefix_choice.h"
#include "prefix_chooser.h"
#include "wine_paths.h"
#include "wine_registry.h"

#include <iostream>
#endif

namespace rivo {

namespace {

// The command line, answered before any window: --help, --version, errors
// and --list-prefixes need no display. Gives the exit code when the run ends
// here.
std::optional<int> answerCommandLine(int& argc, char* argv[], CommandLine& command) {
    QCoreApplication core(argc, argv);
#ifdef _WIN32
    // Windows hands Qt the command line in UTF-16.
    command = parseCommandLine(QCoreApplication::arguments());
#else
    // The bytes as given: a folder's name need not be UTF-8.
    command = parseCommandLine(argumentTexts(argc, argv));
#endif
    switch (command.action) {
    case CommandLine::Action::Exit:
        attachParentConsole();
        std::fputs(command.output.c_str(), command.exitCode == 0 ? stdout : stderr);
        return command.exitCode;
    case CommandLine::Action::ListPrefixes:
    case CommandLine::Action::Start:
        break;
    }
#ifndef _WIN32
    // The prefix named, --list-prefixes and a missing display.
    return answerBeforeWindow(command, currentEnvironment(), std::cout, std::cerr);
#else
    return std::nullopt;
#endif
}

} // namespace

void setProgramIcon() {
    // Sizes given, so that no image is decoded before one is drawn.
    QList<std::pair<QString, QSize>> files;
    for (const int size : {48, 128, 256}) {
        files.append({QString(":/icons/%1.png").arg(size), QSize(size, size)});
    }
    QApplication::setWindowIcon(deferredIcon(files));
}

int runProgram(int argc, char* argv[], const std::function<void(QWidget&)>& onShown) {
    CommandLine command;
    if (const std::optional<int> code = answerCommandLine(argc, argv, command)) {
        return *code;
    }

#ifndef _WIN32
    // A display that is set but cannot be reached ends in one line, as no
    // display at all does, not in Qt's abort.
    std::optional<PlatformStartWatch> watch(
        std::in_place, unreachableDisplayLine(command, currentEnvironment()), kNoDisplay);
#endif
    QApplication app(argc, argv);
#ifndef _WIN32
    watch.reset();
#endif
    QApplication::setApplicationName(version::kProductName);
    setProgramIcon();
    QtUserDialogs dialogs(version::kProductName);

#ifdef _WIN32
    WindowsRegistry systemRegistry;
    NativePaths paths(WindowsVirtualStore());
    const std::optional<std::string>& givenFolder = command.gameFolder;
#else
    // The game runs under Wine: its registry and its C: drive are those of
    // the prefix named, found or chosen (or, for --game-folder's host
    // folder, the one around it). The command line's answers checked FOLDER.
    const GameFolderStart start =
        withGameFolder(prefixSource(command.prefix, std::getenv("WINEPREFIX"), std::getenv("HOME")),
                       command.gameFolder);
    std::string launcher;
    const std::optional<std::filesystem::path> prefix =
        startPrefix(start.source, &PrefixChooser::choose, &launcher);
    if (!prefix) {
        // The user cancelled the choice: the end, as when the game is missing.
        return 1;
    }
    WineRegistry systemRegistry(*prefix / "system.reg");
    WinePaths paths(*prefix);
    const std::optional<std::string>& givenFolder = start.InstallDir;
#endif
    // --game-folder stands for the registry's install folder.
    std::optional<GivenInstallDir> givenRegistry;
    if (givenFolder) {
        givenRegistry.emplace(systemRegistry, *givenFolder);
    }
    reg::RegistryApi& registry =
        givenRegistry ? static_cast<reg::RegistryApi&>(*givenRegistry) : systemRegistry;

    frmMain window(registry, paths, dialogs);
#ifndef _WIN32
    window.launcherName = launcher;
#endif
    dialogs.setParentWindow(&window);
    if (!window.Form_Load()) {
        // The game is not installed: the user has been told.
        return 1;
    }
    window.show();
    if (onShown) {
        QTimer::singleShot(0, &window, [&window, &onShown] { onShown(window); });
    }
    return QApplication::exec();
}

} // namespace rivo
