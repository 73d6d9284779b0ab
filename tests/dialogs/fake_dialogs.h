#pragma once

#include "user_dialogs.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rivo::test {

// Answers the window's dialogs at once and records what they were asked.
class FakeDialogs : public UserDialogs {
public:
    struct FileRequest {
        bool save;
        std::string title;
        FileFilter filter;
    };

    void showMessage(const std::string& text) override;
    Answer askOkCancel(const std::string& text) override;
    // Asked as askOkCancel; an answer of Dismissed is Escape.
    Answer askSaveBeforeClosing(const std::string& text) override;
    // Asked as askOkCancel with ChangedFilesQuestion(paths).
    Answer askReplaceChangedFiles(const std::vector<std::string>& paths) override;
    // Asked as askOkCancel.
    Answer askCancelFirst(const std::string& text) override;
    // Asked as askOkCancel; the button texts are recorded.
    Answer askWithButtons(const std::string& text, const std::string& okButton,
                          const std::string& cancelButton) override;
    std::filesystem::path chooseFileToOpen(const std::string& title,
                                           const FileFilter& filter) override;
    std::filesystem::path chooseFileToSave(const std::string& title,
                                           const FileFilter& filter) override;

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    // The buttons of each question asked with named buttons, "OK|Cancel".
    std::vector<std::string> buttons;
    std::vector<FileRequest> fileRequests;
    // Answers in order; when none is left a question is cancelled and a file
    // dialog yields no name.
    std::deque<Answer> answers;
    std::deque<std::filesystem::path> files;
    // Runs on every message, e.g. to look at the state at that moment.
    std::function<void(const std::string&)> onMessage;
    // Runs on every question while it is shown, e.g. to change a file then.
    std::function<void(const std::string&)> onQuestion;

private:
    std::filesystem::path nextFile();
};

} // namespace rivo::test
