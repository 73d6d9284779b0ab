#pragma once

#include "registry_api.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace rivo {

// HKEY_LOCAL_MACHINE of a Wine prefix, read from its system.reg. Every open
// reads the file afresh into one buffer and scans it in place for the one key
// asked for (no second copy, no tree), so the program sees what Wine last
// saved; only the key's values are kept, until the key is closed. Views work
// as on 64-bit Windows: in a 64-bit prefix the 32-bit view (the default, as
// for a 32-bit program) finds a key under SOFTWARE at Software\Wow6432Node,
// and KEY_WOW64_64KEY finds it in the plain place. Text comes back as the
// ANSI calls give it: Windows-1252 with the terminating NUL counted.
class WineRegistry : public reg::RegistryApi {
public:
    // The largest system.reg read. A real prefix's is a few MB; one far
    // beyond this is no registry Wine wrote, and is taken as no registry.
    static constexpr std::uintmax_t kMaxFileSize = 64u * 1024 * 1024;
    static constexpr const char* kTooLargeReason =
        "the file is larger than 64 MiB, the most RivoEdit reads of a registry";

    explicit WineRegistry(std::filesystem::path systemReg);

    reg::Status openKey(reg::Root root, const std::string& subKey, std::uint32_t options,
                        std::uint32_t access, reg::Handle& key) override;
    reg::Status queryValue(reg::Handle key, const std::string& valueName, std::uint32_t* type,
                           unsigned char* data, std::uint32_t* size) override;
    reg::Status closeKey(reg::Handle key) override;

    const std::filesystem::path& file() const { return file_; }
    // Keys opened and not yet closed.
    std::size_t openKeyCount() const { return open_.size(); }

    struct Value {
        std::uint32_t type = 0;
        std::string data; // as the ANSI query hands it out
    };
    // An open key's values by case-folded name ("" is the unnamed value).
    using Values = std::map<std::u16string, Value>;

private:
    std::filesystem::path file_;
    std::map<reg::Handle, Values> open_;
    reg::Handle next_ = 1;
};

} // namespace rivo
