#pragma once

#include <cstdint>
#include <string>

// The three registry operations the program needs, shaped like advapi32's
// RegOpenKeyExA, RegQueryValueExA and RegCloseKey: the same arguments, the same
// status codes, 8-bit (Windows-1252) text with its terminating NUL counted.
// Backends: the real registry on Windows, a Wine prefix's system.reg
// elsewhere, and fakes in the tests.
namespace rivo::reg {

using Status = std::int32_t;
using Handle = std::uintptr_t; // 0 is no key

// Status codes, as the platform returns them.
inline constexpr Status kSuccess = 0;
inline constexpr Status kFileNotFound = 2;
inline constexpr Status kAccessDenied = 5;
inline constexpr Status kInvalidHandle = 6;
inline constexpr Status kInvalidParameter = 87;
inline constexpr Status kMoreData = 234;

// Root keys.
enum class Root : std::uintptr_t { CurrentUser = 0x80000001u, LocalMachine = 0x80000002u };

// Access masks.
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
inline constexpr std::uint32_t kKeyWow64_32Key = 0x0200;
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100;

// Value types.
inline constexpr std::uint32_t kTypeNone = 0;
inline constexpr std::uint32_t kTypeSz = 1;
inline constexpr std::uint32_t kTypeExpandSz = 2;
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeDword = 4;
inline constexpr std::uint32_t kTypeMultiSz = 7;

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    // RegOpenKeyExA. On success `key` holds an open key; on failure it is
    // left as it was.
    virtual Status openKey(Root root, const std::string& subKey, std::uint32_t options,
                           std::uint32_t access, Handle& key) = 0;

    // RegQueryValueExA. `type`, `data` and `size` may each be null. With a
    // null `data` and a non-null `size`, fills in the type and the size of the
    // data in bytes (text: its terminating NUL included) and returns
    // kSuccess. With a buffer too small for the data, returns kMoreData and
    // sets `size` to the size needed. Otherwise copies the data and sets
    // `size` to the bytes written.
    virtual Status queryValue(Handle key, const std::string& valueName, std::uint32_t* type,
                              unsigned char* data, std::uint32_t* size) = 0;

    // RegCloseKey; 0 and unknown handles give kInvalidHandle.
    virtual Status closeKey(Handle key) = 0;
};

} // namespace rivo::reg
