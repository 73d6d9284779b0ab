#include "file_error.h"
#include "originals.h"
#include "temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace rivo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr const char* kInstall = "C:\\Games\\Kestra";

// The list's words for a person, as RivoEdit writes them: ten lines.
std::string Header() {
    return "RivoEdit keeps here the files of the game in C:\\Games\\Kestra\r\n"
           "(/home/player/Games/Kestra)\r\n"
           "as they were before RivoEdit first replaced each of them. To go back by hand,\r\n"
           "copy a file over the game's file that it names. A game file marked\r\n"
           "(did not exist) was made by RivoEdit and can be deleted.\r\n"
           "\r\n"
           "A line for the game's folder and one for where it is on this computer, then\r\n"
           "one line for each original: when it was kept (UTC), the game's file (bytes\r\n"
           "outside plain ASCII written %XX) and its copy in this folder.\r\n"
           "\r\n";
}

// Every file below `folder` with its bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).generic_string()] = readFile(entry.path());
        }
    }
    return files;
}

// What the list names now, read afresh as at the next start: each game
// file with the bytes of its copy (none: the file did not exist).
std::map<std::string, std::optional<std::string>> KeptNow(const fs::path& folder) {
    std::map<std::string, std::optional<std::string>> kept;
    for (const Originals::Kept& file : Originals(folder, kInstall, {}).all()) {
        kept[file.gamePath] = file.bytes;
    }
    return kept;
}

struct ListRow {
    const char* name;
    const char* list;                          // after the header; nullptr: no list at all
    std::map<std::string, std::string> copies; // in the folder before
    const char* keep;                          // the game file kept now
    // Kept: the copy made and the list's line for it. Refused: the reason.
    const char* copy;
    const char* line;
    const char* refused;
};

class OriginalsListTest : public ::testing::TestWithParam<ListRow> {};

// Whatever the list and the folder hold, no copy that is there changes and
// no file is written over; a list with a line that cannot be read keeps
// nothing, and says which line.
TEST_P(OriginalsListTest, NoCopyThereChanges) {
    const ListRow& row = GetParam();
    TempDir dir;
    const fs::path folder = dir / "kept";
    fs::create_directories(folder);
    for (const auto& [name, bytes] : row.copies) {
        writeFile(folder / name, bytes);
    }
    if (row.list != nullptr) {
        writeFile(folder / "originals.txt", Header() + row.list);
    }
    const std::map<std::string, std::string> before = Snapshot(folder);

    Originals originals(folder, kInstall, "/home/player/Games/Kestra");
    const std::string gamePath = std::string(kInstall) + "\\" + row.keep;
    if (row.refused != nullptr) {
        try {
            originals.keep(gamePath, "RivoEdit's save");
            ADD_FAILURE() << "kept";
        } catch (const FileError& e) {
            EXPECT_EQ(e.path(), displayPath(folder / "originals.txt"));
            EXPECT_EQ(e.reason(), row.refused);
        }
        EXPECT_FALSE(originals.has(gamePath));
        EXPECT_EQ(Snapshot(folder), before);
        return;
    }
    originals.keep(gamePath, "RivoEdit's save");
    std::map<std::string, std::string> after = Snapshot(folder);
    EXPECT_THAT(after.at("originals.txt"), HasSubstr(row.line));
    EXPECT_THAT(after.at("originals.txt"),
                HasSubstr("\r\ninstall\tC:\\Games\\Kestra\r\nhost\t/home/player/Games/Kestra\r\n"));
    EXPECT_EQ(after.at(row.copy), "RivoEdit's save");
    for (const auto& [name, bytes] : before) {
        if (name != "originals.txt") {
            EXPECT_EQ(after.at(name), bytes) << name;
        }
    }
    after.erase(row.copy);
    after.erase("originals.txt");
    after.erase("originals.lock");
    std::map<std::string, std::string> others = before;
    others.erase("originals.txt");
    EXPECT_EQ(after, others); // nothing else made, no temporary file left
    EXPECT_TRUE(TemporaryFilesLeft(folder).empty());
    // Read again as at the next start: the new entry and every old one.
    const Originals again(folder, kInstall, "/home/player/Games/Kestra");
    EXPECT_TRUE(again.has(gamePath));
}

const ListRow kListRows[] = {
    {"MissingListCopiesRemain",
     nullptr,
     {{"config.ini", "the game's config"}, {"Season 1/Drivers/a.rcd", "the game's driver"}},
     "config.ini",
     "config (2).ini",
     "\tC:\\Games\\Kestra\\config.ini\tconfig (2).ini\r\n",
     nullptr},
    {"DamagedList",
     "install\tC:\\Games\\Kestra\r\n"
     "host\t/home/player/Games/Kestra\r\n"
     "kept\t2026-12-07 20:31:05\tC:\\Games\\Kestra\\config.ini\r\n",
     {{"config.ini", "the game's config"}},
     "video.cfg",
     nullptr,
     nullptr,
     "line 13 cannot be read: \"kept<tab>2026-12-07 20:31:05<tab>C:\\Games\\Kestra\\config.ini\""},
    {"ListWithTabsTurnedIntoBlanks",
     "install C:\\Games\\Kestra\r\n"
     "host /home/player/Games/Kestra\r\n"
     "kept 2026-12-07 20:31:05 C:\\Games\\Kestra\\config.ini config.ini\r\n",
     {{"config.ini", "the game's config"}},
     "config.ini",
     nullptr,
     nullptr,
     "line 11 cannot be read: \"install C:\\Games\\Kestra\""},
    {"KeptLineWithBlanksOnly",
     "install\tC:\\Games\\Kestra\r\n"
     "host\t/home/player/Games/Kestra\r\n"
     "kept 2026-12-07 20:31:05 C:\\Games\\Kestra\\config.ini config.ini\r\n",
     {{"config.ini", "the game's config"}},
     "config.ini",
     nullptr,
     nullptr,
     "line 13 cannot be read: \"kept 2026-12-07 20:31:05 C:\\Games\\Kestra\\config.ini "
     "config.ini\""},
    {"CopyLeadingOutOfTheFolder",
     "kept\t2026-12-07 20:31:05\tC:\\Games\\Kestra\\config.ini\t../config.ini\r\n",
     {},
     "video.cfg",
     nullptr,
     nullptr,
     "line 11 cannot be read: \"kept<tab>2026-12-07 20:31:05<tab>C:\\Games\\Kestra\\config.ini"
     "<tab>../config.ini\""},
    // Copies the list does not name, left by a list that was lost: the
    // name gets the first free number.
    {"ClashingCopyName",
     "install\tC:\\Games\\Kestra\r\n"
     "host\t/home/player/Games/Kestra\r\n"
     "kept\t2026-12-07 20:31:05\tC:\\Games\\Kestra\\config.ini\tconfig.ini\r\n",
     {{"config.ini", "the game's config"},
      {"video.cfg", "an older video.cfg"},
      {"video (2).cfg", "another"}},
     "video.cfg",
     "video (3).cfg",
     "\tC:\\Games\\Kestra\\video.cfg\tvideo (3).cfg\r\n",
     nullptr},
    // A tab in the game's path would split the list's line: the copy goes
    // elsewhere, under a plain name.
    {"GamePathWithATab",
     nullptr,
     {},
     "Season\t1\\Drivers\\a\tb.rcd",
     "elsewhere/1 file",
     "\tC:\\Games\\Kestra\\Season%091\\Drivers\\a%09b.rcd\telsewhere/1 file\r\n",
     nullptr},
    // One file on Windows: the copy goes elsewhere.
    {"ClashWithAnEntryInAnotherCase",
     "kept\t2026-12-07 20:31:05\tC:\\Games\\Kestra\\Config.ini\tConfig.ini\r\n",
     {{"Config.ini", "the game's config"}},
     "CONFIG.INI",
     "elsewhere/2 CONFIG.INI",
     "\tC:\\Games\\Kestra\\CONFIG.INI\telsewhere/2 CONFIG.INI\r\n",
     nullptr},
};

INSTANTIATE_TEST_SUITE_P(Rows, OriginalsListTest, ::testing::ValuesIn(kListRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Another RivoEdit on the same install keeps an original between this one's
// start and its keep: its entry stays, and what it kept is not kept again.
TEST(OriginalsTest, AnotherWritersEntriesStay) {
    TempDir dir;
    const fs::path folder = dir / "kept";
    Originals mine(folder, kInstall, "/home/player/Games/Kestra");
    Originals theirs(folder, kInstall, "/home/player/Games/Kestra");
    theirs.keep("C:\\Games\\Kestra\\config.ini", "the game's config");
    theirs.keep("C:\\Games\\Kestra\\video.cfg", std::nullopt);
    mine.keep("C:\\Games\\Kestra\\config.ini", "my own save");
    mine.keep("C:\\Games\\Kestra\\Season 1\\Drivers\\a.rcd", "the game's driver");
    EXPECT_TRUE(mine.has("C:\\Games\\Kestra\\video.cfg"));
    theirs.keep("C:\\Games\\Kestra\\Season 1\\Drivers\\b.rcd", "the game's other driver");

    const std::map<std::string, std::optional<std::string>> kept = KeptNow(folder);
    const std::map<std::string, std::optional<std::string>> expected = {
        {"C:\\Games\\Kestra\\config.ini", "the game's config"},
        {"C:\\Games\\Kestra\\video.cfg", std::nullopt},
        {"C:\\Games\\Kestra\\Season 1\\Drivers\\a.rcd", "the game's driver"},
        {"C:\\Games\\Kestra\\Season 1\\Drivers\\b.rcd", "the game's other driver"},
    };
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(readFile(folder / "config.ini"), "the game's config");
}

// The list is lost after this RivoEdit read it, and another one keeps our
// earlier save as the file's original: the first kept copy stays the
// original in the list, whoever writes it last.
TEST(OriginalsTest, AListLostBetweenTwoKeepsKeepsTheFirstOriginal) {
    TempDir dir;
    const fs::path folder = dir / "kept";
    fs::create_directories(folder);
    writeFile(folder / "config.ini", "the game's config");
    writeFile(folder / "originals.txt",
              Header() +
                  "install\tC:\\Games\\Kestra\r\nhost\t/home/player/Games/Kestra\r\n"
                  "kept\t2026-01-02 03:04:05\tC:\\Games\\Kestra\\config.ini\tconfig.ini\r\n");
    Originals mine(folder, kInstall, "/home/player/Games/Kestra");
    fs::remove(folder / "originals.txt");
    Originals theirs(folder, kInstall, "/home/player/Games/Kestra");
    theirs.keep("C:\\Games\\Kestra\\config.ini", "an earlier save of ours");
    mine.keep("C:\\Games\\Kestra\\video.cfg", "the game's video.cfg");

    const std::map<std::string, std::optional<std::string>> kept = KeptNow(folder);
    const std::map<std::string, std::optional<std::string>> expected = {
        {"C:\\Games\\Kestra\\config.ini", "the game's config"},
        {"C:\\Games\\Kestra\\video.cfg", "the game's video.cfg"},
    };
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(readFile(folder / "config.ini"), "the game's config");
}

// Two savers at once, many times over, each with its own view of the
// folder: every entry each kept is in the list at the end, and no copy's
// bytes ever change.
TEST(OriginalsTest, TwoSaversAtOnceKeepEverything) {
    TempDir memory(MemoryFolder());
    const fs::path kept = memory / "kept";
    constexpr int kRounds = 25;
    constexpr int kFiles = 4;
    std::map<std::string, std::string> copies; // every copy seen, with its bytes
    for (int round = 0; round < kRounds; ++round) {
        Originals first(kept, kInstall, "/home/player/Games/Kestra");
        Originals second(kept, kInstall, "/home/player/Games/Kestra");
        const auto saver = [&](Originals& originals, const std::string& who) {
            for (int i = 0; i < kFiles; ++i) {
                const std::string name = "r" + std::to_string(round) + "-" + std::to_string(i);
                originals.keep(std::string(kInstall) + "\\" + who + name, who + name);
                // Both keep this one: the first one's bytes stay.
                originals.keep(std::string(kInstall) + "\\both" + name, who + name);
            }
        };
        std::thread one([&] { saver(first, "a"); });
        std::thread two([&] { saver(second, "b"); });
        one.join();
        two.join();
        for (const auto& [name, bytes] : copies) {
            ASSERT_EQ(readFile(kept / name), bytes) << "round " << round;
        }
        copies = Snapshot(kept);
        copies.erase("originals.txt");
        copies.erase("originals.lock");
    }
    const std::vector<Originals::Kept> all = Originals(kept, kInstall, {}).all();
    ASSERT_EQ(all.size(), static_cast<std::size_t>(kRounds * kFiles * 3));
    EXPECT_EQ(copies.size(), all.size()); // no copy made twice
    for (const Originals::Kept& file : all) {
        const std::string name = file.gamePath.substr(std::string(kInstall).size() + 1);
        ASSERT_TRUE(file.bytes.has_value()) << name;
        if (name.starts_with("both")) {
            EXPECT_TRUE(*file.bytes == "a" + name.substr(4) || *file.bytes == "b" + name.substr(4))
                << name;
        } else {
            EXPECT_EQ(*file.bytes, name);
        }
    }
}

} // namespace
} // namespace rivo::test

namespace rivo::test {
namespace {

// The list of an install's originals kept when it was at `host`, with its
// config.ini, in `folder`.
void KeptAt(const fs::path& folder, const std::string& install, const fs::path& host) {
    writeFile(folder / "config.ini", "the game's config");
    const std::u8string hostText = host.u8string();
    writeFile(folder / "originals.txt", Header() + "install\t" + install + "\r\nhost\t" +
                                            std::string(hostText.begin(), hostText.end()) +
                                            "\r\nkept\t2026-12-07 20:31:05\t" + install +
                                            "\\config.ini\tconfig.ini\r\n");
}

struct MovedRow {
    const char* name;
    const char* install; // of the other folders' lists
    bool hostThere;      // whether the host path in those lists still exists
    int folders;         // how many such folders, each for a path of its own
    bool renamedByHand;  // the folder's name is not the one made for its path
    bool takenOver;
};

class MovedInstallTest : public ::testing::TestWithParam<MovedRow> {};

// A launcher moved the prefix: the originals kept at the old path are the
// install's, and its first keep, even of a file kept already, gives their
// folder the install's name and records where the install is now. Told
// once.
TEST_P(MovedInstallTest, TheOriginalsOfAMovedInstallAreTakenOver) {
    const MovedRow& row = GetParam();
    TempDir root;
    const fs::path newHost = root / "new prefix" / "Kestra";
    fs::create_directories(newHost);
    std::vector<fs::path> old;
    fs::path oldHost;
    for (int i = 0; i < row.folders; ++i) {
        oldHost = root / ("old prefix " + std::to_string(i)) / "Kestra";
        if (row.hostThere) {
            fs::create_directories(oldHost);
        }
        old.push_back(row.renamedByHand ? root / "kept by hand"
                                        : OriginalsFolder(root.path(), oldHost));
        KeptAt(old.back(), row.install, oldHost);
    }
    const std::map<std::string, std::string> copies = Snapshot(old[0]);
    const fs::path folder = OriginalsFolder(root.path(), newHost);
    Originals originals(folder, kInstall, newHost);
    originals.takeOverMoved();
    EXPECT_EQ(originals.has("C:\\Games\\Kestra\\config.ini"), row.takenOver);
    EXPECT_EQ(originals.all().size(), row.takenOver ? 1u : 0u);
    EXPECT_FALSE(fs::exists(folder)); // nothing written before a keep
    originals.keep("C:\\Games\\Kestra\\config.ini", "RivoEdit's save");
    originals.keep("C:\\Games\\Kestra\\video.cfg", "the game's video");
    const std::optional<std::string> notice = originals.takeMovedNotice();
    EXPECT_EQ(originals.takeMovedNotice(), std::nullopt);
    if (!row.takenOver) {
        EXPECT_EQ(notice, std::nullopt);
        EXPECT_EQ(readFile(folder / "config.ini"), "RivoEdit's save");
        EXPECT_EQ(Snapshot(old[0]), copies);
        return;
    }
    ASSERT_TRUE(notice.has_value());
    EXPECT_THAT(*notice, HasSubstr(displayPath(oldHost)));
    EXPECT_THAT(*notice, HasSubstr(displayPath(newHost)));
    EXPECT_THAT(*notice, HasSubstr(displayPath(folder)));
    EXPECT_FALSE(fs::exists(old[0]));
    EXPECT_EQ(readFile(folder / "config.ini"), "the game's config");
    EXPECT_EQ(readFile(folder / "video.cfg"), "the game's video");
    const std::u8string hostText = newHost.u8string();
    EXPECT_THAT(readFile(folder / "originals.txt"),
                HasSubstr("\r\nhost\t" + std::string(hostText.begin(), hostText.end()) + "\r\n"));
    // The next start finds them under the install's own name.
    Originals next(folder, kInstall, newHost);
    next.takeOverMoved();
    EXPECT_EQ(next.all().size(), 2u);
    EXPECT_EQ(next.takeMovedNotice(), std::nullopt);
}

const MovedRow kMovedRows[] = {
    {"Moved", "C:\\Games\\Kestra", false, 1, false, true},
    {"OldPrefixStillThere", "C:\\Games\\Kestra", true, 1, false, false},
    {"AnotherGameFolder", "C:\\Games\\Kestra 2", false, 1, false, false},
    {"TwoThatCouldBeIt", "C:\\Games\\Kestra", false, 2, false, false},
    {"FolderRenamedByHand", "C:\\Games\\Kestra", false, 1, true, false},
};

INSTANTIATE_TEST_SUITE_P(Rows, MovedInstallTest, ::testing::ValuesIn(kMovedRows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace rivo::test
