#pragma once

#include "game_paths.h"
#include "virtual_store.h"

#include <optional>

namespace rivo {

// On Windows a game path is a host path already; only the 8-bit text is
// turned into a wide path through the system's code page. With a
// VirtualStore, a game file that Windows keeps a copy of for the game is
// that copy.
class NativePaths : public GamePaths {
public:
    NativePaths() = default;
    explicit NativePaths(VirtualStore store) : store_(std::move(store)) {}

    std::filesystem::path toHost(const std::string& gamePath) const override;
    std::filesystem::path storeCopy(const std::string& gamePath) const override;
    std::filesystem::path inPlace(const std::string& gamePath) const override;

private:
    std::optional<VirtualStore> store_;
};

// The folders this Windows virtualizes and the user's VirtualStore, as
// Windows names them.
VirtualStore WindowsVirtualStore();

} // namespace rivo
