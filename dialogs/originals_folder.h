#pragma once

#include <filesystem>

namespace rivo {

// Where RivoEdit keeps the game's originals, one folder per install:
// %LOCALAPPDATA%\RivoEdit\Originals on Windows, and elsewhere
// $XDG_DATA_HOME/rivoedit/originals (~/.local/share/rivoedit/originals).
// Empty when the system names no data folder for the user.
std::filesystem::path OriginalsRoot();

// The same, as a person reads it in the help.
#ifdef _WIN32
inline constexpr const char* kOriginalsPlace = "%LOCALAPPDATA%\\RivoEdit\\Originals";
#else
inline constexpr const char* kOriginalsPlace =
    "$XDG_DATA_HOME/rivoedit/originals (~/.local/share/rivoedit/originals)";
#endif

} // namespace rivo
