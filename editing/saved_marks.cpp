#include "saved_marks.h"

#include "rivodriver.h"

namespace rivo {

UnsavedWork MarksAgainstSeen(const GameFiles& files, const EditorData& data,
                             const UnsavedWork& otherwise) {
    UnsavedWork marks = otherwise;
    if (files.seen == nullptr) {
        return marks;
    }
    for (const GameFileSave::Planned& file : PlanSaveAll(files, data)) {
        const SeenFiles::Content* last = files.seen->lastSeen(file.gamePath);
        if (file.failure || last == nullptr) {
            continue;
        }
        const bool differs = *last != file.bytes;
        if (file.gamePath == files.ConfigFilePath) {
            marks.settings = differs;
            continue;
        }
        for (int row = 0; row < kDriverRows; ++row) {
            if (file.gamePath == GameDriverPath(files.InstallDir, data.settings.SeasonDir,
                                                DriverRoster::BaseName(row))) {
                marks.editedRows.set(static_cast<std::size_t>(row), differs);
            }
        }
    }
    marks.drivers = marks.editedRows.any();
    return marks;
}

} // namespace rivo
