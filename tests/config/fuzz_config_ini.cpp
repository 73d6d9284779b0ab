// config.ini: whatever the game's file holds, each value read is the text
// after the "=" of its key's last line (a quoted key's unquoted, not cut; a
// line that is the key alone gives itself);
// LoadConfig, SaveConfig and LoadConfig again give the same sixteen values,
// and the saved file is exactly 21 lines, each ended by CR LF.
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
    const auto fileLines = textfile::splitLines(fuzz::Bytes(data, size));
    for (const SettingKey& setting : kSettingKeys) {
        // The last line that is the key, after any leading spaces, and "=";
        // a line that is the key alone (no "=") stands for itself whole.
        std::string text;
        for (const std::string& line : fileLines) {
            const std::string key = setting.key;
            const auto at = line.find_first_not_of(' ');
            if (at == std::string::npos || line.compare(at, key.size(), key) != 0) {
                continue;
            }
            if (line.size() == at + key.size()) {
                text = line;
            } else if (line[at + key.size()] == '=') {
                text = line.substr(at + key.size() + 1);
            }
        }
        Require(read.*setting.field == (setting.plain ? text : fuzz::Unquoted(text)),
                "each value is the text after its key's \"=\", a quoted one unquoted");
    }
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
