#pragma once

#include "game_settings.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <string>

namespace rivo {

// One of the eight read-only folder rows: its label, its field and the
// setting it shows.
struct FolderRow {
    const char* labelName;
    const char* labelText;
    const char* fieldName;
    std::string GameSettings::*setting;
};

// Top to bottom: Season to Music.
extern const std::array<FolderRow, 8> kFolderRows;

// A frame of option buttons whose index is the stored value.
template <std::size_t N> struct OptionFrame {
    QGroupBox* frame = nullptr;
    std::array<QRadioButton*, N> buttons{};
    QButtonGroup* group = nullptr;
};

// The "Config" page: the game's folders (shown only) and the choices the
// user can change. It lays the controls out; the main window handles them.
class ConfigPage : public QWidget {
    Q_OBJECT
public:
    explicit ConfigPage(QWidget* parent = nullptr);

    QLabel* lblConfig_Location;
    QLabel* lblConfig_LocationDir;
    // Below it, only while any of the game's files is read from there: the
    // folder where Windows keeps the game's own copies of its files.
    QLabel* lblConfig_Store;
    QLabel* lblConfig_StoreDir;
    // In its place off Windows: the install's folder on this system.
    QLabel* lblConfig_Host;
    QLabel* lblConfig_HostDir;
    std::array<QLabel*, 8> folderLabels;
    std::array<QLineEdit*, 8> folderFields; // in the order of kFolderRows

    OptionFrame<5> SystemRating;
    OptionFrame<2> Windowed;
    OptionFrame<2> UseA3D;
    OptionFrame<2> UseEAX;

    QLabel* lblConfig_VideoDriver;
    QListWidget* lstConfig_VideoDriver;

    // The same controls under their own names.
    QLineEdit*& txtConfig_SeasonDir = folderFields[0];
    QLineEdit*& txtConfig_SoundsDir = folderFields[1];
    QLineEdit*& txtConfig_OptionsDir = folderFields[2];
    QLineEdit*& txtConfig_MovieDir = folderFields[3];
    QLineEdit*& txtConfig_ReplayDir = folderFields[4];
    QLineEdit*& txtConfig_TracksDir = folderFields[5];
    QLineEdit*& txtConfig_VehiclesDir = folderFields[6];
    QLineEdit*& txtConfig_MusicDir = folderFields[7];
    QGroupBox*& fraConfig_SystemRating = SystemRating.frame;
    std::array<QRadioButton*, 5>& optConfig_SystemRating = SystemRating.buttons;
    QGroupBox*& fraConfig_Windowed = Windowed.frame;
    std::array<QRadioButton*, 2>& optConfig_Windowed = Windowed.buttons;
    QGroupBox*& fraConfig_UseA3D = UseA3D.frame;
    std::array<QRadioButton*, 2>& optConfig_UseA3D = UseA3D.buttons;
    QGroupBox*& fraConfig_UseEAX = UseEAX.frame;
    std::array<QRadioButton*, 2>& optConfig_UseEAX = UseEAX.buttons;

    // The control that shows the setting: its folder field, the selected
    // button of its frame, or the list; null for a setting the page does not
    // show.
    QWidget* controlOf(std::string GameSettings::*setting) const;

    // The focus order: the option buttons frame by frame, then the list.
    QList<QWidget*> tabOrder() const;

private:
    void keepCaptionsLeftOfValues();
    // Each frame is one stop of the Tab key, at its selected button; the
    // arrow keys move within it. Follows the selection, the program's own
    // included, and keeps the focus on the selected button of its frame.
    static void followSelection(QButtonGroup* group);

    template <std::size_t N>
    OptionFrame<N> makeFrame(const char* name, const char* title, int top,
                             const std::array<const char*, N>& captions,
                             const std::array<int, N>& lefts, int width, int height);
};

} // namespace rivo
