#include "command_line.h"

#ifndef _WIN32
#include "argument_text.h"
#include "file_error.h"
#include "game_prefixes.h"
#include "terminal_text.h"
#else
#include "game_text.h"
#endif
#include "originals_folder.h"
#include "rivo_version.h"

#include <QCommandLineParser>
#include <system_error>

namespace rivo {

namespace fs = std::filesystem;

namespace {

CommandLine exitWith(int code, const QString& text) {
    CommandLine command;
    command.action = CommandLine::Action::Exit;
    command.exitCode = code;
    command.output = text.toStdString();
    if (!command.output.ends_with('\n')) {
        command.output += '\n';
    }
    return command;
}

CommandLine usageError(const QString& text) {
#ifdef _WIN32
    return exitWith(kUsageError, "rivoedit: " + text);
#else
    // A folder's name or an argument may hold anything.
    return exitWith(kUsageError,
                    QString::fromStdString("rivoedit: " + escapedForTerminal(text.toStdString())));
#endif
}

// The bytes of an argument as given.
std::string argumentValue(const QString& text) {
#ifdef _WIN32
    return text.toStdString();
#else
    return argumentBytes(text);
#endif
}

// The options that QGuiApplication, QApplication and the X11 platform take
// from the command line themselves, hidden from the help.
QList<QCommandLineOption> qtOptions() {
    QList<QCommandLineOption> options;
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "style", "stylesheet",
          "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "geometry",
          "title", "icon", "name", "visual", "qmljsdebugger", "dialogs", "fontengine"}) {
        options.append(QCommandLineOption(name, {}, "value"));
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "testability"}) {
        options.append(QCommandLineOption(name));
    }
    for (QCommandLineOption& option : options) {
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    }
    return options;
}

// The end of the help: what the exit status says.
#ifdef _WIN32
constexpr const char* kExitStatusHelp = "\nExit status:\n"
                                        "  0  the window was closed, or an option answered\n"
                                        "  1  the game is not installed\n"
                                        "  2  the command line cannot be used\n";
#else
constexpr const char* kExitStatusHelp =
    "\nExit status:\n"
    "  0  the window was closed, or an option answered\n"
    "  1  the game is not installed in the prefix used, the choice of prefix was\n"
    "     cancelled, or --list-prefixes found no prefix holding the game\n"
    "  2  the command line cannot be used: an unknown option or argument, a\n"
    "     --prefix, WINEPREFIX or --game-folder that cannot be used, or no prefix\n"
    "     named and HOME not set (for --list-prefixes too)\n"
    "  3  no display to open the window on, or one that cannot be opened\n";
#endif

} // namespace

std::string versionLine() {
    return std::string(version::kProductName) + " " + std::to_string(version::kMajor) + "." +
           std::to_string(version::kMinor) + "." + std::to_string(version::kPatch) + "." +
           std::to_string(version::kTweak);
}

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Editor for the settings and computer drivers of an installed Kestra.\n\n"
        "Before it first replaces one of the game's files, RivoEdit keeps the file\n"
        "as it was (the game's original), in a folder for each install under\n" +
        QString::fromStdString(kOriginalsPlace) +
        ".\nFile > Restore the Game's Originals puts them back; they may also be\n"
        "copied back by hand.");
#ifdef _WIN32
    // Windows programs answer /? (and -?) with their help.
    const QCommandLineOption help({"?", "h", "help"}, "Show this help and exit.");
#else
    const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
#endif
    const QCommandLineOption version({"v", "version"}, "Show the version and exit.");
#ifdef _WIN32
    const QCommandLineOption gameFolder(
        "game-folder",
        "Open the game in FOLDER instead of the folder its registry key names, for a copy "
        "of the game without its key (moved to a new PC, or with the key lost).",
        "FOLDER");
#else
    const QCommandLineOption gameFolder(
        "game-folder",
        "Open the game in FOLDER instead of the folder its registry key names, for a copy "
        "of the game without its key (moved to a new PC, or with the key lost): a game path "
        "such as C:\\Games\\Kestra in the Wine prefix, or a host folder on one of the "
        "prefix's drives (without --prefix or WINEPREFIX, the prefix around that folder).",
        "FOLDER");
#endif
    parser.addOptions({help, version, gameFolder});
#ifndef _WIN32
    // Off Windows the game lives in a Wine prefix.
    const QCommandLineOption prefix(
        "prefix", "Use the Wine prefix DIR instead of looking for the game.", "DIR");
    const QCommandLineOption list(
        "list-prefixes",
        "Print the Wine prefixes that hold the game, one per line (folder, where it was "
        "found and the game's folder, separated by tabs; a tab, line feed, carriage return "
        "or backslash inside them is written \\t, \\n, \\r or \\\\, any other control "
        "character as \\xNN for each of its bytes), and exit.");
    parser.addOptions({prefix, list});
#endif
    parser.addOptions(qtOptions());
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    if (!parser.parse(arguments)) {
        return usageError(parser.errorText());
    }
#ifdef _WIN32
    if (parser.positionalArguments().contains("/?")) {
        return exitWith(0, parser.helpText() + kExitStatusHelp);
    }
#endif
    if (parser.isSet(help)) {
        return exitWith(0, parser.helpText() + kExitStatusHelp);
    }
    if (parser.isSet(version)) {
        return exitWith(0, QString::fromStdString(versionLine()));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError("unexpected argument: " + parser.positionalArguments().first());
    }

    CommandLine command;
    if (parser.isSet("platform")) {
        command.platform = argumentValue(parser.value("platform"));
    }
    if (parser.isSet("display")) {
        command.display = argumentValue(parser.value("display"));
    }
    if (parser.isSet(gameFolder)) {
        const QString given = parser.value(gameFolder);
        if (given.isEmpty()) {
            return usageError("--game-folder: no folder given");
        }
#ifdef _WIN32
        // Windows paths are used as they are, made absolute as the current
        // folder gives them, in the game's code page (its 8-bit text).
        std::error_code error;
        fs::path folder = fs::absolute(fs::path(given.toStdWString()), error);
        if (error) {
            folder = fs::path(given.toStdWString());
        }
        const QString absolute = QString::fromStdWString(folder.wstring());
        const std::optional<std::string> text = exactGameText(absolute);
        if (!text) {
            return usageError("--game-folder " + absolute +
                              ": the name holds a character that the system's code page "
                              "cannot write, so the game could not use it either");
        }
        command.gameFolder = text;
#else
        command.gameFolder = argumentBytes(given);
#endif
    }
#ifndef _WIN32
    if (parser.isSet(prefix)) {
        const fs::path folder = fs::path(argumentBytes(parser.value(prefix)));
        const QString shown = QString::fromStdString(displayPath(folder));
        std::error_code error;
        if (folder.empty() || !fs::is_directory(folder, error)) {
            return usageError("--prefix " + shown + ": not a folder");
        }
        if (const std::string problem = prefixProblem(folder); !problem.empty()) {
            return usageError("--prefix " + shown + ": " + QString::fromStdString(problem));
        }
        command.prefix = fs::absolute(folder, error);
        if (error) {
            command.prefix = folder;
        }
    }
    if (parser.isSet(list)) {
        command.action = CommandLine::Action::ListPrefixes;
    }
#endif
    return command;
}

} // namespace rivo
