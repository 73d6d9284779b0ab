#include "review_window.h"

#include "file_error.h"
#include "game_text.h"
#include "review_words.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace rivo {

namespace {

QString fileNote(const FileReview& review) {
    if (review.refused) {
        return "Not saved: " + fromUtf8(review.refused->reason());
    }
    QStringList notes;
    if (review.changedElsewhere) {
        notes << "Changed by another program since RivoEdit read it";
    }
    switch (review.disk) {
    case FileReview::Disk::Missing:
        notes << "Not on disk: the save creates it";
        break;
    case FileReview::Disk::Unreadable:
        notes << "Cannot be read now: " + fromUtf8(review.unreadableReason);
        break;
    case FileReview::Disk::Read:
        if (review.values.empty() && review.removedLines.empty()) {
            notes << "Only the layout changes (line ends, spaces, quotes); every value stays";
        }
        break;
    }
    return notes.join("; ");
}

} // namespace

ReviewWindow::ReviewWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("frmReview");
    setWindowTitle("Review Changes");
    resize(720, 420);

    lblReview_Nothing = new QLabel(kNothingToSave, this);
    lblReview_Nothing->setObjectName("lblReview_Nothing");

    tvwReview = new QTreeWidget(this);
    tvwReview->setObjectName("tvwReview");
    tvwReview->setHeaderLabels({"File and change", "In the file"});
    tvwReview->setRootIsDecorated(false);
    tvwReview->setUniformRowHeights(true);
    tvwReview->setAlternatingRowColors(true);

    auto* buttons = new QDialogButtonBox(this);
    cmdReview_Save = buttons->addButton("&Save All (To Game)", QDialogButtonBox::AcceptRole);
    cmdReview_Save->setObjectName("cmdReview_Save");
    cmdReview_Close = buttons->addButton("Close", QDialogButtonBox::RejectRole);
    cmdReview_Close->setObjectName("cmdReview_Close");
    // Enter closes: saving takes a click of its own. Saving keeps the window
    // open, to show what is left.
    cmdReview_Save->setAutoDefault(false);
    cmdReview_Close->setDefault(true);
    connect(cmdReview_Close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblReview_Nothing);
    layout->addWidget(tvwReview, 1);
    layout->addWidget(buttons);
}

void ReviewWindow::showReviews(const std::vector<FileReview>& reviews) {
    tvwReview->clear();
    for (const FileReview& review : reviews) {
        addFile(review);
    }
    lblReview_Nothing->setVisible(reviews.empty());
    tvwReview->setVisible(!reviews.empty());
    tvwReview->expandAll();
    for (int c = 0; c < tvwReview->columnCount(); ++c) {
        tvwReview->resizeColumnToContents(c);
    }
}

void ReviewWindow::addFile(const FileReview& review) {
    // The file on this system, the path the game knows it by beside it.
    const QString path =
        review.refused ? fromUtf8(review.refused->path()) : fromUtf8(displayRealPath(review.host));
    const QString note = fileNote(review);
    auto* file = new QTreeWidgetItem(tvwReview, {note.isEmpty() ? path : path + ": " + note});
    file->setFirstColumnSpanned(true);
    file->setToolTip(0, review.refused ? path : toDisplay(review.gamePath));
    QFont bold = file->font(0);
    bold.setBold(true);
    file->setFont(0, bold);
    if (review.refused) {
        return;
    }
    for (const ValueChange& value : review.values) {
        const ChangeWords words = DescribeChange(review, value);
        auto* row = new QTreeWidgetItem(file, {words.words, words.inFile});
        row->setToolTip(0, words.inFile);
    }
    for (const std::string& line : review.removedLines) {
        new QTreeWidgetItem(file, {"Line the save removes: " + toDisplay(line), toDisplay(line)});
    }
}

} // namespace rivo
