#pragma once

#include "game_prefixes.h"

#include <QDialog>
#include <QTreeWidget>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <vector>

namespace rivo {

// The small dialog shown before the main window when the game is in more
// than one Wine prefix: one row per prefix (the launcher it was found in,
// the name the launcher gives it, its folder with the home folder shown as
// "~", elided in the middle when the column is too narrow and whole in its
// tooltip, and the game's install folder), the first one selected, OK and
// Cancel. It can be resized and keeps nothing between runs.
class PrefixChooser : public QDialog {
    Q_OBJECT
public:
    // `home`: the folder shown as "~" (by default $HOME).
    explicit PrefixChooser(const std::vector<GamePrefix>& prefixes,
                           const std::filesystem::path& home = homeFolder(),
                           QWidget* parent = nullptr);

    static std::filesystem::path homeFolder();

    // The row selected, or -1.
    int selectedRow() const;

    // Shows the chooser, standing on its own, and gives the row chosen, or
    // nothing on Cancel.
    static std::optional<std::size_t> choose(const std::vector<GamePrefix>& prefixes);

    QTreeWidget* lstPrefixes;
};

} // namespace rivo
