#pragma once

#include <QString>
#include <string>

// Game text is 8-bit Windows-1252. A widget shows it as Unicode and hands
// edits back the same way; all 256 byte values map one to one, so a value
// survives the trip through a field byte for byte.
namespace rivo {

QString toDisplay(const std::string& gameText);
std::string fromDisplay(const QString& shown);

// UTF-8 text of the program's own (messages, host paths) for a widget.
QString fromUtf8(const std::string& utf8);

} // namespace rivo
