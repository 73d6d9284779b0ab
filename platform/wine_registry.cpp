#include "wine_registry.h"

#include "codepage.h"
#include "file_error.h"
#include "text_file.h"
#include "wine_reg_format.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

namespace rivo {

namespace {

using winereg::EscapedText;
using winereg::LineReader;

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";
// ERROR_NOT_ENOUGH_MEMORY.
constexpr reg::Status kNotEnoughMemory = 8;

char16_t fold(char16_t unit) noexcept {
    if (unit < 0x80) {
        return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
    }
    return codepage::foldCase(unit);
}

std::u16string folded(std::u16string text) {
    for (char16_t& unit : text) {
        unit = fold(unit);
    }
    return text;
}

struct Layout {
    bool registry = false;
    bool win64 = false;
};

// The header: the exact first line, and the #arch line before the first key
// (no #arch line means a 32-bit prefix).
Layout readLayout(std::string_view bytes) {
    Layout layout;
    LineReader lines(bytes);
    std::string_view line;
    if (!lines.next(line) || line != kHeader) {
        return layout;
    }
    layout.registry = true;
    while (lines.next(line) && !line.starts_with('[')) {
        if (line == "#arch=win64") {
            layout.win64 = true;
        } else if (line == "#arch=win32") {
            layout.win64 = false;
        }
    }
    return layout;
}

// The parts of a key path, case-folded. Empty parts (doubled, leading or
// trailing backslashes) name no key.
std::vector<std::u16string> keyParts(const std::string& subKey) {
    const std::u16string path = folded(codepage::decodeCp1252(subKey));
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == u'\\') {
            if (i > start) {
                parts.push_back(path.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return parts;
}

std::u16string joinParts(const std::vector<std::u16string>& parts) {
    std::u16string path;
    for (const auto& part : parts) {
        if (!path.empty()) {
            path.push_back(u'\\');
        }
        path += part;
    }
    return path;
}

// The key paths to look for, best first: for a 32-bit reader in a 64-bit
// prefix, SOFTWARE\X is Software\Wow6432Node\X, with the plain path behind it.
// `written` holds each path as Wine writes it in a key line (separators as
// two backslashes), for the quick comparison; empty when the path has
// characters that Wine may escape.
struct Targets {
    std::array<std::u16string, 2> path;
    std::array<std::string, 2> written;
    std::size_t shared = 0; // length of the start both written forms share
    std::size_t count = 0;
};

// Printable ASCII that Wine writes as it is in a key line.
bool writtenAsItIs(char16_t unit) {
    return unit >= 0x20 && unit < 0x7F && unit != u'\\' && unit != u'[' && unit != u']' &&
           unit != u'"';
}

std::string writtenForm(const std::u16string& path) {
    std::string written;
    for (char16_t unit : path) {
        if (unit == u'\\') {
            written += "\\\\";
        } else if (writtenAsItIs(unit)) {
            written.push_back(static_cast<char>(unit));
        } else {
            return {};
        }
    }
    return written;
}

Targets targetsFor(const std::vector<std::u16string>& parts, bool view32, bool win64) {
    Targets targets;
    const bool redirected = view32 && win64 && !parts.empty() && parts[0] == u"software" &&
                            !(parts.size() > 1 && parts[1] == u"wow6432node");
    if (redirected) {
        std::vector<std::u16string> wow = parts;
        wow.insert(wow.begin() + 1, u"wow6432node");
        targets.path[targets.count++] = joinParts(wow);
    }
    targets.path[targets.count++] = joinParts(parts);
    for (std::size_t t = 0; t < targets.count; ++t) {
        targets.written[t] = writtenForm(targets.path[t]);
    }
    const std::string& a = targets.written[0];
    const std::string& b = targets.written[1];
    while (targets.shared < a.size() && targets.shared < b.size() &&
           a[targets.shared] == b[targets.shared]) {
        ++targets.shared;
    }
    return targets;
}

enum class Relation { None, Same, Ancestor };

// Compares the name of one key line (the text after its '[') with the
// targets: Same when the line is the target's own key, Ancestor when it is a
// key below the target (so the target exists even without its own line).
// Reads no further than the longest target unless a line below a target has
// to be checked for its closing bracket.
std::array<Relation, 2> compareKeyLine(std::string_view text, const Targets& targets,
                                       std::size_t& nameEnd) {
    std::array<Relation, 2> result{Relation::None, Relation::None};
    std::array<bool, 2> alive{targets.count > 0, targets.count > 1};
    bool below = false;
    EscapedText name(text, ']');
    char16_t unit = 0;
    for (std::size_t i = 0;; ++i) {
        const EscapedText::Step step = name.next(unit);
        if (step == EscapedText::Step::Broken) {
            return {Relation::None, Relation::None};
        }
        if (step == EscapedText::Step::End) {
            for (std::size_t t = 0; t < targets.count; ++t) {
                if (alive[t] && i == targets.path[t].size()) {
                    result[t] = Relation::Same;
                }
            }
            nameEnd = name.position();
            return result;
        }
        const char16_t f = fold(unit);
        for (std::size_t t = 0; t < targets.count; ++t) {
            if (!alive[t]) {
                continue;
            }
            const std::u16string& path = targets.path[t];
            if (i < path.size()) {
                alive[t] = path[i] == f;
            } else {
                alive[t] = false;
                if (unit == u'\\') {
                    result[t] = Relation::Ancestor;
                    below = true;
                }
            }
        }
        if (!alive[0] && !alive[1] && !below) {
            return result;
        }
    }
}

enum class Quick { Differs, Same, Unsure };

// ASCII lower case of every byte value; other bytes stay as they are.
constexpr std::array<char, 256> kLower = [] {
    std::array<char, 256> table{};
    for (int i = 0; i < 256; ++i) {
        table[static_cast<std::size_t>(i)] = static_cast<char>(i >= 'A' && i <= 'Z' ? i + 32 : i);
    }
    return table;
}();

// Compares a key line's bytes (after its '[') with a path as Wine writes it
// (lower case), without decoding; the first `from` bytes are known to match.
// Differs and Same are certain. Unsure where the line writes something in
// another way (an escape, UTF-8) or may name a key below the path: the full
// comparison settles those. `matched` gets the length of the matching start.
Quick quickCompare(std::string_view text, std::string_view written, std::size_t from,
                   std::size_t& matched) noexcept {
    const std::size_t n = written.size();
    if (text.size() <= n) {
        matched = 0;
        return Quick::Unsure;
    }
    std::size_t i = from;
    while (i < n && kLower[static_cast<unsigned char>(text[i])] == written[i]) {
        ++i;
    }
    matched = i;
    if (i < n) {
        const auto b = static_cast<unsigned char>(text[i]);
        // Backslashes come in pairs in `written`: after an odd run of them
        // the line is inside an escape.
        std::size_t run = 0;
        while (run < i && written[i - 1 - run] == '\\') {
            ++run;
        }
        const bool plain = b != '\\' && b < 0x80 && run % 2 == 0;
        return plain ? Quick::Differs : Quick::Unsure;
    }
    // The whole path matched: the name ends here, goes on with another
    // character (another key), or a backslash starts the key below or an
    // escape.
    const char next = text[n];
    if (next == ']') {
        return Quick::Same;
    }
    return next == '\\' ? Quick::Unsure : Quick::Differs;
}

// compareKeyLine, the quick way where it is certain.
std::array<Relation, 2> relateKeyLine(std::string_view text, const Targets& targets,
                                      std::size_t& nameEnd) {
    std::array<Relation, 2> result{Relation::None, Relation::None};
    std::size_t matched = 0;
    for (std::size_t t = 0; t < targets.count; ++t) {
        if (targets.written[t].empty()) {
            return compareKeyLine(text, targets, nameEnd);
        }
        // What matched the first path and both paths share needs no second look.
        const std::size_t from = t == 0 ? 0 : std::min(matched, targets.shared);
        switch (quickCompare(text, targets.written[t], from, matched)) {
        case Quick::Differs:
            break;
        case Quick::Same:
            result[t] = Relation::Same;
            nameEnd = targets.written[t].size() + 1;
            break;
        case Quick::Unsure:
            return compareKeyLine(text, targets, nameEnd);
        }
    }
    return result;
}

struct KeyMatch {
    bool exists = false;
    std::vector<std::string_view> sections; // the lines after each of its key lines
};

// One pass over the file. Only lines that start with '[' are looked at; a
// key's section runs to the next such line. A key may have several sections,
// read in file order.
std::array<KeyMatch, 2> scanKeys(std::string_view bytes, const Targets& targets) {
    std::array<KeyMatch, 2> matches;
    const char* base = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t open = targets.count; // index of the target whose section is open
    std::size_t sectionStart = 0;
    auto closeSection = [&](std::size_t end) {
        if (open < targets.count) {
            matches[open].sections.push_back(bytes.substr(sectionStart, end - sectionStart));
            open = targets.count;
        }
    };
    std::size_t pos = 0;
    while (pos < n) {
        const void* hit = std::memchr(base + pos, '[', n - pos);
        if (hit == nullptr) {
            break;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        pos = at + 1;
        if (at != 0 && base[at - 1] != '\n') {
            continue;
        }
        closeSection(at);
        std::size_t nameEnd = 0;
        const auto relation = relateKeyLine(bytes.substr(at + 1), targets, nameEnd);
        for (std::size_t t = 0; t < targets.count; ++t) {
            if (relation[t] == Relation::None) {
                continue;
            }
            matches[t].exists = true;
            if (relation[t] == Relation::Same) {
                const std::size_t lineEnd = bytes.find('\n', at + 1 + nameEnd);
                open = t;
                sectionStart = lineEnd == std::string_view::npos ? n : lineEnd + 1;
            }
        }
    }
    closeSection(n);
    return matches;
}

bool isTextType(std::uint32_t type) {
    return type == reg::kTypeSz || type == reg::kTypeExpandSz || type == reg::kTypeMultiSz;
}

// The data as RegQueryValueExA hands it out: text types in Windows-1252,
// everything else as stored.
WineRegistry::Value ansiValue(const winereg::FileValue& value) {
    WineRegistry::Value out;
    out.type = value.type;
    if (value.isString) {
        if (isTextType(value.type)) {
            out.data = codepage::encodeCp1252(value.text);
        } else {
            for (char16_t unit : value.text) {
                out.data.push_back(static_cast<char>(unit & 0xFF));
                out.data.push_back(static_cast<char>(unit >> 8));
            }
        }
        return out;
    }
    if (!isTextType(value.type)) {
        out.data = value.bytes;
        return out;
    }
    // UTF-16LE; an odd last byte is no character and is dropped.
    std::u16string text;
    text.reserve(value.bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(value.bytes[i]) |
                                             static_cast<unsigned char>(value.bytes[i + 1]) << 8));
    }
    out.data = codepage::encodeCp1252(text);
    return out;
}

WineRegistry::Values readValues(const std::vector<std::string_view>& sections) {
    WineRegistry::Values values;
    winereg::FileValue value;
    for (std::string_view section : sections) {
        LineReader lines(section);
        std::string_view line;
        while (lines.next(line)) {
            if (!line.starts_with('"') && !line.starts_with('@')) {
                continue; // #time, #link, comments, stray lines
            }
            const std::string_view after = lines.remaining();
            if (!winereg::parseValueLine(line, lines, value)) {
                lines.rewind(after);
                continue;
            }
            // A later line for the same name replaces the earlier one.
            values[folded(value.name)] = ansiValue(value);
        }
    }
    return values;
}

} // namespace

WineRegistry::WineRegistry(std::filesystem::path systemReg) : file_(std::move(systemReg)) {}

reg::Status WineRegistry::openKey(reg::Root root, const std::string& subKey, std::uint32_t,
                                  std::uint32_t access, reg::Handle& key) {
    if (root != reg::Root::LocalMachine) {
        return reg::kInvalidHandle;
    }
    if ((access & reg::kKeyWow64_32Key) != 0 && (access & reg::kKeyWow64_64Key) != 0) {
        return reg::kInvalidParameter;
    }
    try {
        std::string bytes;
        try {
            bytes = textfile::readBytes(file_);
        } catch (const FileError&) {
            // No readable registry is no key: the caller sees the key missing.
            return reg::kFileNotFound;
        }
        const Layout layout = readLayout(bytes);
        if (!layout.registry) {
            return reg::kFileNotFound;
        }
        const auto parts = keyParts(subKey);
        Values values;
        if (!parts.empty()) {
            const bool view32 = (access & reg::kKeyWow64_64Key) == 0;
            const Targets targets = targetsFor(parts, view32, layout.win64);
            const auto matches = scanKeys(bytes, targets);
            std::size_t found = targets.count;
            for (std::size_t t = 0; t < targets.count && found == targets.count; ++t) {
                if (matches[t].exists) {
                    found = t;
                }
            }
            if (found == targets.count) {
                return reg::kFileNotFound;
            }
            values = readValues(matches[found].sections);
        }
        const reg::Handle handle = next_++;
        open_.emplace(handle, std::move(values));
        key = handle;
        return reg::kSuccess;
    } catch (const std::bad_alloc&) {
        return kNotEnoughMemory;
    } catch (const std::exception&) {
        return reg::kFileNotFound;
    }
}

reg::Status WineRegistry::queryValue(reg::Handle key, const std::string& valueName,
                                     std::uint32_t* type, unsigned char* data,
                                     std::uint32_t* size) {
    const auto handle = open_.find(key);
    if (handle == open_.end()) {
        return reg::kInvalidHandle;
    }
    Values::const_iterator found;
    try {
        found = handle->second.find(folded(codepage::decodeCp1252(valueName)));
    } catch (const std::bad_alloc&) {
        return kNotEnoughMemory;
    }
    if (found == handle->second.end()) {
        return reg::kFileNotFound;
    }
    const Value& value = found->second;
    if (type != nullptr) {
        *type = value.type;
    }
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (data == nullptr) {
        if (size != nullptr) {
            *size = needed;
        }
        return reg::kSuccess;
    }
    if (size == nullptr) {
        return reg::kInvalidParameter;
    }
    if (*size < needed) {
        *size = needed;
        return reg::kMoreData;
    }
    if (needed > 0) {
        std::memcpy(data, value.data.data(), needed);
    }
    *size = needed;
    return reg::kSuccess;
}

reg::Status WineRegistry::closeKey(reg::Handle key) {
    return open_.erase(key) == 1 ? reg::kSuccess : reg::kInvalidHandle;
}

} // namespace rivo
