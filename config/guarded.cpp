#include "guarded.h"

#include "file_error.h"

#include <new>
#include <system_error>

namespace rivo {

std::string CurrentFailureReason() {
    try {
        throw;
    } catch (const FileError& e) {
        return e.path() + ": " + e.reason();
    } catch (const std::bad_alloc&) {
        return "not enough memory";
    } catch (const std::system_error& e) {
        return e.code().message();
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "an unknown error";
    }
}

void ShowCurrentFailure(WindowOperations& window, std::string_view task) noexcept {
    try {
        window.ShowMessage(std::string(task) + " failed: " + CurrentFailureReason());
    } catch (...) {
        // No memory or no dialog left to tell the user with.
    }
}

} // namespace rivo
