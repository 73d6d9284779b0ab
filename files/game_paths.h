#pragma once

#include <filesystem>
#include <string>

namespace rivo {

// Turns a game path (8-bit text such as C:\Games\Kestra\config.ini, built
// from the registry and the game's settings) into the host path of the file.
class GamePaths {
public:
    virtual ~GamePaths() = default;

    // The host path of `gamePath`. Where the file (or a folder on the way)
    // exists under another letter case, that existing entry is the one
    // returned, so reading finds it and writing replaces it. Parts that do
    // not exist are kept as given.
    virtual std::filesystem::path toHost(const std::string& gamePath) const = 0;

    // Where Windows keeps its own copy of the game file `gamePath` when the
    // game may not write it in place (see VirtualStore), whether or not the
    // copy exists; empty where files are not virtualized (always off
    // Windows). toHost gives this copy once it exists, since the game then
    // reads it; a save that may not write the file in place writes it here.
    virtual std::filesystem::path storeCopy(const std::string& gamePath) const {
        (void)gamePath;
        return {};
    }

    // The host path of `gamePath` itself, never a copy Windows keeps of it
    // elsewhere: where a game install is, to tell it from another.
    virtual std::filesystem::path inPlace(const std::string& gamePath) const {
        return toHost(gamePath);
    }
};

// Whether the game file `gamePath` resolves to the copy Windows keeps of it
// for the game.
inline bool IsStoreCopy(const GamePaths& paths, const std::string& gamePath) {
    const std::filesystem::path copy = paths.storeCopy(gamePath);
    return !copy.empty() && paths.toHost(gamePath) == copy;
}

} // namespace rivo
