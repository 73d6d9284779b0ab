// Start-up to the shown window, side by side with a bare Qt window showing
// one label: each iteration starts startup_probe as a new process on the
// offscreen platform and waits for it to end, which it does once its window
// is on screen. The editor finds the game by searching a home folder whose
// one Wine prefix holds it (the demo game with a real, 1.7 MB system.reg).
#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

class Home {
public:
    Home() {
        path_ = fs::temp_directory_path() /
                ("rivo-bench-startup-" + std::to_string(std::random_device()()));
        fs::create_directories(path_);
        fs::copy(RIVO_BENCH_EXAMPLE_PREFIX, path_ / ".wine",
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks);
        fs::copy_file(fs::path(RIVO_BENCH_DATA_DIR) / "wine-registry" / "system.reg",
                      path_ / ".wine" / "system.reg", fs::copy_options::overwrite_existing);
    }
    ~Home() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Runs the probe in `mode` with HOME at the made home, WINEPREFIX unset.
void runProbe(benchmark::State& state, const char* mode) {
    static const Home home;
    std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen", "HOME=" + home.path().string()};
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string var = *e;
        if (!var.starts_with("HOME=") && !var.starts_with("WINEPREFIX=") &&
            !var.starts_with("QT_QPA_PLATFORM=")) {
            env.push_back(var);
        }
    }
    std::vector<char*> envp;
    for (std::string& var : env) {
        envp.push_back(var.data());
    }
    envp.push_back(nullptr);
    std::string probe = RIVO_BENCH_PROBE;
    std::string modeArg = mode;
    char* argv[] = {probe.data(), modeArg.data(), nullptr};

    for (auto _ : state) {
        pid_t pid = 0;
        if (posix_spawn(&pid, probe.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
            state.SkipWithError("cannot start the probe");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the probe did not show its window");
            break;
        }
    }
}

void BM_StartRivoEdit(benchmark::State& state) {
    runProbe(state, "rivoedit");
}
BENCHMARK(BM_StartRivoEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartBareLabel(benchmark::State& state) {
    runProbe(state, "label");
}
BENCHMARK(BM_StartBareLabel)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
