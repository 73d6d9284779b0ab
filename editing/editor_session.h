#pragma once

#include "driver_commands.h"
#include "edit_step.h"
#include "file_error.h"
#include "game_file_save.h"
#include "game_paths.h"
#include "last_saved.h"
#include "originals.h"
#include "program_state.h"
#include "save_all.h"
#include "save_review.h"
#include "window_operations.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace rivo {

// The editor's work on the game's files from start-up to closing, without
// the window: reading the game, the commands that save, import and restore,
// and the unsaved marks each leaves. A part of the editor (the settings, a
// driver row) is marked unsaved exactly when its values differ from those
// its file held when RivoEdit last read or saved it. The window shows what
// the state holds and keeps the history's steps.
class EditorSession {
public:
    EditorSession(const GamePaths& paths, ProgramState& state, WindowOperations& window)
        : paths_(paths), state_(state), window_(window) {}

    // Reads config.ini, video.cfg and the 22 driver files into empty
    // settings and an empty roster, as start-up does: nothing the editor held
    // before stays. What cannot be read is reported through the window, and
    // the reading goes on.
    void readGame();
    // What the editor holds now is what the game's files hold: after the
    // reading and the filling of the pages. No mark, and the next step starts
    // here.
    void startAfresh();

    // The user changed a value: the marks are measured afresh, and the step
    // from the last one is returned when a value changed.
    std::optional<EditStep> record();
    // Data from the history (an undo or a redo) is put back.
    void putBack(const EditorData& data);
    // Measures the marks afresh, as closing asks them.
    void remeasure();

    // Told whether anything is unsaved (whether closing would ask) each
    // time the marks are measured or cleared.
    std::function<void(bool unsaved)> onMarksMeasured;

    // The save commands; each returns every failure. lastWritten() then
    // tells how many game files the save wrote.
    std::vector<FileError> saveAll(const GameFileSave::AskReplace& ask);
    std::vector<FileError> saveSettings(const GameFileSave::AskReplace& ask);
    std::vector<FileError> saveDrivers(const GameFileSave::AskReplace& ask);
    std::vector<FileError> saveDriversTo(const std::filesystem::path& chosen);

    int lastWritten() const { return lastWritten_; }

    // "Import From Game": the rows read (and the rows whose files are
    // missing) now measure against what was read. Returns how many rows
    // were read.
    int importFromGame();
    // "Import From ...": how many drivers were read; nothing when nothing
    // was chosen.
    std::optional<int> importFromFile(const std::filesystem::path& chosen);

    // Puts the kept originals back through the same save as any other (the
    // files another program changed are asked about with `ask`). The game
    // is then to be read afresh: readGame, the pages, startAfresh.
    std::vector<FileError> restoreFiles(const std::vector<Originals::Kept>& kept,
                                        const GameFileSave::AskReplace& ask);

    // What Save All would change, file by file.
    std::vector<FileReview> review() const { return ReviewSaveAll(gameFiles(), state_); }

    GameFiles gameFiles() const;
    DriverCommandContext driverContext();
    const LastSaved& lastSaved() const { return lastSaved_; }

private:
    // The parts a save wrote (their marks, set before it, are cleared now)
    // measure against what was written.
    void afterSave(const UnsavedWork& before);
    // Runs `save` and keeps how many files it wrote.
    std::vector<FileError> run(GameFileSave& save);
    void tellMarks();

    const GamePaths& paths_;
    ProgramState& state_;
    WindowOperations& window_;
    LastSaved lastSaved_;
    EditRecorder recorder_;
    int lastWritten_ = 0;
};

} // namespace rivo
