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

std::string Unquoted(std::string text) {
    text.erase(text.find_last_not_of(" \t") + 1);
    text.erase(0, text.find_first_not_of(" \t"));
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return text.substr(1, text.size() - 2);
    }
    return text == "\"" ? std::string() : text;
}

void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

} // namespace rivo::fuzz
