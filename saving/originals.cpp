#include "originals.h"

#include "ansi_text.h"
#include "file_error.h"
#include "seen_files.h"
#include "text_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <thread>
#include <utility>

#ifdef _WIN32
#include "windows_api.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace rivo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kIndexName = "originals.txt";
constexpr const char* kLockName = "originals.lock";
// A line of originals.txt that names one original: when, the game file
// (escaped), and its copy or kAbsent.
constexpr std::string_view kKeptTag = "kept\t";
// The lines that name the install: its game folder, and its host path
// (escaped UTF-8) when it was last saved.
constexpr std::string_view kInstallTag = "install\t";
constexpr std::string_view kHostTag = "host\t";
constexpr const char* kAbsent = "(did not exist)";
// How long a keep waits for another RivoEdit's keep in the same folder.
constexpr auto kLockWait = std::chrono::seconds(30);

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

std::string utf8Text(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
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
    // A tab or line break would split the list's line; no control
    // character belongs in a file name.
    if (std::any_of(path.begin(), path.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; })) {
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

// What originals.txt says.
struct ListText {
    struct Line {
        std::string keptAt;
        std::string gamePath;
        std::string copy; // empty: the game file did not exist
    };
    std::vector<Line> kept; // in the list's order
    std::string install;    // empty when not named
    std::string host;
};

// A line as a message shows it: bytes outside printable ASCII as %XX, and
// not without end.
std::string shownLine(const std::string& line) {
    constexpr std::size_t kLongest = 100;
    std::string shown;
    for (const char c : line) {
        shown += c == '\t' ? std::string("<tab>") : escaped(std::string(1, c));
    }
    if (shown.size() > kLongest) {
        shown = shown.substr(0, kLongest) + "...";
    }
    return "\"" + shown + "\"";
}

// The list's lines that carry data start with a word of their own (kept,
// install, host); every other line is words for a person. A data line that
// does not read whole, as when an editor turned its tabs into blanks, makes
// the whole list unreadable: throws FileError naming the list and the line.
ListText parseList(const std::string& bytes, const fs::path& list) {
    ListText read;
    const std::vector<std::string> lines = textfile::splitLines(bytes);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::string word = line.substr(0, line.find_first_of("\t "));
        const bool isKept = equalIgnoringCase(word, "kept");
        const bool isInstall = equalIgnoringCase(word, "install");
        const bool isHost = equalIgnoringCase(word, "host");
        if (!isKept && !isInstall && !isHost) {
            continue;
        }
        const std::vector<std::string> fields = splitTabs(line);
        bool good = false;
        if (isKept && line.starts_with(kKeptTag) && fields.size() == 4 && !fields[1].empty() &&
            !fields[2].empty()) {
            const std::string copy = fields[3] == kAbsent ? std::string() : fields[3];
            // A copy's name that would lead out of the folder is none of ours.
            good = copy.empty() || !unsafe(copy);
            if (good) {
                read.kept.push_back({fields[1], unescaped(fields[2]), copy});
            }
        } else if (isInstall && line.starts_with(kInstallTag) && fields.size() == 2 &&
                   !fields[1].empty()) {
            good = true;
            read.install = unescaped(fields[1]);
        } else if (isHost && line.starts_with(kHostTag) && fields.size() == 2 &&
                   !fields[1].empty()) {
            good = true;
            read.host = unescaped(fields[1]);
        }
        if (!good) {
            throw FileError(displayPath(list), "line " + std::to_string(n + 1) +
                                                   " cannot be read: " + shownLine(line));
        }
    }
    return read;
}

// The list of `folder`, read: nothing when it is missing; FileError when it
// cannot be read.
std::optional<ListText> readList(const fs::path& folder) {
    const fs::path list = folder / kIndexName;
    std::string bytes;
    try {
        bytes = textfile::readBytes(list);
    } catch (const FileError& e) {
        if (IsMissingFile(e.code())) {
            return std::nullopt;
        }
        throw;
    }
    return parseList(bytes, list);
}

// The system's lock on the file `path` (made when missing) while this
// lives. The system lets go of it when the process ends, however it ends,
// so a RivoEdit that crashed leaves no lock behind. Another holder is
// waited for up to kLockWait. Where the file system has no locks, the keep
// goes on without one: the copies are still never written over.
class FolderLock {
public:
    explicit FolderLock(const fs::path& path) {
        const std::string shown = displayPath(path);
        const auto until = std::chrono::steady_clock::now() + kLockWait;
#ifdef _WIN32
        const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            throw FileError(
                shown, std::error_code(static_cast<int>(::GetLastError()), std::system_category()));
        }
        handle_ = handle;
        for (;;) {
            OVERLAPPED at{};
            if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                             &at)) {
                locked_ = true;
                return;
            }
            const DWORD error = ::GetLastError();
            if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) {
                if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION) {
                    return;
                }
                release();
                throw FileError(shown,
                                std::error_code(static_cast<int>(error), std::system_category()));
            }
#else
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            throw FileError(shown, std::error_code(errno, std::generic_category()));
        }
        for (;;) {
            if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
                return;
            }
            const int error = errno;
            if (error != EWOULDBLOCK && error != EINTR) {
                if (error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS) {
                    return;
                }
                release();
                throw FileError(shown, std::error_code(error, std::generic_category()));
            }
#endif
            if (std::chrono::steady_clock::now() > until) {
                release();
                throw FileError(shown, "another RivoEdit is keeping originals here and did not "
                                       "finish");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    ~FolderLock() {
        release();
    }

private:
    void release() noexcept {
#ifdef _WIN32
        if (handle_ != nullptr) {
            if (locked_) {
                OVERLAPPED at{};
                ::UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &at);
            }
            ::CloseHandle(static_cast<HANDLE>(handle_));
            handle_ = nullptr;
        }
#else
        if (fd_ >= 0) {
            ::close(fd_); // lets go of the lock
            fd_ = -1;
        }
#endif
    }

#ifdef _WIN32
    void* handle_ = nullptr; // a HANDLE
    bool locked_ = false;
#else
    int fd_ = -1;
#endif
};

// "config.ini" as "config (2).ini": the number before the extension of the
// last part.
std::string numbered(const std::string& copy, int number) {
    const std::size_t part = copy.rfind('/') == std::string::npos ? 0 : copy.rfind('/') + 1;
    std::size_t dot = copy.rfind('.');
    if (dot == std::string::npos || dot <= part) {
        dot = copy.size();
    }
    return copy.substr(0, dot) + " (" + std::to_string(number) + ")" + copy.substr(dot);
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
    try {
        if (const std::optional<ListText> read = readList(folder_)) {
            for (const ListText::Line& line : read->kept) {
                entries_.emplace(line.gamePath,
                                 Entry{line.keptAt, line.copy, static_cast<int>(entries_.size())});
            }
        }
    } catch (const FileError& e) {
        unreadable_ = e;
    }
}

void Originals::takeOverMoved() {
    std::error_code error;
    if (folder_.empty() || unreadable_ || fs::exists(folder_, error) || error) {
        return;
    }
    std::vector<std::pair<fs::path, ListText>> found;
    for (fs::directory_iterator it(folder_.parent_path(), error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!it->is_directory(ignored)) {
            continue;
        }
        std::optional<ListText> read;
        try {
            read = readList(it->path());
        } catch (const FileError&) {
            continue; // not to be taken over unseen
        }
        if (!read || read->host.empty() || !equalIgnoringCase(read->install, InstallDir_)) {
            continue;
        }
        const fs::path host = utf8Path(read->host);
        std::error_code looked;
        if (host == installHost_ || fs::exists(host, looked) || looked) {
            continue; // another install with the same game folder, still there
        }
        // Only the folder made for that path: not one renamed by hand, nor
        // one whose list was not brought up to date after a move.
        if (it->path().filename() != OriginalsFolder(folder_.parent_path(), host).filename()) {
            continue;
        }
        found.emplace_back(it->path(), std::move(*read));
    }
    // Several could each be the install before the move: none is taken.
    if (found.size() != 1) {
        return;
    }
    movedFrom_ = found[0].first;
    movedHost_ = utf8Path(found[0].second.host);
    for (const ListText::Line& line : found[0].second.kept) {
        entries_.emplace(line.gamePath,
                         Entry{line.keptAt, line.copy, static_cast<int>(entries_.size())});
    }
}

std::optional<std::string> Originals::takeMovedNotice() {
    return std::exchange(movedNotice_, std::nullopt);
}

// The moved install's folder takes this install's name. Renamed whole, in
// one step, and only where no folder of that name holds anything, so no
// file is written over.
void Originals::moveIn() {
    std::error_code error;
    fs::rename(movedFrom_, folder_, error);
    if (error) {
        // Another RivoEdit on this install took it over just now.
        std::error_code gone;
        std::error_code there;
        if (!fs::exists(movedFrom_, gone) && !gone && fs::exists(folder_ / kIndexName, there)) {
            movedFrom_.clear();
            return;
        }
        throw FileError(displayPath(movedFrom_), error);
    }
    movedNotice_ =
        "The game's folder " + ansi::toUtf8(InstallDir_) + " was at " + displayPath(movedHost_) +
        " when RivoEdit kept its originals. It is now at " + displayPath(installHost_) +
        ", so RivoEdit goes on with those originals, now kept in " + displayPath(folder_);
    movedFrom_.clear();
}

// Under the lock: what another RivoEdit wrote joins what this one knows.
// The list's own order comes first; of two entries for one game file, the
// one kept first.
void Originals::reread() {
    const std::optional<ListText> read = readList(folder_);
    if (!read) {
        return; // gone: what this one knows is written back
    }
    std::map<std::string, Entry> merged;
    for (const ListText::Line& line : read->kept) {
        merged.emplace(line.gamePath,
                       Entry{line.keptAt, line.copy, static_cast<int>(merged.size())});
    }
    std::vector<std::pair<std::string, Entry>> known(entries_.begin(), entries_.end());
    std::sort(known.begin(), known.end(),
              [](const auto& a, const auto& b) { return a.second.order < b.second.order; });
    for (auto& [gamePath, entry] : known) {
        const auto found = merged.find(gamePath);
        if (found == merged.end()) {
            entry.order = static_cast<int>(merged.size());
            merged.emplace(gamePath, entry);
        } else if (entry.keptAt < found->second.keptAt) {
            // Kept twice (the list was lost in between): the earlier copy is
            // the game's own file, the later one an earlier save of ours.
            found->second.keptAt = entry.keptAt;
            found->second.copy = entry.copy;
        }
    }
    entries_ = std::move(merged);
}

// Whether originals.txt on disk names `copy`; when it cannot be read, it
// is taken to name it, so that no copy it may name is removed.
bool Originals::listNames(const std::string& copy) const {
    try {
        const std::optional<ListText> read = readList(folder_);
        return read && std::any_of(read->kept.begin(), read->kept.end(),
                                   [&](const ListText::Line& line) { return line.copy == copy; });
    } catch (...) {
        return true;
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
    if (unsafe(copy) || taken(copy)) {
        std::string name = ansi::toUtf8(gamePath.substr(gamePath.find_last_of("\\/:") + 1));
        if (name.empty() || unsafe(name)) {
            name = "file";
        }
        copy = "elsewhere/" + std::to_string(entries_.size() + 1) + " " + name;
    }
    return copy;
}

// The same name in another letter case is one file on Windows.
bool Originals::taken(const std::string& copy) const {
    return equalIgnoringCase(copy, kIndexName) || equalIgnoringCase(copy, kLockName) ||
           std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) {
               return equalIgnoringCase(entry.second.copy, copy);
           });
}

// The copy, made as a new file: a name that is taken, by an entry or by a
// file no entry names (its list lost, say), gets a number.
std::string Originals::makeCopy(const std::string& gamePath, const std::string& bytes) const {
    const std::string first = copyName(gamePath);
    constexpr int kMostTries = 1000;
    for (int number = 1;; ++number) {
        const std::string copy = number == 1 ? first : numbered(first, number);
        if (number > 1 && taken(copy)) {
            continue;
        }
        const fs::path path = folder_ / utf8Path(copy);
        makeFoldersFor(path);
        try {
            textfile::writeNew(path, bytes);
            return copy;
        } catch (const FileError& e) {
            if (e.code() != std::errc::file_exists || number >= kMostTries) {
                throw;
            }
        }
    }
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
        "A line for the game's folder and one for where it is on this computer, then",
        "one line for each original: when it was kept (UTC), the game's file (bytes",
        "outside plain ASCII written %XX) and its copy in this folder.",
        "",
        std::string(kInstallTag) + escaped(InstallDir_),
        std::string(kHostTag) + escaped(utf8Text(installHost_)),
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
    // A moved install's folder is taken over at its first save, whether or
    // not that save keeps anything new.
    const bool moving = !movedFrom_.empty();
    if (!moving && has(gamePath)) {
        return;
    }
    if (moving) {
        moveIn();
    }
    const fs::path index = folder_ / kIndexName;
    makeFoldersFor(index);
    const FolderLock lock(folder_ / kLockName);
    reread();
    const bool known = has(gamePath); // another RivoEdit may have kept it just now
    if (known && !moving) {
        return;
    }
    Entry entry{nowUtc(), bytes && !known ? makeCopy(gamePath, *bytes) : std::string(),
                static_cast<int>(entries_.size())};
    if (!known) {
        entries_.emplace(gamePath, entry);
    }
    try {
        textfile::writeAtomic(index, indexText());
    } catch (...) {
        if (!known) {
            entries_.erase(gamePath);
        }
        if (!entry.copy.empty() && !listNames(entry.copy)) {
            // Made just now and named nowhere: not left behind.
            std::error_code ignored;
            fs::remove(folder_ / utf8Path(entry.copy), ignored);
        } else if (!known) {
            // The list was replaced before the error (its folder could not
            // be synced, say): it names the copy, which therefore stays.
            entries_.emplace(gamePath, entry);
        }
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
            bytes = textfile::readBytes(copies() / utf8Path(entry.copy));
        }
        out.push_back({gamePath, std::move(bytes), entry.keptAt});
    }
    return out;
}

} // namespace rivo
