#pragma once

#include "rivodriver.h"

#include <filesystem>
#include <vector>

namespace rivo {

// What the Drivers menu commands work on.
struct DriverCommandContext {
    GameDriverFolder game;
    DriverRoster& roster;
    AllowedKeysTable& AllowedKeys;
    UnsavedWork& unsaved;
    WindowOperations& window;
};

// The imports take the rows only when the whole import ran (an exception
// part way leaves the roster as it was), and clear the edit marks of the rows
// they read.

// "Import From Game": rereads the roster from the game's files, and what
// RivoEdit last saw of them starts afresh. Returns how many rows were read.
int ImportDriversFromGame(DriverCommandContext& ctx);

// "Import From ...": reads the set file chosen in the dialog; an empty path
// (the dialog was cancelled) reads nothing. Returns whether it read, and
// puts how many drivers it read in `rowsRead` when given.
bool ImportDriversFromFile(DriverCommandContext& ctx, const std::filesystem::path& chosen,
                           int* rowsRead = nullptr);

// "Save To Game" as part of a save command: adds the named rows' game files
// to `save` (AddGameDriverFiles); each row saved loses its edit mark, and
// when nothing failed the driver values count as saved.
void AddDriversToGame(DriverCommandContext& ctx, GameFileSave& save);
// The same for a roster and its marks outside a context.
void AddDriversToGame(const GameDriverFolder& game, const DriverRoster& roster,
                      UnsavedWork& unsaved, GameFileSave& save);

// "Save To Game" alone: AddDriversToGame, run with the context's seen files
// and `ask` for the files another program changed.
std::vector<FileError> SaveDriversToGame(DriverCommandContext& ctx,
                                         const GameFileSave::AskReplace& ask = {});

// "Save To ...": writes the set file chosen in the dialog; an empty path
// writes nothing.
std::vector<FileError> SaveDriversToFile(DriverCommandContext& ctx,
                                         const std::filesystem::path& chosen);

} // namespace rivo
