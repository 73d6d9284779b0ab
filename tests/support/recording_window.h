#pragma once

#include "window_operations.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace rivo::test {

// Records every window operation, in order, for the tests to look at.
class RecordingWindow : public WindowOperations {
public:
    void EnableDriverRow(int row, bool enabled) override;
    void AppendVideoDriver(const std::string& name) override;
    void SelectVideoDriver(int position) override;
    void ShowMessage(const std::string& text) override;
    void CloseMainWindow() override;

    // One line per call, e.g. "enable 3 0", "append Name", "select 1",
    // "message text", "close".
    std::vector<std::string> calls;
    std::vector<std::string> messages;
    std::vector<std::string> videoDrivers;
    int selectedVideoDriver = -1;
    std::array<bool, 22> rowEnabled{};
    bool closed = false;
    // Runs on every selection, as the list's click handler would.
    std::function<void(int)> onSelect;
    // Runs on every message, e.g. to check state at that moment.
    std::function<void(const std::string&)> onMessage;
};

} // namespace rivo::test
