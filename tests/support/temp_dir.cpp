#include "temp_dir.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace rivo::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device rd;
    std::mt19937_64 gen(rd());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("rivo-test-" + std::to_string(gen()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void writeFile(const fs::path& path, std::string_view bytes) {
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<fs::path> TemporaryFilesLeft(const fs::path& folder) {
    std::vector<fs::path> left;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(".rivo-") && name.ends_with(".tmp")) {
            left.push_back(it->path());
        }
    }
    return left;
}

TestPrefix::TestPrefix() {
    fs::create_directories(dir_ / "drive_c");
    fs::create_directories(dir_ / "dosdevices");
    fs::create_directory_symlink("../drive_c", dir_ / "dosdevices" / "c:");
}

fs::path testDataDir() {
    return RIVO_TEST_DATA_DIR;
}

} // namespace rivo::test
