#include "prefix_chooser.h"

#include "game_text.h"
#include "rivo_version.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>
#include <cstdlib>

namespace rivo {

namespace {

namespace fs = std::filesystem;

// The folder with `home` written as "~".
QString shownPath(const fs::path& folder, const fs::path& home) {
    const QString whole = QString::fromStdString(folder.string());
    fs::path base = home.lexically_normal();
    if (!base.has_filename() && base.has_relative_path()) {
        base = base.parent_path(); // a trailing separator
    }
    if (!base.has_relative_path()) {
        return whole; // no home, or the root: "~" would say nothing
    }
    const fs::path below = folder.lexically_relative(base);
    if (below.empty() || *below.begin() == "..") {
        return whole;
    }
    return below == "." ? "~" : "~/" + QString::fromStdString(below.string());
}

enum Column { FoundIn, Name, Prefix, GameFolder };

} // namespace

fs::path PrefixChooser::homeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? fs::path(home) : fs::path();
}

PrefixChooser::PrefixChooser(const std::vector<GamePrefix>& prefixes, const fs::path& home,
                             QWidget* parent)
    : QDialog(parent), lstPrefixes(new QTreeWidget(this)) {
    setWindowTitle(version::kProductName);
    setSizeGripEnabled(true);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(tr("Kestra is installed in more than one Wine prefix. "
                               "Choose the one to edit:"),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);

    lstPrefixes->setObjectName("lstPrefixes");
    lstPrefixes->setRootIsDecorated(false);
    lstPrefixes->setTextElideMode(Qt::ElideMiddle);
    lstPrefixes->setHeaderLabels({tr("Found in"), tr("Name"), tr("Prefix"), tr("Game folder")});
    for (const GamePrefix& prefix : prefixes) {
        // Host paths and launchers' names as the file system and the
        // launchers write them (UTF-8); the install folder is game text.
        auto* item =
            new QTreeWidgetItem({fromUtf8(prefix.place), fromUtf8(prefix.name),
                                 shownPath(prefix.path, home), toDisplay(prefix.InstallDir)});
        item->setToolTip(Prefix, QString::fromStdString(prefix.path.string()));
        lstPrefixes->addTopLevelItem(item);
    }
    lstPrefixes->setCurrentItem(lstPrefixes->topLevelItem(0));
    // The prefix takes the room that is left, and gives it up first.
    QHeaderView* header = lstPrefixes->header();
    header->setStretchLastSection(false);
    for (const Column column : {FoundIn, Name, GameFolder}) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    header->setSectionResizeMode(Prefix, QHeaderView::Stretch);
    layout->addWidget(lstPrefixes);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstPrefixes, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(760, 280);
}

int PrefixChooser::selectedRow() const {
    QTreeWidgetItem* item = lstPrefixes->currentItem();
    return item != nullptr ? lstPrefixes->indexOfTopLevelItem(item) : -1;
}

std::optional<std::size_t> PrefixChooser::choose(const std::vector<GamePrefix>& prefixes) {
    PrefixChooser chooser(prefixes);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedRow() < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(chooser.selectedRow());
}

} // namespace rivo
