#include "native_paths.h"

#include "windows_api.h"

#include <knownfolders.h>
#include <shlobj.h>

namespace rivo {

namespace {

std::wstring wideFromAnsi(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int n =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

// A known folder's path; empty when this Windows has none.
std::wstring knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path))) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

} // namespace

// Windows itself resolves "." and ".." (stopping at the drive's root), so the
// path is handed over as it is.
std::filesystem::path NativePaths::toHost(const std::string& gamePath) const {
    const std::filesystem::path copy = storeCopy(gamePath);
    std::error_code error;
    if (!copy.empty() && std::filesystem::exists(copy, error)) {
        return copy;
    }
    return inPlace(gamePath);
}

std::filesystem::path NativePaths::inPlace(const std::string& gamePath) const {
    return std::filesystem::path(wideFromAnsi(gamePath));
}

std::filesystem::path NativePaths::storeCopy(const std::string& gamePath) const {
    if (!store_) {
        return {};
    }
    return std::filesystem::path(store_->copyOf(wideFromAnsi(gamePath)));
}

VirtualStore WindowsVirtualStore() {
    std::vector<std::wstring> folders;
    for (const KNOWNFOLDERID& id : {FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86,
                                    FOLDERID_Windows, FOLDERID_ProgramData}) {
        if (std::wstring folder = knownFolder(id); !folder.empty()) {
            folders.push_back(std::move(folder));
        }
    }
    const std::wstring local = knownFolder(FOLDERID_LocalAppData);
    return VirtualStore(std::move(folders), local.empty() ? L"" : local + L"\\VirtualStore");
}

} // namespace rivo
