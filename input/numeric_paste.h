#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;

namespace rivo {

// What a statistic box's tooltip says when pasted or dropped text is refused.
inline constexpr const char* kNotANumber =
    "This box takes only digits and at most one decimal point, so the text was not put in.";

// Pasted or dropped text arrives whole, past the key filter that every typed
// character meets, and a statistic that the game cannot read as a number
// would reach its file. Installed as an event filter on the boxes, this takes
// in their place the paste keys (Ctrl+V, Shift+Insert, ...), the middle
// button's paste and drops from elsewhere (the context menu's Paste comes
// through pasteClipboard, from the one who shows that menu): the
// blanks and line breaks around the text are dropped, and it goes in only
// when the box then holds text that `accepts` allows. Otherwise the box
// stays as it was and a tooltip at the box says why. Text that goes in is
// inserted as typing is: it can be undone, and the box tells of an edit.
class NumericPaste : public QObject {
public:
    using QObject::QObject;

    // Whether a box may hold `text`; until it is set nothing goes in.
    std::function<bool(const QString& text)> accepts;
    // Runs just before accepted text goes in, telling whether it was dropped
    // (or else pasted).
    std::function<void(bool dropped)> onInsert;

    // The clipboard's text into `box`, as Ctrl+V puts it.
    void pasteClipboard(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // `text` in place of the box's selection, or at its caret. True when the
    // box took it (or it changes nothing).
    bool paste(QLineEdit* box, const QString& text, bool dropped = false);
};

} // namespace rivo
