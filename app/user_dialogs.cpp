#include "user_dialogs.h"

namespace rivo {

FileFilter FileFilter::parse(const std::string& text) {
    const auto bar = text.find('|');
    if (bar == std::string::npos) {
        return {"", text};
    }
    return {text.substr(0, bar), text.substr(bar + 1)};
}

} // namespace rivo
