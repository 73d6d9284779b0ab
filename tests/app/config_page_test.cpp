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

TEST_F(ConfigPageTest, ChangingAChoiceAndBackStillCountsAsAChange) {
    click(option("optConfig_UseEAX", 0));
    click(option("optConfig_UseEAX", 1));
    EXPECT_EQ(state().settings.UseEAX, "1");
    EXPECT_TRUE(state().unsaved.settings);
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
