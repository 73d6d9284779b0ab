// A driver set file: whatever it holds, the rows without a whole record in it
// are left as they were and a file short of 22 is reported once; reading it,
// exporting the roster and reading the export gives the same roster, and the
// export is exactly 22 whole records of 23 lines. This holds because a name as read never begins
// with a space (the reader drops them) or with "}" (that line ends the record), so every exported
// record, an unnamed one too, reads back whole on its own row.
#include "fuzz_game.h"
#include "recording_window.h"
#include "text_file.h"

namespace rivo::fuzz {
namespace {

DriverRoster ImportFromSet(FuzzGame& game, const std::filesystem::path& set, bool whole) {
    DriverRoster roster;
    AllowedKeysTable AllowedKeys;
    test::RecordingWindow window;
    const DriverRowSet read = ImportDrivers(set, game.driverFolder, roster, AllowedKeys, window);
    Require(window.messages.size() == (read.all() ? 0u : 1u),
            "only a set file short of whole records is reported, once");
    Require(read.all() || !whole, "every record exported is read back whole");
    for (int row = 0; row < kDriverRows; ++row) {
        Require(read.test(static_cast<std::size_t>(row)) || roster[row] == DriverRecord{},
                "a row without a whole record is left as it was");
    }
    return roster;
}

} // namespace
} // namespace rivo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace rivo;
    using fuzz::Require;
    fuzz::FuzzGame& game = fuzz::Game();
    const auto source = game.scratch("source.rvd");
    const auto copy = game.scratch("copy.rvd");
    test::writeFile(source, fuzz::Bytes(data, size));

    const DriverRoster read = fuzz::ImportFromSet(game, source, false);
    DriverRowSet edited;
    Require(ExportDrivers(copy, game.driverFolder, read, edited).empty(), "the export succeeds");
    const std::string written = test::readFile(copy);
    const auto lines = textfile::splitLines(written);
    Require(lines.size() == 22 * 23 && textfile::joinCrLf(lines) == written,
            "the export is 22 records of 23 lines, each ended by CR LF");
    Require(fuzz::ImportFromSet(game, copy, true) == read,
            "the export reads back to the same roster");
    return 0;
}
