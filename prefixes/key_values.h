#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Valve's KeyValues text, as Steam writes libraryfolders.vdf:
//   "libraryfolders" { "0" { "path" "/home/me/.local/share/Steam" } }
// Keys and values are quoted strings (with the escapes \\ \" \n \t) or bare
// words; a value is text or a block in braces; `//` starts a comment to the
// end of the line; a bare [$CONDITION] after a pair is read and dropped.
namespace rivo::keyvalues {

struct Node {
    std::string key;
    std::string value;          // a text value
    std::vector<Node> children; // a block's pairs, in file order
    bool block = false;

    bool operator==(const Node&) const = default;

    // The first pair of this block whose key equals `key`, letter case
    // ignored (ASCII); null when there is none.
    const Node* find(std::string_view key) const;
};

// Blocks nested deeper than this are refused.
inline constexpr int kMaxDepth = 32;

// The pairs at the top of `text`. Nothing when the text is not KeyValues: a
// key without a value, a string or block left open, a '}' with no block open,
// or blocks nested deeper than kMaxDepth.
std::optional<std::vector<Node>> parse(std::string_view text);

} // namespace rivo::keyvalues
