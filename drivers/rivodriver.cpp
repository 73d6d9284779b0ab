#include "rivodriver.h"

#include "ansi_text.h"
#include "driver_record_reader.h"
#include "record_line_breaks.h"
#include "text_file.h"

#include <functional>
#include <memory>
#include <optional>
#include <system_error>

namespace rivo {

namespace fs = std::filesystem;

namespace {

// The lines of a file, as `read` gives its bytes, or none after telling the
// user why it could not be read. `shown` is the path as the user knows it
// (UTF-8).
std::optional<std::vector<std::string>> ReadLinesOrReport(const std::function<std::string()>& read,
                                                          const std::string& shown,
                                                          WindowOperations& window) {
    std::error_code code;
    std::string reason;
    try {
        return textfile::splitLines(read());
    } catch (const FileError& e) {
        code = e.code();
        reason = e.reason();
    } catch (const std::system_error& e) {
        code = e.code();
        reason = code.message();
    }
    if (IsMissingFile(code)) {
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
    auto lines = ReadLinesOrReport(
        [&] { return ReadGameFile(game.seen, gamePath, game.paths.toHost(gamePath)); },
        ansi::toUtf8(gamePath), window);
    if (!lines) {
        window.EnableDriverRow(row, false);
        return false;
    }
    window.EnableDriverRow(row, true);
    DriverRecordReader(std::move(*lines)).ReadRecord(roster[row]);
    return true;
}

// The rows of one driver set file, record after record in roster order.
// The file is read whole and closed at once. A row takes a record only when
// the file holds it whole, from its name line to its "}" line; every other
// row (past the file's last record, or whose record the file cuts off) keeps
// its values and its state, and the user is told how many records there were:
// the defaults of a record that is not there must not reach the game's files.
// When the file cannot be read, row 0 is reported and disabled. Returns the
// rows read.
DriverRowSet ReadDriverSet(const fs::path& source, DriverRoster& roster, WindowOperations& window) {
    DriverRowSet read;
    const std::string shown = displayPath(source);
    auto lines = ReadLinesOrReport([&] { return textfile::readBytes(source); }, shown, window);
    if (!lines) {
        window.EnableDriverRow(0, false);
        return read;
    }
    DriverRecordReader reader(std::move(*lines));
    for (int row = 0; row < kDriverRows; ++row) {
        DriverRecord record = roster[row];
        if (reader.ReadRecord(record) == RecordEnd::Whole) {
            roster[row] = std::move(record);
            window.EnableDriverRow(row, true);
            read.set(static_cast<std::size_t>(row));
        }
    }
    if (read.none()) {
        window.ShowMessage(shown + " holds no driver record.");
    } else if (!read.all()) {
        window.ShowMessage(shown + " holds " + std::to_string(read.count()) +
                           " of the 22 driver records; the other rows were left as they were.");
    }
    return read;
}

constexpr std::size_t Index(DriverField field) {
    return static_cast<std::size_t>(field);
}

// One named row's game file, added to `save`. The game's file of an unnamed
// row is left as it is. Clears `ok` on a failure found now or in the save.
void AddDriverFile(const GameDriverFolder& game, int row, const DriverRoster& roster,
                   DriverRowSet& edited, GameFileSave& save, const std::shared_ptr<bool>& ok) {
    const DriverRecord& record = roster[row];
    const std::string gamePath =
        GameDriverPath(game.InstallDir, game.SeasonDir, DriverRoster::BaseName(row));
    const auto index = static_cast<std::size_t>(row);
    if (record[DriverField::DriverName].empty()) {
        // Values as they were read have nothing to lose. Edits made since
        // cannot be saved without a name; saying so keeps them counted as
        // unsaved instead of dropping them silently.
        if (edited.test(index)) {
            save.fail(FileError(ansi::toUtf8(gamePath),
                                "the driver has no name, so its file was left as it was"));
            *ok = false;
        }
        return;
    }
    // A value with a line break is never written: the file stays as it was.
    if (const std::string reason = LineBreakReason(record); !reason.empty()) {
        save.fail(FileError(ansi::toUtf8(gamePath), reason));
        *ok = false;
        return;
    }
    save.add(gamePath, game.paths, textfile::joinCrLf(DriverRecordLines(record)),
             [&edited, index, ok](bool saved) {
                 if (saved) {
                     edited.reset(index);
                 } else {
                     *ok = false;
                 }
             });
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
        return ReadDriverSet(source, roster, window);
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

void AddGameDriverFiles(const GameDriverFolder& game, const DriverRoster& roster,
                        DriverRowSet& edited, GameFileSave& save, std::function<void()> allSaved) {
    auto ok = std::make_shared<bool>(true);
    for (int row = 0; row < kDriverRows; ++row) {
        AddDriverFile(game, row, roster, edited, save, ok);
    }
    if (allSaved) {
        save.afterRun([ok, allSaved = std::move(allSaved)] {
            if (*ok) {
                allSaved();
            }
        });
    }
}

std::vector<FileError> ExportDrivers(const fs::path& target, const GameDriverFolder& game,
                                     const DriverRoster& roster, DriverRowSet& edited) {
    if (target.empty()) {
        GameFileSave save(game.seen, {});
        AddGameDriverFiles(game, roster, edited, save);
        return save.run();
    }
    std::vector<FileError> failures;
    WriteDriverSet(target, roster, failures);
    return failures;
}

} // namespace rivo
