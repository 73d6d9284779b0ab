#pragma once

#include "user_dialogs.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace rivo {

// The dialogs as Qt message boxes and file dialogs, centred over the main
// window once it is on screen.
class QtUserDialogs : public UserDialogs {
public:
    explicit QtUserDialogs(QString caption) : caption_(std::move(caption)) {}

    void setParentWindow(QWidget* window) { parent_ = window; }

    void showMessage(const std::string& text) override;
    Answer askOkCancel(const std::string& text) override;
    Answer askSaveBeforeClosing(const std::string& text) override;
    Answer askReplaceChangedFiles(const std::vector<std::string>& paths) override;
    Answer askCancelFirst(const std::string& text) override;
    Answer askWithButtons(const std::string& text, const std::string& okButton,
                          const std::string& cancelButton) override;
    std::filesystem::path chooseFileToOpen(const std::string& title,
                                           const FileFilter& filter) override;
    std::filesystem::path chooseFileToSave(const std::string& title,
                                           const FileFilter& filter) override;

    // The filter as Qt writes it: "Description (*.ext)".
    static QString qtNameFilter(const FileFilter& filter);
    // Where the first file dialog of a run opens: the user's Documents
    // folder, or the home folder when there is none. Never the folder the
    // program was started in (on Windows its own install folder, where a
    // user may not even save).
    static QString firstFolder();

private:
    QWidget* parentForDialog() const;
    Answer ask(const std::string& text, bool okIsDefault);
    std::filesystem::path chooseFile(bool save, const std::string& title, const FileFilter& filter);

    QString caption_;
    QPointer<QWidget> parent_;
    // Where the next file dialog opens: where the last one was left.
    QString folder_;
};

} // namespace rivo
