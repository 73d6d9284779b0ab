#include "shared_state.h"

namespace rivo {

void FillAllowedKeys(AllowedKeysTable& AllowedKeys) {
    for (std::size_t i = 0; i < 10; ++i) {
        AllowedKeys[i].assign(1, static_cast<char>('0' + i));
    }
    AllowedKeys[10].assign(1, '\b');
    AllowedKeys[kDecimalPointKey].assign(1, '.');
}

} // namespace rivo
