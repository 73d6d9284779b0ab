#include "rivoreg.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
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

namespace {

// The value `name` of the key, or nothing when the key does not open.
std::optional<RegistryValue> ReadOpened(reg::RegistryApi& registry, reg::Root root,
                                        const std::string& path, std::uint32_t access,
                                        const std::string& name) {
    reg::Handle key = 0;
    if (registry.openKey(root, path, 0, access, key) != reg::kSuccess) {
        return std::nullopt;
    }
    RegistryValue value;
    RegQueryValue(registry, key, name, value);
    registry.closeKey(key);
    return value;
}

bool StartsWithIgnoringCase(const std::string& text, std::string_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace

std::vector<std::string> VirtualStoreKeys(const std::string& path) {
    const std::string store = "Software\\Classes\\VirtualStore\\MACHINE\\";
    std::vector<std::string> keys;
    constexpr std::string_view kSoftware = "SOFTWARE\\";
    if (StartsWithIgnoringCase(path, kSoftware)) {
        keys.push_back(store + path.substr(0, kSoftware.size()) + "WOW6432Node\\" +
                       path.substr(kSoftware.size()));
    }
    keys.push_back(store + path);
    return keys;
}

RegistryValue RegReadValue(reg::RegistryApi& registry, const std::string& path,
                           const std::string& name) {
    // Read-only: a normal user may not write to HKEY_LOCAL_MACHINE. The
    // game's 32-bit installer wrote its key in the 32-bit view; a key that
    // only a 64-bit tool wrote is found in the 64-bit view behind it. Every
    // backend answers one view per open, so both systems fall back alike.
    for (const std::uint32_t view : {reg::kKeyWow64_32Key, reg::kKeyWow64_64Key}) {
        if (std::optional<RegistryValue> value =
                ReadOpened(registry, reg::Root::LocalMachine, path, reg::kKeyRead | view, name)) {
            if (!std::holds_alternative<std::monostate>(*value)) {
                return *value;
            }
            break; // the key is there in the game's view: its value is missing
        }
    }
    // An installer that Windows ran virtualized (an old one, started without
    // administrator rights) wrote the key into the user's registry instead.
    // These keys are named whole, so no view redirects them.
    for (const std::string& key : VirtualStoreKeys(path)) {
        if (std::optional<RegistryValue> value = ReadOpened(
                registry, reg::Root::CurrentUser, key, reg::kKeyRead | reg::kKeyWow64_64Key, name);
            value && !std::holds_alternative<std::monostate>(*value)) {
            return *value;
        }
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
