#include "console_output.h"

#ifdef _WIN32
#include "windows_api.h"

#include <cstdio>
#endif

namespace rivo {

void attachParentConsole() {
#ifdef _WIN32
    const auto goesNowhere = [](DWORD which) {
        const HANDLE handle = GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    const bool out = goesNowhere(STD_OUTPUT_HANDLE);
    const bool err = goesNowhere(STD_ERROR_HANDLE);
    if ((!out && !err) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (out) {
        std::freopen("CONOUT$", "w", stdout);
    }
    if (err) {
        std::freopen("CONOUT$", "w", stderr);
    }
#endif
}

} // namespace rivo
