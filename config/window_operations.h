#pragma once

#include <string>

namespace rivo {

// The few things the configuration and driver modules may ask of the main
// window. The window implements them; tests record them.
class WindowOperations {
public:
    virtual ~WindowOperations() = default;

    // Enables or disables a driver grid row (0 to 21): its name label and its
    // ten boxes together. The values shown do not change.
    virtual void EnableDriverRow(int row, bool enabled) = 0;

    // Adds an entry at the end of the video driver list (8-bit game text).
    virtual void AppendVideoDriver(const std::string& name) = 0;

    // Selects the video driver entry at `position` (0 is the first added), as
    // a user's click would: the list's click handler runs before this returns.
    virtual void SelectVideoDriver(int position) = 0;

    // A modal message with an OK button, no icon and the program's title as
    // caption. `text` is UTF-8.
    virtual void ShowMessage(const std::string& text) = 0;

    // Closes the main window, which ends the program.
    virtual void CloseMainWindow() = 0;
};

} // namespace rivo
