// Valve's KeyValues text holding any bytes: text that parses is written back
// in the plainest form (every string quoted and escaped) and parses to the
// same pairs; the Steam library list drawn from it holds absolute paths only.
#include "fuzz_game.h"
#include "key_values.h"
#include "steam_libraries.h"

namespace rivo::fuzz {
namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '\\':
        case '"':
            out += '\\';
            out += c;
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

void Write(const std::vector<keyvalues::Node>& pairs, std::string& out) {
    for (const keyvalues::Node& pair : pairs) {
        out += Quoted(pair.key);
        if (pair.block) {
            out += " {\n";
            Write(pair.children, out);
            out += "}\n";
        } else {
            out += ' ' + Quoted(pair.value) + '\n';
        }
    }
}

} // namespace
} // namespace rivo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivo;
    using fuzz::Require;
    const std::string_view bytes = fuzz::Bytes(data, size);
    if (const auto pairs = keyvalues::parse(bytes)) {
        std::string written;
        fuzz::Write(*pairs, written);
        Require(keyvalues::parse(written) == pairs, "the pairs written back parse the same");
    }
    for (const std::filesystem::path& folder : steamLibraryFolders(bytes)) {
        Require(folder.is_absolute(), "a library folder is an absolute path");
    }
    return 0;
}
