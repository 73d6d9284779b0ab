#pragma once

#include "fake_dialogs.h"
#include "fake_registry.h"
#include "frm_main.h"
#include "sample_game.h"
#include "temp_dir.h"

#include <QLineEdit>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace rivo::test {

// Resolves paths as the test prefix does (through Wine's drive links, or on
// Windows natively) and lets the test act each time a file is about to be
// used: look at the disk, or throw as a failing system would.
class WatchedPaths : public GamePaths {
public:
    explicit WatchedPaths(const GamePaths& inner) : inner_(inner) {}
    std::filesystem::path toHost(const std::string& gamePath) const override {
        if (onResolve) {
            onResolve(gamePath);
        }
        return inner_.toHost(gamePath);
    }
    std::function<void(const std::string&)> onResolve;

private:
    const GamePaths& inner_;
};

// A game install made in a Wine-style prefix for one test, found through a
// fake registry, and the real main window started on it with fake dialogs.
class AppTest : public ::testing::Test {
protected:
    static constexpr const char* kInstallDir = "C:\\Games\\Kestra";
    static constexpr const char* kGameRel = "Games/Kestra";
    static constexpr const char* kDriversRel = "Games/Kestra/Season 1/Drivers";

    AppTest();
    ~AppTest() override;

    // config.ini, video.cfg and all 22 driver files.
    void writeGame();
    void writeConfig(const std::string& bytes);
    void writeDriver(int row, const DriverRecord& record);

    std::filesystem::path gameFile(const std::string& name) const;
    // Where the window keeps the game's originals: beside the prefix.
    std::filesystem::path originalsRoot() const { return prefix.root() / "originals"; }
    std::filesystem::path driverFile(int row) const;
    // The game path of a driver file, as the window names it.
    std::string driverGamePath(int row) const;

    // Makes the window and runs start-up; the window stays hidden.
    bool start();
    // Starts, then shows the window and gives it the focus.
    void startShown();

    template <class T> T* find(const QString& name) const {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit* box(const char* column, int row) const {
        return find<QLineEdit>(QString("%1_%2").arg(column).arg(row));
    }
    ProgramState& state() { return window->state(); }

    TestPrefix prefix;
    WatchedPaths paths{prefix.paths()};
    FakeRegistry registry;
    FakeDialogs dialogs;
    std::unique_ptr<frmMain> window;
};

// A game file's path as the window names the file on this system: its real
// place (not the Wine drive link on the way), as the system writes paths.
std::string RealPlace(const std::filesystem::path& path);

// Three video drivers, the second of them "3D Accelerator".
std::string SampleVideo();
// Row `row` of the sample driver set: a name and a distinct value in every
// field; the reaction time is 0.06 in every row.
DriverRecord SampleDriver(int row);
// The 23 lines of a record, CR LF each.
std::string RecordText(const DriverRecord& record);

} // namespace rivo::test
