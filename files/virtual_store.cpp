#include "virtual_store.h"

#include <algorithm>

namespace rivo {

namespace {

// A full path as Windows resolves it before it looks at it: "\\?\" dropped,
// '/' as '\', empty parts and "." gone, ".." taking back one part but never
// the drive. Gives the drive ("C:") and the parts after it; no drive for a
// path that has none (a relative or UNC path).
struct Resolved {
    std::wstring drive;
    std::vector<std::wstring> parts;
};

bool isLetter(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

Resolved resolve(std::wstring_view path) {
    std::wstring text(path);
    std::replace(text.begin(), text.end(), L'/', L'\\');
    if (text.rfind(L"\\\\?\\", 0) == 0 || text.rfind(L"\\??\\", 0) == 0) {
        text.erase(0, 4);
    }
    Resolved out;
    if (text.size() < 2 || !isLetter(text[0]) || text[1] != L':' ||
        (text.size() > 2 && text[2] != L'\\')) {
        return out;
    }
    out.drive = text.substr(0, 2);
    std::size_t at = 2;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(L'\\', at), text.size());
        const std::wstring part = text.substr(at, end - at);
        if (part == L"..") {
            if (!out.parts.empty()) {
                out.parts.pop_back();
            }
        } else if (!part.empty() && part != L".") {
            out.parts.push_back(part);
        }
        at = end + 1;
    }
    return out;
}

// Windows' folder names compare without letter case; the folders in
// question have plain ASCII names.
wchar_t folded(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool sameName(const std::wstring& a, const std::wstring& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return folded(x) == folded(y); });
}

// Whether `inner` is `outer` or lies below it.
bool within(const Resolved& inner, const Resolved& outer) {
    return !outer.drive.empty() && sameName(inner.drive, outer.drive) &&
           inner.parts.size() >= outer.parts.size() &&
           std::equal(outer.parts.begin(), outer.parts.end(), inner.parts.begin(), sameName);
}

} // namespace

VirtualStore::VirtualStore(std::vector<std::wstring> protectedFolders, std::wstring root)
    : protected_(std::move(protectedFolders)), root_(std::move(root)) {
    while (!root_.empty() && (root_.back() == L'\\' || root_.back() == L'/')) {
        root_.pop_back();
    }
}

bool VirtualStore::covers(std::wstring_view path) const {
    const Resolved resolved = resolve(path);
    if (resolved.drive.empty()) {
        return false;
    }
    return std::any_of(protected_.begin(), protected_.end(), [&](const std::wstring& folder) {
        return within(resolved, resolve(folder));
    });
}

std::wstring VirtualStore::copyOf(std::wstring_view path) const {
    if (root_.empty() || !covers(path)) {
        return {};
    }
    std::wstring copy = root_;
    for (const std::wstring& part : resolve(path).parts) {
        copy += L'\\';
        copy += part;
    }
    return copy;
}

} // namespace rivo
