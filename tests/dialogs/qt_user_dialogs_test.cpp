#include "qt_user_dialogs.h"
#include "temp_dir.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
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
    const std::string text = "Missing driver file /home/ann/<b>sets</b>/a &amp; b.rvd";
    whenTheBoxShows(
        [&](QMessageBox& box) {
            EXPECT_EQ(box.windowTitle(), "RivoEdit");
            EXPECT_EQ(box.text().toStdString(), text);
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
