#pragma once

#include <string>

namespace rivo {

// Text for the terminal that cannot steer it: a tab, line feed, carriage
// return or backslash is written \t, \n, \r or \\, and every other control
// character (below 0x20, 0x7F, and U+0080 to U+009F, which come as two bytes
// of UTF-8) as \xNN for each of its bytes. Used for every text from outside
// (a registry, a folder's name, an argument) that a line of the program's
// own on the terminal shows.
std::string escapedForTerminal(const std::string& text);

} // namespace rivo
