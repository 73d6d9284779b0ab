#include "last_saved.h"

namespace rivo {

UnsavedWork LastSaved::marks(const EditorData& data) const {
    UnsavedWork marks;
    marks.settings = data.settings != settings_;
    for (int row = 0; row < kDriverRows; ++row) {
        marks.editedRows.set(static_cast<std::size_t>(row), data.roster[row] != roster_[row]);
    }
    marks.drivers = marks.editedRows.any();
    return marks;
}

} // namespace rivo
