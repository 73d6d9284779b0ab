#include "command_line.h"

#ifndef _WIN32
#include "argument_text.h"
#include "file_error.h"
#include "game_prefixes.h"
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
    return exitWith(kUsageError, "rivoedit: " + text);
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
    parser.addOptions({help, version});
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
        return exitWith(0, parser.helpText());
    }
#endif
    if (parser.isSet(help)) {
        return exitWith(0, parser.helpText());
    }
    if (parser.isSet(version)) {
        return exitWith(0, QString::fromStdString(versionLine()));
    }
    if (!parser.positionalArguments().isEmpty()) {
        return usageError("unexpected argument: " + parser.positionalArguments().first());
    }

    CommandLine command;
    command.displayGiven = parser.isSet("platform") || parser.isSet("display");
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
