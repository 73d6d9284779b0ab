#include "terminal_text.h"

namespace rivo {

namespace {

// A C1 control character (U+0080 to U+009F) in UTF-8: its first byte.
constexpr char kC1Lead = '\xC2';

std::string hexEscape(unsigned char byte) {
    constexpr const char* kDigits = "0123456789abcdef";
    return {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
}

} // namespace

std::string escapedForTerminal(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        const auto byte = static_cast<unsigned char>(c);
        // A terminal acts on control characters; the C1 ones too when they
        // come as UTF-8.
        if (c == kC1Lead && i + 1 < field.size() &&
            static_cast<unsigned char>(field[i + 1]) <= 0x9F &&
            static_cast<unsigned char>(field[i + 1]) >= 0x80) {
            out += hexEscape(byte) + hexEscape(static_cast<unsigned char>(field[++i]));
            continue;
        }
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                out += hexEscape(byte);
            } else {
                out += c;
            }
        }
    }
    return out;
}

} // namespace rivo
