#include "game_folder.h"

#include "file_error.h"
#include "game_prefixes.h"
#include "game_text.h"
#include "wine_paths.h"

#include <cctype>

namespace rivo {

namespace fs = std::filesystem;

namespace {

// As Wine reads a path: a drive letter and a colon make it a game path.
bool isGamePath(const std::string& folder) {
    return folder.size() >= 2 && folder[1] == ':' &&
           std::isalpha(static_cast<unsigned char>(folder[0])) != 0;
}

} // namespace

GameFolderStart withGameFolder(PrefixSource source, const std::optional<std::string>& gameFolder) {
    GameFolderStart start{std::move(source), std::nullopt, {}};
    if (!gameFolder) {
        return start;
    }
    const std::string shown = "--game-folder " + displayPath(fs::path(*gameFolder));
    if (isGamePath(*gameFolder)) {
        // Arguments are UTF-8; game text is Windows-1252.
        start.InstallDir = exactGameText(QString::fromStdString(*gameFolder));
        if (!start.InstallDir) {
            start.problem = shown + ": the name holds a character that Windows-1252, the game's "
                                    "code page, cannot write";
        }
        return start;
    }
    const fs::path folder(*gameFolder);
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        start.problem = shown + ": not a folder";
        return start;
    }
    bool byDefault = false; // ~/.wine, for want of a prefix named or around it
    if (!start.source.given) {
        if (std::optional<fs::path> around = prefixAround(folder)) {
            start.source.given = std::move(around);
        } else if (!start.source.home.empty()) {
            start.source.given = start.source.home / ".wine";
            byDefault = true;
        } else {
            // No prefix to name it in: start-up says that HOME is not set.
            return start;
        }
        start.source.place = "--game-folder";
    }
    start.InstallDir = WinePaths(*start.source.given).toGame(folder);
    if (!start.InstallDir) {
        const std::string prefix = displayPath(*start.source.given);
        start.problem = shown + (byDefault ? ": no Wine prefix holds this folder and no drive of " +
                                                 prefix + " leads to it (--prefix names the prefix)"
                                           : ": no drive of the Wine prefix " + prefix +
                                                 " leads to this folder");
    }
    return start;
}

std::string gameFolderNote(const GameFolderStart& start) {
    if (!start.InstallDir) {
        return {};
    }
    std::string note =
        "with --game-folder the window opens " + toDisplay(*start.InstallDir).toStdString();
    if (start.source.given) {
        note += " in the Wine prefix " + displayPath(*start.source.given);
    }
    return note + ", whatever the registry names";
}

} // namespace rivo
