#include "originals.h"

#include "ansi_text.h"
#include "file_error.h"
#include "seen_files.h"
#include "text_file.h"

#include <algorithm>
#include <cstdint>
#include <ctime>

namespace rivo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kIndexName = "originals.txt";
// A line of originals.txt that names one original: when, the game file
// (escaped), and its copy or kAbsent.
constexpr std::string_view kKeptTag = "kept\t";
constexpr const char* kAbsent = "(did not exist)";

// Game text in originals.txt: bytes outside printable ASCII, and '%', as
// %XX, so that the file is plain text and every byte comes back exactly.
std::string escaped(const std::string& bytes) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '%') {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> splitTabs(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', at);
        fields.emplace_back(line.substr(at, tab - at));
        if (tab == std::string_view::npos) {
            return fields;
        }
        at = tab + 1;
    }
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// A host path from UTF-8 text on every system.
fs::path utf8Path(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string nowUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &now);
#else
    gmtime_r(&now, &utc);
#endif
    char text[32] = {};
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
    return text;
}

// Makes the folders on the way to `file`, naming the one that failed.
void makeFoldersFor(const fs::path& file) {
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    if (error) {
        throw FileError(displayPath(file.parent_path()), error);
    }
}

// FNV-1a, 64 bits: the same on every system and build, unlike std::hash.
std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

// Whether a copy's name would not stay inside the folder as one plain file
// name per part on every system.
bool unsafe(const std::string& path) {
    if (path.empty() || path.front() == '/' || path.find_first_of(":\\") != std::string::npos) {
        return true;
    }
    std::size_t at = 0;
    for (;;) {
        const std::size_t slash = path.find('/', at);
        const std::string part = path.substr(at, slash - at);
        if (part.empty() || part == "." || part == ".." ||
            part.find_first_of("<>\"|?*") != std::string::npos) {
            return true;
        }
        if (slash == std::string::npos) {
            return false;
        }
        at = slash + 1;
    }
}

} // namespace

fs::path OriginalsFolder(const fs::path& dataFolder, const fs::path& installHost) {
    const std::string whole = displayPath(installHost);
    // The path's parts joined by '-', with only the characters every file
    // system takes; the end of a long path tells installs apart best.
    std::string readable;
    for (const char c : whole) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '.' || c == '_' || c == ' ' ||
                           byte >= 0x80;
        if (plain) {
            readable += c;
        } else if (!readable.empty() && readable.back() != '-') {
            readable += '-';
        }
    }
    while (!readable.empty() &&
           (readable.back() == '-' || readable.back() == ' ' || readable.back() == '.')) {
        readable.pop_back();
    }
    constexpr std::size_t kLongest = 60;
    if (readable.size() > kLongest) {
        std::size_t cut = readable.size() - kLongest;
        // Not inside a UTF-8 character.
        while (cut < readable.size() &&
               (static_cast<unsigned char>(readable[cut]) & 0xC0) == 0x80) {
            ++cut;
        }
        readable.erase(0, cut);
    }
    static const char* const kHex = "0123456789abcdef";
    std::string hash;
    const std::uint64_t value = fnv1a(whole);
    for (int shift = 28; shift >= 0; shift -= 4) {
        hash += kHex[(value >> shift) & 0x0F];
    }
    return dataFolder / utf8Path(readable.empty() ? hash : readable + "-" + hash);
}

Originals::Originals(fs::path folder, std::string InstallDir, fs::path installHost)
    : folder_(std::move(folder)), InstallDir_(std::move(InstallDir)),
      installHost_(std::move(installHost)) {
    if (folder_.empty()) {
        unreadable_ = FileError("the user's data folder", "the system names none");
        return;
    }
    std::string bytes;
    try {
        bytes = textfile::readBytes(folder_ / kIndexName);
    } catch (const FileError& e) {
        if (!IsMissingFile(e.code())) {
            unreadable_ = e;
        }
        return;
    }
    for (const std::string& line : textfile::splitLines(bytes)) {
        if (!line.starts_with(kKeptTag)) {
            continue;
        }
        const std::vector<std::string> fields = splitTabs(line);
        if (fields.size() != 4) {
            continue;
        }
        const std::string copy = fields[3] == kAbsent ? std::string() : fields[3];
        if (!copy.empty() && unsafe(copy)) {
            continue; // not one of ours: it would lead out of the folder
        }
        entries_.emplace(unescaped(fields[2]),
                         Entry{fields[1], copy, static_cast<int>(entries_.size())});
    }
}

std::string Originals::copyName(const std::string& gamePath) const {
    // Inside the install: the same path below the folder.
    std::string copy;
    const std::string prefix = InstallDir_ + "\\";
    if (gamePath.size() > prefix.size() &&
        equalIgnoringCase(std::string_view(gamePath).substr(0, prefix.size()), prefix)) {
        copy = ansi::toUtf8(gamePath.substr(prefix.size()));
        std::replace(copy.begin(), copy.end(), '\\', '/');
    }
    // The same name in another letter case is one file on Windows.
    const auto taken = [&](const std::string& path) {
        return std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) {
            return equalIgnoringCase(entry.second.copy, path);
        });
    };
    if (unsafe(copy) || taken(copy) || equalIgnoringCase(copy, kIndexName)) {
        std::string name = ansi::toUtf8(gamePath.substr(gamePath.find_last_of("\\/:") + 1));
        if (name.empty() || name == "." || name == ".." ||
            name.find_first_of("<>\"|?*") != std::string::npos) {
            name = "file";
        }
        copy = "elsewhere/" + std::to_string(entries_.size() + 1) + " " + name;
    }
    return copy;
}

std::string Originals::indexText() const {
    std::vector<std::pair<std::string, Entry>> kept(entries_.begin(), entries_.end());
    std::sort(kept.begin(), kept.end(),
              [](const auto& a, const auto& b) { return a.second.order < b.second.order; });
    std::vector<std::string> lines = {
        "RivoEdit keeps here the files of the game in " + ansi::toUtf8(InstallDir_),
        "(" + displayPath(installHost_) + ")",
        "as they were before RivoEdit first replaced each of them. To go back by hand,",
        "copy a file over the game's file that it names. A game file marked",
        std::string(kAbsent) + " was made by RivoEdit and can be deleted.",
        "",
        "One line for each original: when it was kept (UTC), the game's file (bytes",
        "outside plain ASCII written %XX) and its copy in this folder.",
        "",
    };
    for (const auto& [gamePath, entry] : kept) {
        lines.push_back(std::string(kKeptTag) + entry.keptAt + "\t" + escaped(gamePath) + "\t" +
                        (entry.copy.empty() ? kAbsent : entry.copy));
    }
    return textfile::joinCrLf(lines);
}

void Originals::keep(const std::string& gamePath, const std::optional<std::string>& bytes) {
    if (unreadable_) {
        throw *unreadable_;
    }
    if (has(gamePath)) {
        return;
    }
    Entry entry{nowUtc(), bytes ? copyName(gamePath) : std::string(),
                static_cast<int>(entries_.size())};
    if (bytes) {
        const fs::path copy = folder_ / utf8Path(entry.copy);
        makeFoldersFor(copy);
        textfile::writeAtomic(copy, *bytes);
    }
    entries_.emplace(gamePath, entry);
    try {
        const fs::path index = folder_ / kIndexName;
        makeFoldersFor(index);
        textfile::writeAtomic(index, indexText());
    } catch (...) {
        entries_.erase(gamePath);
        throw;
    }
}

std::vector<Originals::Kept> Originals::all() const {
    std::vector<std::pair<std::string, Entry>> kept(entries_.begin(), entries_.end());
    std::sort(kept.begin(), kept.end(),
              [](const auto& a, const auto& b) { return a.second.order < b.second.order; });
    std::vector<Kept> out;
    for (const auto& [gamePath, entry] : kept) {
        std::optional<std::string> bytes;
        if (!entry.copy.empty()) {
            bytes = textfile::readBytes(folder_ / utf8Path(entry.copy));
        }
        out.push_back({gamePath, std::move(bytes), entry.keptAt});
    }
    return out;
}

} // namespace rivo
