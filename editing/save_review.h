#pragma once

#include "editor_data.h"
#include "file_error.h"
#include "save_all.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rivo {

// One value of a game file that a save changes. Values are 8-bit game text.
struct ValueChange {
    // The setting's key, or the driver field's key ("Name" for the name line).
    std::string name;
    // Its place in kSettingKeys, or its DriverField.
    std::size_t index = 0;
    // The value in the file on disk now; none when the file gives none.
    std::optional<std::string> onDisk;
    // The value the save writes.
    std::string written;
};

// A game file that "Save All (To Game)" would change, or would refuse.
struct FileReview {
    enum class Disk { Read, Missing, Unreadable };

    std::string gamePath; // 8-bit, as the game names it; empty for a refusal
    // The file on this system that the save replaces (under Wine, in the
    // prefix; on Windows, the copy Windows keeps for the game where it reads
    // that one).
    std::filesystem::path host;
    std::string driver; // the driver's name as the save writes it; empty for config.ini
    Disk disk = Disk::Read;
    std::string unreadableReason;
    // The file on disk is not what RivoEdit last read or wrote there.
    bool changedElsewhere = false;
    std::vector<ValueChange> values;
    // Lines on disk now that the save does not keep (comments, unknown keys,
    // earlier copies of a key, text after a record's closing line), in file
    // order. Blank lines are left out.
    std::vector<std::string> removedLines;
    // Why the save leaves this file alone and reports a failure.
    std::optional<FileError> refused;
};

// Every game file whose bytes Save All would change, and every file it would
// refuse, in the order it saves them. Compares the bytes the writers build
// with the bytes on disk now, both read back as the readers read them. Reads
// the files; writes nothing.
std::vector<FileReview> ReviewSaveAll(const GameFiles& files, const EditorData& data);

} // namespace rivo
