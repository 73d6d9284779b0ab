// What the window tells without being asked: the unsaved mark in the title,
// the status line's report of each command, the install's folder on the
// host, and why a greyed item or row is greyed.
#include "ansi_text.h"
#include "command_report.h"
#include "frm_main.h"
#include "game_text.h"
#include "rivodriver.h"
#include "window_texts.h"

#include <QStatusBar>

namespace rivo {

void frmMain::buildStatusLine() {
    lblStatus = new QLabel(this);
    lblStatus->setObjectName("lblStatus");
    lblStatus->setTextFormat(Qt::PlainText);
    // A folder it names can be selected and copied.
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->setObjectName("sbrStatus");
    statusBar()->setSizeGripEnabled(false);
    // A widget, not a passing message: a menu item's status tip covers it
    // only while the item is highlighted.
    statusBar()->addWidget(lblStatus, 1);
    // Exactly when closing would ask.
    session_.onMarksMeasured = [this](bool unsaved) { setWindowModified(unsaved); };
    showRestoreState();
}

void frmMain::showStatus(const std::string& text) {
    lblStatus->setText(fromUtf8(text));
    // A long line (a folder's path) is cut at the window's edge: the
    // tooltip shows it whole, as plain text.
    lblStatus->setToolTip(text.empty() ? QString()
                                       : "<p style='white-space:pre'>" +
                                             fromUtf8(text).toHtmlEscaped() + "</p>");
}

void frmMain::runSave(const std::function<std::vector<FileError>()>& save) {
    const bool keptBefore = !originals_->empty();
    const std::vector<FileError> failures = save();
    afterSave();
    // The folder of the originals is named once, on the save that first
    // kept any: a note in the status line, as the save itself went well.
    const bool keptNow = keptBefore != !originals_->empty();
    showStatus(SavedText(session_.lastWritten(), static_cast<int>(failures.size()),
                         keptNow ? displayPath(originals_->folder()) : std::string()));
    reportSaveFailures(failures);
}

void frmMain::showRestoreState() {
    const bool kept = originals_ && !originals_->empty();
    mnuFile_Restore->setEnabled(kept);
    mnuFile_Restore->setStatusTip(
        kept ? "Put back the game's own files, as they were before RivoEdit first replaced them"
             : "Nothing to restore: nothing has been replaced yet");
}

void frmMain::showHostFolder() {
#ifdef _WIN32
    // The main folder is the folder on this system; the VirtualStore line
    // tells where Windows keeps the game's copies.
    configPage->lblConfig_Host->hide();
    configPage->lblConfig_HostDir->hide();
#else
    // Under Wine: the install's folder in the prefix, and the launcher whose
    // prefix it is, so that two installs are told apart.
    QString text = fromUtf8(displayRealPath(paths_.inPlace(state_.InstallDir)));
    if (!launcherName.empty()) {
        text += "  (" + fromUtf8(launcherName) + ")";
    }
    configPage->lblConfig_HostDir->setText(text);
    configPage->lblConfig_HostDir->setToolTip(text);
    configPage->lblConfig_Host->show();
    configPage->lblConfig_HostDir->show();
#endif
}

void frmMain::showRowState(int row, bool enabled) {
    driverGrid->setRowEnabled(row, enabled);
    const std::string file =
        GameDriverPath(state_.InstallDir, state_.settings.SeasonDir, DriverRoster::BaseName(row));
    std::error_code ignored;
    const std::filesystem::path host = paths_.toHost(file);
    // A greyed row has no name to tell which driver is missing: its boxes
    // name the file.
    const QString why = enabled ? QString()
                        : std::filesystem::exists(host, ignored)
                            ? "Cannot read the driver file " + toDisplay(file)
                            : "Missing driver file " + toDisplay(file);
    for (int c = 0; c < kDriverColumnCount; ++c) {
        const QString tip = kDriverColumns[static_cast<std::size_t>(c)].tooltip;
        driverGrid->box(c, row)->setToolTip(why.isEmpty() ? tip : tip + "\n" + why);
    }
    driverGrid->lblDriver_DriverName[static_cast<std::size_t>(row)]->setToolTip(why);
}

} // namespace rivo
