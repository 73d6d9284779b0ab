#include "game_text.h"

#include "ansi_text.h"

namespace rivo {

QString toDisplay(const std::string& gameText) {
    return QString::fromStdU16String(ansi::toUnicode(gameText));
}

std::string fromDisplay(const QString& shown) {
    return ansi::fromUnicode(shown.toStdU16String());
}

std::string fromDisplay(const QString& shown, const std::string& held) {
    return shown == toDisplay(held) ? held : fromDisplay(shown);
}

std::optional<std::string> exactGameText(const QString& text) {
    try {
        std::string bytes = ansi::fromUnicode(text.toStdU16String());
        if (toDisplay(bytes) == text) {
            return bytes;
        }
    } catch (const ansi::UnwritableText&) {
        // Not even a stand-in: no game text holds it.
    }
    return std::nullopt;
}

QString fromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace rivo
