#pragma once

#include "game_prefixes.h"

#include <QDialog>
#include <QTreeWidget>
#include <vector>

namespace rivo {

// The small dialog shown before the main window when the game is in more
// than one Wine prefix: one row per prefix (where it was found, its folder,
// the game's install folder), the first one selected, OK and Cancel.
class PrefixChooser : public QDialog {
    Q_OBJECT
public:
    explicit PrefixChooser(const std::vector<GamePrefix>& prefixes, QWidget* parent = nullptr);

    // The row selected, or -1.
    int selectedRow() const;

    QTreeWidget* lstPrefixes;
};

} // namespace rivo
