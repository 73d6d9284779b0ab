#include "numeric_filter.h"

namespace rivo {

bool AcceptNumericKey(const AllowedKeysTable& AllowedKeys, int KeyAscii,
                      const std::string& currentText) {
    bool found = false;
    for (const std::string& entry : AllowedKeys) {
        if (!entry.empty() && static_cast<unsigned char>(entry.front()) == KeyAscii) {
            found = true;
        }
    }
    const std::string& point = AllowedKeys[kDecimalPointKey];
    const bool isPoint = point.size() == 1 && static_cast<unsigned char>(point.front()) == KeyAscii;
    const bool hasPoint = currentText.find('.') != std::string::npos;
    return found && !(isPoint && hasPoint);
}

} // namespace rivo
