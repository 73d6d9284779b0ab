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
    std::array<QLabel*, 8> folderLabels;
    std::array<QLineEdit*, 8> folderFields; // in the order of kFolderRows

    OptionFrame<5> SystemRating;
    OptionFrame<2> Windowed;
    OptionFrame<2> UseA3D;
    OptionFrame<2> UseEAX;

    QLabel* lblConfig_VideoDriver;
    QListWidget* lstConfig_VideoDriver;

    // The focus order: the option buttons frame by frame, then the list.
    QList<QWidget*> tabOrder() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <std::size_t N>
    OptionFrame<N> makeFrame(const char* name, const char* title, int top,
                             const std::array<const char*, N>& captions,
                             const std::array<int, N>& lefts, int width, int height);
};

} // namespace rivo
