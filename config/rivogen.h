#pragma once

#include <cstdint>
#include <string>

// Splitting a key=value line of the game's text files at its first "=".
// Positions are 1-based.
namespace rivo {

// KeySide true: the number of characters before the first "=" (the whole
// length when there is none). KeySide false: the position of the first
// character after the first "=" (1 when there is none).
std::int32_t EqualsPos(const std::string& line, bool KeySide);

// The text before the first "=" (the whole line without one), less the
// spaces at its start. Trailing spaces and tabs stay.
std::string LineKey(const std::string& line);

// Plain: everything after the first "=" (the whole line without one).
// Quoted: the same less the spaces and tabs on both sides, then less one pair
// of double quotes when it starts and ends with one (and holds two characters
// or more); a lone double quote gives the empty text, any other value stays as
// it is.
std::string LineValue(const std::string& line, bool Plain);

} // namespace rivo
