#include "native_paths.h"

#include "windows_api.h"

namespace rivo {

// Windows itself resolves "." and ".." (stopping at the drive's root), so the
// path is handed over as it is.
std::filesystem::path NativePaths::toHost(const std::string& gamePath) const {
    if (gamePath.empty()) {
        return {};
    }
    const int n = MultiByteToWideChar(CP_ACP, 0, gamePath.data(), static_cast<int>(gamePath.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, gamePath.data(), static_cast<int>(gamePath.size()), wide.data(),
                        n);
    return std::filesystem::path(wide);
}

} // namespace rivo
