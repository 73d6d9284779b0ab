#include "game_prefix_print.h"
#include "prefix_choice.h"
#include "prefix_chooser.h"
#include "temp_dir.h"
#include "wine_prefixes.h"

#include <QTest>
#include <deque>
#include <gtest/gtest.h>

namespace rivo::test {
namespace {

namespace fs = std::filesystem;

// A home with the game in two launchers' prefixes, and a third prefix for
// the user to name.
class PrefixChoiceTest : public ::testing::Test {
protected:
    PrefixChoiceTest() {
        writePrefix(home / ".wine", RegistryKind::Holding, "C:\\Games\\Kestra");
        writePrefix(home / ".cxoffice/Kestra", RegistryKind::Holding, "D:\\Kestra");
        writePrefix(named.path(), RegistryKind::WithoutGame);
    }
    std::optional<fs::path> start(const char* option, const char* winePrefix) {
        const std::optional<fs::path> given =
            option != nullptr ? std::optional<fs::path>(option) : std::nullopt;
        launcher = "(unset)";
        return startPrefix(
            prefixSource(given, winePrefix, home.path().c_str()),
            [this](const std::vector<GamePrefix>& prefixes) {
                return chooser.choosePrefix(prefixes);
            },
            &launcher);
    }
    // The launcher start() named; "(unset)" when it named none.
    std::string launcher;
    // Records the lists the chooser was shown and answers in order (none
    // left: Cancel).
    struct FakeChooser {
        std::optional<std::size_t> choosePrefix(const std::vector<GamePrefix>& prefixes) {
            prefixLists.push_back(prefixes);
            if (prefixAnswers.empty()) {
                return std::nullopt;
            }
            const std::optional<std::size_t> answer = prefixAnswers.front();
            prefixAnswers.pop_front();
            return answer;
        }
        std::vector<std::vector<GamePrefix>> prefixLists;
        std::deque<std::optional<std::size_t>> prefixAnswers;
    };
    TempDir home;
    TempDir named;
    FakeChooser chooser;
};

TEST_F(PrefixChoiceTest, SeveralCandidatesAreOfferedAndTheChoiceIsUsed) {
    struct Row {
        std::optional<std::size_t> answer;
        const char* expected; // relative to home, nullptr: the program ends
        const char* launcher;
    };
    const Row rows[] = {{1, ".cxoffice/Kestra", "CrossOver"},
                        {0, ".wine", "(unset)"},
                        {std::nullopt, nullptr, "(unset)"}};
    for (const Row& row : rows) {
        chooser.prefixLists.clear();
        chooser.prefixAnswers = {row.answer};
        const auto chosen = start(nullptr, nullptr);
        ASSERT_EQ(chooser.prefixLists.size(), 1u);
        EXPECT_EQ(chooser.prefixLists[0],
                  (std::vector<GamePrefix>{
                      {"Wine", home / ".wine", "C:\\Games\\Kestra", ""},
                      {"CrossOver", home / ".cxoffice/Kestra", "D:\\Kestra", "Kestra"}}));
        if (row.expected == nullptr) {
            EXPECT_FALSE(chosen);
        } else {
            EXPECT_EQ(chosen, home / row.expected);
        }
        EXPECT_EQ(launcher, row.launcher);
    }
}

TEST_F(PrefixChoiceTest, ANamedPrefixReplacesTheSearch) {
    const std::string other = (home / "other").string();
    struct Row {
        const char* option;
        const char* winePrefix;
        fs::path expected;
    };
    const Row rows[] = {
        {named.path().c_str(), nullptr, named.path()},
        {named.path().c_str(), other.c_str(), named.path()},
        {nullptr, other.c_str(), other},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(start(row.option, row.winePrefix), row.expected);
        EXPECT_EQ(launcher, "(unset)");
    }
    EXPECT_TRUE(chooser.prefixLists.empty());
    // A named prefix without the game has no candidates, though others do.
    EXPECT_TRUE(gameCandidates(prefixSource(named.path(), nullptr, home.path().c_str())).empty());
}

TEST_F(PrefixChoiceTest, OneCandidateIsUsedAndNoneFallsBackToTheDefaultPrefix) {
    fs::remove_all(home / ".cxoffice");
    EXPECT_EQ(start(nullptr, nullptr), home / ".wine");
    fs::remove_all(home / ".wine");
    EXPECT_EQ(start(nullptr, nullptr), home / ".wine");
    EXPECT_TRUE(chooser.prefixLists.empty());
}

TEST_F(PrefixChoiceTest, TheChooserListsEveryPrefixWithTheFirstSelected) {
    PrefixChooser chooser(gameCandidates(prefixSource(std::nullopt, nullptr, home.path().c_str())),
                          home.path());
    ASSERT_EQ(chooser.lstPrefixes->topLevelItemCount(), 2);
    EXPECT_EQ(chooser.selectedRow(), 0);
    const QTreeWidgetItem* second = chooser.lstPrefixes->topLevelItem(1);
    EXPECT_EQ(second->text(1), "Kestra");
    EXPECT_EQ(second->text(2), "~/.cxoffice/Kestra");
    EXPECT_EQ(second->toolTip(2).toStdString(), (home / ".cxoffice/Kestra").string());
    EXPECT_EQ(second->text(3), "D:\\Kestra");
    EXPECT_EQ(chooser.lstPrefixes->topLevelItem(0)->text(2), "~/.wine");
    chooser.show();
    QTest::keyClick(chooser.lstPrefixes, Qt::Key_Down);
    EXPECT_EQ(chooser.selectedRow(), 1);
    QTest::keyClick(&chooser, Qt::Key_Return);
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
}

} // namespace
} // namespace rivo::test
