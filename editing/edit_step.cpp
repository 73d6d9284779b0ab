#include "edit_step.h"

namespace rivo {

bool SameValues(const EditorData& a, const EditorData& b) {
    return a.settings == b.settings && a.roster == b.roster && a.enabledRows == b.enabledRows;
}

std::optional<EditStep> EditRecorder::record(const EditorData& now) {
    if (SameValues(now, last_)) {
        return std::nullopt;
    }
    EditStep step(last_, now);
    last_ = now;
    return step;
}

} // namespace rivo
