#include "launcher_files.h"

#include "file_error.h"
#include "plain_file.h"

#include <algorithm>
#include <limits>
#include <system_error>

namespace rivo {

namespace fs = std::filesystem;

std::optional<std::string> LauncherFiles::read(const fs::path& file) {
    try {
        PlainFileReader in(file, std::numeric_limits<std::uintmax_t>::max(), "");
        const std::uintmax_t size = std::max(in.size(), kLeastPerFile);
        if (size > left_) {
            ++passedOver_;
            return std::nullopt;
        }
        left_ -= size;
        return in.readAll();
    } catch (const FileError&) {
        return std::nullopt;
    }
}

std::vector<std::string> LauncherFiles::readEach(const fs::path& folder,
                                                 std::string_view extension) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().extension() == extension) {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> texts;
    for (const fs::path& file : files) {
        if (std::optional<std::string> text = read(file)) {
            texts.push_back(std::move(*text));
        }
    }
    return texts;
}

fs::path launcherPath(std::string_view text, const fs::path& home) {
    if (text.empty()) {
        return {};
    }
    for (const std::string_view lead : {"~", "$HOME", "${HOME}"}) {
        if (text.starts_with(lead) && (text.size() == lead.size() || text[lead.size()] == '/')) {
            text.remove_prefix(lead.size());
            while (text.starts_with('/')) {
                text.remove_prefix(1);
            }
            break;
        }
    }
    // Relative, or made relative by taking off the home: from the home.
    fs::path path = (home / fs::path(text)).lexically_normal();
    if (!path.has_filename() && path.has_relative_path()) {
        path = path.parent_path();
    }
    return path;
}

} // namespace rivo
