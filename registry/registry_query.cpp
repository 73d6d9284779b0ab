#include "registry_query.h"

#include <cstring>

namespace rivo::reg {

Status answerQuery(std::uint32_t valueType, std::string_view bytes, std::uint32_t* type,
                   unsigned char* data, std::uint32_t* size) {
    if (type != nullptr) {
        *type = valueType;
    }
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (data == nullptr) {
        if (size != nullptr) {
            *size = needed;
        }
        return kSuccess;
    }
    if (size == nullptr) {
        return kInvalidParameter;
    }
    if (*size < needed) {
        *size = needed;
        return kMoreData;
    }
    if (needed > 0) {
        std::memcpy(data, bytes.data(), needed);
    }
    *size = needed;
    return kSuccess;
}

} // namespace rivo::reg
