// A player's session as a seeded random walk: edits, imports, saves, Restore,
// undo and redo, and another program writing the game's files in between,
// held against a small model of what the editor, the disk and the kept
// originals must hold after every action.
//
// RIVO_WALK_SEED and RIVO_WALK_ACTIONS choose another walk; a failure names
// the seed and the action.
#include "editor_session.h"
#include "temp_dir.h"

#include <cstdlib>
#include <gmock/gmock.h>
#include <map>
#include <random>
#include <set>

namespace rivo::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kInstallDir = "C:\\Games\\Kestra";
// The rows the walk edits and another program writes; every file is saved.
constexpr int kWalkRows = 4;
// File 0 is config.ini, file 1 + r the driver file of row r.
constexpr int kFiles = 1 + kDriverRows;

// The game's files as the walk's "other program" writes them, with every
// key, so that the reader takes exactly these values, and a note line that
// no reader keeps.
struct KeyOf {
    const char* key;
    std::string GameSettings::*field;
    bool quoted;
};
const KeyOf kConfigKeys[] = {
    {"SeasonDir", &GameSettings::SeasonDir, true},
    {"SoundDir", &GameSettings::SoundDir, true},
    {"OptionsDir", &GameSettings::OptionsDir, true},
    {"MovieDir", &GameSettings::MovieDir, true},
    {"ReplayDir", &GameSettings::ReplayDir, true},
    {"TracksDir", &GameSettings::TracksDir, true},
    {"VehiclesDir", &GameSettings::VehiclesDir, true},
    {"MusicDir", &GameSettings::MusicDir, true},
    {"SystemRating", &GameSettings::SystemRating, false},
    {"WindowedMode", &GameSettings::WindowedMode, false},
    {"VideoDriver", &GameSettings::VideoDriver, true},
    {"UseA3D", &GameSettings::UseA3D, false},
    {"UseEAX", &GameSettings::UseEAX, false},
    {"InstallFrom", &GameSettings::InstallFrom, true},
    {"InstallTo", &GameSettings::InstallTo, true},
    {"Version", &GameSettings::Version, false},
};
const char* const kRecordKeys[] = {
    "",
    "Nationality",
    "DateofBirth",
    "Age",
    "Starts",
    "Poles",
    "Wins",
    "BestWorldChampionshipPlace",
    "QualifyingAbility",
    "RaceAbility",
    "CompletedLaps%",
    "Crash%",
    "ReactionTime",
    "Aggressive",
    "Defensive",
    "Intelligence",
    "LimitAverage",
    "LimitVariance",
};

std::string ConfigText(const GameSettings& s, const std::string& note) {
    std::string text = "; " + note + "\r\n[Components]\r\n";
    for (const KeyOf& k : kConfigKeys) {
        const std::string& value = s.*k.field;
        text += std::string(k.key) + "=" + (k.quoted ? "\"" + value + "\"" : value) + "\r\n";
    }
    return text;
}

std::string DriverText(const DriverRecord& r, const std::string& note) {
    std::string text = r.fields[0] + "\r\n{\r\n // " + note + "\r\n";
    for (std::size_t f = 1; f < kDriverFieldCount; ++f) {
        text += std::string(" ") + kRecordKeys[f] + "=" + r.fields[f] + "\r\n";
    }
    return text + "}\r\n";
}

// What the editor holds that a step takes back and forth.
struct Values {
    GameSettings settings;
    std::array<DriverRecord, kDriverRows> rows{};
    DriverRowSet enabled = DriverRowSet().set();
    bool operator==(const Values&) const = default;
};

// Where `shown` differs from `expected`, one line each ("row 2 field 9:
// 0.5, expected 0.75"), so that a failure says what went wrong.
std::vector<std::string> Mismatches(const Values& shown, const Values& expected) {
    std::vector<std::string> out;
    for (const KeyOf& k : kConfigKeys) {
        if (shown.settings.*k.field != expected.settings.*k.field) {
            out.push_back(std::string(k.key) + ": " + shown.settings.*k.field + ", expected " +
                          expected.settings.*k.field);
        }
    }
    for (std::size_t r = 0; r < shown.rows.size(); ++r) {
        for (std::size_t f = 0; f < kDriverFieldCount; ++f) {
            if (shown.rows[r].fields[f] != expected.rows[r].fields[f]) {
                out.push_back("row " + std::to_string(r) + " field " + std::to_string(f) + ": " +
                              shown.rows[r].fields[f] + ", expected " + expected.rows[r].fields[f]);
            }
        }
        if (shown.enabled.test(r) != expected.enabled.test(r)) {
            out.push_back("row " + std::to_string(r) +
                          (shown.enabled.test(r) ? " enabled" : " greyed"));
        }
    }
    return out;
}

Values ValuesOf(const EditorData& data) {
    Values v{data.settings, {}, data.enabledRows};
    for (int r = 0; r < kDriverRows; ++r) {
        v.rows[static_cast<std::size_t>(r)] = data.roster[r];
    }
    return v;
}

// One game file as the model knows it.
struct DiskFile {
    bool exists = true;
    // Written by RivoEdit itself: its bytes are what a save of these values
    // writes, so a save with the same values finds them there.
    bool ownBytes = false;
};

// Answers the window operations as the window does: the rows' state goes to
// the editor's data.
struct WalkWindow : WindowOperations {
    explicit WalkWindow(ProgramState& state) : state_(state) {}
    void EnableDriverRow(int row, bool enabled) override {
        state_.enabledRows.set(static_cast<std::size_t>(row), enabled);
    }
    void AppendVideoDriver(const std::string&) override {}
    void SelectVideoDriver(int) override {}
    void ShowMessage(const std::string&) override {}
    void CloseMainWindow() override {}
    ProgramState& state_;
};

class HistoryWalk {
public:
    explicit HistoryWalk(unsigned seed) : random_(seed), listLoss_(seed) {
        session_.onMarksMeasured = [this](bool unsaved) { told_ = unsaved; };
        GameSettings s;
        s.SeasonDir = "Season 1";
        s.SoundDir = "Sounds";
        s.OptionsDir = "Options";
        s.MovieDir = "Movies";
        s.ReplayDir = "Replays";
        s.TracksDir = "Tracks";
        s.VehiclesDir = "Vehicles";
        s.MusicDir = "Music";
        s.SystemRating = "3";
        s.WindowedMode = "1";
        s.VideoDriver = "3D Accelerator";
        s.UseA3D = "0";
        s.UseEAX = "1";
        s.InstallFrom = "D:\\";
        s.InstallTo = kInstallDir;
        s.Version = "1.00";
        disk_.settings = s;
        writeFile(host(0), ConfigText(s, "as installed"));
        writeFile(prefix_.onC("Games/Kestra/video.cfg"), "[3D Accelerator]\r\n");
        for (int r = 0; r < kDriverRows; ++r) {
            DriverRecord& record = disk_.rows[static_cast<std::size_t>(r)];
            record.fields[0] = "Driver " + std::to_string(r);
            for (std::size_t f = 1; f < kDriverFieldCount; ++f) {
                record.fields[f] = "0." + std::to_string(f);
            }
            writeFile(driverHost(r), DriverText(record, "as installed"));
        }
        state_.InstallDir = kInstallDir;
        state_.seen.keepOriginalsIn(&originals_);
        read();
    }

    void step(int action) {
        // Now and then, between two actions, another program deletes the
        // originals' list (drawn apart, so the walk's actions stay the same).
        if (std::uniform_int_distribution<int>(0, 15)(listLoss_) == 0) {
            fs::remove(keptIn_ / "originals.txt");
        }
        switch (action) {
        case 0:
        case 1:
        case 2:
            return typeValue();
        case 3:
            return chooseSetting();
        case 4:
            return importFromGame();
        case 5:
        case 6:
            return otherProgram();
        case 7:
        case 8:
            return undo();
        case 9:
            return redo();
        case 10:
            return save(Save::All);
        case 11:
            return save(Save::Settings);
        case 12:
            return save(Save::Drivers);
        case 13:
            return restore();
        default:
            return undoToLastReadOrSave();
        }
    }
    static constexpr int kActions = 15;

    // What must hold after every action.
    void check() {
        ASSERT_THAT(Mismatches(ValuesOf(state_), model_), ::testing::IsEmpty())
            << "the editor's values";
        // What the window's title was last told: unsaved exactly when
        // closing would ask, without a measure of its own.
        bool differs = model_.settings != last_.settings;
        for (std::size_t i = 0; i < model_.rows.size(); ++i) {
            differs = differs || model_.rows[i] != last_.rows[i];
        }
        EXPECT_EQ(told_, std::optional<bool>(differs)) << "the title's mark";
        session_.remeasure();
        EXPECT_EQ(state_.unsaved.settings, model_.settings != last_.settings)
            << "config.ini's mark";
        for (int r = 0; r < kDriverRows; ++r) {
            const auto i = static_cast<std::size_t>(r);
            EXPECT_EQ(state_.unsaved.editedRows.test(i), model_.rows[i] != last_.rows[i])
                << "row " << r << "'s mark";
        }
        EXPECT_EQ(state_.unsaved.drivers, state_.unsaved.editedRows.any());
        // Every original kept is the file as it was before RivoEdit first
        // replaced it, and it never changes.
        std::map<std::string, std::optional<std::string>> kept;
        for (const Originals::Kept& k : originals_.all()) {
            kept[k.gamePath] = k.bytes;
        }
        std::set<std::string> wrong;
        for (const auto& [path, bytes] : kept) {
            const auto expected = originalBytes_.find(path);
            if (expected == originalBytes_.end() || expected->second != bytes) {
                wrong.insert(path);
            }
        }
        EXPECT_EQ(kept.size(), originalBytes_.size()) << "the number of originals kept";
        EXPECT_THAT(wrong, ::testing::IsEmpty()) << "originals kept wrong or changed";
        // The list on the disk, read afresh as the next start would, names
        // no original wrongly, and no copy in the folder ever changes.
        for (const Originals::Kept& k :
             Originals(keptIn_.path(), kInstallDir, prefix_.onC("Games/Kestra")).all()) {
            const auto expected = originalBytes_.find(k.gamePath);
            EXPECT_TRUE(expected != originalBytes_.end() && expected->second == k.bytes)
                << "originals.txt names " << k.gamePath << " wrongly";
        }
        for (const auto& entry : fs::recursive_directory_iterator(keptIn_.path())) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_regular_file() || name == "originals.txt" || name == "originals.lock") {
                continue;
            }
            const auto [seen, made] = copies_.emplace(entry.path(), readFile(entry.path()));
            EXPECT_TRUE(made || seen->second == readFile(entry.path()))
                << entry.path() << " changed";
        }
        for (int f = 0; f < kFiles; ++f) {
            EXPECT_EQ(fs::exists(host(f)), file_[static_cast<std::size_t>(f)].exists)
                << gamePath(f);
        }
    }

    std::string last;

private:
    enum class Save { All, Settings, Drivers };

    std::string gamePath(int file) const {
        return file == 0 ? std::string(kInstallDir) + "\\config.ini"
                         : std::string(kInstallDir) + "\\Season 1\\Drivers\\" +
                               DriverRoster::BaseName(file - 1) + ".rcd";
    }
    fs::path driverHost(int row) const {
        return prefix_.onC("Games/Kestra/Season 1/Drivers/" + DriverRoster::BaseName(row) + ".rcd");
    }
    fs::path host(int file) const {
        return file == 0 ? prefix_.onC("Games/Kestra/config.ini") : driverHost(file - 1);
    }
    std::optional<std::string> bytesOnDisk(int file) const {
        if (!fs::exists(host(file))) {
            return std::nullopt;
        }
        return readFile(host(file));
    }
    void seen(int file) { seenBytes_[static_cast<std::size_t>(file)] = bytesOnDisk(file); }
    // Another program wrote or removed it since RivoEdit last read or saved
    // it.
    bool changedElsewhere(int file) const {
        return bytesOnDisk(file) != seenBytes_[static_cast<std::size_t>(file)];
    }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool coin() { return pick(2) == 1; }

    // The editor's values now as the model has them for file `f`.
    bool sameValues(int f, const Values& a, const Values& b) const {
        return f == 0 ? a.settings == b.settings
                      : a.rows[static_cast<std::size_t>(f - 1)] ==
                            b.rows[static_cast<std::size_t>(f - 1)];
    }
    void takeValues(int f, Values& to, const Values& from) {
        if (f == 0) {
            to.settings = from.settings;
        } else {
            to.rows[static_cast<std::size_t>(f - 1)] = from.rows[static_cast<std::size_t>(f - 1)];
        }
    }

    // Start-up, and the reading after Restore: everything as the disk holds
    // it, from nothing.
    void read() {
        session_.readGame();
        session_.startAfresh();
        model_ = Values{disk_.settings, {}, {}};
        for (int r = 0; r < kDriverRows; ++r) {
            const auto i = static_cast<std::size_t>(r);
            const bool there = file_[1 + i].exists;
            model_.enabled.set(i, there);
            if (there) {
                model_.rows[i] = disk_.rows[i];
            }
        }
        for (int f = 0; f < kFiles; ++f) {
            seen(f);
        }
        last_ = model_;
        readOrSaved_ = model_;
        steps_.clear();
        history_ = {model_};
        at_ = 0;
        readOrSavedAt_ = 0;
    }

    // A change the user made: one step when a value changed.
    void recordChange() {
        const std::optional<EditStep> step = session_.record();
        const bool changed = model_ != history_[at_];
        ASSERT_EQ(step.has_value(), changed) << "a step exactly when a value changed";
        if (!changed) {
            return;
        }
        steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(at_), steps_.end());
        steps_.push_back(*step);
        history_.resize(at_ + 1);
        history_.push_back(model_);
        ++at_;
        if (readOrSavedAt_ && *readOrSavedAt_ >= at_) {
            readOrSavedAt_.reset(); // that point is gone from the history
        }
    }

    void typeValue() {
        const int row = pick(kWalkRows);
        const auto i = static_cast<std::size_t>(row);
        if (!state_.enabledRows.test(i) || state_.roster[row].fields[0].empty()) {
            return; // a greyed or unnamed row takes no typing
        }
        const auto field = static_cast<std::size_t>(8 + pick(10));
        static const char* const kTyped[] = {"0.5", "0.75", "1.0", ".25"};
        // Now and then the value the file holds, so that an edit can end
        // where it began.
        const std::string value = pick(4) == 0 ? last_.rows[i].fields[field] : kTyped[pick(4)];
        last = "type " + value + " into row " + std::to_string(row);
        state_.roster[row].fields[field] = value;
        model_.rows[i].fields[field] = value;
        recordChange();
    }

    void chooseSetting() {
        std::string GameSettings::*const choices[] = {&GameSettings::WindowedMode,
                                                      &GameSettings::UseA3D, &GameSettings::UseEAX};
        std::string GameSettings::*setting = &GameSettings::SystemRating;
        std::string value = std::to_string(1 + pick(5));
        if (coin()) {
            setting = choices[pick(3)];
            value = std::to_string(pick(2));
        }
        last = "choose " + value;
        state_.settings.*setting = value;
        model_.settings.*setting = value;
        recordChange();
    }

    void importFromGame() {
        last = "Import From Game";
        session_.importFromGame();
        for (int r = 0; r < kDriverRows; ++r) {
            const auto i = static_cast<std::size_t>(r);
            const DiskFile& file = file_[1 + i];
            model_.enabled.set(i, file.exists);
            // A missing file's row keeps what it shows, which then differs
            // from the file's nothing.
            if (file.exists) {
                model_.rows[i] = disk_.rows[i];
            }
            last_.rows[i] = file.exists ? disk_.rows[i] : DriverRecord{};
            seen(1 + r);
        }
        recordChange();
        readOrSavedAt_ = at_;
        readOrSaved_ = model_;
    }

    // Another program writes or removes one of the game's files.
    void otherProgram() {
        const int f = pick(1 + kWalkRows);
        DiskFile& file = file_[static_cast<std::size_t>(f)];
        if (f > 0 && file.exists && pick(4) == 0) {
            last = "another program removes " + gamePath(f);
            fs::remove(host(f));
            file = {false, false};
            return;
        }
        // A value changed, or only the note: the same values in other bytes.
        if (f == 0) {
            if (coin()) {
                disk_.settings.SystemRating = std::to_string(1 + pick(5));
            }
            writeFile(host(f), ConfigText(disk_.settings, "note " + std::to_string(++notes_)));
        } else {
            DriverRecord& record = disk_.rows[static_cast<std::size_t>(f - 1)];
            if (coin()) {
                record.fields[8 + static_cast<std::size_t>(pick(10))] = "0.9";
            }
            writeFile(host(f), DriverText(record, "note " + std::to_string(++notes_)));
        }
        last = "another program writes " + gamePath(f);
        file = {true, false};
    }

    void undo() {
        last = "Undo";
        if (at_ == 0) {
            return;
        }
        --at_;
        session_.putBack(steps_[at_].before());
        model_ = history_[at_];
    }

    void redo() {
        last = "Redo";
        if (at_ == steps_.size()) {
            return;
        }
        session_.putBack(steps_[at_].after());
        ++at_;
        model_ = history_[at_];
    }

    // Undoing every step since the last read or save gives back exactly what
    // was read or saved.
    void undoToLastReadOrSave() {
        last = "undo to the last read or save";
        if (!readOrSavedAt_ || at_ < *readOrSavedAt_) {
            return;
        }
        while (at_ > *readOrSavedAt_) {
            undo();
        }
        EXPECT_THAT(Mismatches(ValuesOf(state_), readOrSaved_), ::testing::IsEmpty())
            << "the values last read or saved";
    }

    // What a save of the files `plan` must do, file by file, given the
    // user's answer to the question about files another program changed.
    struct Outcome {
        std::set<std::string> asked;
        std::set<int> written;
        std::set<int> refused;
    };
    Outcome expect(const std::vector<int>& plan, bool answer, const Values& target) const {
        Outcome out;
        for (const int f : plan) {
            const DiskFile& file = file_[static_cast<std::size_t>(f)];
            if (file.exists && file.ownBytes && sameValues(f, disk_, target)) {
                continue; // already holds the new bytes
            }
            if (changedElsewhere(f)) {
                out.asked.insert(gamePath(f));
                if (!answer) {
                    out.refused.insert(f);
                    continue;
                }
            }
            out.written.insert(f);
        }
        return out;
    }

    void save(Save which) {
        std::vector<int> plan;
        // Rows without a name: their files are left as they are, and edits
        // made to such a row since its file was read or saved are reported
        // as not saved (they stay marked).
        std::set<int> nameless;
        if (which != Save::Drivers) {
            plan.push_back(0);
        }
        for (int r = 0; which != Save::Settings && r < kDriverRows; ++r) {
            const auto i = static_cast<std::size_t>(r);
            if (!model_.rows[i].fields[0].empty()) {
                plan.push_back(1 + r);
            } else if (model_.rows[i] != last_.rows[i]) {
                nameless.insert(1 + r);
            }
        }
        const bool answer = coin();
        last = std::string(which == Save::All        ? "Save All"
                           : which == Save::Settings ? "Config > Save"
                                                     : "Drivers > Save To Game") +
               (answer ? ", replacing" : ", keeping") + " other programs' changes";
        Outcome outcome = expect(plan, answer, model_);
        outcome.refused.insert(nameless.begin(), nameless.end());
        std::vector<FileReview> reviews;
        if (which == Save::All) {
            reviews = session_.review();
        }
        std::map<int, std::optional<std::string>> before;
        for (int f = 0; f < kFiles; ++f) {
            before[f] = bytesOnDisk(f);
        }

        std::set<std::string> asked;
        const auto ask = [&](const std::vector<std::string>& paths) {
            asked.insert(paths.begin(), paths.end());
            return answer;
        };
        const std::vector<FileError> failures = which == Save::All ? session_.saveAll(ask)
                                                : which == Save::Settings
                                                    ? session_.saveSettings(ask)
                                                    : session_.saveDrivers(ask);
        EXPECT_EQ(asked, outcome.asked) << "the files asked about";
        std::set<std::string> failed;
        for (const FileError& failure : failures) {
            failed.insert(failure.path());
        }
        std::set<std::string> refused;
        for (const int f : outcome.refused) {
            refused.insert(gamePath(f));
        }
        EXPECT_EQ(failures.size(), outcome.refused.size());
        EXPECT_EQ(failed, refused) << "the files reported as not saved";

        std::set<int> changed;
        for (int f = 0; f < kFiles; ++f) {
            if (bytesOnDisk(f) != before[f]) {
                changed.insert(f);
            }
        }
        EXPECT_EQ(changed, outcome.written) << "the files written";
        EXPECT_EQ(session_.lastWritten(), static_cast<int>(outcome.written.size()))
            << "the count the status line shows";
        if (which == Save::All) {
            checkReview(reviews, outcome, before);
        }
        for (int f = 0; f < kFiles; ++f) {
            DiskFile& file = file_[static_cast<std::size_t>(f)];
            if (outcome.refused.contains(f) ||
                std::find(plan.begin(), plan.end(), f) == plan.end()) {
                continue;
            }
            if (outcome.written.contains(f) && !originalBytes_.contains(gamePath(f))) {
                originalBytes_[gamePath(f)] = before[f];
                originalValues_[f] = {disk_, file};
            }
            takeValues(f, disk_, model_);
            takeValues(f, last_, model_);
            file = {true, true};
            seen(f);
        }
        readOrSavedAt_ = at_;
        readOrSaved_ = model_;
    }

    // The review before Save All lists exactly the files it then writes or
    // refuses, and in each file it read, exactly the values that differ.
    void checkReview(const std::vector<FileReview>& reviews, const Outcome& outcome,
                     const std::map<int, std::optional<std::string>>& before) {
        std::set<std::string> listed;
        for (const FileReview& review : reviews) {
            if (review.refused) {
                listed.insert(review.refused->path());
                continue;
            }
            listed.insert(review.gamePath);
            const int f = fileOf(review.gamePath);
            if (f < 0 || !before.at(f)) {
                continue;
            }
            std::vector<std::string> values;
            for (const ValueChange& v : review.values) {
                values.push_back(v.name + ": " + v.onDisk.value_or("-") + " -> " + v.written);
            }
            EXPECT_THAT(values, ::testing::UnorderedElementsAreArray(differences(f)))
                << review.gamePath;
        }
        std::set<std::string> expected;
        for (const int f : outcome.written) {
            expected.insert(gamePath(f));
        }
        for (const int f : outcome.refused) {
            expected.insert(gamePath(f));
        }
        EXPECT_EQ(listed, expected) << "the files the review lists";
    }

    int fileOf(const std::string& path) const {
        for (int f = 0; f < kFiles; ++f) {
            if (gamePath(f) == path) {
                return f;
            }
        }
        return -1;
    }

    // "key: on disk -> written" for each value of file `f` the editor
    // changes.
    std::vector<std::string> differences(int f) const {
        std::vector<std::string> out;
        if (f == 0) {
            for (const KeyOf& k : kConfigKeys) {
                if (disk_.settings.*k.field != model_.settings.*k.field) {
                    out.push_back(std::string(k.key) + ": " + disk_.settings.*k.field + " -> " +
                                  model_.settings.*k.field);
                }
            }
            return out;
        }
        const auto i = static_cast<std::size_t>(f - 1);
        for (std::size_t field = 0; field < kDriverFieldCount; ++field) {
            if (disk_.rows[i].fields[field] != model_.rows[i].fields[field]) {
                out.push_back(std::string(field == 0 ? "Name" : kRecordKeys[field]) + ": " +
                              disk_.rows[i].fields[field] + " -> " + model_.rows[i].fields[field]);
            }
        }
        return out;
    }

    // Restore puts back each original; a file another program changed only
    // when the user says so. The game is then read from nothing.
    void restore() {
        const std::vector<Originals::Kept> kept = originals_.all();
        if (kept.empty()) {
            return;
        }
        const bool answer = coin();
        last = std::string("Restore, ") + (answer ? "replacing" : "keeping") +
               " other programs' changes";
        std::set<std::string> expectedAsked;
        std::set<std::string> asked;
        for (const Originals::Kept& k : kept) {
            const int f = fileOf(k.gamePath);
            DiskFile& file = file_[static_cast<std::size_t>(f)];
            if (bytesOnDisk(f) == k.bytes) {
                continue;
            }
            if (changedElsewhere(f)) {
                expectedAsked.insert(k.gamePath);
                if (!answer) {
                    continue;
                }
            }
            takeValues(f, disk_, originalValues_.at(f).first);
            file = originalValues_.at(f).second;
        }
        session_.restoreFiles(kept, [&](const std::vector<std::string>& paths) {
            asked.insert(paths.begin(), paths.end());
            return answer;
        });
        EXPECT_EQ(asked, expectedAsked) << "the files asked about";
        read();
    }

    std::mt19937 random_;
    // When the list is lost: the copies stay, and the next keep writes the
    // list again from what this session knows.
    std::mt19937 listLoss_;
    TestPrefix prefix_{MemoryFolder()};
    TempDir keptIn_{MemoryFolder()};
    ProgramState state_;
    WalkWindow window_{state_};
    EditorSession session_{prefix_.paths(), state_, window_};
    Originals originals_{keptIn_.path(), kInstallDir, prefix_.onC("Games/Kestra")};

    // The model: what the editor holds, what the files hold, and what
    // RivoEdit last read or saved of them.
    Values model_;
    Values disk_;
    Values last_;
    std::array<DiskFile, kFiles> file_{};
    std::map<std::string, std::optional<std::string>> originalBytes_;
    // Every copy seen in the originals' folder, with its bytes.
    std::map<fs::path, std::string> copies_;
    // Each file as it was when its original was kept.
    std::map<int, std::pair<Values, DiskFile>> originalValues_;
    // The bytes RivoEdit last read or wrote of each file.
    std::array<std::optional<std::string>, kFiles> seenBytes_{};
    int notes_ = 0;
    // The history: the code's steps, and the data each step leaves.
    std::vector<EditStep> steps_;
    std::vector<Values> history_;
    std::size_t at_ = 0;
    std::optional<std::size_t> readOrSavedAt_;
    Values readOrSaved_;
    // What the session last told of the marks.
    std::optional<bool> told_;
};

unsigned FromEnvironment(const char* name, unsigned otherwise) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? static_cast<unsigned>(std::strtoul(text, nullptr, 10))
                                            : otherwise;
}

TEST(HistoryWalkTest, TheSafetyNetsHoldThroughAPlayersSession) {
    const unsigned seed = FromEnvironment("RIVO_WALK_SEED", 20261208);
    const unsigned actions = FromEnvironment("RIVO_WALK_ACTIONS", 2000);
    std::mt19937 choose(seed);
    HistoryWalk walk(seed);
    walk.check();
    for (unsigned n = 1; n <= actions; ++n) {
        walk.step(std::uniform_int_distribution<int>(0, HistoryWalk::kActions - 1)(choose));
        SCOPED_TRACE("seed " + std::to_string(seed) + ", action " + std::to_string(n) + ": " +
                     walk.last);
        walk.check();
        if (::testing::Test::HasFailure()) {
            FAIL() << "RIVO_WALK_SEED=" << seed << " replays this walk";
        }
    }
}

} // namespace
} // namespace rivo::test
