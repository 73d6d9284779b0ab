#pragma once

#include "registry_api.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace rivo {

// One registry read: text (REG_SZ), a number (REG_DWORD), or nothing.
using RegistryValue = std::variant<std::monostate, std::string, std::int32_t>;

// The key under HKEY_LOCAL_MACHINE that holds the game's install folder.
inline constexpr const char* kGameRegistryKey = "SOFTWARE\\Vantora\\Kestra";
inline constexpr const char* kInstallDirValue = "Install Dir";

// Queries one value of an open key into `value` (which the caller passes
// empty): REG_SZ becomes its text without its terminating NUL (a text stored
// without one is kept whole), REG_DWORD its number; any
// other type leaves it empty and gives -1. Returns the platform's status.
reg::Status RegQueryValue(reg::RegistryApi& registry, reg::Handle key, const std::string& name,
                          RegistryValue& value);

// Opens `path` under HKEY_LOCAL_MACHINE read-only in the 32-bit view (where a
// 32-bit game's installer writes) or, when the key is not there, in the 64-bit
// view; queries `name` and closes the key. When neither view gives the value,
// it is looked for in the user's registry VirtualStore, where Windows put it
// if the installer ran virtualized (VirtualStoreKeys). Every failure gives the
// empty value.
RegistryValue RegReadValue(reg::RegistryApi& registry, const std::string& path,
                           const std::string& name);

// Where Windows keeps a virtualized program's writes to the HKEY_LOCAL_MACHINE
// key `path` (SOFTWARE\...), under HKEY_CURRENT_USER, in the order they are
// looked at: the 32-bit programs' node first, then the plain one.
std::vector<std::string> VirtualStoreKeys(const std::string& path);

// A value as text: text as it stands, a number in decimal, nothing as "".
std::string RegistryValueText(const RegistryValue& value);

} // namespace rivo
