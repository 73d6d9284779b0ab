#include "seen_files.h"

#include "file_error.h"
#include "text_file.h"

namespace rivo {

bool IsMissingFile(const std::error_code& code) {
    return code == std::errc::no_such_file_or_directory || code == std::errc::not_a_directory;
}

bool RefusedForRights(const std::error_code& code) {
#ifdef _WIN32
    constexpr int kAccessDenied = 5; // ERROR_ACCESS_DENIED
    if (code.category() == std::system_category() && code.value() == kAccessDenied) {
        return true;
    }
#endif
    return code == std::errc::permission_denied || code == std::errc::operation_not_permitted;
}

const SeenFiles::Content* SeenFiles::lastSeen(const std::string& gamePath) const {
    const auto found = files_.find(gamePath);
    return found == files_.end() ? nullptr : &found->second;
}

std::string ReadGameFile(SeenFiles* seen, const std::string& gamePath,
                         const std::filesystem::path& host) {
    if (seen == nullptr) {
        return textfile::readBytes(host);
    }
    try {
        std::string bytes = textfile::readBytes(host);
        seen->remember(gamePath, bytes);
        return bytes;
    } catch (const FileError& e) {
        if (IsMissingFile(e.code())) {
            seen->remember(gamePath, std::nullopt);
        } else {
            seen->rememberUnreadable(gamePath);
        }
        throw;
    }
}

} // namespace rivo
