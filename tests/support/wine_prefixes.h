#pragma once

#include <filesystem>
#include <string>

namespace rivo::test {

// system.reg texts for prefixes made in tests.
enum class RegistryKind {
    Real,    // a copy of the real Wine system.reg: the game at C:\Games\Kestra
    Holding, // a small one that holds the game at the install folder given
    WithoutGame,
    CutOff, // holds the game's key, but the file ends inside its value line
    // Off Windows, a system.reg that is no file to read: a pipe, a link to
    // /dev/zero, a link to itself; and one that holds the game but is larger
    // than the registry reader reads (a sparse file).
    Fifo,
    DevZero,
    Looping,
    Huge,
};

// The system.reg of that kind; `installDir` is the folder a Holding one gives.
std::string systemReg(RegistryKind kind, const std::string& installDir = "C:\\Games\\Kestra");

// Makes `folder` a prefix with a system.reg of that kind (for the last four,
// a system.reg made as described).
void writePrefix(const std::filesystem::path& folder, RegistryKind kind,
                 const std::string& installDir = "C:\\Games\\Kestra");

} // namespace rivo::test
