#include "qt_user_dialogs.h"

#include "game_text.h"
#include "message_paths.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace rivo {

namespace {

// A message box that tells a button from a way out without one: Escape and
// the title bar's close button leave it dismissed, not cancelled.
class DismissableBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool dismissed = false;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            dismissed = true;
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (clickedButton() == nullptr) {
            dismissed = true;
        }
        QMessageBox::closeEvent(event);
    }
};

} // namespace

QWidget* QtUserDialogs::parentForDialog() const {
    // Before the window is shown (start-up) a box stands on its own.
    return parent_ != nullptr && parent_->isVisible() ? parent_.data() : nullptr;
}

void QtUserDialogs::showMessage(const std::string& text) {
    QMessageBox box(QMessageBox::NoIcon, caption_, QString(), QMessageBox::Ok, parentForDialog());
    SetMessageText(box, fromUtf8(text));
    box.exec();
}

UserDialogs::Answer QtUserDialogs::ask(const std::string& text, bool okIsDefault) {
    QMessageBox box(QMessageBox::NoIcon, caption_, QString(), QMessageBox::Ok | QMessageBox::Cancel,
                    parentForDialog());
    SetMessageText(box, fromUtf8(text));
    box.setDefaultButton(okIsDefault ? QMessageBox::Ok : QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

UserDialogs::Answer QtUserDialogs::askOkCancel(const std::string& text) {
    return ask(text, true);
}

UserDialogs::Answer QtUserDialogs::askSaveBeforeClosing(const std::string& text) {
    DismissableBox box(QMessageBox::NoIcon, caption_, fromUtf8(text),
                       QMessageBox::Ok | QMessageBox::Cancel, parentForDialog());
    SetMessageText(box, fromUtf8(text));
    box.setDefaultButton(QMessageBox::Ok);
    // Escape no longer takes it, so Cancel gets a key of its own.
    box.button(QMessageBox::Cancel)->setText("&Cancel");
    box.exec();
    if (box.dismissed) {
        return Answer::Dismissed;
    }
    return box.clickedButton() == box.button(QMessageBox::Ok) ? Answer::Ok : Answer::Cancel;
}

// Enter alone must not undo another program's work.
UserDialogs::Answer QtUserDialogs::askReplaceChangedFiles(const std::vector<std::string>& paths) {
    return ask(ChangedFilesQuestion(paths), false);
}

UserDialogs::Answer QtUserDialogs::askCancelFirst(const std::string& text) {
    return ask(text, false);
}

UserDialogs::Answer QtUserDialogs::askWithButtons(const std::string& text,
                                                  const std::string& okButton,
                                                  const std::string& cancelButton) {
    QMessageBox box(QMessageBox::NoIcon, caption_, QString(), QMessageBox::NoButton,
                    parentForDialog());
    SetMessageText(box, fromUtf8(text));
    QPushButton* ok = box.addButton(fromUtf8(okButton), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(fromUtf8(cancelButton), QMessageBox::RejectRole);
    ok->setObjectName("cmdAsk_Ok");
    cancel->setObjectName("cmdAsk_Cancel");
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
}

QString QtUserDialogs::qtNameFilter(const FileFilter& filter) {
    const QString pattern = fromUtf8(filter.pattern).trimmed();
    QString description = fromUtf8(filter.description).trimmed();
    // Qt takes the patterns from the parentheses at the end of the entry.
    const QString tail = "(" + pattern + ")";
    if (description.isEmpty()) {
        return tail;
    }
    if (!description.endsWith(tail)) {
        description += " " + tail;
    }
    return description;
}

QString QtUserDialogs::firstFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

std::filesystem::path QtUserDialogs::chooseFile(bool save, const std::string& title,
                                                const FileFilter& filter) {
    // A new dialog for every showing: no file name carries over from the
    // last one, only the folder it was left in.
    QFileDialog dialog(parentForDialog(), fromUtf8(title));
    dialog.setDirectory(folder_.isEmpty() ? firstFolder() : folder_);
    dialog.setNameFilter(qtNameFilter(filter));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        QString suffix = fromUtf8(filter.pattern).trimmed();
        if (suffix.startsWith("*.") && !suffix.contains(';')) {
            dialog.setDefaultSuffix(suffix.mid(2));
        }
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    const bool accepted = dialog.exec() == QDialog::Accepted;
    const QStringList chosen = accepted ? dialog.selectedFiles() : QStringList();
    if (chosen.isEmpty() || chosen.front().isEmpty()) {
        folder_ = dialog.directory().absolutePath();
        return {};
    }
    folder_ = QFileInfo(chosen.front()).absolutePath();
    return QFileInfo(chosen.front()).filesystemFilePath();
}

std::filesystem::path QtUserDialogs::chooseFileToOpen(const std::string& title,
                                                      const FileFilter& filter) {
    return chooseFile(false, title, filter);
}

std::filesystem::path QtUserDialogs::chooseFileToSave(const std::string& title,
                                                      const FileFilter& filter) {
    return chooseFile(true, title, filter);
}

} // namespace rivo
