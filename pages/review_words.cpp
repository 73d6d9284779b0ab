#include "review_words.h"

#include "config_page.h"
#include "driver_grid.h"
#include "game_text.h"

#include <array>

namespace rivo {

namespace {

constexpr const char* kArrow = " \u2192 ";
constexpr const char* kEmpty = "(empty)";

// The caption of a setting on the Config page; the key for those the page
// does not show.
QString SettingCaption(const SettingKey& setting) {
    for (const FolderRow& folder : kFolderRows) {
        if (folder.setting == setting.field) {
            return folder.labelText;
        }
    }
    struct Caption {
        std::string GameSettings::*field;
        const char* caption;
    };
    static constexpr std::array<Caption, 5> kChoices = {{
        {&GameSettings::SystemRating, "System Rating"},
        {&GameSettings::WindowedMode, "Run in Window"},
        {&GameSettings::UseA3D, "A3D Enabled"},
        {&GameSettings::UseEAX, "EAX Enabled"},
        {&GameSettings::VideoDriver, "Video Driver"},
    }};
    for (const Caption& choice : kChoices) {
        if (choice.field == setting.field) {
            return choice.caption;
        }
    }
    return setting.key;
}

bool IsYesNo(const SettingKey& setting) {
    return setting.field == &GameSettings::WindowedMode || setting.field == &GameSettings::UseA3D ||
           setting.field == &GameSettings::UseEAX;
}

// The grid's heading of a driver field; the file's key for a field the grid
// does not show.
QString FieldCaption(const ValueChange& change) {
    for (const DriverColumn& column : kDriverColumns) {
        if (static_cast<std::size_t>(column.field) == change.index) {
            return column.heading;
        }
    }
    return QString::fromStdString(change.name);
}

QString Shown(const std::string& value, bool yesNo) {
    if (value.empty()) {
        return kEmpty;
    }
    if (yesNo && (value == "0" || value == "1")) {
        return value == "1" ? "Yes" : "No";
    }
    return toDisplay(value);
}

} // namespace

ChangeWords DescribeChange(const FileReview& file, const ValueChange& change) {
    // A driver file's keys never stand at the same place among the settings.
    const bool config =
        change.index < kSettingKeys.size() && change.name == kSettingKeys[change.index].key;
    const bool yesNo = config && IsYesNo(kSettingKeys[change.index]);
    QString what;
    if (config) {
        what = SettingCaption(kSettingKeys[change.index]);
    } else {
        what = (file.driver.empty() ? QString("(no name)") : toDisplay(file.driver)) + ", " +
               FieldCaption(change);
    }
    const QString absent = file.disk == FileReview::Disk::Read      ? "(not in the file)"
                           : file.disk == FileReview::Disk::Missing ? "(no file)"
                                                                    : "(cannot be read)";
    const QString before = change.onDisk ? Shown(*change.onDisk, yesNo) : absent;
    const QString rawBefore = change.onDisk ? Shown(*change.onDisk, false) : absent;
    return {what + ": " + before + kArrow + Shown(change.written, yesNo),
            QString::fromStdString(change.name) + ": " + rawBefore + kArrow +
                Shown(change.written, false)};
}

} // namespace rivo
