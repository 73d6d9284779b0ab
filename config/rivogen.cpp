#include "rivogen.h"

namespace rivo {

namespace {

// 1-based position of the first "=", 0 when there is none.
std::int32_t firstEquals(const std::string& line) {
    const auto at = line.find('=');
    return at == std::string::npos ? 0 : static_cast<std::int32_t>(at) + 1;
}

} // namespace

std::int32_t EqualsPos(const std::string& line, bool KeySide) {
    const std::int32_t p = firstEquals(line);
    std::int32_t r = KeySide ? p - 1 : p + 1;
    if (r < 0) {
        r = static_cast<std::int32_t>(line.size());
    }
    return r;
}

std::string LineKey(const std::string& line) {
    const std::string key = line.substr(0, static_cast<std::size_t>(EqualsPos(line, true)));
    const auto first = key.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : key.substr(first);
}

std::string LineValue(const std::string& line, bool Plain) {
    if (Plain) {
        const auto from = static_cast<std::size_t>(EqualsPos(line, false)) - 1;
        return line.substr(from);
    }
    // The quoted form drops the character after the "=" and the last one.
    const std::int32_t n = static_cast<std::int32_t>(line.size());
    const std::int32_t p = firstEquals(line);
    const std::int32_t count = n - p - 2;
    if (count < 0) {
        return {};
    }
    return line.substr(static_cast<std::size_t>(p) + 1, static_cast<std::size_t>(count));
}

} // namespace rivo
