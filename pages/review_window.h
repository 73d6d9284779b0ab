#pragma once

#include "save_review.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <vector>

namespace rivo {

inline constexpr const char* kNothingToSave = "No changes to save.";

// "Review Changes": for each game file that Save All would change, each value
// it changes (the value on disk now and the value written) and the lines it
// removes; with nothing to change, "No changes to save.". It only shows; the
// main window computes the review and runs the save.
class ReviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReviewWindow(QWidget* parent = nullptr);

    void showReviews(const std::vector<FileReview>& reviews);

    QLabel* lblReview_Nothing;
    QTreeWidget* tvwReview;
    QPushButton* cmdReview_Save;
    QPushButton* cmdReview_Close;

private:
    void addFile(const FileReview& review);
};

} // namespace rivo
