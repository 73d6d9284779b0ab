// The standard keys of the menus and the pages, and the menu items that are
// greyed while they would do nothing.
#include "frm_main.h"
#include "guarded.h"

#include <QEvent>
#include <QTabBar>

namespace rivo {

void frmMain::setStandardKeys() {
    // Each system's own keys: Ctrl+S everywhere; Ctrl+Q where programs quit
    // with it. Windows has none for quitting: there Alt+F4 closes the window,
    // which asks the same question as Exit.
    mnuFile_Save->setShortcuts(QKeySequence::Save);
    mnuFile_Exit->setShortcuts(QKeySequence::Quit);
#ifndef Q_OS_WIN
    // Desktops without a key scheme of their own (and Qt's plain platforms)
    // leave Quit empty; Ctrl+Q is what programs there quit with.
    if (mnuFile_Exit->shortcuts().isEmpty()) {
        mnuFile_Exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    }
#endif

    // The tab control turns its pages with these keys from anywhere inside.
    const QString turn =
        QString("%1 turns to the next page, %2 to the one before")
            .arg(QKeySequence(Qt::CTRL | Qt::Key_Tab).toString(QKeySequence::NativeText),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)
                     .toString(QKeySequence::NativeText));
    for (int i = 0; i < tabRivo->count(); ++i) {
        tabRivo->setTabToolTip(i, turn);
    }

    // Save All follows what it would write: after every step, undo and redo
    // (a clear of the history included), after every command, and when the
    // player comes back from another program that may have changed a file.
    connect(undoStack, &QUndoStack::indexChanged, this, &frmMain::updateSaveAll);
    for (QMenu* menu : {mnuFile, mnuEdit, mnuConfig, mnuDrivers}) {
        for (QAction* item : menu->actions()) {
            connect(item, &QAction::triggered, this, &frmMain::updateSaveAll);
        }
    }
    connect(mnuFile, &QMenu::aboutToShow, this, &frmMain::updateSaveAll);
}

void frmMain::updateSaveAll() {
    if (state_.InstallDir.empty()) {
        return; // before start-up has found the game
    }
    RunGuarded(*this, "Checking what Save All would write", [&] {
        mnuFile_Save->setEnabled(state_.unsaved.any() || !session_.review().empty());
    });
}

void frmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        updateSaveAll();
    }
    QMainWindow::changeEvent(event);
}

} // namespace rivo
