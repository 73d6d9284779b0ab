#pragma once

#include "editor_data.h"
#include "save_all.h"

namespace rivo {

// The unsaved marks of `data` measured against the game's files as RivoEdit
// last saw them (read or saved): a part whose file would get exactly the
// bytes RivoEdit last saw there is saved, any other is not. A part with
// nothing to measure against (a file never seen as it is, a file the save
// refuses, a row without a name) keeps its mark from `otherwise`.
UnsavedWork MarksAgainstSeen(const GameFiles& files, const EditorData& data,
                             const UnsavedWork& otherwise);

} // namespace rivo
