#include "wine_prefixes.h"

#include "temp_dir.h"
#include "wine_registry.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace rivo::test {

namespace {

constexpr const char* kHeader = "WINE REGISTRY Version 2\n"
                                ";; All keys relative to \\\\Machine\n"
                                "\n"
                                "#arch=win64\n"
                                "\n"
                                "[Software\\\\Wine] 1733564795\n"
                                "\"Version\"=\"wine-8.0\"\n"
                                "\n";

// A value as system.reg writes it: backslashes doubled.
std::string escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '\\') {
            out += '\\';
        }
    }
    return out;
}

} // namespace

std::string systemReg(RegistryKind kind, const std::string& installDir) {
    const std::string gameKey = "[Software\\\\Wow6432Node\\\\Vantora\\\\Kestra] 1733564800\n"
                                "#time=1db48b2c9a3e4f0\n";
    switch (kind) {
    case RegistryKind::Real:
        return readFile(testDataDir() / "wine-registry" / "system.reg");
    case RegistryKind::Holding:
        return kHeader + gameKey + "\"Install Dir\"=\"" + escaped(installDir) + "\"\n";
    case RegistryKind::WithoutGame:
        return kHeader;
    case RegistryKind::CutOff:
        return kHeader + gameKey + "\"Install Dir\"=\"C:\\\\Gam";
    default:
        return {}; // made by writePrefix
    }
}

void writePrefix(const std::filesystem::path& folder, RegistryKind kind,
                 const std::string& installDir) {
    namespace fs = std::filesystem;
    const fs::path file = folder / "system.reg";
    fs::create_directories(folder);
    switch (kind) {
#ifndef _WIN32
    case RegistryKind::Fifo:
        ::mkfifo(file.c_str(), 0600);
        return;
    case RegistryKind::DevZero:
        fs::create_symlink("/dev/zero", file);
        return;
    case RegistryKind::Looping:
        fs::create_symlink(file, file);
        return;
#endif
    case RegistryKind::Huge:
        writeFile(file, systemReg(RegistryKind::Holding, installDir));
        fs::resize_file(file, WineRegistry::kMaxFileSize + 1);
        return;
    default:
        writeFile(file, systemReg(kind, installDir));
    }
}

} // namespace rivo::test
