// Looking back before a save and going back after one: the review of what
// Save All will write, and Restore the Game's Originals.
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
    RunGuarded(*this, "Reviewing the changes",
               [&] { frmReview->showReviews(ReviewSaveAll(gameFiles(), state_)); });
}

void frmMain::mnuFile_Restore_Click() {
    RunGuarded(*this, "Restoring the game's originals", [&] {
        const std::vector<Originals::Kept> kept = originals_->all();
        if (kept.empty() || dialogs_.askCancelFirst(RestoreQuestion(kept, state_.unsaved.any())) !=
                                UserDialogs::Answer::Ok) {
            return;
        }
        GameFileSave save(&state_.seen, askReplace());
        AddRestore(kept, paths_, save);
        const std::vector<FileError> failures = save.run();
        afterSave();
        readGame();
        reportSaveFailures(failures);
    });
}

} // namespace rivo
