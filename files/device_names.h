#pragma once

#include <filesystem>

namespace rivo {

// Whether Windows takes the last part of `path` for a device rather than a
// file in its folder: NUL, CON, PRN, AUX, COM1-9, LPT1-9 (and the
// superscript 1-3 forms), CONIN$ and CONOUT$, in any letter case, also with
// an extension ("COM1.rvd") and with the trailing spaces and dots that
// Windows strips ("nul. ").
bool isReservedDeviceName(const std::filesystem::path& path);

} // namespace rivo
