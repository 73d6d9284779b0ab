// Looking back before a save and going back after one: the review of what
// Save All will write, and Restore the Game's Originals.
#include "command_report.h"
#include "frm_main.h"
#include "guarded.h"
#include "restore_originals.h"
#include "save_review.h"

namespace rivo {

void frmMain::mnuFile_Review_Click() {
    RunGuarded(*this, "Reviewing the changes", [&] {
        if (frmReview == nullptr) {
            frmReview = new ReviewWindow(this);
            // The same command as the menu's; the review then shows what is
            // left.
            connect(frmReview->cmdReview_Save, &QPushButton::clicked, this,
                    &frmMain::mnuFile_Save_Click);
            connect(frmReview->cmdReview_Save, &QPushButton::clicked, this,
                    &frmMain::refreshReview);
        }
        refreshReview();
        // Modal to the main window, so that what it shows stays true.
        frmReview->open();
    });
}

void frmMain::refreshReview() {
    RunGuarded(*this, "Reviewing the changes", [&] { frmReview->showReviews(session_.review()); });
}

void frmMain::mnuFile_Restore_Click() {
    RunGuarded(*this, "Restoring the game's originals", [&] {
        const std::vector<Originals::Kept> kept = originals_->all();
        if (kept.empty() ||
            dialogs_.askWithButtons(
                RestoreQuestion(kept, paths_, originals_->folder(), state_.unsaved.any()),
                kRestoreButton, kCancelButton) != UserDialogs::Answer::Ok) {
            return;
        }
        // Restore writes the game's originals, and says so when another
        // program's changes are in the way.
        const std::vector<FileError> failures =
            session_.restoreFiles(kept, [this](const std::vector<std::string>& changed) {
                return dialogs_.askWithButtons(RestoreOverChangedQuestion(changed), kRestoreButton,
                                               kCancelButton) == UserDialogs::Answer::Ok;
            });
        afterSave();
        // Read as start-up reads, from nothing: a value or a driver the
        // originals lack must not stay in the editor for the next save.
        readGame();
        showStatus(RestoredText(static_cast<int>(kept.size() - failures.size())));
        reportSaveFailures(failures, "Could not restore");
    });
}

} // namespace rivo
