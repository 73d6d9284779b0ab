#include "app_test_game.h"
#include "only_on.h"
#include "review_window.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <functional>
#include <gmock/gmock.h>
#include <map>
#ifndef _WIN32
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace rivo::test {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Answer = UserDialogs::Answer;

class CloseTest : public AppTest {
protected:
    TempDir userFolder;
    void SetUp() override {
        writeGame();
        startShown();
    }
    void changeConfig() {
        auto* yes = find<QRadioButton>("optConfig_UseA3D_1");
        QTest::mouseClick(yes, Qt::LeftButton, {}, QPoint(6, yes->height() / 2));
        ASSERT_TRUE(state().unsaved.settings);
    }
    void typeDriverValue() {
        QLineEdit* b = box("txtDriver_Qualify", 0);
        b->end(false);
        QTest::keyClick(b, Qt::Key_7);
        ASSERT_TRUE(state().unsaved.drivers);
    }
    // Imports a set file whose 22 drivers are named "Other 0" and so on.
    void importOtherSet() {
        std::string set;
        for (int r = 0; r < kDriverRows; ++r) {
            DriverRecord record = SampleDriver(r);
            record[DriverField::DriverName] = "Other " + std::to_string(r);
            set += RecordText(record);
        }
        writeFile(userFolder.path() / "other.rvd", set);
        dialogs.files = {userFolder.path() / "other.rvd"};
        window->mnuDrivers_Import->trigger();
    }
    std::string configOnDisk() { return readFile(gameFile("config.ini")); }
    std::string driverOnDisk() { return readFile(driverFile(0)); }
};

TEST_F(CloseTest, NoEditsCloseWithoutAQuestion) {
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(CloseTest, OkSavesSettingsAndDriversAndCloses) {
    changeConfig();
    typeDriverValue();
    dialogs.answers = {Answer::Ok};
    EXPECT_TRUE(window->close());
    EXPECT_THAT(dialogs.questions,
                ElementsAre("Changes have not been saved to the game. Click OK to save to game "
                            "or Cancel to Quit."));
    EXPECT_FALSE(window->isVisible());
    EXPECT_THAT(configOnDisk(), HasSubstr("UseA3D=1\r\n"));
    EXPECT_THAT(driverOnDisk(), HasSubstr(" QualifyingAbility=1.007\r\n"));
}

TEST_F(CloseTest, CancelClosesWithoutSaving) {
    changeConfig();
    typeDriverValue();
    dialogs.answers = {Answer::Cancel};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(configOnDisk(), SampleConfig());
    EXPECT_EQ(driverOnDisk(), RecordText(SampleDriver(0)));
}

// Escape or the question's close button: back to the editor with nothing
// saved and nothing lost; the next close asks again.
TEST_F(CloseTest, DismissingTheQuestionKeepsTheWindowOpenWithTheEditsUnsaved) {
    changeConfig();
    typeDriverValue();
    dialogs.answers = {Answer::Dismissed};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(configOnDisk(), SampleConfig());
    EXPECT_EQ(driverOnDisk(), RecordText(SampleDriver(0)));
    EXPECT_TRUE(state().unsaved.settings);
    EXPECT_TRUE(state().unsaved.drivers);
    EXPECT_EQ(state().settings.UseA3D, "1");

    dialogs.answers = {Answer::Ok};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_THAT(configOnDisk(), HasSubstr("UseA3D=1\r\n"));
    EXPECT_THAT(driverOnDisk(), HasSubstr(" QualifyingAbility=1.007\r\n"));
}

TEST_F(CloseTest, AFailedSaveOnClosingKeepsTheWindowOpen) {
    changeConfig();
    fs::remove(gameFile("config.ini"));
    fs::create_directory(gameFile("config.ini"));
    dialogs.answers = {Answer::Ok};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("config.ini"));
    EXPECT_TRUE(state().unsaved.settings);

    // The user may still leave without saving.
    dialogs.answers = {Answer::Cancel};
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(CloseTest, TypedValueThenConfigSaveStillAsks) {
    typeDriverValue();
    window->mnuConfig_Save->trigger();
    EXPECT_FALSE(state().unsaved.settings);
    window->close();
    EXPECT_EQ(dialogs.questions.size(), 1u);
}

// A comment in config.ini is no value: undoing a saved edit and saving it
// again leaves the settings saved, so closing asks nothing and the comment
// stays.
TEST_F(CloseTest, SaveToGameWithOnlyDriverEditsAsksNothing) {
    writeConfig("; the player's note\r\n" + SampleConfig());
    startShown();
    typeDriverValue();
    window->mnuDrivers_Save_Game->trigger();
    EXPECT_THAT(driverOnDisk(), HasSubstr(" QualifyingAbility=1.007\r\n"));
    window->mnuEdit_Undo->trigger();
    EXPECT_TRUE(state().unsaved.drivers);
    EXPECT_FALSE(state().unsaved.settings);
    window->mnuDrivers_Save_Game->trigger();
    window->close();
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_THAT(configOnDisk(), HasSubstr("; the player's note\r\n"));
}

TEST_F(CloseTest, SaveToGameAfterAConfigEditStillAsks) {
    changeConfig();
    window->mnuDrivers_Save_Game->trigger();
    window->close();
    EXPECT_EQ(dialogs.questions.size(), 1u);
}

// Another program (the game, an editor) changed files after start-up: one
// question names them all. Cancel leaves exactly those as they are and keeps
// the work unsaved; OK replaces them. A file that already holds its new bytes
// is not written at all, and one changed while the question is shown is left
// as it is then, without a second question.
TEST_F(CloseTest, FilesAnotherProgramChangedAreReplacedOnlyWhenTheUserSaysSo) {
    changeConfig();
    typeDriverValue();
    const std::string otherConfig = SampleConfig() + "Language=fr\r\n";
    DriverRecord other = SampleDriver(5);
    other[DriverField::Age] = "99";
    writeConfig(otherConfig);
    writeDriver(5, other);
    const auto stamp = fs::last_write_time(driverFile(1)) - std::chrono::hours(24);
    fs::last_write_time(driverFile(1), stamp);
    const std::string config = "C:\\Games\\Kestra\\config.ini";

    DriverRecord whileAsked = SampleDriver(0);
    whileAsked[DriverField::Age] = "98";
    dialogs.onQuestion = [&](const std::string&) { writeDriver(0, whileAsked); };
    dialogs.answers = {Answer::Cancel};
    window->mnuFile_Save->trigger();
    dialogs.onQuestion = nullptr;
    EXPECT_THAT(dialogs.questions, ElementsAre(ChangedFilesQuestion({config, driverGamePath(5)})));
    EXPECT_EQ(configOnDisk(), otherConfig);
    EXPECT_EQ(readFile(driverFile(5)), RecordText(other));
    EXPECT_EQ(driverOnDisk(), RecordText(whileAsked));
    EXPECT_EQ(fs::last_write_time(driverFile(1)), stamp);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_THAT(dialogs.messages[0], HasSubstr(config + ": another program changed it"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr(driverGamePath(0) + ": another program changed"));
    EXPECT_TRUE(state().unsaved.settings);
    EXPECT_TRUE(state().unsaved.editedRows.test(0));

    // Import From Game takes the driver files as they are now.
    window->mnuDrivers_Import_Game->trigger();
    EXPECT_EQ(state().roster[5], other);
    EXPECT_EQ(state().roster[0], whileAsked);
    // Undoing the import shows values the files no longer hold: unsaved
    // until redone.
    window->mnuEdit_Undo->trigger();
    EXPECT_EQ(state().roster[5], SampleDriver(5));
    EXPECT_TRUE(state().unsaved.editedRows.test(5));
    window->mnuEdit_Redo->trigger();
    EXPECT_FALSE(state().unsaved.editedRows.test(5));

    // Closing still asks; saving then asks again, about config.ini alone.
    dialogs.questions.clear();
    dialogs.answers = {Answer::Ok, Answer::Ok};
    EXPECT_TRUE(window->close());
    EXPECT_THAT(dialogs.questions, ElementsAre(kSaveQuestion, ChangedFilesQuestion({config})));
    EXPECT_THAT(configOnDisk(), HasSubstr("UseA3D=1\r\n"));
    EXPECT_EQ(readFile(driverFile(5)), RecordText(other));
}

TEST_F(CloseTest, FileMenuWorksFromTheKeyboard) {
    changeConfig();
    typeDriverValue();
    QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu, window->mnuFile);
    QTest::keyClick(menu, Qt::Key_S); // Save All
    EXPECT_FALSE(state().unsaved.any());
    EXPECT_THAT(configOnDisk(), HasSubstr("UseA3D=1\r\n"));

    QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X); // Exit
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.questions.empty());
}

// Undo and redo first turn to the page where the step worked and put the
// focus on its control: three Ctrl+Z on the Drivers page reach back to a
// choice on the Config page.
TEST_F(CloseTest, UndoAndRedoTurnToThePageAndControlOfTheirStep) {
    changeConfig(); // A3D "Yes"
    auto typeInto = [](QLineEdit* b, const char* keys) {
        b->setFocus();
        b->end(false);
        QTest::keyClicks(b, keys);
    };
    window->tabRivo->setCurrentIndex(1);
    typeInto(box("txtDriver_Qualify", 0), "7");
    typeInto(box("txtDriver_Race", 2), "1");
    struct Press {
        Qt::Key key;
        int page;
        const char* focus;
        const char* useA3D;
    };
    const Press presses[] = {
        {Qt::Key_Z, 1, "txtDriver_Race_2", "1"},    {Qt::Key_Z, 1, "txtDriver_Qualify_0", "1"},
        {Qt::Key_Z, 0, "optConfig_UseA3D_0", "0"},  {Qt::Key_Y, 0, "optConfig_UseA3D_1", "1"},
        {Qt::Key_Y, 1, "txtDriver_Qualify_0", "1"}, {Qt::Key_Y, 1, "txtDriver_Race_2", "1"},
    };
    for (const Press& p : presses) {
        QTest::keyClick(QApplication::focusWidget(), p.key, Qt::ControlModifier);
        EXPECT_EQ(window->tabRivo->currentIndex(), p.page);
        EXPECT_EQ(QApplication::focusWidget()->objectName().toStdString(), p.focus);
        EXPECT_EQ(state().settings.UseA3D, p.useA3D);
    }
    EXPECT_EQ(state().roster[2][DriverField::RaceAbility], "2.021");
}

// Ctrl+S saves all; Ctrl+Q leaves as Exit does, through the same question.
TEST_F(CloseTest, StandardKeysSaveAllAndExit) {
    changeConfig();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_THAT(configOnDisk(), HasSubstr("UseA3D=1\r\n"));
    EXPECT_FALSE(state().unsaved.any());
#ifndef Q_OS_WIN
    typeDriverValue();
    dialogs.answers = {Answer::Dismissed, Answer::Cancel};
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(driverOnDisk(), RecordText(SampleDriver(0)));
#endif
}

// Save All is greyed exactly while it would write nothing: nothing unsaved
// and nothing in the review, not even a file another program changed.
TEST_F(CloseTest, SaveAllIsGreyedWhileItWouldWriteNothing) {
    const auto fileMenuShown = [this] {
        QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
        QWidget* menu = QApplication::activePopupWidget();
        EXPECT_EQ(menu, window->mnuFile);
        if (menu != nullptr) {
            QTest::keyClick(menu, Qt::Key_Escape);
        }
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        bool enabled;
    };
    const Step steps[] = {
        {"start-up", [] {}, false},
        {"a choice", [this] { changeConfig(); }, true},
        {"undone", [this] { window->mnuEdit_Undo->trigger(); }, false},
        {"redone", [this] { window->mnuEdit_Redo->trigger(); }, true},
        {"saved", [this] { window->mnuFile_Save->trigger(); }, false},
        {"typed", [this] { typeDriverValue(); }, true},
        {"Drivers > Save To Game", [this] { window->mnuDrivers_Save_Game->trigger(); }, false},
        {"another program changed config.ini",
         [&] {
             std::string config = configOnDisk();
             config.replace(config.find("UseA3D=1"), 8, "UseA3D=0");
             writeConfig(config);
             fileMenuShown();
         },
         true},
        {"saved over it", [this] { window->mnuFile_Save->trigger(); }, false},
    };
    dialogs.answers = {Answer::Ok}; // replace the file the other program changed
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(window->mnuFile_Save->isEnabled(), step.enabled);
    }
    EXPECT_THAT(configOnDisk(), HasSubstr("UseA3D=1\r\n"));
}

// Typing in a box until the focus leaves it, a paste, each import and each
// choice on the Config page are steps of one history, which the Edit menu
// and the keys in a box walk. Undoing them all gives back the files' own
// values: a save then writes nothing. Redone, they are saved; a step undone
// after that save is unsaved work again.
TEST_F(CloseTest, EveryChangeIsAStepOfOneHistory) {
    const EditorData start = state();
    fs::remove(driverFile(7));
    window->mnuDrivers_Import_Game->trigger(); // greys out row 7
    writeDriver(7, SampleDriver(7));
    importOtherSet();
    auto typeInto = [](QLineEdit* b, const char* keys) {
        b->setFocus();
        b->end(false);
        QTest::keyClicks(b, keys);
    };
    typeInto(box("txtDriver_Qualify", 0), "25\b");
    QApplication::clipboard()->setText("9.5");
    box("txtDriver_Race", 1)->setFocus();
    box("txtDriver_Race", 1)->selectAll();
    QTest::keyClick(box("txtDriver_Race", 1), Qt::Key_V, Qt::ControlModifier);
    typeInto(box("txtDriver_Qualify", 0), "7");
    changeConfig();
    auto* five = find<QRadioButton>("optConfig_SystemRating_4");
    QTest::mouseClick(five, Qt::LeftButton, {}, QPoint(6, five->height() / 2));
    const EditorData edited = state();
    EXPECT_EQ(state().roster[0][DriverField::QualifyingAbility], "1.0027");

    // Ctrl+Z in a box takes back the editor's last step, not the box's typing.
    QLineEdit* qualify = box("txtDriver_Qualify", 3);
    qualify->setFocus();
    QTest::keyClick(qualify, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(state().settings.SystemRating, "3");
    // So does Undo in the box's context menu.
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        menu->actions().front()->trigger();
        menu->close();
    });
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {}, qualify->mapToGlobal(QPoint()));
    QApplication::sendEvent(qualify, &menuKey);
    EXPECT_EQ(state().settings.UseA3D, "0");
    std::vector<std::string> undone;
    while (window->mnuEdit_Undo->isEnabled()) {
        undone.push_back(window->mnuEdit_Undo->text().toStdString());
        if (!box("txtDriver_Qualify", 7)->isEnabled()) {
            undone.back() += " (row 7 greyed)";
        }
        window->mnuEdit_Undo->trigger();
    }
    EXPECT_THAT(undone, ElementsAre("&Undo Qualify of Other 0", "&Undo Paste",
                                    "&Undo Qualify of Other 0", "&Undo Import From other.rvd",
                                    "&Undo Import From Game (row 7 greyed)"));
    EXPECT_TRUE(SameValues(state(), start));
    // Row 7's file was missing when the import read it: the values it shows
    // now are unsaved, and only they.
    EXPECT_FALSE(state().unsaved.settings);
    EXPECT_EQ(state().unsaved.editedRows, DriverRowSet().set(7));
    EXPECT_TRUE(box("txtDriver_Qualify", 7)->isEnabled());
    EXPECT_EQ(box("txtDriver_Qualify", 0)->text(), "1.00");
    // A time the file system can hold (Windows keeps 100 ns steps).
    const auto old = fs::last_write_time(gameFile("config.ini")) - std::chrono::hours(24);
    fs::last_write_time(gameFile("config.ini"), old);
    fs::last_write_time(driverFile(0), old);
    window->mnuFile_Save->trigger();
    EXPECT_EQ(fs::last_write_time(gameFile("config.ini")), old) << "the same bytes: not written";
    EXPECT_EQ(fs::last_write_time(driverFile(0)), old);

    // Redo from the keys in a box and from the menu.
    QTest::keyClick(qualify, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(qualify, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->mnuEdit_Redo->text(), "&Redo Qualify of Other 0");
    while (window->mnuEdit_Redo->isEnabled()) {
        window->mnuEdit_Redo->trigger();
    }
    // Measured against the files as just saved, every row is unsaved now.
    EditorData redone = state();
    EXPECT_TRUE(redone.unsaved.settings && redone.unsaved.editedRows.all());
    redone.unsaved = edited.unsaved;
    EXPECT_EQ(redone, edited);
    window->mnuFile_Save->trigger();
    EXPECT_THAT(driverOnDisk(), HasSubstr("Other 0\r\n"));
    EXPECT_THAT(driverOnDisk(), HasSubstr(" QualifyingAbility=1.0027\r\n"));
    EXPECT_THAT(readFile(driverFile(1)), HasSubstr(" RaceAbility=9.5\r\n"));
    EXPECT_THAT(configOnDisk(), HasSubstr("SystemRating=5\r\n"));
    EXPECT_FALSE(state().unsaved.any());

    // Saving is no step: undoing now makes the editor differ from the files.
    window->mnuEdit_Undo->trigger();
    EXPECT_TRUE(state().unsaved.settings);
    EXPECT_FALSE(state().unsaved.drivers);
    window->mnuEdit_Redo->trigger();
    EXPECT_FALSE(state().unsaved.any());
    window->mnuEdit_Undo->trigger();
    dialogs.answers = {Answer::Ok};
    EXPECT_TRUE(window->close());
    EXPECT_THAT(configOnDisk(), HasSubstr("SystemRating=3\r\n"));
    EXPECT_EQ(dialogs.questions.size(), 1u);
}

// The title's mark is set exactly when closing would ask, after every command
// that changes the marks; the status line says what each command did.
TEST_F(CloseTest, TheTitleMarksUnsavedWorkAndTheStatusLineTellsEachCommand) {
    auto status = [this] { return window->lblStatus->text().toStdString(); };
    auto marked = [this] { return window->isWindowModified(); };
    EXPECT_FALSE(marked());
    EXPECT_EQ(status(), "");
    EXPECT_FALSE(window->mnuFile_Restore->isEnabled());
    EXPECT_EQ(window->mnuFile_Restore->statusTip(),
              "Nothing to restore: nothing has been replaced yet");

    changeConfig();
    EXPECT_TRUE(marked());
    window->mnuEdit_Undo->trigger();
    EXPECT_FALSE(marked());
    window->mnuEdit_Redo->trigger();
    EXPECT_TRUE(marked());

    // The first save that keeps the game's originals names their folder.
    window->mnuFile_Save->trigger();
    const std::vector<std::string> installs = FileNames(originalsRoot());
    ASSERT_EQ(installs.size(), 1u);
    EXPECT_EQ(status(), "Saved 1 game file; the game's originals are kept in " +
                            displayPath(originalsRoot() / installs[0]));
    // Cut at the window's edge, the line is whole in its tooltip.
    EXPECT_THAT(window->lblStatus->toolTip().toStdString(),
                HasSubstr(displayPath(originalsRoot() / installs[0]) + "</p>"));
    EXPECT_FALSE(marked());
    EXPECT_TRUE(window->mnuFile_Restore->isEnabled());
    // Save All is greyed now; Config > Save says it had nothing to write.
    EXPECT_FALSE(window->mnuFile_Save->isEnabled());
    window->mnuConfig_Save->trigger();
    EXPECT_EQ(status(), "Nothing to save");

    // Undoing a saved step makes the editor differ from the file again.
    window->mnuEdit_Undo->trigger();
    EXPECT_TRUE(marked());
    window->mnuConfig_Save->trigger();
    EXPECT_EQ(status(), "Saved 1 game file");
    EXPECT_FALSE(marked());

    typeDriverValue();
    EXPECT_TRUE(marked());
    window->mnuDrivers_Save_Game->trigger();
    EXPECT_EQ(status(), "Saved 1 game file");
    EXPECT_FALSE(marked());

    importOtherSet();
    EXPECT_EQ(status(), "Imported 22 drivers from other.rvd");
    EXPECT_TRUE(marked());
    window->mnuDrivers_Import_Game->trigger();
    EXPECT_EQ(status(), "Imported 22 drivers from the game's driver files");
    EXPECT_FALSE(marked());
    window->mnuEdit_Undo->trigger();
    EXPECT_TRUE(marked());

    // A set file is no save of the game: the mark stays.
    dialogs.files = {userFolder.path() / "mine.rvd"};
    window->mnuDrivers_SaveIn->trigger();
    EXPECT_EQ(status(), "Saved the drivers to " + displayPath(userFolder.path() / "mine.rvd"));
    EXPECT_TRUE(marked());
    window->mnuFile_Save->trigger();
    EXPECT_EQ(status(), "Saved 22 game files");
    EXPECT_FALSE(marked());

    // Restore speaks of the originals, also over another program's change.
    writeConfig(SampleConfig() + "; mine\r\n");
    dialogs.questions.clear();
    dialogs.messages.clear();
    dialogs.answers = {Answer::Ok, Answer::Cancel};
    window->mnuFile_Restore->trigger();
    EXPECT_THAT(dialogs.buttons, ElementsAre("&Restore|&Cancel", "&Restore|&Cancel"));
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(dialogs.questions[1], "These files were changed by another program after RivoEdit "
                                    "read them:\nC:\\Games\\Kestra\\config.ini\n\nPut the "
                                    "game's originals back over them as well?");
    EXPECT_THAT(dialogs.messages,
                ElementsAre("Could not restore C:\\Games\\Kestra\\config.ini: another program "
                            "changed it after RivoEdit read it, so it was left as it was"));
    EXPECT_EQ(status(), "Restored the game's originals: 22 files as the game had them");
    EXPECT_FALSE(marked());
    EXPECT_EQ(configOnDisk(), SampleConfig() + "; mine\r\n");

    // A read-only file is left alone, and the message says how to clear it.
    constexpr fs::perms kWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(gameFile("config.ini"), kWrite, fs::perm_options::remove);
    changeConfig();
    dialogs.messages.clear();
    window->mnuFile_Save->trigger();
#ifdef _WIN32
    const std::string advice = "clear \"Read-only\" in the file's Properties";
#else
    const std::string advice =
        "make it writable (chmod u+w '" + gameFile("config.ini").string() + "')";
#endif
    EXPECT_THAT(dialogs.messages,
                ElementsAre("Could not save C:\\Games\\Kestra\\config.ini: the file is "
                            "read-only, so it was left as it was. To save it, " +
                            advice + ", then save again."));
    EXPECT_EQ(status(), "Saved 0 game files; 1 could not be saved");
    EXPECT_TRUE(marked());
    fs::permissions(gameFile("config.ini"), fs::perms::owner_write, fs::perm_options::add);
}

// The review lists what Save All would change, compared byte for byte with
// the disk: not a value changed and changed back, but a file another program
// changed, with its value on disk now and the lines the save drops.
TEST_F(CloseTest, ReviewShowsWhatSaveAllWouldWrite) {
    // Each change in the window's words, then as the file has it.
    auto rows = [this] {
        std::vector<std::string> out;
        QTreeWidget* tree = window->frmReview->tvwReview;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            const QTreeWidgetItem* row = *it;
            out.push_back(
                (row->text(0) + (row->parent() ? " | " + row->text(1) : QString())).toStdString());
        }
        return out;
    };
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_NE(window->frmReview, nullptr);
    EXPECT_TRUE(window->frmReview->isVisible());
    EXPECT_TRUE(window->frmReview->lblReview_Nothing->isVisible());
    EXPECT_EQ(window->frmReview->lblReview_Nothing->text(), "No changes to save.");
    window->frmReview->cmdReview_Close->click();

    typeDriverValue();
    changeConfig();
    auto* no = find<QRadioButton>("optConfig_UseA3D_0");
    QTest::mouseClick(no, Qt::LeftButton, {}, QPoint(6, no->height() / 2));
    auto* notWindowed = find<QRadioButton>("optConfig_Windowed_0");
    QTest::mouseClick(notWindowed, Qt::LeftButton, {}, QPoint(6, notWindowed->height() / 2));
    // A box cleared: the save writes the key with nothing after it.
    QLineEdit* race = box("txtDriver_Race", 0);
    race->selectAll();
    QTest::keyClick(race, Qt::Key_Backspace);
    std::string other = SampleConfig();
    other.replace(other.find("SystemRating=3"), 14, "; tuned\r\nSystemRating=4");
    writeConfig(other + "[Mine]\r\nLanguage=fr\r\n");
    window->mnuFile_Review->trigger();
    EXPECT_FALSE(window->frmReview->lblReview_Nothing->isVisible());
    // Each file by its path on this system; the game's path is its tooltip.
    EXPECT_THAT(rows(),
                ElementsAre(RealPlace(gameFile("config.ini")) +
                                ": Changed by another program since RivoEdit read it",
                            "System Rating: 4 \u2192 3 | SystemRating: 4 \u2192 3",
                            "Run in Window: Yes \u2192 No | WindowedMode: 1 \u2192 0",
                            "Line the save removes: ; tuned | ; tuned",
                            "Line the save removes: [Mine] | [Mine]",
                            "Line the save removes: Language=fr | Language=fr",
                            RealPlace(driverFile(0)),
                            "Driver 0, Qualify: 1.00 \u2192 1.007 | QualifyingAbility: 1.00 "
                            "\u2192 1.007",
                            "Driver 0, Race: 2.00 \u2192 (empty) | RaceAbility: 2.00 \u2192 "
                            "(empty)"));
    EXPECT_EQ(window->frmReview->tvwReview->topLevelItem(1)->toolTip(0).toStdString(),
              driverGamePath(0));
    EXPECT_EQ(configOnDisk(), other + "[Mine]\r\nLanguage=fr\r\n") << "the review writes nothing";

    // Its Save All is the menu's, question included; what is left is nothing.
    dialogs.answers = {Answer::Ok};
    window->frmReview->cmdReview_Save->click();
    EXPECT_EQ(dialogs.questions.size(), 1u);
    std::string saved = SampleConfig();
    saved.replace(saved.find("WindowedMode=1"), 14, "WindowedMode=0");
    EXPECT_EQ(configOnDisk(), saved);
    EXPECT_THAT(driverOnDisk(), HasSubstr(" RaceAbility=\r\n"));
    EXPECT_TRUE(window->frmReview->lblReview_Nothing->isVisible());
}

// A row with values but no name (from a game file whose first line is
// empty, or missing at start-up and left so by a short set file) is never
// written. Only
// edits made to it since it was read are a failure to save.
enum class Unnamed { GameFile, ShortSet };

struct UnnamedCase {
    Unnamed from;
    bool edited;
};

class UnnamedRowTest : public CloseTest, public ::testing::WithParamInterface<UnnamedCase> {
protected:
    static constexpr int kRow = 21;

    void SetUp() override {
        writeGame();
        DriverRecord unnamed = SampleDriver(kRow);
        unnamed[DriverField::DriverName] = "";
        if (GetParam().from == Unnamed::GameFile) {
            writeDriver(kRow, unnamed);
        } else {
            // Missing at start-up, the row has no name for the set to keep.
            fs::remove(driverFile(kRow));
        }
        startShown();
        if (GetParam().from == Unnamed::ShortSet) {
            std::string set;
            for (int r = 0; r < kRow; ++r) {
                set += RecordText(SampleDriver(r));
            }
            writeFile(userFolder / "short.rvd", set);
            dialogs.files = {userFolder / "short.rvd"};
            window->mnuDrivers_Import->trigger();
        }
        dialogs.messages.clear();
    }
    std::string rowOnDisk() {
        return fs::exists(driverFile(kRow)) ? readFile(driverFile(kRow)) : "(none)";
    }
};

TEST_P(UnnamedRowTest, IsSkippedUnlessEditedAndDoesNotKeepTheWindowOpen) {
    const UnnamedCase& c = GetParam();
    ASSERT_EQ(state().roster[kRow][DriverField::DriverName], "");
    const std::string before = rowOnDisk();
    typeDriverValue();
    if (c.edited) {
        QLineEdit* crash = box("txtDriver_Crash", kRow);
        crash->end(false);
        QTest::keyClick(crash, Qt::Key_4);
    }

    dialogs.answers = {Answer::Ok};
    EXPECT_EQ(window->close(), !c.edited);
    EXPECT_THAT(driverOnDisk(), HasSubstr(" QualifyingAbility=1.007\r\n"));
    EXPECT_EQ(rowOnDisk(), before);
    if (c.edited) {
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_THAT(dialogs.messages[0], HasSubstr(DriverRoster::BaseName(kRow)));
        EXPECT_TRUE(state().unsaved.drivers);
    } else {
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, UnnamedRowTest,
                         ::testing::Values(UnnamedCase{Unnamed::GameFile, false},
                                           UnnamedCase{Unnamed::ShortSet, false},
                                           UnnamedCase{Unnamed::GameFile, true}));

// What the save and import code does not expect (no memory left, a path
// lookup that breaks) ends as a message: the program goes on with the state
// it had.
enum class Thrown { OutOfMemory, Runtime };

struct HandlerFailureCase {
    const char* action; // a menu command, or "close" answered with OK
    int row;            // the driver file that fails; -1 for config.ini
    Thrown thrown;
    const char* reason;
};

class HandlerFailureTest : public CloseTest,
                           public ::testing::WithParamInterface<HandlerFailureCase> {};

TEST_P(HandlerFailureTest, BecomesAMessageAndLeavesTheStateAsItWas) {
    const HandlerFailureCase& c = GetParam();
    changeConfig();
    typeDriverValue();
    const ProgramState before = state();
    const std::string failing = c.row < 0 ? "config.ini" : DriverRoster::BaseName(c.row) + ".rcd";
    paths.onResolve = [&](const std::string& gamePath) {
        if (!gamePath.ends_with(failing)) {
            return;
        }
        if (c.thrown == Thrown::OutOfMemory) {
            throw std::bad_alloc();
        }
        throw std::runtime_error("the lookup broke");
    };
    if (std::string(c.action) == "close") {
        dialogs.answers = {Answer::Ok};
        EXPECT_FALSE(window->close());
    } else {
        window->findChild<QAction*>(c.action)->trigger();
    }
    paths.onResolve = nullptr;

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_THAT(dialogs.messages[0], HasSubstr(c.reason));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(state().roster, before.roster);
    EXPECT_EQ(box("txtDriver_Qualify", 0)->text(), "1.007");
    EXPECT_EQ(state().settings, before.settings);
    EXPECT_EQ(state().unsaved.settings, before.unsaved.settings);
    EXPECT_EQ(state().unsaved.drivers, before.unsaved.drivers);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, HandlerFailureTest,
    ::testing::Values(
        HandlerFailureCase{"mnuFile_Save", -1, Thrown::OutOfMemory, "not enough memory"},
        HandlerFailureCase{"mnuConfig_Save", -1, Thrown::Runtime, "the lookup broke"},
        HandlerFailureCase{"mnuDrivers_Import_Game", 5, Thrown::OutOfMemory, "not enough memory"},
        HandlerFailureCase{"mnuDrivers_Save_Game", 5, Thrown::Runtime, "the lookup broke"},
        HandlerFailureCase{"close", -1, Thrown::OutOfMemory, "not enough memory"}));

TEST_F(AppTest, SaveAllWritesTheSettingsBeforeAnyDriverFile) {
    RIVO_SKIP_ON(Windows, "the order of the renames is watched with Linux's inotify");
#ifndef _WIN32
    writeGame();
    ASSERT_TRUE(start());
    auto* five = find<QRadioButton>("optConfig_SystemRating_4");
    five->setChecked(true);
    for (int r = 0; r < kDriverRows; ++r) {
        state().roster[r][DriverField::Age] = "70"; // so that every file is written
    }
    // The renames that put the new files in place, in the order they happen.
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    for (const fs::path& folder : {gameFile(""), driverFile(0).parent_path()}) {
        ASSERT_GE(::inotify_add_watch(watch, folder.c_str(), IN_MOVED_TO), 0);
    }
    window->mnuFile_Save->trigger();
    std::vector<std::string> replaced;
    alignas(inotify_event) char events[64 * 1024];
    for (ssize_t n; (n = ::read(watch, events, sizeof events)) > 0;) {
        for (char* at = events; at < events + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            replaced.emplace_back(event->name);
            at += sizeof(inotify_event) + event->len;
        }
    }
    ::close(watch);
    ASSERT_EQ(replaced.size(), 1u + kDriverRows);
    EXPECT_EQ(replaced.front(), "config.ini");
    EXPECT_FALSE(state().unsaved.any());
#endif
}

// The game's own files are kept once, before RivoEdit first replaces each,
// and put back whole: a file the game did not have is removed again.
TEST_F(CloseTest, TheGamesOriginalsAreKeptOnceAndPutBack) {
    // The game's config.ini lacks a key that RivoEdit then writes.
    std::string config = SampleConfig();
    config.erase(config.find("UseA3D=0\r\n"), 10);
    writeConfig(config);
    startShown();
    fs::remove(driverFile(21));
    window->mnuDrivers_Import_Game->trigger(); // greys out row 21
    std::map<fs::path, std::string> game;
    for (const fs::path& file : {gameFile("config.ini"), driverFile(0), driverFile(20)}) {
        game[file] = readFile(file);
    }
    importOtherSet();
    changeConfig();
    EXPECT_FALSE(window->mnuFile_Restore->isEnabled());
    window->mnuFile_Save->trigger();
    ASSERT_TRUE(fs::exists(driverFile(21)));
    EXPECT_TRUE(window->mnuFile_Restore->isEnabled());

    // One folder for the install, holding each file as the game had it.
    const std::vector<std::string> installs = FileNames(originalsRoot());
    ASSERT_EQ(installs.size(), 1u);
    const fs::path kept = originalsRoot() / installs[0];
    EXPECT_THAT(installs[0], HasSubstr("drive_c-Games-Kestra-"));
    const auto snapshot = [&] {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(kept)) {
            if (entry.is_regular_file()) {
                files[fs::relative(entry.path(), kept).generic_string()] = readFile(entry.path());
            }
        }
        return files;
    };
    const std::map<std::string, std::string> first = snapshot();
    // originals.txt, its lock, config.ini, 21 driver files
    EXPECT_EQ(first.size(), 1u + 1u + 1u + 21u);
    EXPECT_EQ(first.at("config.ini"), game[gameFile("config.ini")]);
    EXPECT_EQ(first.at("Season 1/Drivers/" + DriverRoster::BaseName(0) + ".rcd"),
              game[driverFile(0)]);
    const std::string index = first.at("originals.txt");
    EXPECT_THAT(index, HasSubstr(std::string(kInstallDir) + "\\config.ini\tconfig.ini\r\n"));
    EXPECT_THAT(index, HasSubstr("\\" + DriverRoster::BaseName(21) + ".rcd\t(did not exist)"));

    // Later saves leave the originals as they are.
    auto* five = find<QRadioButton>("optConfig_SystemRating_4");
    QTest::mouseClick(five, Qt::LeftButton, {}, QPoint(6, five->height() / 2));
    typeDriverValue();
    window->mnuFile_Save->trigger();
    EXPECT_EQ(snapshot(), first);

    // Put back: asked once, Cancel first; twice works as well. The files are
    // read again as at start-up, which reports the driver file now missing.
    // The question names each file on this system, the originals' folder,
    // and that the history starts anew.
    typeDriverValue();
    dialogs.messages.clear();
    dialogs.answers = {Answer::Ok, Answer::Ok};
    window->mnuFile_Restore->trigger();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_THAT(dialogs.buttons, ElementsAre("&Restore|&Cancel"));
    EXPECT_THAT(dialogs.questions[0], HasSubstr("\n" + RealPlace(gameFile("config.ini")) + "\n"));
    EXPECT_THAT(dialogs.questions[0],
                HasSubstr(RealPlace(driverFile(21)) + " (removed: the game did not have it)"));
    EXPECT_THAT(dialogs.questions[0], HasSubstr("The originals are kept in " + displayPath(kept)));
    EXPECT_THAT(dialogs.questions[0], HasSubstr("history starts anew"));
    EXPECT_THAT(dialogs.questions[0], HasSubstr("The changes not saved to the game are dropped."));
    window->mnuFile_Restore->trigger();
    const std::string missing = "Missing driver file " + driverGamePath(21);
    EXPECT_THAT(dialogs.messages, ElementsAre(missing, missing));
    for (const auto& [file, bytes] : game) {
        EXPECT_EQ(readFile(file), bytes) << file;
    }
    EXPECT_FALSE(fs::exists(driverFile(21)));
    EXPECT_EQ(snapshot(), first);
    EXPECT_EQ(state().settings.SystemRating, "3");
    EXPECT_EQ(box("txtDriver_Qualify", 0)->text().toStdString(),
              SampleDriver(0)[DriverField::QualifyingAbility]);
    EXPECT_FALSE(box("txtDriver_Qualify", 21)->isEnabled());
    EXPECT_FALSE(state().unsaved.any());
    EXPECT_FALSE(window->mnuEdit_Undo->isEnabled());
    // Read from nothing, as at start-up: the removed file's row is blank and
    // the missing key has no value, so a save writes neither.
    EXPECT_EQ(state().roster[21], DriverRecord{});
    EXPECT_EQ(find<QLabel>("lblDriver_DriverName_21")->text(), "");
    EXPECT_EQ(find<QLabel>("lblDriver_DriverName_21")->toolTip().toStdString(),
              "Missing driver file " + driverGamePath(21));
    EXPECT_EQ(state().settings.UseA3D, "");
    window->mnuFile_Save->trigger();
    EXPECT_FALSE(fs::exists(driverFile(21)));
    EXPECT_THAT(configOnDisk(), HasSubstr("UseA3D=\r\n"));
    EXPECT_FALSE(state().unsaved.any());
}

// A launcher moved the prefix after a save: the next start goes on with the
// originals kept before the move, so the game's own first file stays the
// original, and the player is told once where they were found.
TEST_F(CloseTest, AMovedPrefixGoesOnWithItsOriginals) {
    const std::string gamesOwn = configOnDisk();
    changeConfig();
    window->mnuFile_Save->trigger();
    ASSERT_NE(configOnDisk(), gamesOwn);
    const std::vector<std::string> before = FileNames(originalsRoot());
    ASSERT_EQ(before.size(), 1u);
    window.reset();

    TestPrefix moved;
    fs::remove(moved.driveC());
    fs::rename(prefix.driveC(), moved.driveC());
    window = std::make_unique<frmMain>(registry, moved.paths(), dialogs);
    window->originalsRoot = originalsRoot();
    ASSERT_TRUE(window->Form_Load());
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_TRUE(window->mnuFile_Restore->isEnabled());
    dialogs.messages.clear();
    auto* five = find<QRadioButton>("optConfig_SystemRating_4");
    QTest::mouseClick(five, Qt::LeftButton, {}, QPoint(6, five->height() / 2));
    window->mnuFile_Save->trigger();
    const std::vector<std::string> after = FileNames(originalsRoot());
    ASSERT_EQ(after.size(), 1u);
    EXPECT_NE(after[0], before[0]);
    EXPECT_EQ(readFile(originalsRoot() / after[0] / "config.ini"), gamesOwn);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_THAT(dialogs.messages[0], HasSubstr("RivoEdit goes on with those originals"));
    EXPECT_THAT(dialogs.messages[0], HasSubstr(displayPath(originalsRoot() / after[0])));

    // Said once.
    typeDriverValue();
    window->mnuFile_Save->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(state().unsaved.any());
    EXPECT_EQ(readFile(originalsRoot() / after[0] / "config.ini"), gamesOwn);
    window.reset(); // before the prefix it reads
}

} // namespace
} // namespace rivo::test
