#pragma once

#include "registry_api.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace rivo::test {

// An in-memory HKEY_LOCAL_MACHINE (and HKEY_CURRENT_USER) that answers like advapi32: key and value
// names match in any case, a query on a closed or unknown handle fails, and a
// null buffer asks for the size.
class FakeRegistry : public reg::RegistryApi {
public:
    struct Value {
        std::uint32_t type;
        std::vector<unsigned char> data;
    };

    // Adds a key (and the value) under HKEY_LOCAL_MACHINE, in the 32-bit
    // view; setText64 in the 64-bit view only.
    void setText(const std::string& key, const std::string& name, const std::string& text);
    void setText64(const std::string& key, const std::string& name, const std::string& text);
    // Under HKEY_CURRENT_USER, which has one view.
    void setUserText(const std::string& key, const std::string& name, const std::string& text);
    void setDword(const std::string& key, const std::string& name, std::uint32_t number);
    void setRaw(const std::string& key, const std::string& name, std::uint32_t type,
                std::vector<unsigned char> data);
    void addKey(const std::string& key);

    reg::Status openKey(reg::Root root, const std::string& subKey, std::uint32_t options,
                        std::uint32_t access, reg::Handle& key) override;
    reg::Status queryValue(reg::Handle key, const std::string& valueName, std::uint32_t* type,
                           unsigned char* data, std::uint32_t* size) override;
    reg::Status closeKey(reg::Handle key) override;

    // Access masks passed to openKey, in order.
    std::vector<std::uint32_t> openAccess;
    // Keys that refuse to open with kAccessDenied.
    std::vector<std::string> denied;
    int openHandles() const { return static_cast<int>(open_.size()); }

private:
    static std::string fold(std::string s);
    std::map<std::string, std::map<std::string, Value>> keys_;
    std::map<reg::Handle, std::string> open_;
    reg::Handle next_ = 0x100;
};

} // namespace rivo::test
