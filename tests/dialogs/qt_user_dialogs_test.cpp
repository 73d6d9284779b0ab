#include "message_paths.h"
#include "qt_user_dialogs.h"
#include "temp_dir.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace rivo::test {
namespace {

// Once the next message box is up, lets `look` see it and then closes it by
// pressing `answer` (Escape when NoButton).
void whenTheBoxShows(std::function<void(QMessageBox&)> look, QMessageBox::StandardButton answer) {
    QTimer::singleShot(0, [look = std::move(look), answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no message box";
            QApplication::exit(1);
            return;
        }
        look(*box);
        if (answer == QMessageBox::NoButton) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            box->button(answer)->click();
        }
    });
}

TEST(QtUserDialogsTest, AMessageShowsItsTextAsItStandsUnderTheProgramsTitle) {
    QtUserDialogs dialogs("RivoEdit");
    // Names of folders and files may hold anything, markup included.
    // Its path stays whole: its spaces do not break.
    const std::string text = "Missing driver file /home/ann/<b>sets</b>/a &amp; b.rvd";
    whenTheBoxShows(
        [&](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "RivoEdit");
            EXPECT_EQ(box.text().toStdString(),
                      "Missing driver file /home/ann/<b>sets</b>/a\u00a0&amp;\u00a0b.rvd");
            EXPECT_EQ(box.textFormat(), Qt::PlainText);
            EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        },
        QMessageBox::Ok);
    dialogs.showMessage(text);
}

TEST(QtUserDialogsTest, TheQuestionOffersOkFirstAndCancel) {
    QtUserDialogs dialogs("RivoEdit");
    const auto look = [](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "RivoEdit");
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Ok));
    };
    whenTheBoxShows(look, QMessageBox::Ok);
    EXPECT_EQ(dialogs.askOkCancel("Save?"), UserDialogs::Answer::Ok);
    whenTheBoxShows(look, QMessageBox::Cancel);
    EXPECT_EQ(dialogs.askOkCancel("Save?"), UserDialogs::Answer::Cancel);
    whenTheBoxShows(look, QMessageBox::NoButton);
    EXPECT_EQ(dialogs.askOkCancel("Save?"), UserDialogs::Answer::Cancel);
}

TEST(QtUserDialogsTest, AQuestionWithNamedButtonsHasCancelAsDefaultAndEscape) {
    QtUserDialogs dialogs("RivoEdit");
    for (const char* press : {"cmdAsk_Ok", "cmdAsk_Cancel", ""}) {
        QTimer::singleShot(0, [press] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            auto* ok = box->findChild<QPushButton*>("cmdAsk_Ok");
            auto* cancel = box->findChild<QPushButton*>("cmdAsk_Cancel");
            ASSERT_NE(ok, nullptr);
            ASSERT_NE(cancel, nullptr);
            EXPECT_EQ(ok->text(), "&Restore");
            EXPECT_EQ(cancel->text(), "&Cancel");
            EXPECT_EQ(box->defaultButton(), cancel);
            if (*press == '\0') {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->findChild<QPushButton*>(press)->click();
            }
        });
        const UserDialogs::Answer expected = std::string(press) == "cmdAsk_Ok"
                                                 ? UserDialogs::Answer::Ok
                                                 : UserDialogs::Answer::Cancel;
        EXPECT_EQ(dialogs.askWithButtons("Put back?", "&Restore", "&Cancel"), expected) << press;
    }
}

// A message box wraps at spaces and between "C:" and "\": within a path
// neither may break it.
TEST(MessagePathsTest, APathKeepsItsSpacesAndItsDriveWhole) {
    struct Row {
        const char* text;
        const char* shown;
    };
    const Row rows[] = {
        {"Missing driver file C:\\Games\\Kestra\\Season 1\\Drivers\\ab.rcd",
         "Missing driver file C:\u2060\\Games\\Kestra\\Season\u00a01\\Drivers\\ab.rcd"},
        // Up to ": " (the reason), ", " and " (": the words around stay.
        {"Could not save C:\\My Games\\config.ini: the file is read-only",
         "Could not save C:\u2060\\My\u00a0Games\\config.ini: the file is read-only"},
        {"the game's folder, C:\\Program Files\\Kestra, so it keeps",
         "the game's folder, C:\u2060\\Program\u00a0Files\\Kestra, so it keeps"},
        {"/home/ann/lutris-prefixes/My Game (removed: no)",
         "/home/ann/lutris-\u2060prefixes/My\u00a0Game (removed: no)"},
        {"The originals are kept in /home/a b\nThe editor's history",
         "The originals are kept in /home/a\u00a0b\nThe editor's history"},
        // No path: as it stands; a slash inside a word starts none.
        {"Nothing to save, and/or not - either", "Nothing to save, and/or not - either"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(UnbrokenPaths(QString::fromUtf8(row.text)).toStdString(), row.shown) << row.text;
    }
}

// What a player copies out of a message is the path as it is on disk: the
// characters that keep it whole on screen never reach the clipboard.
TEST(MessagePathsTest, CopyingOutOfABoxGivesThePathsAsTheyAre) {
    const QString text = QString::fromUtf8("Could not save C:\\My Games\\x-y.rcd: denied");
    QMessageBox box;
    SetMessageText(box, text);
    box.show();
    ASSERT_NE(box.text(), text); // the paths are kept whole on screen
    QApplication::clipboard()->clear();
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
              "Could not save C:\\My Games\\x-y.rcd: denied");

    auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    ASSERT_NE(label, nullptr);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setSelection(15, 21); // the path with its two joiners
    QTest::keyClick(label, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "C:\\My Games\\x-y.rcd");
}

// How a player leaves the closing question, and what the window hears.
struct LeaveCase {
    const char* how;
    std::function<void(QMessageBox&)> leave;
    UserDialogs::Answer answer;
};

TEST(QtUserDialogsTest, TheClosingQuestionTellsEscapeAndItsCloseButtonFromCancel) {
    const LeaveCase cases[] = {
        {"OK clicked", [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); },
         UserDialogs::Answer::Ok},
        {"Enter", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); },
         UserDialogs::Answer::Ok},
        {"Cancel clicked", [](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); },
         UserDialogs::Answer::Cancel},
        {"Alt+C",
         [](QMessageBox& box) {
             box.activateWindow();
             if (!QTest::qWaitForWindowActive(&box)) {
                 ADD_FAILURE() << "the box never became active";
             }
             QTest::keyClick(&box, Qt::Key_C, Qt::AltModifier);
             // The button shows itself pressed for a moment first.
             if (!QTest::qWaitFor([&box] { return !box.isVisible(); })) {
                 ADD_FAILURE() << "Alt+C left the box open";
                 box.button(QMessageBox::Ok)->click();
             }
         },
         UserDialogs::Answer::Cancel},
        {"Escape", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); },
         UserDialogs::Answer::Dismissed},
        {"close button", [](QMessageBox& box) { box.close(); }, UserDialogs::Answer::Dismissed},
    };
    QtUserDialogs dialogs("RivoEdit");
    for (const LeaveCase& c : cases) {
        SCOPED_TRACE(c.how);
        QTimer::singleShot(0, [&c] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                ADD_FAILURE() << "no message box";
                return;
            }
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
            EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ok));
            EXPECT_EQ(box->button(QMessageBox::Cancel)->text(), "&Cancel");
            c.leave(*box);
        });
        EXPECT_EQ(dialogs.askSaveBeforeClosing("Changes have not been saved to the game."),
                  c.answer);
    }
}

TEST(QtUserDialogsTest, FileDialogsOpenInDocumentsThenWhereTheLastOneWasLeft) {
    QtUserDialogs dialogs("RivoEdit");
    TempDir elsewhere;
    const QString there = QDir(QString::fromStdString(elsewhere.path().string())).absolutePath();
    std::vector<QString> shown;
    // Each showing notes its folder, moves to `there` and is cancelled.
    const auto whenTheDialogShows = [&] {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown.push_back(dialog->directory().absolutePath());
            dialog->setDirectory(there);
            dialog->reject();
        });
    };
    const FileFilter filter{"RivoEdit Driver Files (*.rvd) ", "*.rvd"};
    whenTheDialogShows();
    EXPECT_TRUE(dialogs.chooseFileToOpen("Import From ...", filter).empty());
    whenTheDialogShows();
    EXPECT_TRUE(dialogs.chooseFileToSave("Save To ...", filter).empty());
    EXPECT_EQ(shown,
              (std::vector<QString>{QDir(QtUserDialogs::firstFolder()).absolutePath(), there}));
}

} // namespace
} // namespace rivo::test
