#include "argument_text.h"

namespace rivo {

namespace {

constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

// The length of the valid UTF-8 sequence at the start of `bytes`, or 0 when
// none starts there (a stray byte, a cut or overlong sequence, a surrogate,
// a code point above U+10FFFF).
std::size_t sequenceLength(std::string_view bytes) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF; // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length || at(1) < low || at(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

} // namespace

QString argumentText(std::string_view bytes) {
    QString text;
    while (!bytes.empty()) {
        const std::size_t length = sequenceLength(bytes);
        if (length == 0) {
            text += QChar(
                static_cast<char16_t>(kFirstEscape - 0x80 + static_cast<unsigned char>(bytes[0])));
            bytes.remove_prefix(1);
        } else {
            text += QString::fromUtf8(bytes.data(), static_cast<qsizetype>(length));
            bytes.remove_prefix(length);
        }
    }
    return text;
}

std::string argumentBytes(const QString& text) {
    std::string bytes;
    qsizetype start = 0; // of the text not yet taken
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const bool lone = i == 0 || !text[i - 1].isHighSurrogate();
        if (unit >= kFirstEscape && unit <= kLastEscape && lone) {
            bytes += text.sliced(start, i - start).toStdString();
            bytes += static_cast<char>(unit - kFirstEscape + 0x80);
            start = i + 1;
        }
    }
    return bytes + text.sliced(start).toStdString();
}

QStringList argumentTexts(int argc, const char* const argv[]) {
    QStringList texts;
    for (int i = 0; i < argc; ++i) {
        texts.append(argumentText(argv[i]));
    }
    return texts;
}

} // namespace rivo
