// Every way RivoEdit writes a game file, through every fault a disk, a
// folder or a value can bring: the old file keeps its bytes and mode (or the
// right file is replaced), no temporary file is left, a failure names the file
// and the reason, and nothing counts as saved that was not.
#include "codepage.h"
#include "driver_test_game.h"
#include "only_on.h"
#include "originals.h"
#include "rivoconfig.h"
#include "sample_game.h"
#include "small_disk.h"
#include "temp_dir.h"
#include "text_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "file_size_limit.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <set>

namespace rivo {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

enum class Writer {
    Settings,  // SaveConfig to config.ini
    GameFiles, // SaveDriversToGame to the 22 driver files
    SetFile,   // SaveDriversToFile to a chosen driver set file
};

constexpr int kFaultRow = 3; // the driver whose game file meets the fault
const std::string kOld = "old bytes\r\n";
constexpr fs::perms kOldMode =
    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;

// A host path from UTF-8 text on every system (a narrow path is the ANSI code
// page on Windows).
fs::path Utf8Path(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

// What the system keeps of a file's mode: the permission bits, owner and
// group on POSIX; on Windows only the read-only attribute.
std::string ModeOf(const fs::path& file) {
#ifdef _WIN32
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return "no file";
    }
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? "read-only attribute" : "writable";
#else
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) { // a link that loops has no status
        return std::strerror(errno);
    }
    return std::to_string(st.st_mode & 07777) + " " + std::to_string(st.st_uid) + ":" +
           std::to_string(st.st_gid);
#endif
}

// The folder's entries named `name` in any letter case: a file found in any
// case must be replaced, not joined by a second one (Windows, whose names
// ignore case anyway, can only show this in the listing).
int EntriesNamedInAnyCase(const fs::path& folder, const std::string& name) {
    return static_cast<int>(std::count_if(
        fs::directory_iterator(folder), fs::directory_iterator{}, [&](const auto& entry) {
            return codepage::equalsIgnoreCaseUtf8(displayPath(entry.path().filename()), name);
        }));
}

// Where one write goes, as the fault leaves it.
struct Scene {
    fs::path folder;        // holds the target
    fs::path target;        // the file that holds the old bytes
    fs::path written;       // where the new bytes belong on success
    fs::path chosen;        // the set file handed to the writer
    std::string sameName;   // in another case: the folder keeps one file of it
    std::string shown;      // the failure's path, as the user reads it
    std::string old = kOld; // what a failure leaves in the target
};

class WriteFaultMatrixTest;

struct Fault {
    const char* name;
    const char* reason = nullptr; // in the failure; none: the write succeeds
    bool wholeFolder = false;     // every game file fails, not just one
    bool eightBitNames = false;   // the names hold a Windows-1252 byte
    bool otherCase = false;       // the existing file's name is in another case
    bool limitFileSize = false;   // a file may not grow past 4 KiB (the originals' list fits)
    bool smallDisk = false;       // the folder is a small tmpfs
    bool gameFilesOnly = false;   // a chosen set file is not compared: it is written
    // Makes the fault once the old files are there.
    std::function<void(WriteFaultMatrixTest&, Scene&)> make;
};

class WriteFaultMatrixTest : public test::DriverGameTest,
                             public ::testing::WithParamInterface<std::tuple<Writer, Fault>> {
public:
    using DriverGameTest::gamePath;
    using DriverGameTest::InstallDir;
    using DriverGameTest::roster;

    Writer writer() const { return std::get<0>(GetParam()); }
    const Fault& fault() const { return std::get<1>(GetParam()); }

    // The files of this writer, the target first.
    std::vector<fs::path> oldFiles(const Scene& scene) const {
        std::vector<fs::path> files{scene.target};
        if (writer() == Writer::GameFiles) {
            for (int row = 0; row < kDriverRows; ++row) {
                if (row != kFaultRow) {
                    files.push_back(scene.folder / (DriverRoster::BaseName(row) + ".rcd"));
                }
            }
        }
        return files;
    }

    std::string expectedBytes() const {
        if (writer() == Writer::Settings) {
            return textfile::joinCrLf(ConfigFileLines(settings));
        }
        if (writer() == Writer::GameFiles) {
            return test::RecordFileText(roster[kFaultRow]);
        }
        std::string all;
        for (int row = 0; row < kDriverRows; ++row) {
            all += test::RecordFileText(roster[row]);
        }
        return all;
    }

    std::vector<FileError> save(const Scene& scene) {
        // The game's originals are kept before each file is first replaced.
        originals.emplace(originalsFolder(), InstallDir, prefix.driveC());
        seen.keepOriginalsIn(&*originals);
        switch (writer()) {
        case Writer::Settings:
            try {
                SaveConfig(paths, InstallDir + "\\config.ini", settings, unsaved, &seen);
            } catch (const FileError& e) {
                return {e};
            }
            return {};
        case Writer::GameFiles:
            return SaveDriversToGame(ctx);
        case Writer::SetFile:
            return SaveDriversToFile(ctx, scene.chosen);
        }
        return {};
    }

    Scene makeScene() {
        const Fault& f = fault();
        // The install folder is "Café" (Windows-1252 0xE9) in the game and
        // UTF-8 on the host; a chosen set file's name keeps the raw byte.
        const std::string install = f.eightBitNames ? "Caf\xE9" : "Kestra";
        InstallDir = "C:\\Games\\" + install;
        const fs::path installHost =
            prefix.driveC() / "Games" / Utf8Path(codepage::cp1252ToUtf8(install));
        const std::string shownInstall = "C:\\Games\\" + codepage::cp1252ToUtf8(install);
        auto cased = [&](std::string name) {
            if (f.otherCase) {
                for (char& c : name) {
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                }
            }
            return name;
        };
        Scene s;
        switch (writer()) {
        case Writer::Settings:
            s.folder = installHost;
            s.target = s.folder / cased("config.ini");
            s.shown = shownInstall + "\\config.ini";
            break;
        case Writer::GameFiles: {
            const std::string file = DriverRoster::BaseName(kFaultRow) + ".rcd";
            s.folder = installHost / "Season 1" / "Drivers";
            s.target = s.folder / cased(file);
            s.shown = shownInstall + "\\Season 1\\Drivers\\" + file;
            break;
        }
        case Writer::SetFile: {
            const std::string file = f.eightBitNames ? "Caf\xE9.rvd" : "drivers.rvd";
            s.folder = prefix.root() / "sets";
            s.target = s.folder / cased(file);
            s.chosen = s.folder / file;
            s.shown = s.folder.string() + static_cast<char>(fs::path::preferred_separator) +
                      (f.eightBitNames ? "Caf\xC3\xA9.rvd" : "drivers.rvd");
            break;
        }
        }
        // A game file is found in any case; a chosen file is the one chosen,
        // which on Windows, where names ignore case, is the existing file.
        const bool chosenIsTarget = test::kThisSystem == test::System::Windows;
        s.written = writer() == Writer::SetFile && !chosenIsTarget ? s.chosen : s.target;
        if (f.otherCase && (writer() != Writer::SetFile || chosenIsTarget)) {
            s.sameName = writer() == Writer::Settings  ? std::string("config.ini")
                         : writer() == Writer::SetFile ? std::string("drivers.rvd")
                                                       : DriverRoster::BaseName(kFaultRow) + ".rcd";
        }
        return s;
    }

    void SetUp() override {
        for (int row = 0; row < kDriverRows; ++row) {
            roster[row] = test::SampleRecord(row);
        }
        // Longer than a page and than the file size limit: a disk that fills
        // up does so half way through this file.
        roster[kFaultRow][DriverField::Nationality] = std::string(6000, 'n');
        settings.MovieDir = std::string(6000, 'm');
        unsaved = {true, true};
        ctx.game.seen = &seen;
    }

    fs::path originalsFolder() const { return prefix.root() / "originals"; }

    GameSettings settings;
    SeenFiles seen; // what RivoEdit last saw of the game's files
    std::optional<Originals> originals;
    std::unique_ptr<test::SmallDisk> disk; // unmounted before the prefix goes
};

// The fault's own setting-up steps.
void RemoveFolder(WriteFaultMatrixTest&, Scene& s) {
    fs::remove_all(s.folder);
}
void FolderAsTarget(WriteFaultMatrixTest&, Scene& s) {
    fs::remove(s.target);
    fs::create_directories(s.target / "inside");
}
// POSIX: no write bit for anyone (which root cannot bypass); Windows: the
// read-only attribute.
void ReadOnlyTarget(WriteFaultMatrixTest&, Scene& s) {
#ifdef _WIN32
    ASSERT_TRUE(::SetFileAttributesW(s.target.c_str(), FILE_ATTRIBUTE_READONLY));
#else
    fs::permissions(s.target,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
#endif
}
// Another user's file: only root may give a file away, so elsewhere the row
// has nothing to show.
void OtherOwner(WriteFaultMatrixTest&, [[maybe_unused]] Scene& s) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows files have no POSIX owner and group to keep";
#else
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can make a file owned by another user";
    }
    ASSERT_EQ(::chown(s.target.c_str(), 4321, 8765), 0) << std::strerror(errno);
#endif
}
void FillDisk(WriteFaultMatrixTest& t, Scene&) {
    if (!t.disk->fillLeaving(1)) {
        GTEST_SKIP() << t.disk->whyNot();
    }
}
void ReadOnlyDisk(WriteFaultMatrixTest& t, Scene&) {
    if (!t.disk->makeReadOnly()) {
        GTEST_SKIP() << t.disk->whyNot();
    }
}
// The target becomes a link to `to`; skipped where links cannot be made.
void LinkTarget(Scene& s, const fs::path& to) {
    RIVO_SKIP_ON(Windows, test::kNoSymlinks);
    fs::remove(s.target);
    std::error_code ec;
    fs::create_symlink(to, s.target, ec);
    if (ec) {
        GTEST_SKIP() << "cannot make a symbolic link here: " << ec.message();
    }
}
void LinkToFile(WriteFaultMatrixTest&, Scene& s) {
    const fs::path real = s.folder.parent_path() / "real" / s.target.filename();
    writeFile(real, kOld);
    fs::permissions(real, kOldMode, fs::perm_options::replace);
    LinkTarget(s, real);
    s.written = real;
}
void LinkToNothing(WriteFaultMatrixTest&, Scene& s) {
    LinkTarget(s, "absent.bin");
    s.written = s.folder / "absent.bin";
}
void LinkIntoMissingFolder(WriteFaultMatrixTest&, Scene& s) {
    LinkTarget(s, s.folder / "gone" / "absent.bin");
}
void LinkLoop(WriteFaultMatrixTest&, Scene& s) {
    LinkTarget(s, s.target.filename());
}
// Above 1 MiB the file is not read: the last reading failed, or it cannot
// be read now.
void UnreadableWhenLastRead(WriteFaultMatrixTest& t, Scene& s) {
    fs::resize_file(s.target, (1u << 20) + 1);
    const std::string gamePath =
        t.writer() == Writer::Settings ? t.InstallDir + "\\config.ini" : t.gamePath(kFaultRow);
    EXPECT_THROW(ReadGameFile(&t.seen, gamePath, s.target), FileError);
    writeFile(s.target, kOld);
}
void UnreadableNow(WriteFaultMatrixTest&, Scene& s) {
    fs::resize_file(s.target, (1u << 20) + 1);
    s.old = readFile(s.target);
}
// The game's originals cannot be kept: a file stands where their folder
// belongs, or their disk is full.
void OriginalsRefused(WriteFaultMatrixTest& t, Scene&) {
    writeFile(t.originalsFolder(), "in the way");
}
void OriginalsDiskFull(WriteFaultMatrixTest& t, Scene&) {
    fs::create_directories(t.originalsFolder());
    t.disk = std::make_unique<test::SmallDisk>(t.originalsFolder(), 64 * 1024);
    if (!t.disk->mounted() || !t.disk->fillLeaving(1)) {
        GTEST_SKIP() << t.disk->whyNot();
    }
}
// A text editor turned the list's tabs into blanks: nothing is kept and no
// game file is replaced, and the failure names the list and its line.
void OriginalsListDamaged(WriteFaultMatrixTest& t, Scene&) {
    writeFile(t.originalsFolder() / "originals.txt",
              "RivoEdit keeps here the files of the game\r\n"
              "kept 2026-12-07 20:31:05 C:\\Games\\Kestra\\config.ini config.ini\r\n");
}
void LineBreakInValue(WriteFaultMatrixTest& t, Scene&) {
    t.settings.VideoDriver = "3D\r\nEvil";
    t.roster[kFaultRow][DriverField::Age] = "5\r\n}\r\nEvil";
}

const Fault kFaults[] = {
    {.name = "Plain", .make = {}},
    {.name = "FolderMissing",
     .reason = "No such file or directory",
     .wholeFolder = true,
     .make = RemoveFolder},
    {.name = "TargetIsAFolder", .reason = "Is a directory", .make = FolderAsTarget},
    {.name = "DiskFullHalfWay",
     .reason = "No space left on device",
     .smallDisk = true,
     .make = FillDisk},
    {.name = "FileSizeLimit", .reason = "File too large", .limitFileSize = true, .make = {}},
    {.name = "ReadOnlyTarget",
     .reason = "read-only, so it was left as it was. To save it, ",
     .make = ReadOnlyTarget},
    {.name = "ReadOnlyFileSystem",
     .reason = "Read-only file system",
     .wholeFolder = true,
     .smallDisk = true,
     .make = ReadOnlyDisk},
    {.name = "LinkToFile", .make = LinkToFile},
    {.name = "LinkToNothing", .make = LinkToNothing},
    {.name = "LinkIntoMissingFolder",
     .reason = "No such file or directory",
     .make = LinkIntoMissingFolder},
    {.name = "LinkLoop", .reason = "Too many levels of symbolic links", .make = LinkLoop},
    {.name = "EightBitName", .eightBitNames = true, .make = {}},
    {.name = "EightBitNameReadOnly",
     .reason = "read-only, so it was left as it was. To save it, ",
     .eightBitNames = true,
     .make = ReadOnlyTarget},
    {.name = "OtherLetterCase", .otherCase = true, .make = {}},
    {.name = "LineBreakInValue", .reason = "holds a line break", .make = LineBreakInValue},
    {.name = "UnreadableWhenLastRead",
     .reason = "another program changed it",
     .gameFilesOnly = true,
     .make = UnreadableWhenLastRead},
    {.name = "UnreadableNow",
     .reason = "another program changed it",
     .gameFilesOnly = true,
     .make = UnreadableNow},
    {.name = "OtherOwner", .make = OtherOwner},
    {.name = "OriginalRefused",
     .reason = "its original could not be kept",
     .wholeFolder = true,
     .gameFilesOnly = true,
     .make = OriginalsRefused},
    {.name = "OriginalDiskFull",
     .reason = "its original could not be kept",
     .wholeFolder = true,
     .gameFilesOnly = true,
     .make = OriginalsDiskFull},
    {.name = "OriginalsListDamaged",
     .reason = "originals.txt: line 2 cannot be read: "
               "\"kept 2026-12-07 20:31:05 C:\\Games\\Kestra\\config.ini config.ini\"), so it "
               "was left as it was",
     .wholeFolder = true,
     .gameFilesOnly = true,
     .make = OriginalsListDamaged},
};

TEST_P(WriteFaultMatrixTest, OldFileIsKeptOrTheRightFileReplaced) {
    const Fault& f = fault();
#ifdef _WIN32
    if (f.eightBitNames && writer() == Writer::SetFile) {
        GTEST_SKIP() << "Windows file names are Unicode: there are no raw bytes to show";
    }
    if (f.limitFileSize) {
        GTEST_SKIP() << "Windows has no file size limit per process";
    }
#endif
    Scene s = makeScene();
    fs::create_directories(s.folder);
    if (f.smallDisk) {
        disk = std::make_unique<test::SmallDisk>(s.folder, 256 * 1024);
        if (!disk->mounted()) {
            GTEST_SKIP() << disk->whyNot();
        }
    }
    for (const fs::path& file : oldFiles(s)) {
        writeFile(file, kOld);
        fs::permissions(file, kOldMode, fs::perm_options::replace);
    }
    if (f.make) {
        f.make(*this, s);
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
    }
    const auto targetType = fs::symlink_status(s.target).type();
    const std::string targetMode = ModeOf(s.target);
    const bool fails = f.reason != nullptr && !(f.gameFilesOnly && writer() == Writer::SetFile);
    std::error_code ec; // a link that loops has no status
    const bool replacing = fs::exists(fs::status(s.written, ec));
    const std::string writtenMode = replacing ? ModeOf(s.written) : "";

    std::vector<FileError> failures;
    {
#ifndef _WIN32
        std::optional<test::FileSizeLimit> limit;
        if (f.limitFileSize) {
            limit.emplace(4096);
        }
#endif
        failures = save(s);
    }

    // The failures: the file (or, for a fault in the folder, every game
    // file) by the path the user knows, and the reason.
    std::set<std::string> failedPaths;
    for (const FileError& e : failures) {
        failedPaths.insert(e.path());
        EXPECT_THAT(e.reason(), HasSubstr(fails ? f.reason : "")) << e.what();
        EXPECT_THAT(e.path(), ::testing::Not(HasSubstr("\xEF\xBF\xBD"))); // no U+FFFD
    }
    std::set<std::string> expectedPaths;
    if (fails) {
        expectedPaths.insert(s.shown);
        if (f.wholeFolder && writer() == Writer::GameFiles) {
            for (int row = 0; row < kDriverRows; ++row) {
                expectedPaths.insert(codepage::cp1252ToUtf8(gamePath(row)));
            }
        }
    }
    EXPECT_EQ(failedPaths, expectedPaths);
    EXPECT_EQ(failures.size(), expectedPaths.size());

    // The target: as it was after a failure, replaced (through a link) or
    // kept beside the chosen file after success.
    EXPECT_EQ(fs::symlink_status(s.target).type(), targetType);
    if (targetType == fs::file_type::regular && (fails || s.written != s.target)) {
        EXPECT_EQ(readFile(s.target), s.old);
        EXPECT_EQ(ModeOf(s.target), targetMode);
    }
    if (!fails) {
        EXPECT_EQ(readFile(s.written), expectedBytes());
        if (replacing) {
            EXPECT_EQ(ModeOf(s.written), writtenMode);
        }
    }
    if (!s.sameName.empty()) {
        EXPECT_EQ(EntriesNamedInAnyCase(s.folder, s.sameName), 1) << "a second file appeared";
    }
    // The other game files are written unless the fault hit them all.
    if (writer() == Writer::GameFiles && !f.wholeFolder) {
        for (int row = 0; row < kDriverRows; ++row) {
            if (row != kFaultRow) {
                EXPECT_EQ(readFile(s.folder / (DriverRoster::BaseName(row) + ".rcd")),
                          test::RecordFileText(roster[row]));
            }
        }
    }
    EXPECT_THAT(test::TemporaryFilesLeft(prefix.root()), IsEmpty());

    // Only a complete save of the game's files counts; the other record is
    // never touched, and a copy elsewhere saves nothing.
    const bool savedSettings = writer() == Writer::Settings && !fails;
    const bool savedDrivers = writer() == Writer::GameFiles && !fails;
    EXPECT_EQ(unsaved.settings, !savedSettings);
    EXPECT_EQ(unsaved.drivers, !savedDrivers);
}

std::string WriterName(Writer w) {
    switch (w) {
    case Writer::Settings:
        return "Settings";
    case Writer::GameFiles:
        return "GameFiles";
    case Writer::SetFile:
        return "SetFile";
    }
    return "";
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteFaultMatrixTest,
                         ::testing::Combine(::testing::Values(Writer::Settings, Writer::GameFiles,
                                                              Writer::SetFile),
                                            ::testing::ValuesIn(kFaults)),
                         [](const auto& info) {
                             return WriterName(std::get<0>(info.param)) + "_" +
                                    std::get<1>(info.param).name;
                         });

} // namespace
} // namespace rivo
