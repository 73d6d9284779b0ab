#include "restore_originals.h"

#include "ansi_text.h"

namespace rivo {

std::string RestoreQuestion(const std::vector<Originals::Kept>& kept, bool unsaved) {
    std::string text = "Put back the game's own files, as they were before RivoEdit first "
                       "replaced them?\n";
    for (const Originals::Kept& file : kept) {
        // Appended piece by piece: GCC 12 misreads "literal" + string here in
        // optimised builds (-Wrestrict).
        text += '\n';
        text += ansi::toUtf8(file.gamePath);
        if (!file.bytes) {
            text += " (removed: the game did not have it)";
        }
    }
    if (unsaved) {
        text += "\n\nThe changes not saved to the game are dropped.";
    }
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
