#include "ansi_text.h"

#include "codepage.h"

#ifdef _WIN32
#include "windows_api.h"
#endif

#include <limits>
#include <stdexcept>

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

std::u16string toUnicode(std::string_view bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int length = checkedLength(bytes.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (units <= 0) {
        return codepage::decodeCp1252(bytes);
    }
    std::u16string text(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()),
                        units);
    return text;
}

std::string fromUnicode(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = checkedLength(text.size());
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, "?", nullptr);
    if (size <= 0) {
        return codepage::encodeCp1252(text);
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, bytes.data(), size, "?", nullptr);
    return bytes;
}

#else

std::u16string toUnicode(std::string_view bytes) {
    return codepage::decodeCp1252(bytes);
}

std::string fromUnicode(std::u16string_view text) {
    return codepage::encodeCp1252(text);
}

#endif

} // namespace rivo::ansi
