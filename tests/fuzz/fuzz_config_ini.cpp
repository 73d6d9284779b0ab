// config.ini: whatever the game's file holds, LoadConfig, SaveConfig and
// LoadConfig again give the same sixteen values, and the saved file is
// exactly 21 lines, each ended by CR LF.
#include "fuzz_game.h"
#include "rivoconfig.h"
#include "text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivo;
    using fuzz::Require;
    fuzz::FuzzGame& game = fuzz::Game();
    const auto file = game.installFolder() / "config.ini";
    test::writeFile(file, fuzz::Bytes(data, size));

    std::string ConfigFilePath;
    GameSettings read;
    LoadConfig(game.paths, game.InstallDir, ConfigFilePath, read);
    UnsavedWork unsaved{true, false};
    SaveConfig(game.paths, ConfigFilePath, read, unsaved);
    Require(!unsaved.settings, "a save marks the settings saved");

    const std::string saved = test::readFile(file);
    const auto lines = textfile::splitLines(saved);
    Require(lines.size() == 21 && textfile::joinCrLf(lines) == saved,
            "the saved file is 21 lines ended by CR LF");
    GameSettings again;
    LoadConfig(game.paths, game.InstallDir, ConfigFilePath, again);
    Require(again == read, "the saved file reads back to the same values");
    return 0;
}
