#pragma once

#include <string>
#include <string_view>

// Game text is 8-bit Windows-1252. These conversions map all 256 byte values
// one to one onto Unicode (the five bytes that Windows-1252 leaves undefined
// go to the C1 controls of the same value), so a byte survives a round trip
// through any Unicode text such as a Qt widget.
namespace rivo::codepage {

char16_t cp1252ToUnicode(unsigned char byte) noexcept;

// Windows-1252 byte for a UTF-16 code unit, or `replacement` when the
// character has none.
char unicodeToCp1252(char16_t unit, char replacement = '?') noexcept;

std::u16string decodeCp1252(std::string_view bytes);
std::string encodeCp1252(std::u16string_view text, char replacement = '?');

std::string cp1252ToUtf8(std::string_view bytes);
std::string utf8ToCp1252(std::string_view utf8, char replacement = '?');

// The character of the UTF-8 sequence at `pos`, moving `pos` past it. A
// malformed sequence gives U+FFFD and moves on by one byte.
char32_t decodeUtf8(std::string_view utf8, std::size_t& pos) noexcept;

// UTF-8 <-> UTF-16. Malformed UTF-8 gives U+FFFD for each bad byte.
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view text);

// The lower-case form of an ASCII or Latin-1 capital (and of the capitals
// Windows-1252 adds: Š Œ Ž Ÿ); every other unit as it is.
char16_t foldCase(char16_t unit) noexcept;

// Case-insensitive comparison of two UTF-8 names, folding ASCII and the
// Latin-1 letters (enough for game folder and file names).
bool equalsIgnoreCaseUtf8(std::string_view a, std::string_view b);

} // namespace rivo::codepage
