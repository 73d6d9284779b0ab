#include "wine_paths.h"

#include "codepage.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <vector>

namespace rivo {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> splitParts(std::string_view text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\\' || text[i] == '/') {
            // Doubled separators (an install folder stored with a trailing
            // backslash) name no folder, as on Windows.
            if (i > start) {
                parts.emplace_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return parts;
}

// "." names nothing and ".." the folder above, as Windows reads a path;
// ".." at the drive's root stays there, so a game path never leaves its
// drive (the drive link would otherwise lead it out into the host).
std::vector<std::string> withoutDots(std::vector<std::string> parts) {
    std::vector<std::string> kept;
    for (std::string& part : parts) {
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            if (!kept.empty()) {
                kept.pop_back();
            }
            continue;
        }
        kept.push_back(std::move(part));
    }
    return kept;
}

fs::path fromUtf8(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

WinePaths::WinePaths(fs::path prefix) : prefix_(std::move(prefix)) {}

std::optional<fs::path> findEntryIgnoringCase(const fs::path& folder, const std::string& utf8Name) {
    std::error_code ec;
    const fs::path exact = folder / fromUtf8(utf8Name);
    if (fs::exists(fs::symlink_status(exact, ec))) {
        return exact;
    }
    std::vector<fs::path> matches;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::u8string name = it->path().filename().u8string();
        if (codepage::equalsIgnoreCaseUtf8(std::string(name.begin(), name.end()), utf8Name)) {
            matches.push_back(it->path());
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    return *std::min_element(matches.begin(), matches.end());
}

fs::path WinePaths::toHost(const std::string& gamePath) const {
    const std::string utf8 = codepage::cp1252ToUtf8(gamePath);
    const bool hasDrive = utf8.size() >= 2 && utf8[1] == ':' &&
                          std::isalpha(static_cast<unsigned char>(utf8[0])) != 0;
    if (!hasDrive) {
        std::string host = utf8;
        std::replace(host.begin(), host.end(), '\\', '/');
        return fromUtf8(host);
    }

    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(utf8[0])));
    fs::path current = prefix_ / "dosdevices" / (std::string(1, letter) + ":");
    bool exists = true;
    for (const std::string& part : withoutDots(splitParts(std::string_view(utf8).substr(2)))) {
        if (exists) {
            if (auto found = findEntryIgnoringCase(current, part)) {
                current = *found;
                continue;
            }
            exists = false;
        }
        current /= fromUtf8(part);
    }
    return current;
}

std::optional<std::string> WinePaths::toGame(const fs::path& host) const {
    std::error_code ec;
    const fs::path target = fs::canonical(host, ec);
    if (ec) {
        return std::nullopt;
    }
    std::optional<std::string> best;
    std::size_t bestDepth = 0; // of the best drive's folder
    // Directory order is no order: the letters are taken alphabetically, so
    // that of two drives on one folder the first letter wins.
    std::vector<fs::path> drives;
    for (fs::directory_iterator it(prefix_ / "dosdevices", ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == 2 && name[1] == ':' &&
            std::isalpha(static_cast<unsigned char>(name[0])) != 0) {
            drives.push_back(it->path());
        }
    }
    std::sort(drives.begin(), drives.end());
    for (const fs::path& drive : drives) {
        std::error_code driveError;
        const fs::path root = fs::canonical(drive, driveError);
        if (driveError || !fs::is_directory(root, driveError)) {
            continue;
        }
        const fs::path rest = target.lexically_relative(root);
        if (rest.empty() || *rest.begin() == "..") {
            continue;
        }
        const std::size_t depth = static_cast<std::size_t>(std::distance(root.begin(), root.end()));
        if (best && depth <= bestDepth) {
            continue;
        }
        const auto letter = static_cast<char>(
            std::toupper(static_cast<unsigned char>(drive.filename().string()[0])));
        std::string utf8{letter, ':'};
        for (const fs::path& part : rest) {
            if (part != ".") {
                const std::u8string name = part.u8string();
                utf8 += '\\';
                utf8.append(name.begin(), name.end());
            }
        }
        if (utf8.size() == 2) {
            utf8 += '\\';
        }
        std::string text = codepage::utf8ToCp1252(utf8);
        if (codepage::cp1252ToUtf8(text) != utf8) {
            // The game could not name it: no path of this drive leads there.
            continue;
        }
        best = std::move(text);
        bestDepth = depth;
    }
    return best;
}

fs::path winePrefixFrom(const char* winePrefix, const char* home) {
    if (winePrefix != nullptr && *winePrefix != '\0') {
        // A relative prefix means one below the current folder; falling back
        // to ~/.wine would open another game without a word.
        std::error_code ec;
        fs::path p = fs::absolute(winePrefix, ec);
        return ec ? fs::path(winePrefix) : p;
    }
    if (home != nullptr && *home != '\0') {
        return fs::path(home) / ".wine";
    }
    return {};
}

} // namespace rivo
