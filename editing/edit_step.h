#pragma once

#include "editor_data.h"

#include <optional>

namespace rivo {

// Where a step happened, so that undoing or redoing it can first show that
// place: the first value it changes, the settings (in file order) before the
// drivers (row by row, field by field).
struct StepPlace {
    // The setting changed, on the Config page; null for a step of the drivers.
    std::string GameSettings::*setting = nullptr;
    // Otherwise the driver row and the field changed there; the name when
    // only the row's name or its being enabled changed.
    int row = 0;
    DriverField field = DriverField::DriverName;

    bool onConfigPage() const { return setting != nullptr; }
    bool operator==(const StepPlace&) const = default;
};

// One step of the editor's history: the data just before and just after it.
// Undo puts back the data from before, Redo the data from after; the unsaved
// marks are then measured afresh against the files as last read or saved
// (LastSaved), so a step keeps no marks of its own that a save or an import
// in between could make untrue.
class EditStep {
public:
    EditStep(EditorData before, EditorData after)
        : before_(std::move(before)), after_(std::move(after)) {}

    // The step goes on (more typing in the same box): it now ends at `after`.
    void extend(EditorData after) { after_ = std::move(after); }

    const EditorData& before() const { return before_; }
    const EditorData& after() const { return after_; }
    StepPlace place() const;

private:
    EditorData before_;
    EditorData after_;
};

// Whether two data hold the same values and rows enabled, whatever their
// marks.
bool SameValues(const EditorData& a, const EditorData& b);

// Turns changes of the editor's data into steps: each step runs from the
// data as it stood after the last one to the data now.
class EditRecorder {
public:
    // The data as it stands is where the next step starts: after start-up,
    // an undo, a redo or a save.
    void restart(const EditorData& now) { last_ = now; }
    // The step from the last data to `now`; none when no value changed.
    std::optional<EditStep> record(const EditorData& now);

private:
    EditorData last_;
};

} // namespace rivo
