#pragma once

#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>

namespace rivo {

// What the command line asks for. Parsing needs an application object (for
// the program's name in the help text) but no display.
struct CommandLine {
    enum class Action {
        Start,        // open the window
        ListPrefixes, // print the prefixes that hold the game
        Exit          // print `output` and end with `exitCode`
    };
    Action action = Action::Start;
    // --prefix DIR: the Wine prefix to use instead of looking for one.
    std::optional<std::filesystem::path> prefix;
    // --game-folder FOLDER: the game's folder, in place of the install folder
    // the registry names. On Windows the game path itself (made absolute, in
    // the game's code page); off Windows the argument's bytes, a C:\ game
    // path or a host folder, which the prefix settles (see withGameFolder).
    std::optional<std::string> gameFolder;
    // -platform NAME and -display NAME: Qt is told which window system or
    // display to use (the argument's bytes).
    std::optional<std::string> platform;
    std::optional<std::string> display;
    bool displayGiven() const { return platform || display; }
    // For Exit: the text to print (a line end included), to standard output
    // when the code is 0 and to standard error otherwise.
    std::string output;
    int exitCode = 0;
};

// The exit code of a command line that cannot be used.
inline constexpr int kUsageError = 2;

// Reads --help, --version, --game-folder FOLDER, --prefix DIR and
// --list-prefixes, and accepts the
// options every Qt program takes (-platform NAME, -style NAME, -reverse, ...;
// Qt acts on them when the window opens). Single-dash words are options, as
// in Qt. The arguments come as argumentText makes them, so that DIR keeps its
// bytes. A --prefix that cannot be used as a prefix (see prefixProblem), an
// unknown option, a stray argument and an empty FOLDER are errors: one line
// for standard error (DIR shown as host names are; off Windows, control
// characters escaped as --list-prefixes writes them) and kUsageError. On
// Windows a FOLDER that the game's code page cannot write is one too.
CommandLine parseCommandLine(const QStringList& arguments);

// "RivoEdit 1.3.0.0": the product name and the build's version.
std::string versionLine();

} // namespace rivo
