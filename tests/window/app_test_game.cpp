#include "app_test_game.h"

#include <QApplication>
#include <QTest>

namespace rivo::test {

namespace fs = std::filesystem;

AppTest::AppTest() {
    registry.setText("SOFTWARE\\Vantora\\Kestra", "Install Dir", kInstallDir);
}

AppTest::~AppTest() {
    if (window) {
        // Closing must not ask anything of a test that is over.
        window->state().unsaved.clear();
        window->close();
    }
}

std::string SampleVideo() {
    return "[Primary Display Driver]\r\nMode=1\r\n"
           "[3D Accelerator]\r\nMode=2\r\n"
           "[Software Renderer]\r\nMode=0\r\n";
}

DriverRecord SampleDriver(int row) {
    DriverRecord record;
    const std::string n = std::to_string(row);
    record[DriverField::DriverName] = "Driver " + n;
    record[DriverField::Nationality] = "Nation " + n;
    record[DriverField::DateofBirth] = "1/2/19" + std::to_string(60 + row);
    record[DriverField::Age] = std::to_string(20 + row);
    record[DriverField::Starts] = std::to_string(100 + row);
    record[DriverField::Poles] = std::to_string(row);
    record[DriverField::Wins] = std::to_string(row / 2);
    record[DriverField::BestWorldChampionshipPlace] = std::to_string(row + 1);
    // The grid's column c (from 1) of row r reads "c.rr"; React is 0.06
    // throughout. Written field by field, not through the grid's own table,
    // so that a column bound to the wrong field shows the wrong number.
    const std::string rr = std::string(row < 10 ? "0" : "") + n;
    record[DriverField::QualifyingAbility] = "1." + rr;
    record[DriverField::RaceAbility] = "2." + rr;
    record[DriverField::CompletedLaps] = "3." + rr;
    record[DriverField::Crash] = "4." + rr;
    record[DriverField::ReactionTime] = "0.06";
    record[DriverField::Aggressive] = "6." + rr;
    record[DriverField::Defensive] = "7." + rr;
    record[DriverField::Intelligence] = "8." + rr;
    record[DriverField::LimitAverage] = "9." + rr;
    record[DriverField::LimitVariance] = "10." + rr;
    return record;
}

std::string RecordText(const DriverRecord& record) {
    std::string text = record[DriverField::DriverName] + "\r\n{\r\n //Driver Info\r\n";
    for (std::size_t f = 1; f < kDriverFieldCount; ++f) {
        if (f == static_cast<std::size_t>(DriverField::QualifyingAbility)) {
            text += "\r\n //Driver Stats\r\n";
        }
        const auto field = static_cast<DriverField>(f);
        text += std::string(" ") + DriverFieldKey(field) + "=" + record[field] + "\r\n";
    }
    return text + "}\r\n";
}

fs::path AppTest::gameFile(const std::string& name) const {
    return prefix.onC(std::string(kGameRel) + "/" + name);
}

fs::path AppTest::driverFile(int row) const {
    return prefix.onC(std::string(kDriversRel) + "/" + DriverRoster::BaseName(row) + ".rcd");
}

std::string AppTest::driverGamePath(int row) const {
    return GameDriverPath(kInstallDir, "Season 1", DriverRoster::BaseName(row));
}

void AppTest::writeConfig(const std::string& bytes) {
    writeFile(gameFile("config.ini"), bytes);
}

void AppTest::writeDriver(int row, const DriverRecord& record) {
    writeFile(driverFile(row), RecordText(record));
}

void AppTest::writeGame() {
    writeConfig(SampleConfig());
    writeFile(gameFile("video.cfg"), SampleVideo());
    for (int r = 0; r < kDriverRows; ++r) {
        writeDriver(r, SampleDriver(r));
    }
}

bool AppTest::start() {
    window = std::make_unique<frmMain>(registry, paths, dialogs);
    window->originalsRoot = originalsRoot();
    return window->Form_Load();
}

void AppTest::startShown() {
    ASSERT_TRUE(start());
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

std::string RealPlace(const fs::path& path) {
#ifdef _WIN32
    // The test's folders are written with '/' in places; Windows names them
    // with '\\'.
    return displayPath(fs::weakly_canonical(path).make_preferred());
#else
    // The test prefix's drive_c is a real folder.
    return displayPath(path);
#endif
}

} // namespace rivo::test
