#include "file_error.h"

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
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace rivo
