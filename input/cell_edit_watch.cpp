#include "cell_edit_watch.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <memory>
#include <utility>

namespace rivo {

namespace {

// The entry of a box's standard context menu with this caption, translated
// as the box translates it; the key's name may follow after a tab.
QAction* entryFor(const QMenu& menu, const char* caption) {
    const QString shown = QLineEdit::tr(caption);
    for (QAction* action : menu.actions()) {
        if (action->text().section('\t', 0, 0) == shown) {
            return action;
        }
    }
    return nullptr;
}

} // namespace

CellEditWatch::CellEditWatch(QAction* undo, QAction* redo, QObject* parent)
    : QObject(parent), undo_(undo), redo_(redo) {}

CellEditWatch::Edit CellEditWatch::takeEdit() {
    return std::exchange(next_, Edit::Typing);
}

QAction* CellEditWatch::commandFor(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    if (undo_->shortcuts().contains(pressed) || key.matches(QKeySequence::Undo)) {
        return undo_;
    }
    if (redo_->shortcuts().contains(pressed) || key.matches(QKeySequence::Redo)) {
        return redo_;
    }
    return nullptr;
}

bool CellEditWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Left unclaimed by the box, the keys go to the window's commands.
        if (commandFor(*static_cast<QKeyEvent*>(event)) != nullptr) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const auto& key = *static_cast<QKeyEvent*>(event);
        // Keys no shortcut took (Alt+Backspace on Windows, or any while the
        // window is not active) still go to the window's history.
        if (QAction* command = commandFor(key)) {
            command->trigger();
            return true;
        }
        next_ = Edit::Typing;
        break;
    }
    case QEvent::FocusOut:
        next_ = Edit::Typing;
        if (onFocusLeft) {
            onFocusLeft();
        }
        break;
    case QEvent::ContextMenu:
        showContextMenu(watched, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        break;
    }
    return false;
}

void CellEditWatch::showContextMenu(QObject* watched, const QPoint& where) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) {
        return;
    }
    const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    // Undo and Redo take the window's steps back, not the box's own.
    for (auto [caption, command] : {std::pair{"&Undo", undo_}, std::pair{"&Redo", redo_}}) {
        if (QAction* entry = entryFor(*menu, caption)) {
            QObject::disconnect(entry, &QAction::triggered, nullptr, nullptr);
            entry->setEnabled(command->isEnabled());
            connect(entry, &QAction::triggered, command, &QAction::trigger);
        }
    }
    // A paste from the menu goes where Ctrl+V goes.
    if (QAction* paste = entryFor(*menu, "&Paste"); paste != nullptr && pasteInto) {
        QObject::disconnect(paste, &QAction::triggered, box, nullptr);
        connect(paste, &QAction::triggered, box, [this, box] { pasteInto(box); });
    }
    menu->exec(where);
}

} // namespace rivo
