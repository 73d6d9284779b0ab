#include "qt_user_dialogs.h"

#include <QApplication>
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

} // namespace
} // namespace rivo::test
