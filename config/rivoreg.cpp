#include "rivoreg.h"

#include <cstring>
#include <vector>

namespace rivo {

reg::Status RegQueryValue(reg::RegistryApi& registry, reg::Handle key, const std::string& name,
                          RegistryValue& value) {
    std::uint32_t type = reg::kTypeNone;
    std::uint32_t size = 0;
    reg::Status status = registry.queryValue(key, name, &type, nullptr, &size);
    if (status != reg::kSuccess) {
        return status;
    }
    if (type == reg::kTypeSz) {
        // A size of 0 leaves no text to form.
        if (size == 0) {
            return status;
        }
        std::vector<unsigned char> buffer(size, 0);
        status = registry.queryValue(key, name, &type, buffer.data(), &size);
        if (status != reg::kSuccess || size == 0 || size > buffer.size()) {
            value = std::monostate{};
            return status;
        }
        // Windows also keeps a text stored without its terminating NUL, and
        // then hands it out without one: drop a NUL only where there is one.
        const std::size_t length = buffer[size - 1] == 0 ? size - 1 : size;
        value = std::string(reinterpret_cast<const char*>(buffer.data()), length);
        return status;
    }
    if (type == reg::kTypeDword) {
        unsigned char buffer[4] = {};
        size = sizeof buffer;
        status = registry.queryValue(key, name, &type, buffer, &size);
        if (status == reg::kSuccess && size == sizeof buffer) {
            std::uint32_t bits = static_cast<std::uint32_t>(buffer[0]) |
                                 static_cast<std::uint32_t>(buffer[1]) << 8 |
                                 static_cast<std::uint32_t>(buffer[2]) << 16 |
                                 static_cast<std::uint32_t>(buffer[3]) << 24;
            std::int32_t number = 0;
            std::memcpy(&number, &bits, sizeof number);
            value = number;
        }
        return status;
    }
    return -1;
}

RegistryValue RegReadValue(reg::RegistryApi& registry, const std::string& path,
                           const std::string& name) {
    // Read-only: a normal user may not write to HKEY_LOCAL_MACHINE. The
    // game's 32-bit installer wrote its key in the 32-bit view; a key that
    // only a 64-bit tool wrote is found in the 64-bit view behind it. Every
    // backend answers one view per open, so both systems fall back alike.
    for (const std::uint32_t view : {reg::kKeyWow64_32Key, reg::kKeyWow64_64Key}) {
        reg::Handle key = 0;
        if (registry.openKey(reg::Root::LocalMachine, path, 0, reg::kKeyRead | view, key) !=
            reg::kSuccess) {
            continue;
        }
        RegistryValue value;
        RegQueryValue(registry, key, name, value);
        registry.closeKey(key);
        return value;
    }
    return {};
}

std::string RegistryValueText(const RegistryValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return std::to_string(*number);
    }
    return {};
}

} // namespace rivo
