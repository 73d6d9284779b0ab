#pragma once

#include "edit_step.h"

#include <QUndoCommand>
#include <cstdint>
#include <functional>
#include <optional>

namespace rivo {

// Typing in one driver box during one stay of the focus there.
struct TypingSpell {
    int column;
    int row;
    std::uint64_t spell; // counts the times typing was broken off
    bool operator==(const TypingSpell&) const = default;
};

// A step of the editor's history on Qt's undo stack. The change is already
// made when the step is pushed, so the first redo does nothing; after that
// undo and redo hand the step to `show`, which puts back the data it gives.
// Typing in the same spell merges into one step.
class EditCommand : public QUndoCommand {
public:
    using Show = std::function<void(EditStep& step, bool undo)>;

    EditCommand(const QString& text, EditStep step, Show show,
                std::optional<TypingSpell> typing = std::nullopt);

    void undo() override { show_(step_, true); }
    void redo() override;
    int id() const override { return typing_ ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    EditStep step_;
    Show show_;
    std::optional<TypingSpell> typing_;
    bool pushed_ = false;
};

} // namespace rivo
