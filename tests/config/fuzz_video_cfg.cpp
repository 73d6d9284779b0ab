// video.cfg: every line whose key is "[" and at least one more character
// appends one entry, and the entry selected last is the last one equal to
// the VideoDriver setting.
#include "fuzz_game.h"
#include "recording_window.h"
#include "rivoconfig.h"
#include "rivogen.h"
#include "text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivo;
    using fuzz::Require;
    fuzz::FuzzGame& game = fuzz::Game();
    const std::string_view bytes = fuzz::Bytes(data, size);
    test::writeFile(game.installFolder() / "video.cfg", bytes);

    GameSettings settings;
    settings.VideoDriver = "3D Accelerator";
    test::RecordingWindow window;
    std::string VideoConfigPath;
    LoadVideoDrivers(game.paths, game.InstallDir, settings, window, VideoConfigPath);

    std::size_t bracketLines = 0;
    for (const std::string& line : textfile::splitLines(bytes)) {
        const std::string key = LineKey(line);
        bracketLines += key.size() >= 2 && key.front() == '[';
    }
    Require(window.videoDrivers.size() == bracketLines, "one entry per bracket line");
    int lastMatch = -1;
    for (std::size_t i = 0; i < window.videoDrivers.size(); ++i) {
        if (window.videoDrivers[i] == settings.VideoDriver) {
            lastMatch = static_cast<int>(i);
        }
    }
    Require(window.selectedVideoDriver == lastMatch, "the last matching entry stays selected");
    return 0;
}
