// Looking for the game in every Wine prefix of a home folder against merely
// reading the prefixes' registries: a home with 30 prefixes spread over the
// launchers' places, each system.reg as large as a real one (1.7 MB). The
// argument is how many of them hold the game; the others hold the same file
// with the game's key renamed.
#include "game_prefixes.h"
#include "prefix_search.h"
#include "text_file.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace rivo {
namespace {

namespace fs = std::filesystem;

constexpr int kPrefixes = 30;

std::string realSystemReg() {
    return textfile::readBytes(fs::path(RIVO_BENCH_DATA_DIR) / "wine-registry" / "system.reg");
}

// The folder of prefix i: the places taken in turn.
fs::path prefixFolder(const fs::path& home, int i) {
    const std::string n = std::to_string(i);
    switch (i % 6) {
    case 0:
        return home / ".local/share/bottles/bottles" / ("bottle" + n);
    case 1:
        return home / ".PlayOnLinux/wineprefix" / ("pol" + n);
    case 2:
        return home / "Games/Heroic/Prefixes" / ("heroic" + n);
    case 3:
        return home / ".local/share/Steam/steamapps/compatdata" / n / "pfx";
    case 4:
        return home / ".cxoffice" / ("bottle" + n);
    default:
        return home / "Games/lutris" / ("game" + n);
    }
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class Home {
public:
    explicit Home(int holding) {
        path_ = fs::temp_directory_path() /
                ("rivo-bench-home-" + std::to_string(std::random_device()()));
        const std::string with = realSystemReg();
        std::string without = with;
        without.replace(without.find("Vantora\\\\Kestra"), 15, "Vantora\\\\Kestrel");
        for (int i = 0; i < kPrefixes; ++i) {
            const fs::path folder = prefixFolder(path_, i);
            writeBytes(folder / "system.reg", i < holding ? with : without);
            files_.push_back(folder / "system.reg");
            if (i % 6 == 5) {
                writeBytes(path_ / ".config/lutris/games" / ("game" + std::to_string(i) + ".yml"),
                           "game:\n  prefix: " + folder.string() + "\nname: Game\nrunner: wine\n");
            }
        }
    }
    ~Home() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }
    const std::vector<fs::path>& files() const { return files_; }

private:
    fs::path path_;
    std::vector<fs::path> files_;
};

void BM_FindGamePrefixes(benchmark::State& state) {
    const Home home(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto found = findGamePrefixes(home.path());
        if (found.size() != static_cast<std::size_t>(state.range(0))) {
            state.SkipWithError("the search found the wrong prefixes");
            break;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindGamePrefixes)->Arg(1)->Arg(kPrefixes)->Unit(benchmark::kMillisecond);

void BM_ReadPrefixRegistries(benchmark::State& state) {
    const Home home(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (const fs::path& file : home.files()) {
            std::string bytes = textfile::readBytes(file);
            benchmark::DoNotOptimize(bytes);
        }
    }
}
BENCHMARK(BM_ReadPrefixRegistries)->Arg(1)->Arg(kPrefixes)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace rivo

BENCHMARK_MAIN();
