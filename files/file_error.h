#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace rivo {

// A failure to read or write one file, naming the file and the reason, so
// that the window can tell the user exactly what went wrong.
class FileError : public std::runtime_error {
public:
    FileError(std::string path, std::error_code code);
    FileError(std::string path, std::string reason);

    // The file as the user knows it (UTF-8).
    const std::string& path() const noexcept { return path_; }
    // Why it failed, in words ("No such file or directory").
    const std::string& reason() const noexcept { return reason_; }
    // The system's code, where there was one.
    std::error_code code() const noexcept { return code_; }

    // The same failure, naming the file another way (a game path instead of
    // the host path it resolved to).
    FileError withPath(std::string path) const;

private:
    std::string path_;
    std::string reason_;
    std::error_code code_;
};

// A host path as UTF-8 text, for messages: decoded from the user's encoding,
// any byte not valid there read as Windows-1252.
std::string displayPath(const std::filesystem::path& path);
// The same for the file's real place: the links on the way (Wine's drive
// letters in dosdevices) followed, as far as they exist.
std::string displayRealPath(const std::filesystem::path& path);

} // namespace rivo
