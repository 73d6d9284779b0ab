#include "command_report.h"

namespace rivo {

namespace {

std::string count(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

std::string SavedText(int written, int failed, const std::string& originalsFolder) {
    std::string text = written == 0 && failed == 0
                           ? "Nothing to save"
                           : "Saved " + count(written, "game file", "game files");
    if (failed > 0) {
        text += "; " + std::to_string(failed) + " could not be saved";
    }
    if (!originalsFolder.empty()) {
        text += "; the game's originals are kept in ";
        text += originalsFolder;
    }
    return text;
}

std::string ImportedText(int drivers, const std::string& fileName) {
    std::string text = "Imported " + count(drivers, "driver", "drivers") + " from ";
    text += fileName.empty() ? std::string("the game's driver files") : fileName;
    return text;
}

std::string RestoredText(int restored) {
    return "Restored the game's originals: " + count(restored, "file", "files") +
           " as the game had them";
}

std::string SetFileText(const std::string& where) {
    return "Saved the drivers to " + where;
}

} // namespace rivo
