#pragma once

#include "game_prefixes.h"
#include "user_dialogs.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rivo {

// Where the game is looked for: one prefix named by the user, or every
// prefix under the home folder.
struct PrefixSource {
    std::optional<std::filesystem::path> given;
    std::string place; // "--prefix" or "WINEPREFIX" for a given prefix
    std::filesystem::path home;
};

// --prefix first; else $WINEPREFIX when it is set (a relative one taken from
// the current folder); else the search of `home`. Takes the variables' values
// (null when unset) so that tests choose them.
PrefixSource prefixSource(const std::optional<std::filesystem::path>& prefixOption,
                          const char* winePrefix, const char* home);

// The prefixes of that source whose registry holds the game, in search order;
// a search reads launcher files through `launcherFiles` when given.
std::vector<GamePrefix> gameCandidates(const PrefixSource& source,
                                       LauncherFiles* launcherFiles = nullptr);

// The prefix to start on: a given prefix as it stands; otherwise the one
// candidate, or the one the user picks when there are several. With none,
// ~/.wine, where start-up tells the user that the game is not installed.
// Nothing when the user cancels the choice.
std::optional<std::filesystem::path> startPrefix(const PrefixSource& source, UserDialogs& dialogs);

// One line of --list-prefixes: folder, place and install folder,
// tab-separated, each through escapedForTerminal, so that each candidate
// stays one line of three fields.
std::string candidateLine(const GamePrefix& prefix);

// Text for the terminal that cannot steer it: a tab, line feed, carriage
// return or backslash is written \t, \n, \r or \\, and every other control
// character (below 0x20, 0x7F, and U+0080 to U+009F, which come as two bytes
// of UTF-8) as \xNN for each of its bytes. Used for every text from outside
// (a registry, a folder's name, an argument) that a line of the program's
// own on the terminal shows.
std::string escapedForTerminal(const std::string& text);

} // namespace rivo
