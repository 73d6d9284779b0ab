#pragma once

#include "editor_data.h"
#include "save_all.h"

#include <cstdint>
#include <optional>

namespace rivo {

// One step of the editor's history: the data just before and just after it.
//
// Undo puts back the data from before, marks included, and Redo the data
// from after. A save to the game in between changes what counts as saved:
// the marks of both ends are then measured against the files as saved, so
// that undoing past a save marks the work unsaved again and redoing up to
// the saved data marks nothing.
class EditStep {
public:
    EditStep(EditorData before, EditorData after, std::uint64_t saves)
        : before_(std::move(before)), after_(std::move(after)), saves_(saves) {}

    // The step goes on (more typing in the same box): it now ends at `after`.
    void extend(EditorData after) { after_ = std::move(after); }

    // The data to show after undoing (or redoing) the step. `now` is the data
    // shown now, which is the step's other end; `saves` counts the saves to
    // the game so far.
    const EditorData& undo(const EditorData& now, std::uint64_t saves, const GameFiles& files);
    const EditorData& redo(const EditorData& now, std::uint64_t saves, const GameFiles& files);

    const EditorData& before() const { return before_; }
    const EditorData& after() const { return after_; }

private:
    // Measures the marks of `to` afresh when a save came after they were
    // taken; `from` keeps the marks shown now.
    void remeasure(EditorData& from, EditorData& to, const EditorData& now, std::uint64_t saves,
                   const GameFiles& files);

    EditorData before_;
    EditorData after_;
    std::uint64_t saves_; // the saves when the marks above were taken
};

// Turns changes of the editor's data into steps: each step runs from the
// data as it stood after the last one to the data now.
class EditRecorder {
public:
    // The data as it stands is where the next step starts: after start-up,
    // an undo or a redo.
    void restart(const EditorData& now) { last_ = now; }
    // After a save to the game, which changed the marks.
    void saved(const EditorData& now) {
        ++saves_;
        last_ = now;
    }
    // The step from the last data to `now`; none when nothing changed.
    std::optional<EditStep> record(const EditorData& now);

    std::uint64_t saves() const { return saves_; }

private:
    EditorData last_;
    std::uint64_t saves_ = 0;
};

} // namespace rivo
