#pragma once

#include "command_line.h"

#include <optional>
#include <ostream>
#include <string>

namespace rivo {

// The environment variables the start of a run depends on (null when unset).
struct RunEnvironment {
    const char* winePrefix = nullptr;
    const char* home = nullptr;
    const char* display = nullptr;        // DISPLAY
    const char* waylandDisplay = nullptr; // WAYLAND_DISPLAY
    const char* qtPlatform = nullptr;     // QT_QPA_PLATFORM
};

// This process's environment.
RunEnvironment currentEnvironment();

// The exit status of --list-prefixes when no prefix holds the game.
inline constexpr int kNothingFound = 1;
// The exit status when there is no display to open the window on.
inline constexpr int kNoDisplay = 3;

// What is settled before any window (off Windows), given the command line:
// - a WINEPREFIX that cannot be used as a prefix, or a --game-folder that
//   cannot be used (see withGameFolder): one line on `err`, kUsageError;
// - --list-prefixes with no prefix given and HOME unset: one line on `err`,
//   kUsageError;
// - --list-prefixes: one line per candidate on `out` and 0, or one line on
//   `err` naming where it looked and kNothingFound; the line on `err` (one
//   of its own when something was found) also tells of launcher files the
//   search passed over once it had read what it reads of them; with
//   --game-folder, a line on `err` before them names the folder the window
//   opens (gameFolderNote);
// - no display (neither DISPLAY nor WAYLAND_DISPLAY, and no platform or
//   display named by -platform, -display or QT_QPA_PLATFORM): one line on
//   `err`, kNoDisplay;
// - no prefix given or found for --game-folder, and HOME unset: one line on
//   `err`, kUsageError.
// Nothing when the window is to open. Text from outside (a folder's name, a
// variable) is escaped as --list-prefixes writes it.
std::optional<int> answerBeforeWindow(const CommandLine& command, const RunEnvironment& environment,
                                      std::ostream& out, std::ostream& err);

// The line (its end included) for a display that is set or named but that Qt
// could not open: "rivoedit: no display could be opened for the window
// (DISPLAY=:999)", naming each of -platform, QT_QPA_PLATFORM, -display,
// DISPLAY and WAYLAND_DISPLAY that was given.
std::string unreachableDisplayLine(const CommandLine& command, const RunEnvironment& environment);

} // namespace rivo
