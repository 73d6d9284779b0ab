#pragma once

#include "game_paths.h"
#include "registry_api.h"

#include <memory>
#include <string>

namespace rivo::test {

// The backends the program uses on Windows: the registry through advapi32
// and native paths. Null elsewhere; tests that use them skip there.
std::unique_ptr<reg::RegistryApi> nativeRegistry();
std::unique_ptr<GamePaths> nativePaths();
// Native paths as the program resolves them: the game's files where the game
// reads them, its VirtualStore copies included.
std::unique_ptr<GamePaths> programPaths();

// Whether the registry holds the values that scripts/test-windows adds to its
// Wine prefix (it sets RIVO_WINE_REGISTRY=1), so that the tests reading them
// skip on any other Windows machine.
bool scriptRegistryValuesThere();
inline constexpr const char* kNoScriptRegistryValues =
    "RIVO_WINE_REGISTRY is not set: the registry values of scripts/test-windows are not there";
inline constexpr const char* kNoWindowsRegistry = "the Windows registry exists on Windows only";

} // namespace rivo::test
