#pragma once

#include "game_prefixes.h"
#include "terminal_text.h"

#include <cstddef>
#include <filesystem>
#include <functional>
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
// Asks which of several prefixes to start on: the index of the one chosen, or
// nothing on Cancel.
using ChoosePrefix =
    std::function<std::optional<std::size_t>(const std::vector<GamePrefix>& prefixes)>;

// `launcher`, when given, is set to the launcher whose prefix was found or
// picked ("Lutris", "Steam", ...); it stays empty for a prefix given by name
// and for Wine's own ~/.wine.
std::optional<std::filesystem::path> startPrefix(const PrefixSource& source,
                                                 const ChoosePrefix& choose,
                                                 std::string* launcher = nullptr);

// One line of --list-prefixes: folder, place and install folder,
// tab-separated, each through escapedForTerminal, so that each candidate
// stays one line of three fields.
std::string candidateLine(const GamePrefix& prefix);

} // namespace rivo
