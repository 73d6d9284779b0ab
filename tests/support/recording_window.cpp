#include "recording_window.h"

namespace rivo::test {

void RecordingWindow::EnableDriverRow(int row, bool enabled) {
    calls.push_back("enable " + std::to_string(row) + (enabled ? " 1" : " 0"));
    rowEnabled.at(static_cast<std::size_t>(row)) = enabled;
}

void RecordingWindow::AppendVideoDriver(const std::string& name) {
    calls.push_back("append " + name);
    videoDrivers.push_back(name);
}

void RecordingWindow::SelectVideoDriver(int position) {
    calls.push_back("select " + std::to_string(position));
    selectedVideoDriver = position;
    if (onSelect) {
        onSelect(position);
    }
}

void RecordingWindow::ShowMessage(const std::string& text) {
    calls.push_back("message " + text);
    messages.push_back(text);
    if (onMessage) {
        onMessage(text);
    }
}

void RecordingWindow::CloseMainWindow() {
    calls.push_back("close");
    closed = true;
}

} // namespace rivo::test
