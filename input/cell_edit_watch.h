#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QObject>
#include <functional>

class QLineEdit;

namespace rivo {

// Watches the driver grid's boxes for what the editor's history needs. The
// history is the window's, one for the whole editor: the undo keys and the
// context menu's Undo and Redo reach the window's Edit commands, never a
// box's own history. It also tells where typing in a box ends (the focus
// leaves it) and whether an edit is a paste or a drop (which the one who
// puts the text in says, with nextEditIs).
class CellEditWatch : public QObject {
public:
    enum class Edit { Typing, Paste, Drop };

    // `undo` and `redo` are the window's commands, with their keys.
    CellEditWatch(QAction* undo, QAction* redo, QObject* parent);

    // What the edit being made is; asked once per edit.
    Edit takeEdit();
    // The next edit is `edit`, not typing.
    void nextEditIs(Edit edit) { next_ = edit; }

    // The focus left a box: typing there ends.
    std::function<void()> onFocusLeft;
    // Runs for the Paste of a box's context menu, in place of the box's own
    // paste, which would take any text.
    std::function<void(QLineEdit* box)> pasteInto;

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
