#include "wine_registry.h"

#include "codepage.h"
#include "file_error.h"
#include "registry_query.h"
#include "text_file.h"
#include "wine_reg_format.h"
#include "wine_reg_scan.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

namespace rivo {

namespace {

using winereg::LineReader;

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";
// ERROR_NOT_ENOUGH_MEMORY.
constexpr reg::Status kNotEnoughMemory = 8;

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
    const std::u16string path = winereg::foldName(codepage::decodeCp1252(subKey));
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

// The key path in the view asked for: a 32-bit reader in a 64-bit prefix
// sees SOFTWARE\X at Software\Wow6432Node\X.
std::u16string pathInView(const std::vector<std::u16string>& parts, bool view32, bool win64) {
    const bool redirected = view32 && win64 && !parts.empty() && parts[0] == u"software" &&
                            !(parts.size() > 1 && parts[1] == u"wow6432node");
    if (redirected) {
        std::vector<std::u16string> wow = parts;
        wow.insert(wow.begin() + 1, u"wow6432node");
        return joinParts(wow);
    }
    return joinParts(parts);
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
            values[winereg::foldName(value.name)] = ansiValue(value);
        }
    }
    return values;
}

} // namespace

WineRegistry::WineRegistry(std::filesystem::path systemReg) : file_(std::move(systemReg)) {}

reg::Status WineRegistry::openKey(reg::Root root, const std::string& subKey, std::uint32_t,
                                  std::uint32_t access, reg::Handle& key) {
    // system.reg is HKEY_LOCAL_MACHINE; Wine keeps the user's keys apart and
    // never virtualizes, so no other root holds anything for the game.
    if (root != reg::Root::LocalMachine) {
        return reg::kInvalidHandle;
    }
    if ((access & reg::kKeyWow64_32Key) != 0 && (access & reg::kKeyWow64_64Key) != 0) {
        return reg::kInvalidParameter;
    }
    try {
        std::string bytes;
        try {
            bytes = textfile::readBytes(file_, kMaxFileSize, kTooLargeReason);
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
            const auto matches =
                winereg::findKeys(bytes, {pathInView(parts, view32, layout.win64)});
            const auto found = std::find_if(matches.begin(), matches.end(),
                                            [](const auto& match) { return match.exists; });
            if (found == matches.end()) {
                return reg::kFileNotFound;
            }
            values = readValues(found->sections);
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
        found = handle->second.find(winereg::foldName(codepage::decodeCp1252(valueName)));
    } catch (const std::bad_alloc&) {
        return kNotEnoughMemory;
    }
    if (found == handle->second.end()) {
        return reg::kFileNotFound;
    }
    return reg::answerQuery(found->second.type, found->second.data, type, data, size);
}

reg::Status WineRegistry::closeKey(reg::Handle key) {
    return open_.erase(key) == 1 ? reg::kSuccess : reg::kInvalidHandle;
}

} // namespace rivo
