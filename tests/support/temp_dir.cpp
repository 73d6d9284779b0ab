#include "temp_dir.h"

#ifdef _WIN32
#include "native_paths.h"
#else
#include "wine_paths.h"
#endif

#include <algorithm>
#include <fstream>
#include <random>
#include <stdexcept>

namespace rivo::test {

namespace fs = std::filesystem;

fs::path MemoryFolder() {
    std::error_code error;
    const fs::path shm = "/dev/shm";
    if (fs::is_directory(shm, error)) {
        return shm;
    }
    return fs::temp_directory_path();
}

TempDir::TempDir(const fs::path& base) {
    std::random_device rd;
    std::mt19937_64 gen(rd());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = (base.empty() ? fs::temp_directory_path() : base) /
                             ("rivo-test-" + std::to_string(gen()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
#ifdef _WIN32
    // Windows deletes no file that has the read-only attribute.
    std::error_code walk;
    for (fs::recursive_directory_iterator it(path_, walk), end; !walk && it != end;
         it.increment(walk)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
#endif
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

std::vector<std::string> FileNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) {
        names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#ifdef _WIN32
namespace {

// Game paths on C: go into `driveC`; every other path is native.
class DriveCPaths : public GamePaths {
public:
    explicit DriveCPaths(fs::path driveC) : driveC_(std::move(driveC)) {}
    fs::path toHost(const std::string& gamePath) const override {
        if (gamePath.size() < 2 || (gamePath[0] != 'C' && gamePath[0] != 'c') ||
            gamePath[1] != ':') {
            return native_.toHost(gamePath);
        }
        const std::size_t rest = gamePath.find_first_not_of("\\/", 2);
        return rest == std::string::npos ? driveC_
                                         : driveC_ / native_.toHost(gamePath.substr(rest));
    }

private:
    fs::path driveC_;
    NativePaths native_;
};

} // namespace
#endif

std::vector<fs::path> TemporaryFilesLeft(const fs::path& folder) {
    std::vector<fs::path> left;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(".rivo-") && (name.ends_with(".tmp") || name.ends_with(".tmp.old"))) {
            left.push_back(it->path());
        }
    }
    return left;
}

TestPrefix::TestPrefix(const fs::path& base) : dir_(base) {
    fs::create_directories(dir_ / "drive_c");
#ifdef _WIN32
    paths_ = std::make_unique<DriveCPaths>(driveC());
#else
    fs::create_directories(dir_ / "dosdevices");
    fs::create_directory_symlink("../drive_c", dir_ / "dosdevices" / "c:");
    paths_ = std::make_unique<WinePaths>(root());
#endif
}

TestPrefix::~TestPrefix() = default;

fs::path testDataDir() {
    return RIVO_TEST_DATA_DIR;
}

} // namespace rivo::test
