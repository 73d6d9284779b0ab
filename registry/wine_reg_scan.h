#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rivo::winereg {

// Where one key stands in a registry file.
struct KeyMatch {
    bool exists = false; // its own key line, or a key line below it
    // The lines after each of its own key lines, up to the next key line, in
    // file order (a key may be written more than once).
    std::vector<std::string_view> sections;
};

// Looks for one or two keys (case-folded paths relative to the file's root,
// parts joined by one backslash) in one pass over a registry file. Only
// lines that start with '[' are looked at, and most of them are settled by
// comparing bytes, so the pass costs little more than reading the file.
// Gives one KeyMatch per path (the first two paths only).
std::vector<KeyMatch> findKeys(std::string_view file, const std::vector<std::u16string>& paths);

} // namespace rivo::winereg
