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
    // The quoted form: the value less the spaces and tabs around it (a blank
    // after the "=" would otherwise keep the quotes in the value), then less
    // one pair of double quotes around it. A value written without quotes is
    // kept whole rather than cut, and a lone quote is empty.
    std::string value = LineValue(line, true);
    value.erase(value.find_last_not_of(" \t") + 1);
    value.erase(0, value.find_first_not_of(" \t"));
    if (value == "\"") {
        return {};
    }
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace rivo
