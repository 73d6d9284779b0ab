#pragma once

#include <QString>
#include <optional>
#include <string>

// Game text is 8-bit, in the system's code page (the ANSI code page on
// Windows, Windows-1252 elsewhere, where all 256 byte values map one to one).
// A widget shows it as Unicode and hands edits back the same way.
namespace rivo {

QString toDisplay(const std::string& gameText);
std::string fromDisplay(const QString& shown);
// The text a widget shows, as game text: `held` itself while the widget still
// shows it, so that a value nobody edited keeps its bytes even where the
// code page cannot carry them all.
std::string fromDisplay(const QString& shown, const std::string& held);

// `text` as game text when the code page holds every character of it (a
// folder the user names must reach the game unchanged); nothing otherwise.
std::optional<std::string> exactGameText(const QString& text);

// UTF-8 text of the program's own (messages, host paths) for a widget.
QString fromUtf8(const std::string& utf8);

} // namespace rivo
