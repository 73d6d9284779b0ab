// The line splitter against the writer's line join: no line holds CR or LF;
// joining gives the input with every line end (CR LF, lone CR, lone LF) as
// CR LF and the last line ended; splitting that again gives the same lines.
#include "fuzz_game.h"
#include "text_file.h"

namespace rivo::fuzz {
namespace {

std::string WithCrLfLineEnds(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') {
            out += bytes[i];
            continue;
        }
        out += "\r\n";
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
        }
    }
    if (!out.empty() && out.back() != '\n') {
        out += "\r\n";
    }
    return out;
}

} // namespace
} // namespace rivo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivo;
    using fuzz::Require;
    const std::string_view bytes = fuzz::Bytes(data, size);
    const auto lines = textfile::splitLines(bytes);
    for (const std::string& line : lines) {
        Require(line.find_first_of("\r\n") == std::string::npos, "no line holds CR or LF");
    }
    const std::string joined = textfile::joinCrLf(lines);
    Require(joined == fuzz::WithCrLfLineEnds(bytes), "joining ends every line with CR LF");
    Require(textfile::splitLines(joined) == lines, "splitting the joined text gives the lines");
    return 0;
}
