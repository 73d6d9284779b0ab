#include "restore_originals.h"

#include "ansi_text.h"
#include "file_error.h"

namespace rivo {

std::string RestoreQuestion(const std::vector<Originals::Kept>& kept, const GamePaths& paths,
                            const std::filesystem::path& folder, bool unsaved) {
    std::string text = "Put back the game's own files, as they were before RivoEdit first "
                       "replaced them?\n";
    for (const Originals::Kept& file : kept) {
        // Appended piece by piece: GCC 12 misreads "literal" + string here in
        // optimised builds (-Wrestrict).
        text += '\n';
        text += displayRealPath(paths.toHost(file.gamePath));
        if (!file.bytes) {
            text += " (removed: the game did not have it)";
        }
    }
    text += "\n\nThe originals are kept in ";
    text += displayPath(folder);
    text += "\n\nThe editor's history starts anew: Undo cannot go back past this.";
    if (unsaved) {
        text += "\nThe changes not saved to the game are dropped.";
    }
    return text;
}

std::string RestoreOverChangedQuestion(const std::vector<std::string>& changed) {
    std::string text = "These files were changed by another program after RivoEdit read them:\n";
    for (const std::string& path : changed) {
        text += path;
        text += '\n';
    }
    text += "\nPut the game's originals back over them as well?";
    return text;
}

void AddRestore(const std::vector<Originals::Kept>& kept, const GamePaths& paths,
                GameFileSave& save) {
    for (const Originals::Kept& file : kept) {
        if (file.bytes) {
            save.add(file.gamePath, paths, *file.bytes);
        } else {
            save.addRemoval(file.gamePath, paths);
        }
    }
}

} // namespace rivo
