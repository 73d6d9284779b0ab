#include "driver_test_game.h"

#include "temp_dir.h"

#include <algorithm>

namespace rivo::test {

namespace fs = std::filesystem;

DriverRecord WithDefaults(DriverRecord r) {
    r[DriverField::ReactionTime] = "0.065";
    r[DriverField::Aggressive] = "0.000";
    r[DriverField::Defensive] = "0.000";
    r[DriverField::Intelligence] = "0.000";
    r[DriverField::LimitAverage] = "1.000";
    r[DriverField::LimitVariance] = "0.030";
    return r;
}

DriverRecord SampleRecord(int row) {
    const std::string n = std::to_string(row);
    DriverRecord r;
    r[DriverField::DriverName] = "Driver " + n;
    r[DriverField::Nationality] = "Nation " + n;
    r[DriverField::DateofBirth] = n + "/4/1970";
    r[DriverField::Age] = "2" + n;
    r[DriverField::Starts] = "1" + n + "0";
    r[DriverField::Poles] = n;
    r[DriverField::Wins].clear();
    r[DriverField::BestWorldChampionshipPlace] = "3rd (" + n + ")";
    r[DriverField::QualifyingAbility] = std::string("7"); // a whole number, kept as written
    r[DriverField::RaceAbility] = "0.9" + n;
    r[DriverField::CompletedLaps] = "8" + n;
    r[DriverField::Crash] = "1." + n;
    r[DriverField::ReactionTime] = "0.07" + n;
    r[DriverField::Aggressive] = "0.1" + n;
    r[DriverField::Defensive] = "0.2" + n;
    r[DriverField::Intelligence] = "0.3" + n;
    r[DriverField::LimitAverage] = "0.99" + n;
    r[DriverField::LimitVariance] = "0.04" + n;
    return r;
}

std::string RecordFileText(const DriverRecord& r) {
    auto line = [&](const char* key, DriverField f) {
        return std::string(" ") + key + "=" + r[f] + "\r\n";
    };
    return r[DriverField::DriverName] + "\r\n{\r\n //Driver Info\r\n" +
           line("Nationality", DriverField::Nationality) +
           line("DateofBirth", DriverField::DateofBirth) + line("Age", DriverField::Age) +
           line("Starts", DriverField::Starts) + line("Poles", DriverField::Poles) +
           line("Wins", DriverField::Wins) +
           line("BestWorldChampionshipPlace", DriverField::BestWorldChampionshipPlace) +
           "\r\n //Driver Stats\r\n" + line("QualifyingAbility", DriverField::QualifyingAbility) +
           line("RaceAbility", DriverField::RaceAbility) +
           line("CompletedLaps%", DriverField::CompletedLaps) + line("Crash%", DriverField::Crash) +
           line("ReactionTime", DriverField::ReactionTime) +
           line("Aggressive", DriverField::Aggressive) + line("Defensive", DriverField::Defensive) +
           line("Intelligence", DriverField::Intelligence) +
           line("LimitAverage", DriverField::LimitAverage) +
           line("LimitVariance", DriverField::LimitVariance) + "}\r\n";
}

std::vector<std::pair<std::string, std::string>> FolderContents(const fs::path& folder) {
    std::vector<std::pair<std::string, std::string>> contents;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string rel = fs::relative(e.path(), folder).generic_string();
        contents.emplace_back(rel, e.is_regular_file() ? readFile(e.path()) : "<folder>");
    }
    std::sort(contents.begin(), contents.end());
    return contents;
}

int OpenFileCount() {
    std::error_code ec;
    int count = 0;
    for (fs::directory_iterator it("/proc/self/fd", ec), end; !ec && it != end; it.increment(ec)) {
        ++count;
    }
    return ec || count == 0 ? -1 : count;
}

} // namespace rivo::test
