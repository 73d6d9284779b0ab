// Finding the game in a real Wine system.reg against merely reading the file:
// the lookup scans the file once, so it should cost little more than the read.
#include "rivoconfig.h"
#include "text_file.h"
#include "wine_registry.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

namespace rivo {
namespace {

const std::filesystem::path kSystemReg =
    std::filesystem::path(RIVO_BENCH_DATA_DIR) / "wine-registry" / "system.reg";

// The lookup finds the game, so the window is never asked for anything.
class QuietWindow : public WindowOperations {
public:
    void EnableDriverRow(int, bool) override {}
    void AppendVideoDriver(const std::string&) override {}
    void SelectVideoDriver(int) override {}
    void ShowMessage(const std::string&) override {}
    void CloseMainWindow() override {}
};

void BM_LocateInstallDir(benchmark::State& state) {
    WineRegistry registry(kSystemReg);
    QuietWindow window;
    for (auto _ : state) {
        std::string InstallDir;
        LocateInstallDir(registry, window, InstallDir);
        if (InstallDir.empty()) {
            state.SkipWithError("the game's key was not found");
            break;
        }
        benchmark::DoNotOptimize(InstallDir);
    }
}
BENCHMARK(BM_LocateInstallDir)->Unit(benchmark::kMicrosecond);

void BM_ReadWholeFile(benchmark::State& state) {
    for (auto _ : state) {
        std::string bytes = textfile::readBytes(kSystemReg, WineRegistry::kMaxFileSize);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace rivo

BENCHMARK_MAIN();
