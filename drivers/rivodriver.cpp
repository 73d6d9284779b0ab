#include "rivodriver.h"

#include "codepage.h"
#include "driver_record_reader.h"
#include "record_line_breaks.h"
#include "text_file.h"

#include <functional>
#include <optional>
#include <system_error>

namespace rivo {

namespace fs = std::filesystem;

namespace {

// A missing folder on the way counts as a missing file, as on Windows.
bool IsMissing(const std::error_code& code) {
    return code == std::errc::no_such_file_or_directory || code == std::errc::not_a_directory;
}

// The lines of the file at `host`, or none after telling the user why it
// could not be read. `shown` is the path as the user knows it (UTF-8).
std::optional<std::vector<std::string>> ReadLinesOrReport(const std::function<fs::path()>& host,
                                                          const std::string& shown,
                                                          WindowOperations& window) {
    std::error_code code;
    std::string reason;
    try {
        return textfile::readLines(host());
    } catch (const FileError& e) {
        code = e.code();
        reason = e.reason();
    } catch (const std::system_error& e) {
        code = e.code();
        reason = code.message();
    }
    if (IsMissing(code)) {
        window.ShowMessage("Missing driver file " + shown);
    } else {
        window.ShowMessage("Cannot read " + shown + ": " + reason);
    }
    return std::nullopt;
}

// One row from its game file. A file that cannot be read leaves the row's
// values alone and disables it. True when the row was read.
bool ReadDriverFile(const GameDriverFolder& game, int row, DriverRoster& roster,
                    WindowOperations& window) {
    const std::string gamePath =
        GameDriverPath(game.InstallDir, game.SeasonDir, DriverRoster::BaseName(row));
    auto lines = ReadLinesOrReport([&] { return game.paths.toHost(gamePath); },
                                   codepage::cp1252ToUtf8(gamePath), window);
    if (!lines) {
        window.EnableDriverRow(row, false);
        return false;
    }
    window.EnableDriverRow(row, true);
    DriverRecordReader(std::move(*lines)).ReadRecord(roster[row]);
    return true;
}

// All rows from one driver set file, record after record in roster order.
// The file is read whole and closed at once. When it cannot be read, row 0
// is reported and disabled; the other rows keep their values and state.
// True when the rows were read.
bool ReadDriverSet(const fs::path& source, DriverRoster& roster, WindowOperations& window) {
    auto lines = ReadLinesOrReport([&] { return source; }, displayPath(source), window);
    if (!lines) {
        window.EnableDriverRow(0, false);
        return false;
    }
    DriverRecordReader reader(std::move(*lines));
    for (int row = 0; row < kDriverRows; ++row) {
        window.EnableDriverRow(row, true);
        // Past the last record this only puts in the defaults.
        reader.ReadRecord(roster[row]);
    }
    return true;
}

constexpr std::size_t Index(DriverField field) {
    return static_cast<std::size_t>(field);
}

// One named row to its game file, replaced in one atomic step. The game's
// file of an unnamed row is left as it is.
void WriteDriverFile(const GameDriverFolder& game, int row, const DriverRoster& roster,
                     DriverRowSet& edited, std::vector<FileError>& failures) {
    const DriverRecord& record = roster[row];
    const std::string gamePath =
        GameDriverPath(game.InstallDir, game.SeasonDir, DriverRoster::BaseName(row));
    if (record[DriverField::DriverName].empty()) {
        // Values as they were read have nothing to lose. Edits made since
        // cannot be saved without a name; saying so keeps them counted as
        // unsaved instead of dropping them silently.
        if (edited.test(static_cast<std::size_t>(row))) {
            failures.emplace_back(codepage::cp1252ToUtf8(gamePath),
                                  "the driver has no name, so its file was left as it was");
        }
        return;
    }
    // A value with a line break is never written: the file stays as it was.
    if (const std::string reason = LineBreakReason(record); !reason.empty()) {
        failures.emplace_back(codepage::cp1252ToUtf8(gamePath), reason);
        return;
    }
    try {
        textfile::writeAtomic(game.paths.toHost(gamePath),
                              textfile::joinCrLf(DriverRecordLines(roster[row])));
        edited.reset(static_cast<std::size_t>(row));
    } catch (const FileError& e) {
        failures.push_back(e.withPath(codepage::cp1252ToUtf8(gamePath)));
    } catch (const std::system_error& e) {
        failures.emplace_back(codepage::cp1252ToUtf8(gamePath), e.code());
    }
}

// All rows to one set file, written whole in one atomic step. Every row has a
// record, an unnamed one too (its first line is empty), so that records stay
// on their rows when the file is read back.
void WriteDriverSet(const fs::path& target, const DriverRoster& roster,
                    std::vector<FileError>& failures) {
    // One value with a line break would shift every later record: the whole
    // set file is left unwritten.
    for (int row = 0; row < kDriverRows; ++row) {
        if (const std::string reason = LineBreakReason(roster[row]); !reason.empty()) {
            failures.emplace_back(displayPath(target),
                                  reason + " in the record of " + DriverRoster::BaseName(row));
            return;
        }
    }
    std::string bytes;
    for (int row = 0; row < kDriverRows; ++row) {
        bytes += textfile::joinCrLf(DriverRecordLines(roster[row]));
    }
    try {
        textfile::writeAtomic(target, bytes);
    } catch (const FileError& e) {
        failures.push_back(e);
    } catch (const std::system_error& e) {
        failures.emplace_back(displayPath(target), e.code());
    }
}

} // namespace

std::string GameDriverPath(const std::string& InstallDir, const std::string& SeasonDir,
                           const std::string& baseName) {
    return InstallDir + "\\" + SeasonDir + "\\Drivers\\" + baseName + ".rcd";
}

DriverRowSet ImportDrivers(const fs::path& source, const GameDriverFolder& game,
                           DriverRoster& roster, AllowedKeysTable& AllowedKeys,
                           WindowOperations& window) {
    FillAllowedKeys(AllowedKeys);
    DriverRowSet read;
    if (!source.empty()) {
        return ReadDriverSet(source, roster, window) ? read.set() : read;
    }
    for (int row = 0; row < kDriverRows; ++row) {
        read.set(static_cast<std::size_t>(row), ReadDriverFile(game, row, roster, window));
    }
    return read;
}

std::vector<std::string> DriverRecordLines(const DriverRecord& record) {
    std::vector<std::string> lines;
    lines.reserve(23);
    auto add = [&](DriverField field) {
        std::string& line = lines.emplace_back(" ");
        line += DriverFieldKey(field);
        line += '=';
        line += record[field];
    };
    lines.push_back(record[DriverField::DriverName]);
    lines.emplace_back("{");
    lines.emplace_back(" //Driver Info");
    for (std::size_t i = Index(DriverField::Nationality);
         i <= Index(DriverField::BestWorldChampionshipPlace); ++i) {
        add(static_cast<DriverField>(i));
    }
    lines.emplace_back("");
    lines.emplace_back(" //Driver Stats");
    for (std::size_t i = Index(DriverField::QualifyingAbility);
         i <= Index(DriverField::LimitVariance); ++i) {
        add(static_cast<DriverField>(i));
    }
    lines.emplace_back("}");
    return lines;
}

std::vector<FileError> ExportDrivers(const fs::path& target, const GameDriverFolder& game,
                                     const DriverRoster& roster, DriverRowSet& edited) {
    std::vector<FileError> failures;
    if (!target.empty()) {
        WriteDriverSet(target, roster, failures);
        return failures;
    }
    for (int row = 0; row < kDriverRows; ++row) {
        WriteDriverFile(game, row, roster, edited, failures);
    }
    return failures;
}

} // namespace rivo
