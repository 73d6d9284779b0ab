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

bool TypableNumber(const AllowedKeysTable& AllowedKeys, const std::string& text) {
    constexpr int kBackspace = 8;
    std::string typed;
    for (const char c : text) {
        const int KeyAscii = static_cast<unsigned char>(c);
        if (KeyAscii == kBackspace || !AcceptNumericKey(AllowedKeys, KeyAscii, typed)) {
            return false;
        }
        typed += c;
    }
    return true;
}

} // namespace rivo
