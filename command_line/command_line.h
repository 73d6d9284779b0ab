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
    // -platform NAME or -display NAME: Qt is told which window system or
    // display to use.
    bool displayGiven = false;
    // For Exit: the text to print (a line end included), to standard output
    // when the code is 0 and to standard error otherwise.
    std::string output;
    int exitCode = 0;
};

// The exit code of a command line that cannot be used.
inline constexpr int kUsageError = 2;

// Reads --help, --version, --prefix DIR and --list-prefixes, and accepts the
// options every Qt program takes (-platform NAME, -style NAME, -reverse, ...;
// Qt acts on them when the window opens). Single-dash words are options, as
// in Qt. The arguments come as argumentText makes them, so that DIR keeps its
// bytes. A --prefix that cannot be used as a prefix (see prefixProblem), an
// unknown option and a stray argument are errors: one line for standard
// error (DIR shown as host names are) and kUsageError.
CommandLine parseCommandLine(const QStringList& arguments);

// "RivoEdit 1.3.0.0": the product name and the build's version.
std::string versionLine();

} // namespace rivo
