#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// The game's 8-bit text as the system shows it. On Windows that is the ANSI
// code page, as for every program that reads these files with the 8-bit
// calls; elsewhere Windows-1252, the code page Wine gives the game in a
// Western locale, which maps every byte one to one.
namespace rivo::ansi {

// Text that the system's code page cannot hold at all: on a UTF-8 code page
// (which Windows offers as "Use Unicode UTF-8 for worldwide language
// support"), a lone half of a surrogate pair. Other code pages write a
// character they lack as '?'.
class UnwritableText : public std::runtime_error {
public:
    // `shown`: the value as UTF-8, the character in question as U+FFFD.
    explicit UnwritableText(const std::string& shown)
        : std::runtime_error("the value \"" + shown +
                             "\" holds a character that the system's code page cannot write, so "
                             "it was not taken") {}
};

std::u16string toUnicode(std::string_view bytes);
// Characters the code page lacks become '?'; throws UnwritableText where the
// code page takes no stand-in (UTF-8).
std::string fromUnicode(std::u16string_view text);
// Game text (a path, a name) as UTF-8, for messages: the same characters the
// window shows.
std::string toUtf8(std::string_view bytes);

#ifdef _WIN32
// The same for a given Windows code page.
std::u16string toUnicode(std::string_view bytes, unsigned codePage);
std::string fromUnicode(std::u16string_view text, unsigned codePage);
#endif

} // namespace rivo::ansi
