#pragma once

#include "window_operations.h"

#include <string>
#include <string_view>
#include <utility>

namespace rivo {

// Why the exception being handled was thrown, in words ("not enough
// memory"). Call it only inside a catch block.
std::string CurrentFailureReason();

// Shows the exception being handled as a message: `task`, " failed: " and
// the reason. Call it only inside a catch block. Never throws: when even the
// message cannot be shown, nothing more can be done.
void ShowCurrentFailure(WindowOperations& window, std::string_view task) noexcept;

// Runs a handler's work. An exception must never reach Qt's event loop,
// which would end the program: whatever the work throws ends the work and
// becomes a message. True when the work ran to its end.
template <class Work>
bool RunGuarded(WindowOperations& window, std::string_view task, Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        ShowCurrentFailure(window, task);
        return false;
    }
}

} // namespace rivo
