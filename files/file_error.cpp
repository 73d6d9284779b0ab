#include "file_error.h"

#ifndef _WIN32
#include "locale_text.h"
#endif

namespace rivo {

FileError::FileError(std::string path, std::error_code code)
    : FileError(std::move(path), code.message()) {
    code_ = code;
}

FileError::FileError(std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason), path_(std::move(path)), reason_(std::move(reason)) {
}

FileError FileError::withPath(std::string path) const {
    FileError renamed(std::move(path), reason_);
    renamed.code_ = code_;
    return renamed;
}

std::string displayPath(const std::filesystem::path& path) {
#ifdef _WIN32
    // Wide paths are Unicode already.
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    // A host name is bytes in the user's encoding, not necessarily UTF-8.
    return localeBytesToUtf8(path.native());
#endif
}

std::string displayRealPath(const std::filesystem::path& path) {
    std::error_code failed;
    const std::filesystem::path real = std::filesystem::weakly_canonical(path, failed);
    return displayPath(failed || real.empty() ? path : real);
}

} // namespace rivo
