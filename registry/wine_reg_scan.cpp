#include "wine_reg_scan.h"

#include "wine_reg_format.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace rivo::winereg {

namespace {

// The paths looked for. `written` holds each path as Wine writes it in a key
// line (separators as two backslashes), for the quick comparison; empty when
// the path has characters that Wine may escape.
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

Targets targetsOf(const std::vector<std::u16string>& paths) {
    Targets targets;
    targets.count = std::min<std::size_t>(paths.size(), 2);
    for (std::size_t t = 0; t < targets.count; ++t) {
        targets.path[t] = paths[t];
        targets.written[t] = writtenForm(paths[t]);
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
        const char16_t f = foldUnit(unit);
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

} // namespace

// One pass over the file. Only lines that start with '[' are looked at; a
// key's section runs to the next such line. A key may have several sections,
// read in file order.
std::vector<KeyMatch> findKeys(std::string_view bytes, const std::vector<std::u16string>& paths) {
    const Targets targets = targetsOf(paths);
    std::vector<KeyMatch> matches(targets.count);
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

} // namespace rivo::winereg
