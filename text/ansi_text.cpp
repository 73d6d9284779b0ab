#include "ansi_text.h"

#include "codepage.h"

#ifdef _WIN32
#include "windows_api.h"
#endif

#include <limits>

namespace rivo::ansi {

#ifdef _WIN32

namespace {

int checkedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw std::length_error("text too long for the ANSI code page conversion");
    }
    return static_cast<int>(size);
}

} // namespace

std::u16string toUnicode(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) {
        return {};
    }
    const int length = checkedLength(bytes.size());
    const int units = MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (units <= 0) {
        return codepage::decodeCp1252(bytes);
    }
    std::u16string text(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                        units);
    return text;
}

std::string fromUnicode(std::u16string_view text, unsigned codePage) {
    if (text.empty()) {
        return {};
    }
    const int length = checkedLength(text.size());
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    // UTF-8 and UTF-7 take no stand-in character (Windows refuses the call
    // with one) and can write every character but a lone surrogate, which
    // is then refused rather than written in another encoding.
    const bool utf = codePage == CP_UTF8 || codePage == CP_UTF7;
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : 0;
    const char* standIn = utf ? nullptr : "?";
    const int size =
        WideCharToMultiByte(codePage, flags, wide, length, nullptr, 0, standIn, nullptr);
    if (size <= 0) {
        if (utf) {
            throw UnwritableText(codepage::utf16ToUtf8(text));
        }
        return codepage::encodeCp1252(text);
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, wide, length, bytes.data(), size, standIn, nullptr);
    return bytes;
}

std::u16string toUnicode(std::string_view bytes) {
    return toUnicode(bytes, CP_ACP);
}

std::string fromUnicode(std::u16string_view text) {
    return fromUnicode(text, GetACP());
}

std::string toUtf8(std::string_view bytes) {
    return codepage::utf16ToUtf8(toUnicode(bytes));
}

#else

std::u16string toUnicode(std::string_view bytes) {
    return codepage::decodeCp1252(bytes);
}

std::string fromUnicode(std::u16string_view text) {
    return codepage::encodeCp1252(text);
}

std::string toUtf8(std::string_view bytes) {
    return codepage::cp1252ToUtf8(bytes);
}

#endif

} // namespace rivo::ansi
