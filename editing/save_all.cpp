#include "save_all.h"

#include "driver_commands.h"
#include "rivoconfig.h"

namespace rivo {

std::optional<FileError> ConfigRefusal(const std::optional<FileError>& configReadError) {
    if (!configReadError) {
        return std::nullopt;
    }
    return FileError(configReadError->path(),
                     "it could not be read when RivoEdit started (" + configReadError->reason() +
                         "), so saving would overwrite settings that were never shown");
}

void AddSaveAll(const GameFiles& files, EditorData& data, GameFileSave& save) {
    if (auto refusal = ConfigRefusal(files.configReadError)) {
        if (data.unsaved.settings) {
            save.fail(*refusal);
        }
    } else {
        AddConfigFile(files.paths, files.ConfigFilePath, data.settings, data.unsaved, save);
    }
    const GameDriverFolder game{files.paths, files.InstallDir, data.settings.SeasonDir, files.seen};
    AddDriversToGame(game, data.roster, data.unsaved, save);
}

std::vector<GameFileSave::Planned> PlanSaveAll(const GameFiles& files, const EditorData& data) {
    // The writers tell a save which marks to clear; this save never runs.
    EditorData copy = data;
    GameFileSave save(nullptr, {});
    AddSaveAll(files, copy, save);
    return save.planned();
}

} // namespace rivo
