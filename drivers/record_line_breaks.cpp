#include "record_line_breaks.h"

namespace rivo {

std::string LineBreakReason(const DriverRecord& record) {
    for (std::size_t i = 0; i < kDriverFieldCount; ++i) {
        if (record.fields[i].find_first_of("\r\n") == std::string::npos) {
            continue;
        }
        const auto field = static_cast<DriverField>(i);
        const std::string key =
            field == DriverField::DriverName ? "DriverName" : DriverFieldKey(field);
        return "the value of " + key + " holds a line break";
    }
    return {};
}

} // namespace rivo
