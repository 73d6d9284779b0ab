// A Wine prefix's system.reg holding any bytes: the game's install folder and
// values of every type are looked up as the program does (RegReadValue) and
// through the raw query, whose size, short-buffer and data answers must
// agree; every key opened is closed again.
#include "fuzz_game.h"
#include "rivoreg.h"
#include "wine_registry.h"

#include <vector>

namespace rivo::fuzz {
namespace {

struct Lookup {
    const char* key;
    const char* name;
};

// The seeds hold these keys and values, so mutations start from real hits.
constexpr Lookup kLookups[] = {
    {kGameRegistryKey, kInstallDirValue},
    {"Software\\Fuzz", ""}, // the unnamed value @
    {"Software\\Fuzz", "text"},
    {"Software\\Fuzz", "number"},
    {"Software\\Fuzz", "expand"},
    {"Software\\Fuzz", "multi"},
    {"Software\\Fuzz", "binary"},
    {"Software\\Fuzz", "typed"},
    {"System\\Fuzz", "Text"},
};

void QueryRaw(WineRegistry& registry, const Lookup& lookup) {
    reg::Handle key = 0;
    if (registry.openKey(reg::Root::LocalMachine, lookup.key, 0,
                         reg::kKeyRead | reg::kKeyWow64_32Key, key) != reg::kSuccess) {
        return;
    }
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (registry.queryValue(key, lookup.name, &type, nullptr, &size) == reg::kSuccess) {
        std::vector<unsigned char> buffer(size + 1);
        std::uint32_t shortSize = size - 1;
        if (size > 0) {
            Require(registry.queryValue(key, lookup.name, nullptr, buffer.data(), &shortSize) ==
                            reg::kMoreData &&
                        shortSize == size,
                    "a short buffer is refused with the size needed");
        }
        std::uint32_t fullSize = size + 1;
        Require(registry.queryValue(key, lookup.name, nullptr, buffer.data(), &fullSize) ==
                        reg::kSuccess &&
                    fullSize == size,
                "a buffer large enough receives the size announced");
    }
    Require(registry.closeKey(key) == reg::kSuccess, "an open key closes");
}

} // namespace
} // namespace rivo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivo;
    using fuzz::Require;
    const auto file = fuzz::Game().scratch("system.reg");
    test::writeFile(file, fuzz::Bytes(data, size));
    WineRegistry registry(file);
    for (const fuzz::Lookup& lookup : fuzz::kLookups) {
        RegistryValueText(RegReadValue(registry, lookup.key, lookup.name));
        fuzz::QueryRaw(registry, lookup);
        Require(registry.openKeyCount() == 0, "every key opened is closed");
    }
    return 0;
}
