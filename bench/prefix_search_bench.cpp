// Looking for the game in every Wine prefix of a home folder against merely
// reading the prefixes' registries: a home with 30 prefixes spread over the
// launchers' places (Steam's over two libraries, Heroic's also named by its
// game settings), each system.reg as large as a real one (1.7 MB). The
// argument is how many of them hold the game; the others hold the same file
// with the game's key renamed.
#include "game_prefixes.h"
#include "prefix_search.h"
#include "text_file.h"
#include "wine_registry.h"

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

// A registry, read as the registry reader reads it (a real one is above the
// limit for the game's own text files).
std::string readRegistry(const fs::path& file) {
    return textfile::readBytes(file, WineRegistry::kMaxFileSize);
}

std::string realSystemReg() {
    return readRegistry(fs::path(RIVO_BENCH_DATA_DIR) / "wine-registry" / "system.reg");
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
        return home / (i % 4 == 1 ? "SteamLibrary" : ".local/share/Steam") /
               "steamapps/compatdata" / n / "pfx";
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
            const std::string n = std::to_string(i);
            writeBytes(folder / "system.reg", i < holding ? with : without);
            files_.push_back(folder / "system.reg");
            if (i % 6 == 2) {
                writeBytes(path_ / ".config/heroic/GamesConfig" / ("game" + n + ".json"),
                           "{\"game" + n + "\": {\"winePrefix\": \"" + folder.string() +
                               "\"}, \"version\": \"v0\"}");
            }
            if (i % 6 == 5) {
                writeBytes(path_ / ".config/lutris/games" / ("game" + n + ".yml"),
                           "game:\n  prefix: " + folder.string() + "\nname: Game\nrunner: wine\n");
            }
        }
        writeBytes(path_ / ".local/share/Steam/steamapps/libraryfolders.vdf",
                   "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" +
                       (path_ / ".local/share/Steam").string() +
                       "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" +
                       (path_ / "SteamLibrary").string() + "\"\n\t}\n}\n");
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

// The same home with Lutris files that are slow to parse, named to come
// before the real ones: five of 1 MiB, forty of 64 KiB and a thousand small
// ones. Parsing all that would take seconds and hundreds of MB; the search
// reads launcher files only up to its total, and still finds the game.
void BM_FindGamePrefixesCrowdedLaunchers(benchmark::State& state) {
    const Home home(1);
    auto nested = [](std::size_t size) {
        std::string yaml = "[";
        while (yaml.size() < size - 8) {
            yaml += "[1, 2, 3, 4, 5, 6, 7, 8, 9, 0], ";
        }
        return yaml + "1]\n";
    };
    const fs::path games = home.path() / ".config/lutris/games";
    for (int i = 0; i < 1000; ++i) {
        const std::string n = std::to_string(i);
        if (i < 5) {
            writeBytes(games / ("a-huge" + n + ".yml"), nested(1 << 20));
        }
        if (i < 40) {
            writeBytes(games / ("b-large" + n + ".yml"), nested(64 << 10));
        }
        writeBytes(games / ("c-small" + n + ".yml"), "game:\n  prefix: /nowhere/" + n + "\n");
    }
    for (auto _ : state) {
        const auto found = findGamePrefixes(home.path());
        if (found.size() != 1) {
            state.SkipWithError("the search found the wrong prefixes");
            break;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_FindGamePrefixesCrowdedLaunchers)->Unit(benchmark::kMillisecond);

void BM_ReadPrefixRegistries(benchmark::State& state) {
    const Home home(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (const fs::path& file : home.files()) {
            std::string bytes = readRegistry(file);
            benchmark::DoNotOptimize(bytes);
        }
    }
}
BENCHMARK(BM_ReadPrefixRegistries)->Arg(1)->Arg(kPrefixes)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace rivo

BENCHMARK_MAIN();
