#pragma once

#include "registry_api.h"

namespace rivo {

// The Windows registry itself, through advapi32's ANSI calls. An open key's
// HKEY travels in reg::Handle.
class WindowsRegistry : public reg::RegistryApi {
public:
    reg::Status openKey(reg::Root root, const std::string& subKey, std::uint32_t options,
                        std::uint32_t access, reg::Handle& key) override;
    reg::Status queryValue(reg::Handle key, const std::string& valueName, std::uint32_t* type,
                           unsigned char* data, std::uint32_t* size) override;
    reg::Status closeKey(reg::Handle key) override;
};

} // namespace rivo
