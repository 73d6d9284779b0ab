#include "driver_commands.h"

namespace rivo {

void ImportDriversFromGame(DriverCommandContext& ctx) {
    ImportDrivers({}, ctx.game, ctx.roster, ctx.AllowedKeys, ctx.window);
}

bool ImportDriversFromFile(DriverCommandContext& ctx, const std::filesystem::path& chosen) {
    if (chosen.empty()) {
        return false;
    }
    ImportDrivers(chosen, ctx.game, ctx.roster, ctx.AllowedKeys, ctx.window);
    return true;
}

std::vector<FileError> SaveDriversToGame(DriverCommandContext& ctx) {
    std::vector<FileError> failures = ExportDrivers({}, ctx.game, ctx.roster);
    // Only a save of every named row makes the typed values count as saved.
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
    // A copy elsewhere does not save the game's files: the record stays.
    return ExportDrivers(chosen, ctx.game, ctx.roster);
}

} // namespace rivo
