#pragma once

#include "game_paths.h"

namespace rivo {

// On Windows a game path is a host path already; only the 8-bit text is
// turned into a wide path through the system's code page.
class NativePaths : public GamePaths {
public:
    std::filesystem::path toHost(const std::string& gamePath) const override;
};

} // namespace rivo
