#include "app_test_game.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gmock/gmock.h>

namespace rivo::test {
namespace {

using ::testing::ElementsAreArray;

class LayoutTest : public AppTest {
protected:
    void SetUp() override {
        writeGame();
        startShown();
    }
    // Where a widget stands on its page, in pixels.
    QRect onTabs(const QWidget* w) const {
        QWidget* p = page(0)->isAncestorOf(w) ? page(0) : page(1);
        return QRect(w->mapTo(p, QPoint(0, 0)), w->size());
    }
    QWidget* page(int index) const { return find<QTabWidget>("tabRivo")->widget(index); }
};

TEST_F(LayoutTest, TheClientAreaIsFixedAtItsSize) {
    QWidget* client = window->centralWidget();
    EXPECT_EQ(client->size(), QSize(674, 430));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(find<QTabWidget>("tabRivo")->geometry(), QRect(0, 8, 667, 417));
}

struct ControlCase {
    const char* name;
    const char* type;
    const char* text;
};

TEST_F(LayoutTest, ConfigPageControlsCarryTheirNamesAndTexts) {
    const ControlCase cases[] = {
        {"lblConfig_Location", "QLabel", "Main Folder"},
        {"lblConfig_LocationDir", "QLabel", "C:\\Games\\Kestra"},
        {"lblConfig_SeasonDir", "QLabel", "Season Folder"},
        {"lblConfig_SoundDir", "QLabel", "Sounds Folder"},
        {"lblConfig_OptionsDir", "QLabel", "Options Folder"},
        {"lblConfig_MovieDir", "QLabel", "Movie Folder"},
        {"lblConfig_ReplayDir", "QLabel", "Replay Folder"},
        {"lblConfig_TracksDir", "QLabel", "Tracks Folder"},
        {"lblConfig_VehiclesDir", "QLabel", "Vehicles Folder"},
        {"lblConfig_MusicDir", "QLabel", "Music Folder"},
        {"txtConfig_SeasonDir", "QLineEdit", "Season 1"},
        {"txtConfig_SoundsDir", "QLineEdit", "Sounds"},
        {"txtConfig_OptionsDir", "QLineEdit", "Options"},
        {"txtConfig_MovieDir", "QLineEdit", "Movies"},
        {"txtConfig_ReplayDir", "QLineEdit", "Replays"},
        {"txtConfig_TracksDir", "QLineEdit", "Tracks"},
        {"txtConfig_VehiclesDir", "QLineEdit", "Vehicles"},
        {"txtConfig_MusicDir", "QLineEdit", "Music"},
        {"fraConfig_SystemRating", "QGroupBox", "System Rating"},
        {"fraConfig_Windowed", "QGroupBox", "Run in Window"},
        {"fraConfig_UseA3D", "QGroupBox", "A3D Enabled"},
        {"fraConfig_UseEAX", "QGroupBox", "EAX Enabled"},
        {"optConfig_SystemRating_0", "QRadioButton", "1"},
        {"optConfig_SystemRating_4", "QRadioButton", "5"},
        {"optConfig_Windowed_0", "QRadioButton", "No"},
        {"optConfig_UseEAX_1", "QRadioButton", "Yes"},
        {"lblConfig_VideoDriver", "QLabel", "Video Driver:"},
        {"lstConfig_VideoDriver", "QListWidget", ""},
    };
    for (const ControlCase& c : cases) {
        QWidget* w = find<QWidget>(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->inherits(c.type)) << c.name;
        EXPECT_TRUE(page(0)->isAncestorOf(w)) << c.name;
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w)) {
            text = l->text();
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            text = e->text();
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            text = g->title();
        } else if (auto* b = qobject_cast<QRadioButton*>(w)) {
            text = b->text();
        }
        EXPECT_EQ(text.toStdString(), c.text) << c.name;
    }
}

TEST_F(LayoutTest, ConfigPageIsArrangedInRowsAndFrames) {
    const QRect main = onTabs(find<QLabel>("lblConfig_Location"));
    EXPECT_EQ(main.left(), 16);
    for (std::size_t i = 0; i < kFolderRows.size(); ++i) {
        const QRect label = onTabs(find<QLabel>(kFolderRows[i].labelName));
        const QRect field = onTabs(find<QLineEdit>(kFolderRows[i].fieldName));
        EXPECT_EQ(label.top(), main.top() + 48 + 16 * static_cast<int>(i));
        EXPECT_EQ(field.top(), label.top());
        EXPECT_EQ(label.left(), 16);
#ifdef Q_OS_WIN
        // The system's font may be wider than the layout's: the values then
        // start after the widest caption, all at one place.
        EXPECT_GE(field.left(), 104);
        EXPECT_EQ(field.left(), onTabs(find<QLabel>("lblConfig_LocationDir")).left());
#else
        EXPECT_EQ(field.left(), 104);
#endif
        EXPECT_EQ(field.size(), QSize(201, 19));
        EXPECT_LT(label.right(), field.left()) << kFolderRows[i].labelName;
    }
    const char* frames[] = {"fraConfig_SystemRating", "fraConfig_Windowed", "fraConfig_UseA3D",
                            "fraConfig_UseEAX"};
    for (int i = 0; i < 4; ++i) {
        const QRect frame = onTabs(find<QGroupBox>(frames[i]));
        EXPECT_EQ(frame.left(), 8);
        EXPECT_EQ(frame.size(), QSize(177, 41));
        EXPECT_EQ(frame.top(), main.top() + 200 + 48 * i);
    }
    // Rating buttons 1 to 5 from left to right, 32 pixels apart.
    for (int i = 0; i < 5; ++i) {
        auto* b = find<QRadioButton>(QString("optConfig_SystemRating_%1").arg(i));
        EXPECT_EQ(b->x(), 8 + 32 * i);
        EXPECT_TRUE(b->parentWidget()->contentsRect().contains(b->geometry()))
            << "inside the frame, clear of its caption";
    }
    const QRect list = onTabs(find<QListWidget>("lstConfig_VideoDriver"));
    EXPECT_EQ(list.topLeft(),
              onTabs(find<QLabel>("lblConfig_VideoDriver")).topLeft() + QPoint(0, 16));
    EXPECT_EQ(list.size(), QSize(241, 43));
}

TEST_F(LayoutTest, DriverGridHasItsHeadingsColumnsAndRows) {
    const QRect driverHead = onTabs(find<QLabel>("lblDriver_DriverHead"));
    EXPECT_EQ(find<QLabel>("lblDriver_DriverHead")->text(), "Driver");
    EXPECT_TRUE(find<QLabel>("lblDriver_DriverHead")->font().underline());
    for (int c = 0; c < kDriverColumnCount; ++c) {
        const DriverColumn& column = kDriverColumns[static_cast<std::size_t>(c)];
        auto* head = find<QLabel>(column.headName);
        ASSERT_NE(head, nullptr);
        EXPECT_TRUE(page(1)->isAncestorOf(head));
        EXPECT_EQ(head->text(), column.heading);
        EXPECT_TRUE(head->font().underline());
        EXPECT_TRUE(head->alignment() & Qt::AlignRight) << column.headName;
        EXPECT_EQ(onTabs(head).top(), driverHead.top());
        for (int r = 0; r < kDriverRows; ++r) {
            const QRect b = onTabs(box(column.boxName, r));
            EXPECT_EQ(b.size(), QSize(41, 19));
            EXPECT_EQ(b.left(), 176 + 48 * c);
            EXPECT_EQ(b.top(), driverHead.top() + 16 + 16 * r);
            EXPECT_TRUE(box(column.boxName, r)->alignment() & Qt::AlignRight);
        }
        // A heading ends where its boxes end.
        EXPECT_EQ(onTabs(head).right(), onTabs(box(column.boxName, 0)).right());
    }
    for (int r = 0; r < kDriverRows; ++r) {
        const QRect name = onTabs(find<QLabel>(QString("lblDriver_DriverName_%1").arg(r)));
        EXPECT_EQ(name.left(), 8);
        EXPECT_EQ(name.top(), driverHead.top() + 16 + 16 * r);
        EXPECT_LT(name.right(), 176);
    }
    EXPECT_EQ(find<QLabel>("lblDrivers_LimAvgHead")->text(), "LimAvg");
    EXPECT_EQ(box("txtDriver_Laps", 0)->toolTip(), "Completed Laps %");
}

TEST_F(LayoutTest, EveryCaptionFitsAndNothingLeavesItsPage) {
    find<QTabWidget>("tabRivo")->setCurrentIndex(1);
    find<QTabWidget>("tabRivo")->setCurrentIndex(0);
    for (int p = 0; p < 2; ++p) {
        const QRect area = page(p)->rect();
        for (QWidget* w : page(p)->findChildren<QWidget*>()) {
            if (w->parentWidget() != page(p)) {
                continue; // inside a frame or a list
            }
            EXPECT_TRUE(area.contains(w->geometry())) << w->objectName().toStdString();
            if (qobject_cast<QLabel*>(w) != nullptr || qobject_cast<QGroupBox*>(w) != nullptr) {
                if (!w->objectName().startsWith("lblDriver_DriverName") &&
                    w->objectName() != "lblConfig_LocationDir" &&
                    w->objectName() != "lblConfig_StoreDir" &&
                    w->objectName() != "lblConfig_HostDir") {
                    EXPECT_LE(w->sizeHint().width(), w->width()) << w->objectName().toStdString();
                }
            }
        }
    }
    for (auto* b : page(0)->findChildren<QRadioButton*>()) {
        EXPECT_LE(b->sizeHint().width(), b->width()) << b->objectName().toStdString();
        EXPECT_LE(b->sizeHint().height(), b->height()) << b->objectName().toStdString();
        EXPECT_TRUE(b->parentWidget()->rect().contains(b->geometry()));
    }
}

// One font throughout: on Windows the system's, as its menus and message
// boxes use; elsewhere the condensed face the layout was drawn for. The
// headings keep their size and weight and add their underline.
TEST_F(LayoutTest, OneFontThroughoutWithTheHeadingsUnderlined) {
    const QFont font = window->font();
#ifdef Q_OS_WIN
    EXPECT_EQ(font, QApplication::font());
#else
    EXPECT_EQ(font.families().front(), "DejaVu Sans Condensed");
    EXPECT_EQ(font.pixelSize(), 11);
#endif
    for (const char* name : {"lblConfig_SeasonDir", "optConfig_UseA3D_0", "txtDriver_Race_3"}) {
        EXPECT_EQ(find<QWidget>(name)->font(), font) << name;
    }
    for (const char* name : {"lblDriver_DriverHead", "lblDriver_QualHead"}) {
        const QFont heading = find<QLabel>(name)->font();
        EXPECT_TRUE(heading.underline()) << name;
        EXPECT_EQ(heading.family(), font.family()) << name;
        EXPECT_EQ(heading.pixelSize(), font.pixelSize()) << name;
        EXPECT_EQ(heading.pointSizeF(), font.pointSizeF()) << name;
        EXPECT_EQ(heading.weight(), font.weight()) << name;
    }
}

TEST_F(LayoutTest, MenusHoldTheCommandsInOrder) {
    QList<QAction*> menus = window->menuBar()->actions();
    std::vector<std::string> titles;
    for (QAction* a : menus) {
        titles.push_back(a->text().toStdString());
    }
    EXPECT_THAT(titles, ElementsAreArray({"&File", "&Edit", "&Config", "&Drivers"}));
    auto items = [](QMenu* menu) {
        std::vector<std::string> out;
        for (QAction* a : menu->actions()) {
            const QString keys = QKeySequence::listToString(a->shortcuts());
            out.push_back(a->objectName().toStdString() + " " + a->text().toStdString() +
                          (keys.isEmpty() ? "" : " " + keys.toStdString()));
            EXPECT_FALSE(a->isSeparator());
            EXPECT_FALSE(a->isCheckable());
        }
        return out;
    };
    // Each system's standard keys: Windows has none for quitting (Alt+F4
    // closes the window there).
#ifdef Q_OS_WIN
    const char* exit = "mnuFile_Exit E&xit";
#else
    const char* exit = "mnuFile_Exit E&xit Ctrl+Q";
#endif
    EXPECT_THAT(items(window->mnuFile),
                ElementsAreArray({"mnuFile_Save &Save All (To Game) Ctrl+S",
                                  "mnuFile_Review &Review Changes... Ctrl+R",
                                  "mnuFile_Restore Restore the Game's &Originals...", exit}));
    EXPECT_FALSE(window->mnuFile_Restore->isEnabled()) << "no original kept yet";
    EXPECT_THAT(
        items(window->mnuEdit),
        ElementsAreArray({"mnuEdit_Undo &Undo Ctrl+Z", "mnuEdit_Redo &Redo Ctrl+Y; Ctrl+Shift+Z"}));
    EXPECT_FALSE(window->mnuEdit_Undo->isEnabled()) << "nothing to undo after start-up";
    EXPECT_THAT(items(window->mnuConfig), ElementsAreArray({"mnuConfig_Save &Save (To Game)"}));
    EXPECT_THAT(
        items(window->mnuDrivers),
        ElementsAreArray({"mnuDrivers_Import_Game &Import From Game",
                          "mnuDrivers_Import Import &From ...",
                          "mnuDrivers_Save_Game &Save To Game", "mnuDrivers_SaveIn Save &To ..."}));
}

std::vector<std::string> tabThrough(QWidget* first, int presses) {
    first->setFocus(Qt::TabFocusReason);
    std::vector<std::string> seen{QApplication::focusWidget()->objectName().toStdString()};
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    return seen;
}

// The stops of the Tab key on each page, in order, round to the page tabs
// again. An option frame is one stop, at its selected button.
struct TabRound {
    int page;
    std::vector<std::string> stops;
};

std::vector<std::string> driverBoxesDownEachColumn() {
    std::vector<std::string> boxes;
    for (const char* column :
         {"txtDriver_Qualify", "txtDriver_Race", "txtDriver_Laps", "txtDriver_Crash",
          "txtDriver_React", "txtDriver_Mad", "txtDriver_Run", "txtDriver_Brain",
          "txtDriver_LimAvg", "txtDriver_LimVar"}) {
        for (int r = 0; r < kDriverRows; ++r) {
            boxes.push_back(std::string(column) + "_" + std::to_string(r));
        }
    }
    return boxes;
}

TEST_F(LayoutTest, TabAndShiftTabGoRoundEachPageBothWaysFromEveryStop) {
    std::vector<std::string> drivers{"tabs"};
    for (const std::string& b : driverBoxesDownEachColumn()) {
        drivers.push_back(b);
    }
    const TabRound rounds[] = {
        {0,
         {"tabs", "optConfig_SystemRating_2", "optConfig_Windowed_1", "optConfig_UseA3D_0",
          "optConfig_UseEAX_1", "lstConfig_VideoDriver"}},
        {1, drivers},
    };
    QTabBar* tabs = window->tabRivo->tabBar();
    const auto named = [&](const std::string& name) -> QWidget* {
        return name == "tabs" ? tabs : find<QWidget>(QString::fromStdString(name));
    };
    const auto focusName = [&] {
        QWidget* w = QApplication::focusWidget();
        return w == tabs ? std::string("tabs") : w->objectName().toStdString();
    };
    for (const TabRound& round : rounds) {
        window->tabRivo->setCurrentIndex(round.page);
        const std::size_t n = round.stops.size();
        for (std::size_t i = 0; i < n; ++i) {
            SCOPED_TRACE(round.stops[i]);
            named(round.stops[i])->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(focusName(), round.stops[(i + 1) % n]);
            named(round.stops[i])->setFocus(Qt::TabFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_EQ(focusName(), round.stops[(i + n - 1) % n]);
        }
        // And as a player goes: once round by Tab alone, then back by
        // Shift+Tab alone, each key from where the last one left the focus.
        named(round.stops[0])->setFocus(Qt::TabFocusReason);
        for (std::size_t i = 1; i <= n; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(focusName(), round.stops[i % n]) << "Tab number " << i;
        }
        for (std::size_t i = 1; i <= n; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
            EXPECT_EQ(focusName(), round.stops[(n - i) % n]) << "Shift+Tab number " << i;
        }
    }
}

// The arrow keys move the choice within a frame, which stays one stop of
// the Tab key, wherever its choice goes; an undo too.
TEST_F(LayoutTest, ArrowKeysMoveWithinAFrameAndTabStillLeavesIt) {
    struct Press {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* focus;
    };
    const Press presses[] = {
        {Qt::Key_Tab, {}, "optConfig_Windowed_1"},
        {Qt::Key_Tab, Qt::ShiftModifier, "optConfig_SystemRating_2"},
        {Qt::Key_Right, {}, "optConfig_SystemRating_3"},
        {Qt::Key_Right, {}, "optConfig_SystemRating_4"},
        {Qt::Key_Left, {}, "optConfig_SystemRating_3"},
        {Qt::Key_Tab, {}, "optConfig_Windowed_1"},
        {Qt::Key_Tab, Qt::ShiftModifier, "optConfig_SystemRating_3"},
        {Qt::Key_Tab, {}, "optConfig_Windowed_1"},
        {Qt::Key_Tab, {}, "optConfig_UseA3D_0"},
        {Qt::Key_Right, {}, "optConfig_UseA3D_1"},
        {Qt::Key_Z, Qt::ControlModifier, "optConfig_UseA3D_0"},
        {Qt::Key_Tab, Qt::ShiftModifier, "optConfig_Windowed_1"},
        {Qt::Key_Tab, {}, "optConfig_UseA3D_0"},
        {Qt::Key_Tab, {}, "optConfig_UseEAX_1"},
        {Qt::Key_Left, {}, "optConfig_UseEAX_0"},
        {Qt::Key_Tab, Qt::ShiftModifier, "optConfig_UseA3D_0"},
        {Qt::Key_Tab, {}, "optConfig_UseEAX_0"},
        {Qt::Key_Tab, {}, "lstConfig_VideoDriver"},
    };
    find<QWidget>("optConfig_SystemRating_2")->setFocus(Qt::TabFocusReason);
    for (const Press& p : presses) {
        QTest::keyClick(QApplication::focusWidget(), p.key, p.modifiers);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), p.focus);
        EXPECT_TRUE(qobject_cast<QRadioButton*>(QApplication::focusWidget()) == nullptr ||
                    qobject_cast<QRadioButton*>(QApplication::focusWidget())->isChecked());
    }
    EXPECT_EQ(state().settings.SystemRating, "4");
    EXPECT_EQ(state().settings.UseA3D, "0");
    EXPECT_EQ(state().settings.UseEAX, "0");
}

// The list marks its current entry while it has the focus, whether or not
// that entry is chosen.
TEST_F(LayoutTest, TheVideoListShowsWhereTheFocusIs) {
    auto* list = find<QListWidget>("lstConfig_VideoDriver");
    list->clearSelection();
    list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    const QRect entry = list->visualItemRect(list->item(0));
    const QImage before = list->viewport()->grab().toImage().copy(entry);
    find<QWidget>("optConfig_UseEAX_1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), list);
    EXPECT_NE(list->viewport()->grab().toImage().copy(entry), before);
}

// Ctrl+Tab turns the page from wherever the focus is, and the page tabs say
// so.
TEST_F(LayoutTest, CtrlTabTurnsThePageAsThePageTabsSay) {
    QTabWidget* tabs = window->tabRivo;
    EXPECT_THAT(tabs->tabToolTip(0).toStdString(), ::testing::HasSubstr("Ctrl+Tab"));
    EXPECT_EQ(tabs->tabToolTip(1), tabs->tabToolTip(0));
    find<QWidget>("optConfig_UseA3D_0")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
    box("txtDriver_Race", 3)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs->currentIndex(), 0);
    find<QWidget>("lstConfig_VideoDriver")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                    Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs->currentIndex(), 1);
}

TEST_F(LayoutTest, TabPassesOverDisabledRows) {
    find<QTabWidget>("tabRivo")->setCurrentIndex(1);
    window->EnableDriverRow(21, false);
    const auto seen = tabThrough(box("txtDriver_Qualify", 20), 1);
    EXPECT_EQ(seen.back(), "txtDriver_Race_0");
}

} // namespace
} // namespace rivo::test
