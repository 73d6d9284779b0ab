#include "app_test_game.h"

#include <QApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

namespace rivo::test {
namespace {

class ConfigPageTest : public AppTest {
protected:
    void SetUp() override {
        writeGame();
        startShown();
    }
    QRadioButton* option(const char* array, int index) {
        return find<QRadioButton>(QString("%1_%2").arg(array).arg(index));
    }
    void click(QRadioButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
};

TEST_F(ConfigPageTest, RatingButtonsStoreTheirCaption) {
    for (int i : {3, 0, 4}) {
        click(option("optConfig_SystemRating", i));
        EXPECT_TRUE(option("optConfig_SystemRating", i)->isChecked());
        EXPECT_EQ(state().settings.SystemRating, std::to_string(i + 1));
        EXPECT_EQ(option("optConfig_SystemRating", i)->text().toStdString(), std::to_string(i + 1));
    }
    EXPECT_TRUE(state().unsaved.settings);
    EXPECT_FALSE(state().unsaved.drivers);
}

TEST_F(ConfigPageTest, YesAndNoStoreOneAndZero) {
    struct Pair {
        const char* array;
        std::string GameSettings::*setting;
    };
    for (const Pair& p : {Pair{"optConfig_Windowed", &GameSettings::WindowedMode},
                          Pair{"optConfig_UseA3D", &GameSettings::UseA3D},
                          Pair{"optConfig_UseEAX", &GameSettings::UseEAX}}) {
        EXPECT_EQ(option(p.array, 0)->text(), "No");
        EXPECT_EQ(option(p.array, 1)->text(), "Yes");
        EXPECT_LT(option(p.array, 0)->x(), option(p.array, 1)->x()) << "No stands left of Yes";
        click(option(p.array, 1));
        EXPECT_EQ(state().settings.*p.setting, "1") << p.array;
        click(option(p.array, 0));
        EXPECT_EQ(state().settings.*p.setting, "0") << p.array;
    }
}

TEST_F(ConfigPageTest, ChoosingAVideoDriverStoresItsText) {
    auto* list = find<QListWidget>("lstConfig_VideoDriver");
    const QRect third = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    EXPECT_EQ(state().settings.VideoDriver, "Software Renderer");
    EXPECT_TRUE(state().unsaved.settings);

    // The arrow keys choose as well.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(state().settings.VideoDriver, "3D Accelerator");
}

// The marks compare values: a choice taken back leaves nothing unsaved.
TEST_F(ConfigPageTest, ChangingAChoiceAndBackLeavesNothingUnsaved) {
    click(option("optConfig_UseEAX", 0));
    EXPECT_TRUE(state().unsaved.settings);
    click(option("optConfig_UseEAX", 1));
    EXPECT_EQ(state().settings.UseEAX, "1");
    EXPECT_FALSE(state().unsaved.settings);
}

TEST_F(ConfigPageTest, FolderFieldsTakeNoTyping) {
    auto* season = find<QLineEdit>("txtConfig_SeasonDir");
    season->setFocus();
    QTest::keyClicks(season, "abc");
    QTest::keyClick(season, Qt::Key_Backspace);
    EXPECT_EQ(season->text(), "Season 1");
    EXPECT_EQ(state().settings.SeasonDir, "Season 1");
    EXPECT_FALSE(state().unsaved.any());
}

// A setting start-up cannot show keeps its text, and the layout's button
// (index 0) shows as selected; choosing any button, that one too, stores it.
enum class Press { Mouse, Space, ArrowRight };

struct ShownChoiceCase {
    const char* inFile; // replaces the sample's line of the same key
    const char* array;
    Press how;
    std::string GameSettings::*setting;
    const char* stored;
};

class ShownChoiceTest : public AppTest, public ::testing::WithParamInterface<ShownChoiceCase> {};

TEST_P(ShownChoiceTest, ChoosingTheButtonShownSelectedStoresItsValue) {
    const ShownChoiceCase& c = GetParam();
    const std::string line = c.inFile;
    const std::string key = line.substr(0, line.find('=') + 1);
    std::string config = SampleConfig();
    const auto at = config.find(key);
    config.replace(at, config.find('\r', at) - at, line);
    writeGame();
    writeConfig(config);
    startShown();
    auto* first = find<QRadioButton>(QString("%1_0").arg(c.array));
    ASSERT_TRUE(first->isChecked());
    ASSERT_FALSE(state().unsaved.any());

    first->setFocus(Qt::TabFocusReason);
    if (c.how == Press::Mouse) {
        QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(6, first->height() / 2));
    } else {
        QTest::keyClick(first, c.how == Press::Space ? Qt::Key_Space : Qt::Key_Right);
    }
    EXPECT_EQ(state().settings.*c.setting, c.stored);
    EXPECT_TRUE(state().unsaved.settings);

    window->mnuConfig_Save->trigger();
    EXPECT_NE(readFile(gameFile("config.ini")).find(key + c.stored + "\r\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ShownChoiceTest,
    ::testing::Values(ShownChoiceCase{"SystemRating=2.5", "optConfig_SystemRating", Press::Mouse,
                                      &GameSettings::SystemRating, "1"},
                      ShownChoiceCase{"WindowedMode=yes", "optConfig_Windowed", Press::Space,
                                      &GameSettings::WindowedMode, "0"},
                      ShownChoiceCase{"UseA3D=2", "optConfig_UseA3D", Press::Mouse,
                                      &GameSettings::UseA3D, "0"},
                      // The arrow keys move the choice, as ever.
                      ShownChoiceCase{"SystemRating=2.5", "optConfig_SystemRating",
                                      Press::ArrowRight, &GameSettings::SystemRating, "2"},
                      ShownChoiceCase{"UseEAX=on", "optConfig_UseEAX", Press::ArrowRight,
                                      &GameSettings::UseEAX, "1"}));

TEST_F(AppTest, EnteringTheVideoListWithNothingChosenChoosesNothing) {
    writeGame();
    std::string config = SampleConfig();
    config.replace(config.find("3D Accelerator"), 14, "Old Card");
    writeConfig(config);
    startShown();
    auto* list = find<QListWidget>("lstConfig_VideoDriver");
    ASSERT_TRUE(list->selectedItems().isEmpty());
    // The Tab key gives the list a current entry without selecting it.
    find<QRadioButton>("optConfig_UseEAX_1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(state().settings.VideoDriver, "Old Card");
    EXPECT_FALSE(state().unsaved.any());
    EXPECT_TRUE(list->selectedItems().isEmpty());

    // An arrow key then chooses, as ever.
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(state().settings.VideoDriver, "3D Accelerator");
    EXPECT_TRUE(state().unsaved.settings);
}

} // namespace
} // namespace rivo::test
