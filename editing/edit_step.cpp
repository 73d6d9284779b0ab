#include "edit_step.h"

namespace rivo {

bool SameValues(const EditorData& a, const EditorData& b) {
    return a.settings == b.settings && a.roster == b.roster && a.enabledRows == b.enabledRows;
}

StepPlace EditStep::place() const {
    for (const SettingKey& key : kSettingKeys) {
        if (before_.settings.*key.field != after_.settings.*key.field) {
            return StepPlace{key.field};
        }
    }
    for (int row = 0; row < kDriverRows; ++row) {
        const DriverRecord& was = before_.roster[row];
        const DriverRecord& is = after_.roster[row];
        for (std::size_t f = 0; f < was.fields.size(); ++f) {
            if (was.fields[f] != is.fields[f]) {
                return StepPlace{nullptr, row, static_cast<DriverField>(f)};
            }
        }
        const auto at = static_cast<std::size_t>(row);
        if (before_.enabledRows.test(at) != after_.enabledRows.test(at)) {
            return StepPlace{nullptr, row, DriverField::DriverName};
        }
    }
    return StepPlace{};
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
