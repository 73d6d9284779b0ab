#include "wine_reg_format.h"

#include "codepage.h"

namespace rivo::winereg {

namespace {

int hexDigit(char c) noexcept {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// \a \b \e \f \n \r \t \v
constexpr std::string_view kControlLetters = "abefnrtv";
constexpr char16_t kControls[] = {0x07, 0x08, 0x1B, 0x0C, 0x0A, 0x0D, 0x09, 0x0B};

bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}

std::string_view skipBlanks(std::string_view text) noexcept {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    return text.substr(i);
}

bool startsWith(std::string_view text, std::string_view head) noexcept {
    return text.substr(0, head.size()) == head;
}

// Reads 1 to 8 hex digits from the front of `text` into `number`.
bool takeHexNumber(std::string_view& text, std::uint32_t& number) noexcept {
    std::size_t i = 0;
    number = 0;
    while (i < text.size() && i < 9 && hexDigit(text[i]) >= 0) {
        number = number << 4 | static_cast<std::uint32_t>(hexDigit(text[i]));
        ++i;
    }
    if (i == 0 || i > 8) {
        return false;
    }
    text.remove_prefix(i);
    return true;
}

// `(N):` after "hex" or "str": the type number in hex.
bool takeTypeNumber(std::string_view& text, std::uint32_t& type) noexcept {
    if (!startsWith(text, "(")) {
        return false;
    }
    text.remove_prefix(1);
    if (!takeHexNumber(text, type) || !startsWith(text, "):")) {
        return false;
    }
    text.remove_prefix(2);
    return true;
}

bool isBlankLine(std::string_view text) noexcept {
    return skipBlanks(text).empty();
}

// Comma-separated byte pairs; a backslash at the end of a line carries the
// data on to the next line.
bool parseHexData(std::string_view text, LineReader& more, std::string& bytes) {
    bool afterByte = false;
    bool needByte = false;
    for (;;) {
        text = skipBlanks(text);
        if (text.empty()) {
            return !needByte;
        }
        const char c = text.front();
        if (c == '\\') {
            std::string_view next;
            if (!isBlankLine(text.substr(1)) || !more.next(next) || !more.lastLineComplete()) {
                return false;
            }
            text = next;
            continue;
        }
        if (c == ',') {
            if (!afterByte) {
                return false;
            }
            afterByte = false;
            needByte = true;
            text.remove_prefix(1);
            continue;
        }
        if (afterByte || text.size() < 2 || hexDigit(text[0]) < 0 || hexDigit(text[1]) < 0) {
            return false;
        }
        bytes.push_back(static_cast<char>(hexDigit(text[0]) << 4 | hexDigit(text[1])));
        text.remove_prefix(2);
        afterByte = true;
        needByte = false;
    }
}

bool parseString(std::string_view text, FileValue& value) {
    std::size_t consumed = 0;
    if (!decodeEscaped(text, '"', value.text, consumed)) {
        return false;
    }
    // The stored data is the text with its terminating NUL.
    value.text.push_back(u'\0');
    value.isString = true;
    return true;
}

} // namespace

char16_t foldUnit(char16_t unit) noexcept {
    if (unit < 0x80) {
        return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
    }
    return codepage::foldCase(unit);
}

std::u16string foldName(std::u16string name) {
    for (char16_t& unit : name) {
        unit = foldUnit(unit);
    }
    return name;
}

EscapedText::Step EscapedText::next(char16_t& unit) noexcept {
    if (pendingLow_ != 0) {
        unit = pendingLow_;
        pendingLow_ = 0;
        return Step::Unit;
    }
    if (pos_ >= text_.size()) {
        return Step::Broken;
    }
    auto c = static_cast<unsigned char>(text_[pos_]);
    if (c == '\n' || c == 0) {
        return Step::Broken;
    }
    if (c == static_cast<unsigned char>(end_)) {
        ++pos_;
        return Step::End;
    }
    if (c == '\\') {
        ++pos_;
        if (pos_ >= text_.size()) {
            return Step::Broken;
        }
        c = static_cast<unsigned char>(text_[pos_]);
        if (c == '\n' || c == 0) {
            return Step::Broken;
        }
        if (const auto letter = kControlLetters.find(static_cast<char>(c));
            letter != std::string_view::npos) {
            unit = kControls[letter];
            ++pos_;
            return Step::Unit;
        }
        if (c == 'x') {
            ++pos_;
            unsigned value = 0;
            int digits = 0;
            while (digits < 4 && pos_ < text_.size() && hexDigit(text_[pos_]) >= 0) {
                value = value * 16 + static_cast<unsigned>(hexDigit(text_[pos_]));
                ++pos_;
                ++digits;
            }
            unit = digits == 0 ? u'x' : static_cast<char16_t>(value);
            return Step::Unit;
        }
        if (c >= '0' && c <= '7') {
            unsigned value = 0;
            for (int digits = 0;
                 digits < 3 && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7';
                 ++digits) {
                value = value * 8 + static_cast<unsigned>(text_[pos_] - '0');
                ++pos_;
            }
            unit = static_cast<char16_t>(value);
            return Step::Unit;
        }
        // Any other escaped character stands for itself.
    }
    if (c < 0x80) {
        unit = c;
        ++pos_;
        return Step::Unit;
    }
    unit = decodeUtf8();
    return Step::Unit;
}

char16_t EscapedText::decodeUtf8() noexcept {
    char32_t cp = codepage::decodeUtf8(text_, pos_);
    if (cp >= 0x10000) {
        cp -= 0x10000;
        pendingLow_ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        return static_cast<char16_t>(0xD800 + (cp >> 10));
    }
    return static_cast<char16_t>(cp);
}

bool decodeEscaped(std::string_view text, char end, std::u16string& out, std::size_t& consumed) {
    EscapedText escaped(text, end);
    char16_t unit = 0;
    for (;;) {
        switch (escaped.next(unit)) {
        case EscapedText::Step::Unit:
            out.push_back(unit);
            break;
        case EscapedText::Step::End:
            consumed = escaped.position();
            return true;
        case EscapedText::Step::Broken:
            return false;
        }
    }
}

bool LineReader::next(std::string_view& line) noexcept {
    if (rest_.empty()) {
        return false;
    }
    const std::size_t end = rest_.find('\n');
    complete_ = end != std::string_view::npos;
    line = rest_.substr(0, end);
    rest_ = complete_ ? rest_.substr(end + 1) : std::string_view{};
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return true;
}

bool parseValueLine(std::string_view line, LineReader& more, FileValue& value) {
    value = FileValue{};
    if (!more.lastLineComplete()) {
        return false;
    }
    std::string_view rest;
    if (startsWith(line, "@")) {
        rest = line.substr(1);
    } else if (startsWith(line, "\"")) {
        std::size_t consumed = 0;
        if (!decodeEscaped(line.substr(1), '"', value.name, consumed)) {
            return false;
        }
        rest = line.substr(1 + consumed);
    } else {
        return false;
    }
    rest = skipBlanks(rest);
    if (!startsWith(rest, "=")) {
        return false;
    }
    rest = skipBlanks(rest.substr(1));

    if (startsWith(rest, "\"")) {
        value.type = 1; // REG_SZ
        return parseString(rest.substr(1), value);
    }
    if (startsWith(rest, "str:\"")) {
        value.type = 1;
        return parseString(rest.substr(5), value);
    }
    if (startsWith(rest, "str(")) {
        rest.remove_prefix(3);
        return takeTypeNumber(rest, value.type) && startsWith(rest, "\"") &&
               parseString(rest.substr(1), value);
    }
    if (startsWith(rest, "dword:")) {
        rest.remove_prefix(6);
        std::uint32_t number = 0;
        if (!takeHexNumber(rest, number) || !isBlankLine(rest)) {
            return false;
        }
        value.type = 4; // REG_DWORD, little-endian
        for (int shift = 0; shift < 32; shift += 8) {
            value.bytes.push_back(static_cast<char>(number >> shift & 0xFF));
        }
        return true;
    }
    if (startsWith(rest, "hex:")) {
        value.type = 3; // REG_BINARY
        return parseHexData(rest.substr(4), more, value.bytes);
    }
    if (startsWith(rest, "hex(")) {
        rest.remove_prefix(3);
        return takeTypeNumber(rest, value.type) && parseHexData(rest, more, value.bytes);
    }
    return false;
}

} // namespace rivo::winereg
