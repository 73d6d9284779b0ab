#pragma once

#include "game_file_save.h"
#include "game_paths.h"
#include "originals.h"

#include <string>
#include <vector>

namespace rivo {

// The question before the game's originals are put back: the files, each
// by its game path (those that did not exist are removed), and, when
// `unsaved`, that the changes not saved to the game are dropped.
std::string RestoreQuestion(const std::vector<Originals::Kept>& kept, bool unsaved);

// Adds to `save` each kept original as its game file's new bytes, or, for a
// file that did not exist, the file's removal: the same save as any other,
// so that another program's changes are asked about and identical bytes are
// not written again.
void AddRestore(const std::vector<Originals::Kept>& kept, const GamePaths& paths,
                GameFileSave& save);

} // namespace rivo
