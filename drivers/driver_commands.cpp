#include "driver_commands.h"

namespace rivo {

namespace {

// Reads into a copy and takes it only when the whole import ran: a failure
// part way leaves the roster and the edit marks as they were. Rows read
// hold no edits any more.
void Import(DriverCommandContext& ctx, const std::filesystem::path& source) {
    DriverRoster roster = ctx.roster;
    const DriverRowSet read = ImportDrivers(source, ctx.game, roster, ctx.AllowedKeys, ctx.window);
    ctx.roster = std::move(roster);
    ctx.unsaved.editedRows &= ~read;
}

} // namespace

void ImportDriversFromGame(DriverCommandContext& ctx) {
    Import(ctx, {});
}

bool ImportDriversFromFile(DriverCommandContext& ctx, const std::filesystem::path& chosen) {
    if (chosen.empty()) {
        return false;
    }
    Import(ctx, chosen);
    return true;
}

std::vector<FileError> SaveDriversToGame(DriverCommandContext& ctx) {
    // The marks change only once the whole save has run.
    DriverRowSet edited = ctx.unsaved.editedRows;
    std::vector<FileError> failures = ExportDrivers({}, ctx.game, ctx.roster, edited);
    ctx.unsaved.editedRows = edited;
    // Only a save of every row that could be saved makes the typed values
    // count as saved.
    if (failures.empty()) {
        ctx.unsaved.drivers = false;
    }
    return failures;
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
