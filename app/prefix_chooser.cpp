#include "prefix_chooser.h"

#include "game_text.h"
#include "rivo_version.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace rivo {

PrefixChooser::PrefixChooser(const std::vector<GamePrefix>& prefixes, QWidget* parent)
    : QDialog(parent), lstPrefixes(new QTreeWidget(this)) {
    setWindowTitle(version::kProductName);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(tr("Kestra is installed in more than one Wine prefix. "
                               "Choose the one to edit:"),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);

    lstPrefixes->setObjectName("lstPrefixes");
    lstPrefixes->setRootIsDecorated(false);
    lstPrefixes->setHeaderLabels({tr("Found in"), tr("Prefix"), tr("Game folder")});
    for (const GamePrefix& prefix : prefixes) {
        // Host paths as the file system names them; the install folder is game text.
        lstPrefixes->addTopLevelItem(new QTreeWidgetItem(
            {fromUtf8(prefix.place), QString::fromStdString(prefix.path.string()),
             toDisplay(prefix.InstallDir)}));
    }
    lstPrefixes->setCurrentItem(lstPrefixes->topLevelItem(0));
    lstPrefixes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(lstPrefixes);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstPrefixes, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(720, 260);
}

int PrefixChooser::selectedRow() const {
    QTreeWidgetItem* item = lstPrefixes->currentItem();
    return item != nullptr ? lstPrefixes->indexOfTopLevelItem(item) : -1;
}

} // namespace rivo
