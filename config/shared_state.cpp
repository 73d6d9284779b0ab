#include "shared_state.h"

namespace rivo {

void FillAllowedKeys(AllowedKeysTable& AllowedKeys) {
    for (std::size_t i = 0; i < 10; ++i) {
        AllowedKeys[i] = std::string(1, static_cast<char>('0' + i));
    }
    AllowedKeys[10] = std::string(1, '\b');
    // Built like the others: assigning the literal trips a false -Wrestrict
    // warning in GCC 12 at -O3.
    AllowedKeys[kDecimalPointKey] = std::string(1, '.');
}

} // namespace rivo
