#pragma once

#include <string>
#include <string_view>

// The game's 8-bit text as the system shows it. On Windows that is the ANSI
// code page, as for every program that reads these files with the 8-bit
// calls; elsewhere Windows-1252, the code page Wine gives the game in a
// Western locale, which maps every byte one to one.
namespace rivo::ansi {

std::u16string toUnicode(std::string_view bytes);
// Characters the code page lacks become '?'.
std::string fromUnicode(std::u16string_view text);

} // namespace rivo::ansi
