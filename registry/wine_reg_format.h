#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The text format of a Wine registry file (system.reg): escaped strings in key
// and value lines, and value lines with their typed data.
namespace rivo::winereg {

// Decodes one escaped string of a registry file into UTF-16 units, one at a
// time, so that a key line can be compared without copying it. The text
// starts just after the opening delimiter ('[' or '"') and the string ends at
// the first unescaped `end`. `\\ \" \[ \]` and any other escaped character
// stand for themselves; `\a \b \e \f \n \r \t \v` are control characters;
// `\x` takes 1 to 4 hex digits (one UTF-16 unit); `\0`..`\7` start an octal
// escape of up to 3 digits; bytes of 0x80 and above are UTF-8. A line end or
// a NUL byte before the closing delimiter breaks the string.
class EscapedText {
public:
    enum class Step { Unit, End, Broken };

    EscapedText(std::string_view text, char end) noexcept : text_(text), end_(end) {}

    // Unit: `unit` holds the next unit. End: the closing delimiter was read.
    // Broken: the text stops before its closing delimiter.
    Step next(char16_t& unit) noexcept;

    // Bytes read so far (after End: up to and including the delimiter).
    std::size_t position() const noexcept { return pos_; }

private:
    char16_t decodeUtf8() noexcept;

    std::string_view text_;
    char end_;
    std::size_t pos_ = 0;
    char16_t pendingLow_ = 0; // second half of a surrogate pair
};

// A whole escaped string (after its opening delimiter) as UTF-16. Returns
// false when the string is broken; `consumed` is then unspecified.
bool decodeEscaped(std::string_view text, char end, std::u16string& out, std::size_t& consumed);

// Key and value names compare ignoring the case of ASCII and Latin-1 letters.
char16_t foldUnit(char16_t unit) noexcept;
std::u16string foldName(std::u16string name);

// One value of a key as the file defines it.
struct FileValue {
    std::u16string name; // "" for the unnamed value `@`
    std::uint32_t type = 0;
    // String forms ("text", str(N):"text"): the text with its terminating NUL
    // appended, in `text`. dword: and hex forms: the raw bytes, in `bytes`.
    bool isString = false;
    std::u16string text;
    std::string bytes;
};

// The lines of one key's section, handed out one at a time; hex data
// continues over lines that end in a backslash.
class LineReader {
public:
    explicit LineReader(std::string_view section) noexcept : rest_(section) {}

    // The next line without its line end (LF or CR LF); false at the end.
    bool next(std::string_view& line) noexcept;
    // Whether the line last handed out had its line end. Wine ends every
    // line, so a last line without one was cut off.
    bool lastLineComplete() const noexcept { return complete_; }

    // Where the reader stands, to go back to after a failed value.
    std::string_view remaining() const noexcept { return rest_; }
    void rewind(std::string_view remaining) noexcept { rest_ = remaining; }

private:
    std::string_view rest_;
    bool complete_ = true;
};

// Parses the value line `line` (`"name"=...` or `@=...`), the line that
// `more` handed out last, reading further lines from `more` while hex data
// continues. Returns false for a line that is no well-formed value (cut off,
// a broken string, bad hex, an unknown form); the caller then rewinds `more`
// to just after `line` and goes on from there.
bool parseValueLine(std::string_view line, LineReader& more, FileValue& value);

} // namespace rivo::winereg
