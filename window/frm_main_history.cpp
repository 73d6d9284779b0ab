// The editor's one history: the Edit menu, the steps that edits make, and
// what undoing or redoing a step puts back.
#include "ansi_text.h"
#include "frm_main.h"
#include "game_text.h"
#include "guarded.h"
#include "window_texts.h"

#include <QMenuBar>
#include <QScopedValueRollback>
#include <optional>
#include <string>

namespace rivo {

void frmMain::buildEditMenu() {
    mnuEdit = menuBar()->addMenu("&Edit");
    mnuEdit->setObjectName("mnuEdit");
    mnuEdit_Undo = addCommand(mnuEdit, "mnuEdit_Undo", "&Undo");
    mnuEdit_Undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuEdit_Redo = addCommand(mnuEdit, "mnuEdit_Redo", "&Redo");
    mnuEdit_Redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(mnuEdit_Undo, &QAction::triggered, this, &frmMain::mnuEdit_Undo_Click);
    connect(mnuEdit_Redo, &QAction::triggered, this, &frmMain::mnuEdit_Redo_Click);

    undoStack = new QUndoStack(this);
    // Each item names the step it takes back or does again.
    auto name = [](QAction* item, const char* caption) {
        return [item, caption](const QString& step) {
            item->setText(step.isEmpty() ? caption : QString(caption) + " " + step);
        };
    };
    mnuEdit_Undo->setEnabled(false);
    mnuEdit_Redo->setEnabled(false);
    connect(undoStack, &QUndoStack::canUndoChanged, mnuEdit_Undo, &QAction::setEnabled);
    connect(undoStack, &QUndoStack::canRedoChanged, mnuEdit_Redo, &QAction::setEnabled);
    connect(undoStack, &QUndoStack::undoTextChanged, mnuEdit_Undo, name(mnuEdit_Undo, "&Undo"));
    connect(undoStack, &QUndoStack::redoTextChanged, mnuEdit_Redo, name(mnuEdit_Redo, "&Redo"));
}

void frmMain::mnuEdit_Undo_Click() {
    RunGuarded(*this, "Undoing", [&] { undoStack->undo(); });
}

void frmMain::mnuEdit_Redo_Click() {
    RunGuarded(*this, "Redoing", [&] { undoStack->redo(); });
}

void frmMain::recordStep(const QString& text, std::optional<TypingSpell> typing) {
    if (!recording_) {
        return;
    }
    RunGuarded(*this, "Recording the step", [&] {
        std::optional<EditStep> step = session_.record();
        if (!step) {
            return;
        }
        if (!typing) {
            ++typingSpell_;
        }
        undoStack->push(new EditCommand(
            text, std::move(*step), [this](EditStep& s, bool undo) { showStep(s, undo); }, typing));
    });
}

void frmMain::recordBoxEdit(int column, int row) {
    // The box tells of a user's edit before it tells of the new text: store
    // the text first.
    txtDriver_Change(column, row);
    switch (cellWatch_->takeEdit()) {
    case CellEditWatch::Edit::Paste:
        recordStep("Paste");
        return;
    case CellEditWatch::Edit::Drop:
        recordStep("Drop");
        return;
    case CellEditWatch::Edit::Typing:
        break;
    }
    // Named after the column and the driver, as the grid shows them.
    const QString driver = toDisplay(state_.roster[row][DriverField::DriverName]);
    recordStep(QString("%1 of %2")
                   .arg(QString(kDriverColumns[static_cast<std::size_t>(column)].heading),
                        driver.isEmpty() ? QString("row %1").arg(row + 1) : driver),
               TypingSpell{column, row, typingSpell_});
}

void frmMain::showStep(EditStep& step, bool undo) {
    RunGuarded(*this, undo ? "Undoing" : "Redoing", [&] {
        // The player sees where the step worked before it is taken back or
        // done again: its page, and the focus on its control (an option
        // frame's selected button, the one selected once the step is shown).
        const StepPlace place = step.place();
        tabRivo->setCurrentWidget(place.onConfigPage() ? static_cast<QWidget*>(configPage)
                                                       : driverGrid);
        const auto focusPlace = [&] {
            QWidget* control = place.onConfigPage() ? configPage->controlOf(place.setting)
                                                    : driverGrid->boxOf(place.row, place.field);
            if (control != nullptr && control->isEnabled()) {
                control->setFocus(Qt::OtherFocusReason);
            }
        };
        focusPlace();
        showEditorData(undo ? step.before() : step.after());
        // A greyed row the step gives back takes the focus only now.
        focusPlace();
    });
}

void frmMain::showEditorData(const EditorData& data) {
    const QScopedValueRollback<bool> quiet(recording_, false);
    EditorData& shown = state_;
    shown = data;
    showChoices(data.settings);
    FillDriverGrid();
    for (int r = 0; r < kDriverRows; ++r) {
        showRowState(r, data.enabledRows.test(static_cast<std::size_t>(r)));
    }
    // The fills ran the handlers, which store what they show and mark it.
    session_.putBack(data);
    ++typingSpell_;
}

void frmMain::afterSave() {
    ++typingSpell_;
    showRestoreState();
    // A save that put files where Windows keeps them for the game: said once.
    const int inStore = showStoreCopies();
    if (inStore > filesInStore_ && !toldAboutStore_) {
        toldAboutStore_ = true;
        ShowMessage("Windows does not let programs write in the game's folder, " +
                    ansi::toUtf8(state_.InstallDir) +
                    ", so it keeps the files the game saves in a folder of yours, where the game "
                    "reads them. RivoEdit saved the game's files there too: " +
                    displayPath(paths_.storeCopy(state_.InstallDir)));
    }
    filesInStore_ = inStore;
    if (const std::optional<std::string> moved = originals_->takeMovedNotice()) {
        ShowMessage(*moved);
    }
    updateSaveAll();
}

} // namespace rivo
