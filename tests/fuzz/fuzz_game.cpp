#include "fuzz_game.h"

#include <cstdio>
#include <cstdlib>

namespace rivo::fuzz {

FuzzGame::FuzzGame() {
    std::filesystem::create_directories(driversFolder());
}

FuzzGame& Game() {
    static FuzzGame game;
    return game;
}

void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

} // namespace rivo::fuzz
