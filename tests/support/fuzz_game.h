#pragma once

#include "rivodriver.h"
#include "temp_dir.h"
#include "wine_paths.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace rivo::fuzz {

// A game installed in a Wine-style prefix at C:\Kestra, season folder
// "Season". One lives for a whole fuzzing run: each input is written over the
// file under test, so an execution costs no folder set-up.
struct FuzzGame {
    FuzzGame();

    std::filesystem::path installFolder() const { return prefix.onC("Kestra"); }
    std::filesystem::path driversFolder() const { return prefix.onC("Kestra/Season/Drivers"); }
    // A host file outside the game, e.g. a driver set file.
    std::filesystem::path scratch(const std::string& name) const { return prefix.root() / name; }

    test::TestPrefix prefix;
    WinePaths paths{prefix.root()};
    std::string InstallDir = "C:\\Kestra";
    std::string SeasonDir = "Season";
    GameDriverFolder driverFolder{paths, InstallDir, SeasonDir};
};

// The run's game, made on first use.
FuzzGame& Game();

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A quoted setting's value from the text after its "=": the spaces and tabs
// on both sides dropped, then one pair of double quotes around it removed; a
// lone double quote is the empty value.
std::string Unquoted(std::string text);

// Stops the run with a message when a property does not hold; libFuzzer then
// keeps the input that broke it.
void Require(bool holds, const char* property);

} // namespace rivo::fuzz
