#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace rivo {

// One entry of a file dialog's filter: the text the user sees and the
// pattern of the names listed.
struct FileFilter {
    std::string description;
    std::string pattern;

    // Splits a filter written as "description|pattern". Without a "|" the
    // whole text is the pattern.
    static FileFilter parse(const std::string& text);

    bool operator==(const FileFilter&) const = default;
};

// The modal dialogs the window shows: message boxes and file choosers. The
// program uses the Qt ones; tests put in a fake that answers at once.
// Texts are UTF-8.
class UserDialogs {
public:
    // Dismissed: the box was closed without a button, by Escape or its
    // title bar's close button (only the closing question tells it apart).
    enum class Answer { Ok, Cancel, Dismissed };

    virtual ~UserDialogs() = default;

    // A message with an OK button only, no icon, the program's title as
    // caption. Returns when the user has closed it.
    virtual void showMessage(const std::string& text) = 0;

    // A question with OK (the default) and Cancel, no icon, the program's
    // title as caption. Closing the box any other way answers Cancel.
    virtual Answer askOkCancel(const std::string& text) = 0;

    // The question as the window closes with unsaved work: OK (the default)
    // and Cancel, whose words say what each does. A player who leaves it
    // without reading (Escape, the close button) answers Dismissed, so that
    // nothing is lost; Cancel then takes its own key, Alt+C.
    virtual Answer askSaveBeforeClosing(const std::string& text) = 0;

    // Before a save replaces game files that another program changed since
    // RivoEdit read them: ChangedFilesQuestion(paths) with OK and Cancel.
    // OK replaces them; Cancel, the default, leaves them as they are.
    virtual Answer askReplaceChangedFiles(const std::vector<std::string>& paths) = 0;

    // A question whose OK cannot be taken back: OK and Cancel, Cancel the
    // default, so that Enter alone does nothing.
    virtual Answer askCancelFirst(const std::string& text) = 0;

    // A question whose first answer cannot be taken back, with buttons named
    // for what they do ("&Restore", "&Cancel"): the second, the default and
    // the answer of Escape, answers Cancel.
    virtual Answer askWithButtons(const std::string& text, const std::string& okButton,
                                  const std::string& cancelButton) = 0;

    // A file to read or to write, chosen in this showing of the dialog; the
    // empty path when the user cancels.
    virtual std::filesystem::path chooseFileToOpen(const std::string& title,
                                                   const FileFilter& filter) = 0;
    virtual std::filesystem::path chooseFileToSave(const std::string& title,
                                                   const FileFilter& filter) = 0;
};

// "These files were changed by another program after RivoEdit read them:",
// the paths one a line, and "Replace them with RivoEdit's values?".
std::string ChangedFilesQuestion(const std::vector<std::string>& paths);

// The window's one common file dialog: a fixed filter and a title that the
// commands set before each showing. It keeps no file name between showings,
// so a cancel never hands back the name chosen the time before.
class CommonDialog {
public:
    CommonDialog(UserDialogs& dialogs, FileFilter filter)
        : Filter(std::move(filter)), dialogs_(dialogs) {}

    std::filesystem::path ShowOpen() { return dialogs_.chooseFileToOpen(DialogTitle, Filter); }
    std::filesystem::path ShowSave() { return dialogs_.chooseFileToSave(DialogTitle, Filter); }

    std::string DialogTitle;
    const FileFilter Filter;

private:
    UserDialogs& dialogs_;
};

} // namespace rivo
