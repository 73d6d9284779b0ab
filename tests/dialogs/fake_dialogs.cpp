#include "fake_dialogs.h"

namespace rivo::test {

void FakeDialogs::showMessage(const std::string& text) {
    messages.push_back(text);
    if (onMessage) {
        onMessage(text);
    }
}

UserDialogs::Answer FakeDialogs::askOkCancel(const std::string& text) {
    questions.push_back(text);
    if (onQuestion) {
        onQuestion(text);
    }
    if (answers.empty()) {
        return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

UserDialogs::Answer FakeDialogs::askSaveBeforeClosing(const std::string& text) {
    return askOkCancel(text);
}

UserDialogs::Answer FakeDialogs::askReplaceChangedFiles(const std::vector<std::string>& paths) {
    return askOkCancel(ChangedFilesQuestion(paths));
}

UserDialogs::Answer FakeDialogs::askCancelFirst(const std::string& text) {
    return askOkCancel(text);
}

UserDialogs::Answer FakeDialogs::askWithButtons(const std::string& text,
                                                const std::string& okButton,
                                                const std::string& cancelButton) {
    buttons.push_back(okButton + "|" + cancelButton);
    return askOkCancel(text);
}

std::filesystem::path FakeDialogs::nextFile() {
    if (files.empty()) {
        return {};
    }
    std::filesystem::path file = files.front();
    files.pop_front();
    return file;
}

std::filesystem::path FakeDialogs::chooseFileToOpen(const std::string& title,
                                                    const FileFilter& filter) {
    fileRequests.push_back({false, title, filter});
    return nextFile();
}

std::filesystem::path FakeDialogs::chooseFileToSave(const std::string& title,
                                                    const FileFilter& filter) {
    fileRequests.push_back({true, title, filter});
    return nextFile();
}

} // namespace rivo::test
