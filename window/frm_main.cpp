#include "frm_main.h"

#include "command_report.h"
#include "game_text.h"
#include "guarded.h"
#include "numeric_filter.h"
#include "originals_folder.h"
#include "rivo_version.h"
#include "rivoconfig.h"
#include "rivodriver.h"
#include "twips.h"
#include "window_font.h"
#include "window_texts.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <algorithm>
#include <optional>

namespace rivo {

namespace {

using FolderHandler = void (frmMain::*)();
using ChangeHandler = void (frmMain::*)(int);
using KeyPressHandler = void (frmMain::*)(int, int&);

// In the order of kFolderRows.
constexpr std::array<FolderHandler, 8> kFolderHandlers = {
    &frmMain::txtConfig_SeasonDir_Change,   &frmMain::txtConfig_SoundsDir_Change,
    &frmMain::txtConfig_OptionsDir_Change,  &frmMain::txtConfig_MovieDir_Change,
    &frmMain::txtConfig_ReplayDir_Change,   &frmMain::txtConfig_TracksDir_Change,
    &frmMain::txtConfig_VehiclesDir_Change, &frmMain::txtConfig_MusicDir_Change,
};

// In the order of kDriverColumns.
constexpr std::array<ChangeHandler, kDriverColumnCount> kChangeHandlers = {
    &frmMain::txtDriver_Qualify_Change, &frmMain::txtDriver_Race_Change,
    &frmMain::txtDriver_Laps_Change,    &frmMain::txtDriver_Crash_Change,
    &frmMain::txtDriver_React_Change,   &frmMain::txtDriver_Mad_Change,
    &frmMain::txtDriver_Run_Change,     &frmMain::txtDriver_Brain_Change,
    &frmMain::txtDriver_LimAvg_Change,  &frmMain::txtDriver_LimVar_Change,
};
constexpr std::array<KeyPressHandler, kDriverColumnCount> kKeyPressHandlers = {
    &frmMain::txtDriver_Qualify_KeyPress, &frmMain::txtDriver_Race_KeyPress,
    &frmMain::txtDriver_Laps_KeyPress,    &frmMain::txtDriver_Crash_KeyPress,
    &frmMain::txtDriver_React_KeyPress,   &frmMain::txtDriver_Mad_KeyPress,
    &frmMain::txtDriver_Run_KeyPress,     &frmMain::txtDriver_Brain_KeyPress,
    &frmMain::txtDriver_LimAvg_KeyPress,  &frmMain::txtDriver_LimVar_KeyPress,
};

} // namespace

frmMain::frmMain(reg::RegistryApi& registry, const GamePaths& paths, UserDialogs& dialogs,
                 QWidget* parent)
    : QMainWindow(parent), cdlFolder(dialogs, FileFilter::parse(kDriverFileFilter)),
      registry_(registry), paths_(paths), dialogs_(dialogs) {
    setObjectName("frmMain");
    originalsRoot = OriginalsRoot();

    setFont(WindowFont(this->font()));

    auto* client = new QWidget(this);
    client->setObjectName("client");
    client->setFixedSize(twips::px(10110), twips::px(6450));
    setCentralWidget(client);

    tabRivo = new QTabWidget(client);
    tabRivo->setObjectName("tabRivo");
    tabRivo->setGeometry(twips::rect(0, 120, 10005, 6255));
    // Made inside the tab control so that they measure their captions in the
    // window's font.
    configPage = new ConfigPage(tabRivo);
    driverGrid = new DriverGrid(tabRivo);
    tabRivo->addTab(configPage, "Config");
    tabRivo->addTab(driverGrid, "Drivers");
    tabRivo->setCurrentIndex(0);

    buildMenus();
    connectHandlers();
    buildStatusLine();
    setStandardKeys();

    QList<QWidget*> order = configPage->tabOrder() + driverGrid->tabOrder();
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    // No resizing: the window keeps the size of its menu bar and client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

frmMain::~frmMain() {
    // Qt takes the boxes apart after this object's members are gone.
    cellWatch_->onFocusLeft = nullptr;
    // The history clears itself as it goes, and Save All must not follow.
    undoStack->disconnect(this);
}

void frmMain::buildMenus() {
    mnuFile = menuBar()->addMenu("&File");
    mnuFile->setObjectName("mnuFile");
    mnuFile_Save = addCommand(mnuFile, "mnuFile_Save", "&Save All (To Game)");
    mnuFile_Review = addCommand(mnuFile, "mnuFile_Review", "&Review Changes...");
    mnuFile_Review->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuFile_Restore = addCommand(mnuFile, "mnuFile_Restore", "Restore the Game's &Originals...");
    mnuFile_Exit = addCommand(mnuFile, "mnuFile_Exit", "E&xit");

    buildEditMenu();

    mnuConfig = menuBar()->addMenu("&Config");
    mnuConfig->setObjectName("mnuConfig");
    mnuConfig_Save = addCommand(mnuConfig, "mnuConfig_Save", "&Save (To Game)");

    mnuDrivers = menuBar()->addMenu("&Drivers");
    mnuDrivers->setObjectName("mnuDrivers");
    mnuDrivers_Import_Game = addCommand(mnuDrivers, "mnuDrivers_Import_Game", "&Import From Game");
    mnuDrivers_Import = addCommand(mnuDrivers, "mnuDrivers_Import", "Import &From ...");
    mnuDrivers_Save_Game = addCommand(mnuDrivers, "mnuDrivers_Save_Game", "&Save To Game");
    mnuDrivers_SaveIn = addCommand(mnuDrivers, "mnuDrivers_SaveIn", "Save &To ...");

    connect(mnuFile_Save, &QAction::triggered, this, &frmMain::mnuFile_Save_Click);
    connect(mnuFile_Review, &QAction::triggered, this, &frmMain::mnuFile_Review_Click);
    connect(mnuFile_Restore, &QAction::triggered, this, &frmMain::mnuFile_Restore_Click);
    connect(mnuFile_Exit, &QAction::triggered, this, &frmMain::mnuFile_Exit_Click);
    connect(mnuConfig_Save, &QAction::triggered, this, &frmMain::mnuConfig_Save_Click);
    connect(mnuDrivers_Import_Game, &QAction::triggered, this,
            &frmMain::mnuDrivers_Import_Game_Click);
    connect(mnuDrivers_Import, &QAction::triggered, this, &frmMain::mnuDrivers_Import_Click);
    connect(mnuDrivers_Save_Game, &QAction::triggered, this, &frmMain::mnuDrivers_Save_Game_Click);
    connect(mnuDrivers_SaveIn, &QAction::triggered, this, &frmMain::mnuDrivers_SaveIn_Click);
}

void frmMain::connectHandlers() {
    // Qt raises these for the program's own assignments too, as the
    // handlers expect: start-up clears the unsaved marks at its end.
    for (std::size_t i = 0; i < kFolderRows.size(); ++i) {
        connect(configPage->folderFields[i], &QLineEdit::textChanged, this, kFolderHandlers[i]);
    }
    // A click chooses (the mouse, Space, or an arrow key moving the choice),
    // also on the button already shown selected: for a value start-up cannot
    // show, the layout's button stands selected and choosing it must store
    // it. The program's own selections arrive as toggles.
    auto onChosen = [this](QButtonGroup* group, void (frmMain::*handler)(int)) {
        connect(group, &QButtonGroup::idClicked, this, handler);
        connect(group, &QButtonGroup::idToggled, this, [this, handler](int id, bool checked) {
            if (checked) {
                (this->*handler)(id);
            }
        });
    };
    onChosen(configPage->SystemRating.group, &frmMain::optConfig_SystemRating_Click);
    onChosen(configPage->Windowed.group, &frmMain::optConfig_Windowed_Click);
    onChosen(configPage->UseA3D.group, &frmMain::optConfig_UseA3D_Click);
    onChosen(configPage->UseEAX.group, &frmMain::optConfig_UseEAX_Click);
    // The selection, not the current entry: the Tab key makes an entry
    // current without choosing it.
    connect(configPage->lstConfig_VideoDriver, &QListWidget::itemSelectionChanged, this,
            &frmMain::lstConfig_VideoDriver_Click);

    driverGrid->onTextChanged = [this](int column, int row) {
        (this->*kChangeHandlers[static_cast<std::size_t>(column)])(row);
    };
    driverGrid->onKeyPress = [this](int column, int row, int& KeyAscii) {
        (this->*kKeyPressHandlers[static_cast<std::size_t>(column)])(row, KeyAscii);
    };
    // Deleting, cutting, pasting or dropping text changes a value just as
    // typing does, so it too must be saved before closing, and is a step.
    driverGrid->onTextEdited = [this](int column, int row) { recordBoxEdit(column, row); };
    // Pasted or dropped text only where typing could have put it; what goes
    // in is a step of its own.
    driverGrid->numericPaste->accepts = [this](const QString& text) {
        return TypableNumber(state_.AllowedKeys, fromDisplay(text));
    };

    // One history for the whole editor: the boxes' undo keys and menus go to
    // the Edit menu's commands, and the menu's Paste to the check above.
    cellWatch_ = new CellEditWatch(mnuEdit_Undo, mnuEdit_Redo, this);
    cellWatch_->onFocusLeft = [this] { ++typingSpell_; };
    cellWatch_->pasteInto = [this](QLineEdit* box) {
        driverGrid->numericPaste->pasteClipboard(box);
    };
    driverGrid->numericPaste->onInsert = [this](bool dropped) {
        cellWatch_->nextEditIs(dropped ? CellEditWatch::Edit::Drop : CellEditWatch::Edit::Paste);
    };
    for (int c = 0; c < kDriverColumnCount; ++c) {
        for (int r = 0; r < kDriverRows; ++r) {
            driverGrid->box(c, r)->installEventFilter(cellWatch_);
        }
    }
}

// ---- Start-up ----

bool frmMain::Form_Load() {
    // "[*]": the mark of unsaved changes.
    setWindowTitle(QString("%1 v%2.%3[*]")
                       .arg(version::kProductName)
                       .arg(version::kMajor)
                       .arg(version::kMinor));

    RunGuarded(*this, "Looking up the game",
               [&] { LocateInstallDir(registry_, *this, state_.InstallDir); });
    if (state_.InstallDir.empty()) {
        return false;
    }
    // Named by the install's real folder, however the path reaches it.
    std::error_code ignored;
    std::filesystem::path install = paths_.inPlace(state_.InstallDir);
    if (std::filesystem::path real = std::filesystem::weakly_canonical(install, ignored);
        !ignored) {
        install = std::move(real);
    }
    originals_.emplace(originalsRoot.empty() ? originalsRoot
                                             : OriginalsFolder(originalsRoot, install),
                       state_.InstallDir, install);
    // A prefix that a launcher moved keeps the originals it had.
    originals_->takeOverMoved();
    state_.seen.keepOriginalsIn(&*originals_);
    readGame();
    recording_ = true;
    centreOnScreen();
    return true;
}

// ---- Config page ----

void frmMain::storeFolder(std::size_t folderRow) {
    RunGuarded(*this, "Storing the folder", [&] {
        std::string& setting = state_.settings.*kFolderRows[folderRow].setting;
        setting = fromDisplay(configPage->folderFields[folderRow]->text(), setting);
        state_.unsaved.settings = true;
    });
}

void frmMain::txtConfig_SeasonDir_Change() {
    storeFolder(0);
}
void frmMain::txtConfig_SoundsDir_Change() {
    storeFolder(1);
}
void frmMain::txtConfig_OptionsDir_Change() {
    storeFolder(2);
}
void frmMain::txtConfig_MovieDir_Change() {
    storeFolder(3);
}
void frmMain::txtConfig_ReplayDir_Change() {
    storeFolder(4);
}
void frmMain::txtConfig_TracksDir_Change() {
    storeFolder(5);
}
void frmMain::txtConfig_VehiclesDir_Change() {
    storeFolder(6);
}
void frmMain::txtConfig_MusicDir_Change() {
    storeFolder(7);
}

void frmMain::storeChoice(std::string GameSettings::*setting, int value, const char* step) {
    RunGuarded(*this, "Storing the choice", [&] {
        state_.settings.*setting = std::to_string(value);
        state_.unsaved.settings = true;
    });
    // A click raises this twice (the button toggled, then clicked): the
    // second changes nothing and so makes no step.
    recordStep(step);
}

void frmMain::optConfig_SystemRating_Click(int Index) {
    storeChoice(&GameSettings::SystemRating, Index + 1, "System Rating");
}

void frmMain::optConfig_Windowed_Click(int Index) {
    storeChoice(&GameSettings::WindowedMode, Index, "Run in Window");
}

void frmMain::optConfig_UseA3D_Click(int Index) {
    storeChoice(&GameSettings::UseA3D, Index, "A3D Enabled");
}

void frmMain::optConfig_UseEAX_Click(int Index) {
    storeChoice(&GameSettings::UseEAX, Index, "EAX Enabled");
}

void frmMain::lstConfig_VideoDriver_Click() {
    RunGuarded(*this, "Storing the video driver", [&] {
        const QList<QListWidgetItem*> selected = configPage->lstConfig_VideoDriver->selectedItems();
        if (selected.isEmpty()) {
            return;
        }
        // The entry keeps the name's own bytes.
        const QByteArray name = selected.front()->data(Qt::UserRole).toByteArray();
        state_.settings.VideoDriver.assign(name.constData(), static_cast<std::size_t>(name.size()));
        state_.unsaved.settings = true;
    });
    recordStep("Video Driver");
}

// ---- Driver grid ----

void frmMain::FillDriverGrid() {
    for (int r = 0; r < kDriverRows; ++r) {
        const DriverRecord& record = state_.roster[r];
        const QString name = toDisplay(record[DriverField::DriverName]);
        driverGrid->lblDriver_DriverName[static_cast<std::size_t>(r)]->setText(name);
        for (int c = 0; c < kDriverColumnCount; ++c) {
            const DriverColumn& column = kDriverColumns[static_cast<std::size_t>(c)];
            QLineEdit* box = driverGrid->box(c, r);
            // Raises the column's change handler, which stores the same text.
            box->setText(toDisplay(state_.roster[r][column.field]));
            // So that a screen reader tells the 220 boxes apart.
            box->setAccessibleName(QString(column.tooltip) + ", " +
                                   (name.isEmpty() ? QString("row %1").arg(r + 1) : name));
        }
    }
}

void frmMain::txtDriver_Change(int column, int Index) {
    RunGuarded(*this, "Storing the driver value", [&] {
        std::string& value =
            state_.roster[Index][kDriverColumns[static_cast<std::size_t>(column)].field];
        value = fromDisplay(driverGrid->box(column, Index)->text(), value);
    });
}

void frmMain::txtDriver_KeyPress(int column, int Index, int& KeyAscii) {
    const bool checked = RunGuarded(*this, "Checking the typed character", [&] {
        FilterNumericKey(KeyAscii, fromDisplay(driverGrid->box(column, Index)->text()));
    });
    if (!checked) {
        KeyAscii = 0;
    } else if (KeyAscii != 0) {
        state_.unsaved.markDriverEdit(Index);
    }
}

void frmMain::FilterNumericKey(int& KeyAscii, const std::string& currentText) {
    if (!AcceptNumericKey(state_.AllowedKeys, KeyAscii, currentText)) {
        KeyAscii = 0;
        return;
    }
    state_.unsaved.drivers = true;
}

// ---- Menu commands ----

GameFileSave::AskReplace frmMain::askReplace() {
    return [this](const std::vector<std::string>& paths) {
        return dialogs_.askReplaceChangedFiles(paths) == UserDialogs::Answer::Ok;
    };
}

void frmMain::reportSaveFailures(const std::vector<FileError>& failures, const char* verb) {
    if (failures.empty()) {
        return;
    }
    std::string text;
    for (const FileError& e : failures) {
        if (!text.empty()) {
            text += "\n";
        }
        text += failureText(verb, e);
    }
    ShowMessage(text);
}

void frmMain::mnuFile_Save_Click() {
    RunGuarded(*this, "Saving all to the game",
               [&] { runSave([this] { return session_.saveAll(askReplace()); }); });
}

void frmMain::mnuConfig_Save_Click() {
    RunGuarded(*this, "Saving the settings",
               [&] { runSave([this] { return session_.saveSettings(askReplace()); }); });
}

void frmMain::mnuDrivers_Import_Game_Click() {
    RunGuarded(*this, "Importing the drivers from the game", [&] {
        const int read = session_.importFromGame();
        FillDriverGrid();
        showStatus(ImportedText(read));
    });
    recordStep("Import From Game");
}

void frmMain::mnuDrivers_Import_Click() {
    std::filesystem::path chosen;
    RunGuarded(*this, "Importing the drivers", [&] {
        cdlFolder.DialogTitle = kImportTitle;
        chosen = cdlFolder.ShowOpen();
        if (chosen.empty()) {
            return;
        }
        const std::optional<int> read = session_.importFromFile(chosen);
        FillDriverGrid();
        if (read) {
            showStatus(ImportedText(*read, displayPath(chosen.filename())));
        }
    });
    if (!chosen.empty()) {
        recordStep("Import From " + QString::fromStdU16String(chosen.filename().u16string()));
    }
}

void frmMain::mnuDrivers_Save_Game_Click() {
    RunGuarded(*this, "Saving the drivers to the game",
               [&] { runSave([this] { return session_.saveDrivers(askReplace()); }); });
}

void frmMain::mnuDrivers_SaveIn_Click() {
    RunGuarded(*this, "Saving the drivers", [&] {
        cdlFolder.DialogTitle = kSaveToTitle;
        const std::filesystem::path chosen = cdlFolder.ShowSave();
        if (chosen.empty()) {
            return;
        }
        const std::vector<FileError> failures = session_.saveDriversTo(chosen);
        if (failures.empty()) {
            showStatus(SetFileText(displayPath(chosen)));
        }
        reportSaveFailures(failures);
    });
}

void frmMain::mnuFile_Exit_Click() {
    RunGuarded(*this, "Closing", [&] { close(); });
}

// ---- Closing ----

void frmMain::closeEvent(QCloseEvent* event) {
    int Cancel = 0;
    // A save that broke off part way keeps the window open, as a failed one.
    if (!RunGuarded(*this, "Saving before closing", [&] { Form_Unload(Cancel); })) {
        Cancel = 1;
    }
    if (Cancel != 0) {
        event->ignore();
    } else {
        event->accept();
    }
}

void frmMain::Form_Unload(int& Cancel) {
    session_.remeasure();
    if (!state_.unsaved.any()) {
        return;
    }
    switch (dialogs_.askSaveBeforeClosing(kSaveQuestion)) {
    case UserDialogs::Answer::Ok:
        break;
    case UserDialogs::Answer::Cancel:
        return;
    case UserDialogs::Answer::Dismissed:
        // Left without reading: back to the editor, nothing saved or lost.
        Cancel = 1;
        return;
    }
    const std::vector<FileError> failures = session_.saveAll(askReplace());
    afterSave();
    if (!failures.empty()) {
        // Closing now would lose the edits that could not be written.
        reportSaveFailures(failures);
        Cancel = 1;
    }
}

// ---- Window operations ----

void frmMain::EnableDriverRow(int row, bool enabled) {
    state_.enabledRows.set(static_cast<std::size_t>(row), enabled);
    showRowState(row, enabled);
}

void frmMain::AppendVideoDriver(const std::string& name) {
    auto* entry = new QListWidgetItem(toDisplay(name), configPage->lstConfig_VideoDriver);
    entry->setData(Qt::UserRole, QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

void frmMain::SelectVideoDriver(int position) {
    // Raises lstConfig_VideoDriver_Click before it returns.
    configPage->lstConfig_VideoDriver->setCurrentRow(position);
}

void frmMain::ShowMessage(const std::string& text) {
    dialogs_.showMessage(text);
}

void frmMain::CloseMainWindow() {
    close();
}

} // namespace rivo
