#include "app_test_game.h"
#include "numeric_paste.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QToolTip>

namespace rivo::test {
namespace {

// ---- Typing into the real grid ----

class GridTypingTest : public AppTest {
protected:
    void SetUp() override {
        writeGame();
        ASSERT_TRUE(start());
        react3 = box("txtDriver_React", 3);
        ASSERT_EQ(react3->text(), "0.06");
    }
    const std::string& reactionTime3() { return state().roster[3][DriverField::ReactionTime]; }

    QLineEdit* react3 = nullptr;
};

TEST_F(GridTypingTest, ATypedDigitReachesTheRosterAndMarksTheDriversUnsaved) {
    QTest::keyClick(react3, Qt::Key_5);
    EXPECT_EQ(react3->text(), "0.065");
    EXPECT_EQ(reactionTime3(), "0.065");
    EXPECT_TRUE(state().unsaved.drivers);
    EXPECT_FALSE(state().unsaved.settings);
}

TEST_F(GridTypingTest, KeypadDigitsCountLikeOthers) {
    QTest::keyClick(react3, Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(reactionTime3(), "0.067");
}

TEST_F(GridTypingTest, ASecondPointSignsLettersAndEnterAreDroppedWithoutMarking) {
    for (Qt::Key key : {Qt::Key_Period, Qt::Key_Minus, Qt::Key_Plus, Qt::Key_Comma, Qt::Key_X,
                        Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
        QTest::keyClick(react3, key);
    }
    QTest::keyClicks(react3, "e-+/");
    EXPECT_EQ(react3->text(), "0.06");
    EXPECT_EQ(reactionTime3(), "0.06");
    EXPECT_FALSE(state().unsaved.any());
}

TEST_F(GridTypingTest, APointIsDroppedWhereverTheCaretStands) {
    react3->setCursorPosition(0);
    QTest::keyClick(react3, Qt::Key_Period);
    react3->selectAll();
    QTest::keyClick(react3, Qt::Key_Period);
    EXPECT_EQ(reactionTime3(), "0.06");
}

TEST_F(GridTypingTest, AnEmptyBoxTakesOnePointAndBackspace) {
    QLineEdit* qualify = box("txtDriver_Qualify", 0);
    qualify->clear();
    EXPECT_EQ(state().roster[0][DriverField::QualifyingAbility], "");
    EXPECT_FALSE(state().unsaved.any()) << "the program's own change marks nothing";

    QTest::keyClick(qualify, Qt::Key_Backspace);
    EXPECT_TRUE(state().unsaved.drivers) << "backspace is accepted even with nothing to delete";

    QTest::keyClicks(qualify, "..");
    EXPECT_EQ(qualify->text(), ".");
    EXPECT_EQ(state().roster[0][DriverField::QualifyingAbility], ".");
}

TEST_F(GridTypingTest, EveryColumnTakesTheSameCharacters) {
    for (const DriverColumn& column : kDriverColumns) {
        QLineEdit* b = box(column.boxName, 9);
        b->clear();
        QTest::keyClicks(b, "1a.-2.3");
        EXPECT_EQ(state().roster[9][column.field], "1.23") << column.boxName;
    }
}

TEST_F(GridTypingTest, DeletePasteAndUndoChangeTheValueAndMarkItUnsaved) {
    react3->setCursorPosition(0);
    QTest::keyClick(react3, Qt::Key_Delete);
    EXPECT_EQ(reactionTime3(), ".06");
    EXPECT_TRUE(state().unsaved.drivers);

    // (Pasting into a clean grid marks it too: see LineBreakTest.)
    QApplication::clipboard()->setText("9");
    react3->selectAll();
    QTest::keyClick(react3, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(reactionTime3(), "9");
    EXPECT_TRUE(state().unsaved.drivers);

    // Ctrl+Z takes back the editor's last step, the paste, with its marks.
    state().unsaved.clear();
    QTest::keyClick(react3, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(reactionTime3(), ".06");
    EXPECT_TRUE(state().unsaved.drivers);
}

// ---- Text that arrives whole: pasted or dropped ----

enum class Arrival { CtrlV, ShiftInsert, Drop, ContextMenu };

struct ArrivalCase {
    Arrival how;
    const char* text;
    const char* stored;
    bool refused = false; // the box stays as it was, and its tooltip says why
    // What the box holds before, and where the text goes: at the caret at
    // `from` (-1: the end), or over the `length` characters from there.
    const char* before = "";
    int from = -1;
    int length = 0;
};

class LineBreakTest : public GridTypingTest, public ::testing::WithParamInterface<ArrivalCase> {
protected:
    void bringIn(const ArrivalCase& c) {
        if (c.how == Arrival::Drop) {
            QMimeData mime;
            mime.setText(c.text);
            const QPoint at = react3->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(react3, &enter);
            QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(react3, &drop);
            return;
        }
        QApplication::clipboard()->setText(c.text);
        if (c.how == Arrival::ContextMenu) {
            // Paste from the box's menu, while the menu is shown.
            QTimer::singleShot(0, [] {
                auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                ASSERT_NE(menu, nullptr);
                for (QAction* action : menu->actions()) {
                    if (action->text().startsWith("&Paste")) {
                        action->trigger();
                    }
                }
                menu->close();
            });
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, {2, 2},
                                      react3->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(react3, &menuKey);
        } else if (c.how == Arrival::CtrlV) {
            QTest::keyClick(react3, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClick(react3, Qt::Key_Insert, Qt::ShiftModifier);
        }
    }
};

TEST_P(LineBreakTest, LineBreaksNeverReachTheBoxTheRosterOrTheGameFile) {
    const ArrivalCase& c = GetParam();
    bool rosterSawABreak = false;
    QObject::connect(react3, &QLineEdit::textChanged, [&] {
        rosterSawABreak |= reactionTime3().find_first_of("\r\n") != std::string::npos;
    });
    react3->setText(c.before);
    if (c.from < 0) {
        react3->end(false);
    } else {
        react3->setSelection(c.from, c.length);
    }
    // Another tooltip first: some systems hide one only after a while.
    QToolTip::showText(react3->mapToGlobal(QPoint()), "-", react3);
    bringIn(c);
    EXPECT_EQ(react3->text().toStdString(), c.stored);
    EXPECT_EQ(reactionTime3(), c.stored);
    EXPECT_FALSE(rosterSawABreak);
    // A paste that changes the box is an edit.
    EXPECT_EQ(state().unsaved.drivers, std::string(c.stored) != c.before);
    EXPECT_EQ(QToolTip::text() == kNotANumber, c.refused);

    window->mnuDrivers_Save_Game->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    DriverRecord expected = SampleDriver(3);
    expected[DriverField::ReactionTime] = c.stored;
    EXPECT_EQ(readFile(driverFile(3)), RecordText(expected)) << "one record of 23 lines";
}

// Only what typing could have made: blanks and line breaks around the text
// are dropped; anything else leaves the box as it was.
INSTANTIATE_TEST_SUITE_P(
    Arrivals, LineBreakTest,
    ::testing::Values(ArrivalCase{Arrival::CtrlV, "5\r\n}\r\nEvil", "", true},
                      ArrivalCase{Arrival::ShiftInsert, "0.95\n", "0.95"},
                      ArrivalCase{Arrival::Drop, "1\r2\n3\r\n", "", true},
                      ArrivalCase{Arrival::CtrlV, "\r\n", ""},
                      ArrivalCase{Arrival::CtrlV, "fast 1.2", "", true},
                      ArrivalCase{Arrival::Drop, " \t12.5\r\n", "12.5"},
                      ArrivalCase{Arrival::CtrlV, "-3", "", true},
                      ArrivalCase{Arrival::ShiftInsert, "1,5", "", true},
                      ArrivalCase{Arrival::Drop, "1.2.3", "", true},
                      ArrivalCase{Arrival::ContextMenu, "7\n", "7"},
                      ArrivalCase{Arrival::ContextMenu, "x", "", true},
                      // Checked as the box's text after it goes in.
                      ArrivalCase{Arrival::CtrlV, ".5", "0.06", true, "0.06"},
                      ArrivalCase{Arrival::ShiftInsert, "5", "0.506", false, "0.06", 2},
                      ArrivalCase{Arrival::ContextMenu, "1.", "0.06", true, "0.06", 1},
                      ArrivalCase{Arrival::CtrlV, "75", "0.75", false, "0.06", 2, 2},
                      ArrivalCase{Arrival::CtrlV, ".5", "0.06", true, "0.06", 2, 2}));

TEST_F(GridTypingTest, ADisabledRowTakesNoInput) {
    window->EnableDriverRow(3, false);
    QTest::keyClick(react3, Qt::Key_5);
    EXPECT_EQ(reactionTime3(), "0.06");
    EXPECT_FALSE(state().unsaved.any());
}

} // namespace
} // namespace rivo::test
