#include "edit_step.h"

#include "saved_marks.h"

namespace rivo {

void EditStep::remeasure(EditorData& from, EditorData& to, const EditorData& now,
                         std::uint64_t saves, const GameFiles& files) {
    if (saves == saves_) {
        return;
    }
    from.unsaved = now.unsaved;
    to.unsaved = MarksAgainstSeen(files, to, to.unsaved);
    saves_ = saves;
}

const EditorData& EditStep::undo(const EditorData& now, std::uint64_t saves,
                                 const GameFiles& files) {
    remeasure(after_, before_, now, saves, files);
    return before_;
}

const EditorData& EditStep::redo(const EditorData& now, std::uint64_t saves,
                                 const GameFiles& files) {
    remeasure(before_, after_, now, saves, files);
    return after_;
}

std::optional<EditStep> EditRecorder::record(const EditorData& now) {
    if (now == last_) {
        return std::nullopt;
    }
    EditStep step(last_, now, saves_);
    last_ = now;
    return step;
}

} // namespace rivo
