#pragma once

#include "registry_api.h"

#include <cstdint>
#include <string_view>

namespace rivo::reg {

// Answers a RegQueryValueExA call for a value that has been found: fills in
// the type, then either the size alone (null `data`), kMoreData with the size
// needed (buffer too small), or the data and its size.
Status answerQuery(std::uint32_t valueType, std::string_view bytes, std::uint32_t* type,
                   unsigned char* data, std::uint32_t* size);

} // namespace rivo::reg
