#include "driver_commands.h"

#include <optional>

namespace rivo {

namespace {

// Reads into copies and takes them only when the whole import ran: a failure
// part way leaves the roster, the edit marks and what was seen of the game's
// files as they were. Rows read hold no edits any more. Returns how many
// rows were read.
int Import(DriverCommandContext& ctx, const std::filesystem::path& source) {
    DriverRoster roster = ctx.roster;
    std::optional<SeenFiles> seen;
    if (ctx.game.seen != nullptr) {
        seen = *ctx.game.seen;
    }
    const GameDriverFolder game{ctx.game.paths, ctx.game.InstallDir, ctx.game.SeasonDir,
                                seen ? &*seen : nullptr};
    const DriverRowSet read = ImportDrivers(source, game, roster, ctx.AllowedKeys, ctx.window);
    ctx.roster = std::move(roster);
    if (seen) {
        *ctx.game.seen = std::move(*seen);
    }
    ctx.unsaved.editedRows &= ~read;
    return static_cast<int>(read.count());
}

} // namespace

int ImportDriversFromGame(DriverCommandContext& ctx) {
    return Import(ctx, {});
}

bool ImportDriversFromFile(DriverCommandContext& ctx, const std::filesystem::path& chosen,
                           int* rowsRead) {
    if (chosen.empty()) {
        return false;
    }
    const int read = Import(ctx, chosen);
    if (rowsRead != nullptr) {
        *rowsRead = read;
    }
    return true;
}

void AddDriversToGame(DriverCommandContext& ctx, GameFileSave& save) {
    AddDriversToGame(ctx.game, ctx.roster, ctx.unsaved, save);
}

void AddDriversToGame(const GameDriverFolder& game, const DriverRoster& roster,
                      UnsavedWork& unsaved, GameFileSave& save) {
    // Only a save of every row that could be saved makes the typed values
    // count as saved.
    AddGameDriverFiles(game, roster, unsaved.editedRows, save,
                       [&unsaved] { unsaved.drivers = false; });
}

std::vector<FileError> SaveDriversToGame(DriverCommandContext& ctx,
                                         const GameFileSave::AskReplace& ask) {
    GameFileSave save(ctx.game.seen, ask);
    AddDriversToGame(ctx, save);
    return save.run();
}

std::vector<FileError> SaveDriversToFile(DriverCommandContext& ctx,
                                         const std::filesystem::path& chosen) {
    if (chosen.empty()) {
        return {};
    }
    // A copy elsewhere does not save the game's files: the records stay.
    DriverRowSet edited = ctx.unsaved.editedRows;
    return ExportDrivers(chosen, ctx.game, ctx.roster, edited);
}

} // namespace rivo
