#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QObject>
#include <functional>

namespace rivo {

// Watches the driver grid's boxes for what the editor's history needs. The
// history is the window's, one for the whole editor: the undo keys and the
// context menu's Undo and Redo reach the window's Edit commands, never a
// box's own history. It also tells where typing in a box ends (the focus
// leaves it) and whether an edit is a paste or a drop.
class CellEditWatch : public QObject {
public:
    enum class Edit { Typing, Paste, Drop };

    // `undo` and `redo` are the window's commands, with their keys.
    CellEditWatch(QAction* undo, QAction* redo, QObject* parent);

    // What the edit being made is; asked once per edit.
    Edit takeEdit();

    // The focus left a box: typing there ends.
    std::function<void()> onFocusLeft;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's command a key stands for: its own keys, and the system's
    // undo and redo keys, which a box would take for its own history.
    QAction* commandFor(const QKeyEvent& key) const;
    void showContextMenu(QObject* box, const QPoint& where);

    QAction* undo_;
    QAction* redo_;
    Edit next_ = Edit::Typing;
};

} // namespace rivo
