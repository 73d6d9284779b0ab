#include "edit_command.h"

namespace rivo {

EditCommand::EditCommand(const QString& text, EditStep step, Show show,
                         std::optional<TypingSpell> typing)
    : step_(std::move(step)), show_(std::move(show)), typing_(typing) {
    // A name such as "Arno & Co" must not give the menu a mnemonic.
    setText(QString(text).replace('&', "&&"));
}

void EditCommand::redo() {
    if (!pushed_) {
        pushed_ = true;
        return;
    }
    show_(step_, false);
}

bool EditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const EditCommand*>(other);
    if (next == nullptr || !typing_ || next->typing_ != typing_) {
        return false;
    }
    step_.extend(next->step_.after());
    return true;
}

} // namespace rivo
