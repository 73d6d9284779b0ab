#include "native_system.h"

#include <cstdlib>
#include <string_view>

#ifdef _WIN32
#include "native_paths.h"
#include "windows_registry.h"
#endif

namespace rivo::test {

std::unique_ptr<reg::RegistryApi> nativeRegistry() {
#ifdef _WIN32
    return std::make_unique<WindowsRegistry>();
#else
    return nullptr;
#endif
}

std::unique_ptr<GamePaths> nativePaths() {
#ifdef _WIN32
    return std::make_unique<NativePaths>();
#else
    return nullptr;
#endif
}

std::unique_ptr<GamePaths> programPaths() {
#ifdef _WIN32
    return std::make_unique<NativePaths>(WindowsVirtualStore());
#else
    return nullptr;
#endif
}

bool scriptRegistryValuesThere() {
    const char* set = std::getenv("RIVO_WINE_REGISTRY");
    return set != nullptr && std::string_view(set) == "1";
}

} // namespace rivo::test
