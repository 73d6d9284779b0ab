// A game driver file: whatever it holds, reading it, saving the roster to
// the game and reading again gives the same roster. The other 21 files are
// missing, so their rows are reported, disabled and left empty.
#include "fuzz_game.h"
#include "recording_window.h"

namespace rivo::fuzz {
namespace {

DriverRoster ImportFromGame(FuzzGame& game) {
    DriverRoster roster;
    AllowedKeysTable AllowedKeys;
    test::RecordingWindow window;
    ImportDrivers({}, game.driverFolder, roster, AllowedKeys, window);
    Require(window.rowEnabled[0] && window.messages.size() == kDriverRows - 1,
            "the one file is read, the missing ones are reported");
    return roster;
}

} // namespace
} // namespace rivo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivo;
    using fuzz::Require;
    fuzz::FuzzGame& game = fuzz::Game();
    test::writeFile(game.driversFolder() / (DriverRoster::BaseName(0) + ".rcd"),
                    fuzz::Bytes(data, size));

    const DriverRoster read = fuzz::ImportFromGame(game);
    // Nothing was edited: a row without a name is skipped silently and its
    // file stays as it was; a named row is saved.
    DriverRowSet edited;
    Require(ExportDrivers({}, game.driverFolder, read, edited).empty(), "the save succeeds");
    Require(fuzz::ImportFromGame(game) == read, "the saved file reads back to the same roster");
    return 0;
}
