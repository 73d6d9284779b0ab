#include "windows_registry.h"

#include "windows_api.h"

namespace rivo {

namespace {

HKEY toHkey(reg::Handle key) {
    return reinterpret_cast<HKEY>(key);
}

} // namespace

reg::Status WindowsRegistry::openKey(reg::Root root, const std::string& subKey,
                                     std::uint32_t options, std::uint32_t access,
                                     reg::Handle& key) {
    HKEY rootKey = nullptr;
    switch (root) {
    case reg::Root::LocalMachine:
        rootKey = HKEY_LOCAL_MACHINE;
        break;
    case reg::Root::CurrentUser:
        rootKey = HKEY_CURRENT_USER;
        break;
    default:
        return reg::kInvalidHandle;
    }
    HKEY opened = nullptr;
    const LONG status =
        RegOpenKeyExA(rootKey, subKey.c_str(), options, static_cast<REGSAM>(access), &opened);
    if (status == ERROR_SUCCESS) {
        key = reinterpret_cast<reg::Handle>(opened);
    }
    return static_cast<reg::Status>(status);
}

reg::Status WindowsRegistry::queryValue(reg::Handle key, const std::string& valueName,
                                        std::uint32_t* type, unsigned char* data,
                                        std::uint32_t* size) {
    if (key == 0) {
        return reg::kInvalidHandle;
    }
    DWORD typeOut = 0;
    DWORD sizeInOut = size != nullptr ? static_cast<DWORD>(*size) : 0;
    const LONG status = RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr,
                                         type != nullptr ? &typeOut : nullptr, data,
                                         size != nullptr ? &sizeInOut : nullptr);
    // The call fills in type and size on success and when the buffer is too small.
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        if (type != nullptr) {
            *type = static_cast<std::uint32_t>(typeOut);
        }
        if (size != nullptr) {
            *size = static_cast<std::uint32_t>(sizeInOut);
        }
    }
    return static_cast<reg::Status>(status);
}

reg::Status WindowsRegistry::closeKey(reg::Handle key) {
    if (key == 0) {
        return reg::kInvalidHandle;
    }
    return static_cast<reg::Status>(RegCloseKey(toHkey(key)));
}

} // namespace rivo
