#include "user_dialogs.h"

namespace rivo {

FileFilter FileFilter::parse(const std::string& text) {
    const auto bar = text.find('|');
    if (bar == std::string::npos) {
        return {"", text};
    }
    return {text.substr(0, bar), text.substr(bar + 1)};
}

std::string ChangedFilesQuestion(const std::vector<std::string>& paths) {
    std::string text = "These files were changed by another program after RivoEdit read them:\n";
    for (const std::string& path : paths) {
        text += path + "\n";
    }
    return text + "\nReplace them with RivoEdit's values?";
}

} // namespace rivo
