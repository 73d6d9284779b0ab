#pragma once

#include "game_file_save.h"
#include "game_paths.h"
#include "originals.h"

#include <string>
#include <vector>

namespace rivo {

// The question before the game's originals are put back: the files, each
// by the path it is read from on this system (those that did not exist are
// removed), the folder the originals are kept in, that the editor's history
// starts anew, and, when `unsaved`, that the changes not saved to the game
// are dropped. Asked with the buttons "&Restore" and "&Cancel".
std::string RestoreQuestion(const std::vector<Originals::Kept>& kept, const GamePaths& paths,
                            const std::filesystem::path& folder, bool unsaved);

// Asked when Restore would put originals back over files another program
// changed since RivoEdit read them (`changed`, as the save names them).
std::string RestoreOverChangedQuestion(const std::vector<std::string>& changed);

inline constexpr const char* kRestoreButton = "&Restore";
inline constexpr const char* kCancelButton = "&Cancel";

// Adds to `save` each kept original as its game file's new bytes, or, for a
// file that did not exist, the file's removal: the same save as any other,
// so that another program's changes are asked about and identical bytes are
// not written again.
void AddRestore(const std::vector<Originals::Kept>& kept, const GamePaths& paths,
                GameFileSave& save);

} // namespace rivo
