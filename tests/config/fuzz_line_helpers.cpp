// EqualsPos, LineKey and LineValue on any line: the seam is the first "=",
// the key is what stands before it less leading spaces, the plain value what
// follows it, and the quoted value the plain one less the spaces and tabs on
// both sides and one pair of surrounding quotes.
#include "fuzz_game.h"
#include "rivogen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivo;
    using fuzz::Require;
    const std::string line(fuzz::Bytes(data, size));
    const std::size_t equals = line.find('=');
    const bool hasEquals = equals != std::string::npos;
    const std::size_t keyLength = hasEquals ? equals : line.size();

    Require(EqualsPos(line, true) == static_cast<std::int32_t>(keyLength),
            "EqualsPos(KeySide) counts the characters before the first =");
    Require(EqualsPos(line, false) == (hasEquals ? static_cast<std::int32_t>(equals) + 2 : 1),
            "EqualsPos(value side) is the position after the first =, or 1");

    const std::string key = LineKey(line);
    const std::string keySide = line.substr(0, keyLength);
    Require(key.size() <= keySide.size() &&
                keySide.compare(keySide.size() - key.size(), key.size(), key) == 0 &&
                keySide.find_first_not_of(' ') ==
                    (key.empty() ? std::string::npos : keySide.size() - key.size()),
            "LineKey is the key side less its leading spaces");

    const std::string plain = LineValue(line, true);
    Require(plain == (hasEquals ? line.substr(equals + 1) : line),
            "the plain value is everything after the first =");
    const std::string quoted = LineValue(line, false);
    Require(quoted == fuzz::Unquoted(plain),
            "the quoted value is the plain one, unquoted, never cut otherwise");
    return 0;
}
