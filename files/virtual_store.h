#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rivo {

// Windows' file virtualization, as it applies to the game: an old 32-bit
// program without a manifest. When such a program may not write a file in a
// protected folder (the Program Files folders, the Windows folder,
// ProgramData), Windows writes it to the user's VirtualStore instead, at the
// same path without its drive, and from then on the program reads that copy.
// Plain path logic on Windows paths (a drive letter, backslashes); the
// folders come from Windows, or from a test.
class VirtualStore {
public:
    // `protectedFolders`: the folders Windows virtualizes; `root`: the user's
    // VirtualStore folder (%LOCALAPPDATA%\VirtualStore).
    VirtualStore(std::vector<std::wstring> protectedFolders, std::wstring root);

    // Whether Windows virtualizes `path`, a full path: it is one of the
    // protected folders or lies below one, letter case ignored.
    bool covers(std::wstring_view path) const;

    // Where Windows keeps its copy of `path`: the store's folder, then the
    // path without its drive. Empty when Windows does not virtualize `path`.
    std::wstring copyOf(std::wstring_view path) const;

    const std::wstring& root() const { return root_; }

private:
    std::vector<std::wstring> protected_;
    std::wstring root_;
};

} // namespace rivo
