// Start-up's reading of the game: the files read into the editor and shown
// on both pages, as start-up does once the game is found.
#include "ansi_text.h"
#include "frm_main.h"
#include "game_text.h"
#include "guarded.h"
#include "rivoconfig.h"
#include "rivodriver.h"
#include "window_texts.h"

#include <QScopedValueRollback>
#include <QScreen>
#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

namespace rivo {

namespace {

// The setting as a whole number: digits with an optional sign, blanks
// around allowed. Too many digits count as the largest number of that sign.
std::optional<long long> wholeNumber(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const auto last = text.find_last_not_of(' ');
    std::string_view digits(text.data() + first, last - first + 1);
    bool negative = false;
    if (digits.front() == '+' || digits.front() == '-') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = std::numeric_limits<long long>::max();
    }
    return negative ? -value : value;
}

} // namespace

void frmMain::readGame() {
    const QScopedValueRollback<bool> quiet(recording_, false);
    configPage->lstConfig_VideoDriver->clear();
    session_.readGame();

    RunGuarded(*this, "Filling the window", [&] {
        fillConfigPage();
        FillDriverGrid();
    });
    filesInStore_ = showStoreCopies();
    showHostFolder();
    showRestoreState();
    // The fills above ran the change handlers, which store what the pages
    // show: that is what was read. The history starts here.
    session_.startAfresh();
    undoStack->clear();
}

void frmMain::fillConfigPage() {
    configPage->lblConfig_LocationDir->setText(toDisplay(state_.InstallDir));
    configPage->lblConfig_LocationDir->setToolTip(toDisplay(state_.InstallDir));

    GameSettings& s = state_.settings;
    // Each assignment raises the field's change handler, which stores it back.
    configPage->txtConfig_MovieDir->setText(toDisplay(s.MovieDir));
    configPage->txtConfig_MusicDir->setText(toDisplay(s.MusicDir));
    configPage->txtConfig_OptionsDir->setText(toDisplay(s.OptionsDir));
    configPage->txtConfig_ReplayDir->setText(toDisplay(s.ReplayDir));
    configPage->txtConfig_SeasonDir->setText(toDisplay(s.SeasonDir));
    configPage->txtConfig_SoundsDir->setText(toDisplay(s.SoundDir));
    configPage->txtConfig_TracksDir->setText(toDisplay(s.TracksDir));
    configPage->txtConfig_VehiclesDir->setText(toDisplay(s.VehiclesDir));

    if (const auto rating = wholeNumber(s.SystemRating)) {
        const long long value = std::clamp(*rating, 1LL, 5LL);
        if (value != *rating) {
            // A new string rather than assigning a literal, which GCC 12's
            // -Wrestrict misreads in optimised builds.
            s.SystemRating = std::to_string(value);
        }
    }
    // The buttons' handlers store what they show, which for a value no
    // button stands for exactly (" 1", a missing key) is not what was read:
    // the settings stay as read, so that what a save writes does not depend
    // on which buttons were selected before the reading.
    const GameSettings read = s;
    showChoices(read);
    s = read;
}

void frmMain::showChoices(const GameSettings& settings) {
    // A rating out of range shows as the nearest one; anything else that is
    // no choice the page offers shows the layout's button ("1", "No").
    const long long rating = std::clamp(wholeNumber(settings.SystemRating).value_or(1), 1LL, 5LL);
    configPage->optConfig_SystemRating[static_cast<std::size_t>(rating - 1)]->setChecked(true);
    auto selectYesNo = [](const std::string& text, std::array<QRadioButton*, 2>& buttons) {
        const auto value = wholeNumber(text);
        buttons[value == 1 ? 1 : 0]->setChecked(true);
    };
    selectYesNo(settings.WindowedMode, configPage->optConfig_Windowed);
    selectYesNo(settings.UseA3D, configPage->optConfig_UseA3D);
    selectYesNo(settings.UseEAX, configPage->optConfig_UseEAX);

    // The last entry that names the driver, as the list was filled; none
    // when the list does not hold it.
    QListWidget* list = configPage->lstConfig_VideoDriver;
    int chosen = -1;
    for (int i = 0; i < list->count(); ++i) {
        const QByteArray name = list->item(i)->data(Qt::UserRole).toByteArray();
        if (std::string_view(name.constData(), static_cast<std::size_t>(name.size())) ==
            settings.VideoDriver) {
            chosen = i;
        }
    }
    if (chosen < 0) {
        list->clearSelection();
    } else {
        list->setCurrentRow(chosen, QItemSelectionModel::ClearAndSelect);
    }
}

void frmMain::centreOnScreen() {
    adjustSize();
    if (const QScreen* screen = this->screen()) {
        QRect where = geometry();
        where.moveCenter(screen->availableGeometry().center());
        move(where.topLeft());
    }
}

int frmMain::showStoreCopies() {
    std::vector<std::string> files = {state_.ConfigFilePath, state_.VideoConfigPath};
    for (int row = 0; row < kDriverRows; ++row) {
        files.push_back(GameDriverPath(state_.InstallDir, state_.settings.SeasonDir,
                                       DriverRoster::BaseName(row)));
    }
    const int inStore =
        static_cast<int>(std::count_if(files.begin(), files.end(), [this](const std::string& file) {
            return IsStoreCopy(paths_, file);
        }));
    const QString folder = fromUtf8(displayPath(paths_.storeCopy(state_.InstallDir)));
    configPage->lblConfig_StoreDir->setText(folder);
    configPage->lblConfig_StoreDir->setToolTip(
        "Windows keeps the files the game saves here, and the game reads them from here:\n" +
        folder);
    configPage->lblConfig_Store->setVisible(inStore > 0);
    configPage->lblConfig_StoreDir->setVisible(inStore > 0);
    return inStore;
}

} // namespace rivo
