#include "game_text.h"

#include "codepage.h"

namespace rivo {

QString toDisplay(const std::string& gameText) {
    return QString::fromStdU16String(codepage::decodeCp1252(gameText));
}

std::string fromDisplay(const QString& shown) {
    return codepage::encodeCp1252(shown.toStdU16String());
}

QString fromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace rivo
