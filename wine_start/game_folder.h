#pragma once

#include "prefix_choice.h"

#include <optional>
#include <string>

namespace rivo {

// What --game-folder FOLDER settles off Windows before any window: the
// prefix to look in and the game's folder as a game path.
struct GameFolderStart {
    // Where the prefix comes from: the source as given, or for a host folder
    // its own prefix when none was named.
    PrefixSource source;
    // The game path that takes the place of the registry's install folder
    // (game text); nothing when no folder was given, or when no prefix can
    // be formed to name it in (HOME unset), which start-up reports.
    std::optional<std::string> InstallDir;
    // Why FOLDER cannot be used, in one line without "rivoedit: " (a usage
    // error); empty when it can.
    std::string problem;
};

// Without FOLDER, `source` as it is. A FOLDER that starts with a drive
// letter and a colon is a game path, used as it is in whichever prefix
// `source` gives; it must be Windows-1252 text. Any other FOLDER is a host
// folder, which must exist; its prefix is the one `source` names, else the
// prefix around it (prefixAround), else ~/.wine; its game path is the one
// that prefix's drives give it (WinePaths::toGame), and a folder that no
// drive leads to is a problem.
GameFolderStart withGameFolder(PrefixSource source, const std::optional<std::string>& gameFolder);

// The line --list-prefixes adds (without "rivoedit: ") when --game-folder was
// given, which the list itself does not show: the game path the window
// opens instead of a registry's, and in which prefix when that is settled.
std::string gameFolderNote(const GameFolderStart& start);

} // namespace rivo
