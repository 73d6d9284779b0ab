#include "key_character.h"

namespace rivo {

std::optional<int> typedCharacter(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    const bool commandKey = mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (event.key()) {
    case Qt::Key_Backspace:
        // Ctrl+Backspace deletes a word: an editing command, not a character.
        return commandKey ? std::nullopt : std::optional<int>(8);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return commandKey ? std::nullopt : std::optional<int>(13);
    default:
        break;
    }
    // Otherwise exactly what a line edit would insert: printable text that is
    // not a Ctrl shortcut (AltGr, which comes as Ctrl+Alt, does type).
    const QString text = event.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format) {
        return c.unicode();
    }
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        return std::nullopt;
    }
    if (c.isPrint() || c.category() == QChar::Other_PrivateUse ||
        (c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate())) {
        return c.unicode();
    }
    return std::nullopt;
}

} // namespace rivo
