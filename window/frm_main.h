#pragma once

#include "cell_edit_watch.h"
#include "config_page.h"
#include "driver_grid.h"
#include "edit_command.h"
#include "edit_step.h"
#include "editor_session.h"
#include "file_error.h"
#include "game_paths.h"
#include "originals.h"
#include "program_state.h"
#include "registry_api.h"
#include "review_window.h"
#include "user_dialogs.h"
#include "window_operations.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <QUndoStack>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rivo {

inline constexpr const char* kSaveQuestion =
    "Changes have not been saved to the game. Click OK to save to game or Cancel to Quit.";
inline constexpr const char* kDriverFileFilter = "RivoEdit Driver Files (*.rvd) |*.rvd";
inline constexpr const char* kImportTitle = "Import From ...";
inline constexpr const char* kSaveToTitle = "Save To ...";

// The program's one window: the "Config" and "Drivers" pages, the menus, the
// start-up sequence and the question on closing. The modules reach it
// through the window operations.
class frmMain : public QMainWindow, public WindowOperations {
    Q_OBJECT
public:
    frmMain(reg::RegistryApi& registry, const GamePaths& paths, UserDialogs& dialogs,
            QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up, before the window is shown: finds the game, reads its
    // settings, video drivers and driver files and fills both pages. False
    // when the game is not installed; the user has been told and the window
    // must not be shown.
    bool Form_Load();

    // Where the game's originals are kept, one folder per install; tests
    // choose their own before start-up.
    std::filesystem::path originalsRoot;
    // The launcher whose Wine prefix holds the game, when one was found or
    // picked; shown with the install's folder.
    std::string launcherName;

    ProgramState& state() { return state_; }
    const ProgramState& state() const { return state_; }

    // Controls, by the names the handlers use.
    QTabWidget* tabRivo;
    ConfigPage* configPage;
    DriverGrid* driverGrid;
    QMenu* mnuFile;
    QAction* mnuFile_Save;
    QAction* mnuFile_Review;
    QAction* mnuFile_Restore;
    QAction* mnuFile_Exit;
    QMenu* mnuEdit;
    QAction* mnuEdit_Undo;
    QAction* mnuEdit_Redo;
    QMenu* mnuConfig;
    QAction* mnuConfig_Save;
    QMenu* mnuDrivers;
    QAction* mnuDrivers_Import_Game;
    QAction* mnuDrivers_Import;
    QAction* mnuDrivers_Save_Game;
    QAction* mnuDrivers_SaveIn;
    CommonDialog cdlFolder;
    // The editor's one history: every change of the settings and the roster.
    QUndoStack* undoStack;
    // Made when first opened.
    ReviewWindow* frmReview = nullptr;
    // The status line: what the last command did.
    QLabel* lblStatus = nullptr;

    // Menu commands.
    void mnuFile_Save_Click();
    void mnuFile_Review_Click();
    void mnuFile_Restore_Click();
    void mnuFile_Exit_Click();
    void mnuEdit_Undo_Click();
    void mnuEdit_Redo_Click();
    void mnuConfig_Save_Click();
    void mnuDrivers_Import_Game_Click();
    void mnuDrivers_Import_Click();
    void mnuDrivers_Save_Game_Click();
    void mnuDrivers_SaveIn_Click();

    // Config page.
    void txtConfig_SeasonDir_Change();
    void txtConfig_SoundsDir_Change();
    void txtConfig_OptionsDir_Change();
    void txtConfig_MovieDir_Change();
    void txtConfig_ReplayDir_Change();
    void txtConfig_TracksDir_Change();
    void txtConfig_VehiclesDir_Change();
    void txtConfig_MusicDir_Change();
    void optConfig_SystemRating_Click(int Index);
    void optConfig_Windowed_Click(int Index);
    void optConfig_UseA3D_Click(int Index);
    void optConfig_UseEAX_Click(int Index);
    void lstConfig_VideoDriver_Click();

    // Driver grid: each column's handlers forward to the shared ones.
    void txtDriver_Qualify_Change(int Index) { txtDriver_Change(0, Index); }
    void txtDriver_Race_Change(int Index) { txtDriver_Change(1, Index); }
    void txtDriver_Laps_Change(int Index) { txtDriver_Change(2, Index); }
    void txtDriver_Crash_Change(int Index) { txtDriver_Change(3, Index); }
    void txtDriver_React_Change(int Index) { txtDriver_Change(4, Index); }
    void txtDriver_Mad_Change(int Index) { txtDriver_Change(5, Index); }
    void txtDriver_Run_Change(int Index) { txtDriver_Change(6, Index); }
    void txtDriver_Brain_Change(int Index) { txtDriver_Change(7, Index); }
    void txtDriver_LimAvg_Change(int Index) { txtDriver_Change(8, Index); }
    void txtDriver_LimVar_Change(int Index) { txtDriver_Change(9, Index); }
    void txtDriver_Qualify_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(0, Index, KeyAscii);
    }
    void txtDriver_Race_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(1, Index, KeyAscii);
    }
    void txtDriver_Laps_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(2, Index, KeyAscii);
    }
    void txtDriver_Crash_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(3, Index, KeyAscii);
    }
    void txtDriver_React_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(4, Index, KeyAscii);
    }
    void txtDriver_Mad_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(5, Index, KeyAscii);
    }
    void txtDriver_Run_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(6, Index, KeyAscii);
    }
    void txtDriver_Brain_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(7, Index, KeyAscii);
    }
    void txtDriver_LimAvg_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(8, Index, KeyAscii);
    }
    void txtDriver_LimVar_KeyPress(int Index, int& KeyAscii) {
        txtDriver_KeyPress(9, Index, KeyAscii);
    }

    // Copies the roster into the grid.
    void FillDriverGrid();
    // Drops a typed character (KeyAscii = 0) unless the grid takes it; an
    // accepted one marks the driver values unsaved.
    void FilterNumericKey(int& KeyAscii, const std::string& currentText);

    // Window operations for the modules.
    void EnableDriverRow(int row, bool enabled) override;
    void AppendVideoDriver(const std::string& name) override;
    void SelectVideoDriver(int position) override;
    void ShowMessage(const std::string& text) override;
    void CloseMainWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Runs as the window closes: asks to save when work is unsaved. Sets
    // Cancel when the question was dismissed, or the user asked to save and
    // the save failed.
    void Form_Unload(int& Cancel);

    void buildMenus();
    // Ctrl+S, Ctrl+Q and the page tabs' keys; Save All greyed while it
    // would write nothing.
    void setStandardKeys();
    void updateSaveAll();
    void buildEditMenu();
    void connectHandlers();
    void txtDriver_Change(int column, int Index);
    void txtDriver_KeyPress(int column, int Index, int& KeyAscii);
    void storeFolder(std::size_t folderRow);
    void storeChoice(std::string GameSettings::*setting, int value, const char* step);
    // Reads the game's files and fills both pages, as start-up does once the
    // game is found; the history starts anew.
    void readGame();
    void fillConfigPage();
    // Selects the buttons and the list entry that show these settings.
    void showChoices(const GameSettings& settings);
    void centreOnScreen();

    // Puts the files another program changed to the user.
    GameFileSave::AskReplace askReplace();
    void reportSaveFailures(const std::vector<FileError>& failures,
                            const char* verb = "Could not save");

    // ---- The history ----
    // Makes the change since the last step a step named `text`, if there was
    // one. Typing in the same spell goes on in the step before.
    void recordStep(const QString& text, std::optional<TypingSpell> typing = std::nullopt);
    // A user's edit of a driver box: typing, a paste or a drop.
    void recordBoxEdit(int column, int row);
    // Turns to the page and the control where `step` worked, then puts back
    // the data that undoing or redoing it gives.
    void showStep(EditStep& step, bool undo);
    void showEditorData(const EditorData& data);
    // After a command wrote the game's files: typing starts a new step, and
    // the menu and the Config page show what is on disk now.
    void afterSave();
    // How many of the game's files are read from the copies Windows keeps for
    // the game; shows their folder on the Config page while any is.
    int showStoreCopies();
    void refreshReview();

    // ---- What the window tells ----
    void buildStatusLine();
    void showStatus(const std::string& text);
    // Runs a save command: its failures in a message, what it wrote in the
    // status line.
    void runSave(const std::function<std::vector<FileError>()>& save);
    // Restore greyed while nothing has been replaced, its status tip saying so.
    void showRestoreState();
    // Under Wine, the install's folder on this system below the main folder.
    void showHostFolder();
    // Greys a row or not; a greyed row's boxes name the file it lacks.
    void showRowState(int row, bool enabled);

    reg::RegistryApi& registry_;
    const GamePaths& paths_;
    UserDialogs& dialogs_;
    ProgramState state_;
    // What the commands do to the game's files and the marks they leave.
    EditorSession session_{paths_, state_, *this};
    // Off during start-up and while a step is put back: the handlers then
    // store what the program shows, which is no step of the user's.
    bool recording_ = false;
    // Counts the times typing was broken off: the focus left a box, a step
    // was taken back or done again, or the files were saved.
    std::uint64_t typingSpell_ = 0;
    // Game files read from Windows' copies for the game, as last counted, and
    // whether the user has been told that saves go there.
    int filesInStore_ = 0;
    bool toldAboutStore_ = false;
    // This install's originals, kept before a save first replaces a file.
    std::optional<Originals> originals_;
    CellEditWatch* cellWatch_ = nullptr;
};

} // namespace rivo
