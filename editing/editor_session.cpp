#include "editor_session.h"

#include "ansi_text.h"
#include "guarded.h"
#include "restore_originals.h"
#include "rivoconfig.h"
#include "rivodriver.h"

namespace rivo {

namespace {

std::string failureText(const char* verb, const FileError& error) {
    return std::string(verb) + " " + error.path() + ": " + error.reason();
}

} // namespace

GameFiles EditorSession::gameFiles() const {
    return GameFiles{paths_, state_.InstallDir, state_.ConfigFilePath, state_.configReadError,
                     &state_.seen};
}

DriverCommandContext EditorSession::driverContext() {
    return DriverCommandContext{
        GameDriverFolder{paths_, state_.InstallDir, state_.settings.SeasonDir, &state_.seen},
        state_.roster, state_.AllowedKeys, state_.unsaved, window_};
}

void EditorSession::readGame() {
    // From nothing, as at start-up: a value or row the files no longer give
    // must not stay behind unmarked, for the next save to write again.
    static_cast<EditorData&>(state_) = EditorData{};
    state_.configReadError.reset();
    // A settings or video file that cannot be read is reported; the reading
    // goes on with what it has.
    try {
        LoadConfig(paths_, state_.InstallDir, state_.ConfigFilePath, state_.settings, &state_.seen);
    } catch (const FileError& e) {
        window_.ShowMessage(failureText("Could not read", e));
        // A missing file is simply created by the next save.
        if (e.code() != std::errc::no_such_file_or_directory) {
            state_.configReadError = e;
        }
    } catch (...) {
        // Whatever broke off the read, the file was not read.
        state_.configReadError =
            FileError(ansi::toUtf8(state_.ConfigFilePath), CurrentFailureReason());
        window_.ShowMessage(failureText("Could not read", *state_.configReadError));
    }
    try {
        LoadVideoDrivers(paths_, state_.InstallDir, state_.settings, window_,
                         state_.VideoConfigPath);
    } catch (const FileError& e) {
        window_.ShowMessage(failureText("Could not read", e));
    } catch (...) {
        window_.ShowMessage(
            failureText("Could not read",
                        FileError(ansi::toUtf8(state_.VideoConfigPath), CurrentFailureReason())));
    }
    RunGuarded(window_, "Reading the driver files", [&] {
        ImportDrivers({}, driverContext().game, state_.roster, state_.AllowedKeys, window_);
    });
}

void EditorSession::startAfresh() {
    lastSaved_.takeAll(state_);
    state_.unsaved.clear();
    recorder_.restart(state_);
    tellMarks();
}

void EditorSession::remeasure() {
    state_.unsaved = lastSaved_.marks(state_);
    tellMarks();
}

void EditorSession::tellMarks() {
    if (onMarksMeasured) {
        onMarksMeasured(state_.unsaved.any());
    }
}

std::vector<FileError> EditorSession::run(GameFileSave& save) {
    std::vector<FileError> failures = save.run();
    lastWritten_ = save.written();
    return failures;
}

std::optional<EditStep> EditorSession::record() {
    remeasure();
    return recorder_.record(state_);
}

void EditorSession::putBack(const EditorData& data) {
    static_cast<EditorData&>(state_) = data;
    remeasure();
    recorder_.restart(state_);
}

void EditorSession::afterSave(const UnsavedWork& before) {
    if (before.settings && !state_.unsaved.settings) {
        lastSaved_.takeSettings(state_.settings);
    }
    for (int row = 0; row < kDriverRows; ++row) {
        const auto bit = static_cast<std::size_t>(row);
        if (before.editedRows.test(bit) && !state_.unsaved.editedRows.test(bit)) {
            lastSaved_.takeRow(row, state_.roster[row]);
        }
    }
    remeasure();
    recorder_.restart(state_);
}

std::vector<FileError> EditorSession::saveAll(const GameFileSave::AskReplace& ask) {
    remeasure();
    const UnsavedWork before = state_.unsaved;
    // One save, so that one question covers every file another program
    // changed.
    GameFileSave save(&state_.seen, ask);
    AddSaveAll(gameFiles(), state_, save);
    std::vector<FileError> failures = run(save);
    afterSave(before);
    return failures;
}

std::vector<FileError> EditorSession::saveSettings(const GameFileSave::AskReplace& ask) {
    remeasure();
    const UnsavedWork before = state_.unsaved;
    std::vector<FileError> failures;
    lastWritten_ = 0;
    if (auto refusal = ConfigRefusal(state_.configReadError)) {
        failures.push_back(*refusal);
    } else {
        GameFileSave save(&state_.seen, ask);
        AddConfigFile(paths_, state_.ConfigFilePath, state_.settings, state_.unsaved, save);
        failures = run(save);
    }
    afterSave(before);
    return failures;
}

std::vector<FileError> EditorSession::saveDrivers(const GameFileSave::AskReplace& ask) {
    remeasure();
    const UnsavedWork before = state_.unsaved;
    DriverCommandContext ctx = driverContext();
    GameFileSave save(&state_.seen, ask);
    AddDriversToGame(ctx, save);
    std::vector<FileError> failures = run(save);
    afterSave(before);
    return failures;
}

std::vector<FileError> EditorSession::saveDriversTo(const std::filesystem::path& chosen) {
    DriverCommandContext ctx = driverContext();
    return SaveDriversToFile(ctx, chosen);
}

int EditorSession::importFromGame() {
    DriverCommandContext ctx = driverContext();
    const int read = ImportDriversFromGame(ctx);
    // What was read is what the files hold now; a missing file holds no
    // values. A file that could not be read tells nothing new.
    for (int row = 0; row < kDriverRows; ++row) {
        const std::string path = GameDriverPath(state_.InstallDir, state_.settings.SeasonDir,
                                                DriverRoster::BaseName(row));
        if (state_.seen.lastReadFailed(path)) {
            continue;
        }
        const SeenFiles::Content* seen = state_.seen.lastSeen(path);
        if (seen != nullptr && !seen->has_value()) {
            lastSaved_.takeRow(row, DriverRecord{});
        } else if (seen != nullptr) {
            lastSaved_.takeRow(row, state_.roster[row]);
        }
    }
    remeasure();
    return read;
}

std::optional<int> EditorSession::importFromFile(const std::filesystem::path& chosen) {
    DriverCommandContext ctx = driverContext();
    int rows = 0;
    const bool read = ImportDriversFromFile(ctx, chosen, &rows);
    remeasure();
    return read ? std::optional<int>(rows) : std::nullopt;
}

std::vector<FileError> EditorSession::restoreFiles(const std::vector<Originals::Kept>& kept,
                                                   const GameFileSave::AskReplace& ask) {
    GameFileSave save(&state_.seen, ask);
    AddRestore(kept, paths_, save);
    return run(save);
}

} // namespace rivo
