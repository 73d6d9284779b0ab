#include "device_names.h"

#include <algorithm>
#include <array>
#include <string>

namespace rivo {

namespace {

char16_t upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool isDeviceStem(const std::u16string& stem) {
    static constexpr std::array<std::u16string_view, 6> kWhole = {u"CON", u"PRN",    u"AUX",
                                                                  u"NUL", u"CONIN$", u"CONOUT$"};
    if (std::find(kWhole.begin(), kWhole.end(), stem) != kWhole.end()) {
        return true;
    }
    // COM and LPT with one digit 1-9, or a superscript 1, 2 or 3.
    if (stem.size() != 4 || (stem.compare(0, 3, u"COM") != 0 && stem.compare(0, 3, u"LPT") != 0)) {
        return false;
    }
    const char16_t digit = stem[3];
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00B9' || digit == u'\u00B2' ||
           digit == u'\u00B3';
}

} // namespace

bool isReservedDeviceName(const std::filesystem::path& path) {
    std::u16string name = path.filename().u16string();
    // Windows drops trailing spaces and dots from a name, and the device is
    // named by what stands before the first dot or colon, spaces trimmed.
    while (!name.empty() && (name.back() == u' ' || name.back() == u'.')) {
        name.pop_back();
    }
    name = name.substr(0, name.find_first_of(u".:"));
    while (!name.empty() && name.back() == u' ') {
        name.pop_back();
    }
    std::transform(name.begin(), name.end(), name.begin(), upper);
    return isDeviceStem(name);
}

} // namespace rivo
