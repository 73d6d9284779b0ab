#include "config_page.h"

#include "twips.h"

#include <QStyledItemDelegate>
#include <algorithm>
#include <limits>
#include <utility>

namespace rivo {

const std::array<FolderRow, 8> kFolderRows = {{
    {"lblConfig_SeasonDir", "Season Folder", "txtConfig_SeasonDir", &GameSettings::SeasonDir},
    {"lblConfig_SoundDir", "Sounds Folder", "txtConfig_SoundsDir", &GameSettings::SoundDir},
    {"lblConfig_OptionsDir", "Options Folder", "txtConfig_OptionsDir", &GameSettings::OptionsDir},
    {"lblConfig_MovieDir", "Movie Folder", "txtConfig_MovieDir", &GameSettings::MovieDir},
    {"lblConfig_ReplayDir", "Replay Folder", "txtConfig_ReplayDir", &GameSettings::ReplayDir},
    {"lblConfig_TracksDir", "Tracks Folder", "txtConfig_TracksDir", &GameSettings::TracksDir},
    {"lblConfig_VehiclesDir", "Vehicles Folder", "txtConfig_VehiclesDir",
     &GameSettings::VehiclesDir},
    {"lblConfig_MusicDir", "Music Folder", "txtConfig_MusicDir", &GameSettings::MusicDir},
}};

namespace {

// Marks the list's current entry with the style's focus frame while the list
// has the focus, however it came there: styles otherwise draw it only after
// a key has moved the focus, and the selection alone does not show it.
class FocusFrameDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shown(option);
        if (shown.state.testFlag(QStyle::State_HasFocus)) {
            shown.state |= QStyle::State_KeyboardFocusChange;
        }
        QStyledItemDelegate::paint(painter, shown, index);
    }
};

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& where) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(where);
    return label;
}

} // namespace

ConfigPage::ConfigPage(QWidget* parent) : QWidget(parent) {
    setObjectName("ConfigPage");

    lblConfig_Location =
        makeLabel(this, "lblConfig_Location", "Main Folder", twips::onPage(240, 360, 1095, 255));
    lblConfig_LocationDir = makeLabel(this, "lblConfig_LocationDir", "Main Game Folder",
                                      twips::onPage(1560, 360, 3015, 255));
    lblConfig_Store =
        makeLabel(this, "lblConfig_Store", "VirtualStore", twips::onPage(240, 660, 1095, 255));
    twips::fitText(lblConfig_Store);
    lblConfig_StoreDir =
        makeLabel(this, "lblConfig_StoreDir", QString(), twips::onPage(1560, 660, 8325, 255));
    lblConfig_Store->hide();
    lblConfig_StoreDir->hide();
#ifdef __linux__
    const char* hostCaption = "Linux Folder";
#else
    const char* hostCaption = "Host Folder";
#endif
    lblConfig_Host =
        makeLabel(this, "lblConfig_Host", hostCaption, twips::onPage(240, 660, 1095, 255));
    twips::fitText(lblConfig_Host);
    lblConfig_HostDir =
        makeLabel(this, "lblConfig_HostDir", QString(), twips::onPage(1560, 660, 8325, 255));
    lblConfig_Host->hide();
    lblConfig_HostDir->hide();

    for (std::size_t row = 0; row < kFolderRows.size(); ++row) {
        const FolderRow& folder = kFolderRows[row];
        const int top = 1080 + 240 * static_cast<int>(row);
        folderLabels[row] =
            makeLabel(this, folder.labelName, folder.labelText, twips::onPage(240, top, 1095, 255));
        twips::fitText(folderLabels[row]);

        auto* field = new QLineEdit(folder.labelText, this);
        field->setObjectName(folder.fieldName);
        field->setGeometry(twips::onPage(1560, top, 3015, 285));
        // A display only: no typing, and the Tab key passes it by; a click
        // still selects text to copy.
        field->setReadOnly(true);
        // A field cuts longer text at 32767 characters by default; the
        // change handler would store the cut value back.
        field->setMaxLength(std::numeric_limits<int>::max());
        field->setFocusPolicy(Qt::ClickFocus);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        field->setPalette(palette);
        folderFields[row] = field;
    }
    keepCaptionsLeftOfValues();

    SystemRating = makeFrame<5>("fraConfig_SystemRating", "System Rating", 3360,
                                {"1", "2", "3", "4", "5"}, {120, 600, 1080, 1560, 2040}, 375, 195);
    Windowed = makeFrame<2>("fraConfig_Windowed", "Run in Window", 4080, {"No", "Yes"}, {120, 1080},
                            615, 255);
    UseA3D =
        makeFrame<2>("fraConfig_UseA3D", "A3D Enabled", 4800, {"No", "Yes"}, {120, 1080}, 615, 255);
    UseEAX =
        makeFrame<2>("fraConfig_UseEAX", "EAX Enabled", 5520, {"No", "Yes"}, {120, 1080}, 615, 255);

    lblConfig_VideoDriver = makeLabel(this, "lblConfig_VideoDriver",
                                      "Video Driver:", twips::onPage(3720, 3960, 1095, 255));
    twips::fitText(lblConfig_VideoDriver);
    lstConfig_VideoDriver = new QListWidget(this);
    lstConfig_VideoDriver->setObjectName("lstConfig_VideoDriver");
    lstConfig_VideoDriver->setSelectionMode(QAbstractItemView::SingleSelection);
    lstConfig_VideoDriver->setSortingEnabled(false);
    lstConfig_VideoDriver->setItemDelegate(new FocusFrameDelegate(lstConfig_VideoDriver));
    lstConfig_VideoDriver->setGeometry(twips::onPage(3720, 4200, 3615, 645));
    lblConfig_VideoDriver->setBuddy(lstConfig_VideoDriver);
}

// The captions were placed for an 11-pixel dialog font. A larger one (the
// system's font on Windows) widens them: the values then start after the
// widest caption instead of under it, keeping their right edges.
void ConfigPage::keepCaptionsLeftOfValues() {
    constexpr int kGap = 4;
    twips::fitText(lblConfig_Location);
    int widest = 0;
    for (QLabel* caption : {lblConfig_Location, lblConfig_Store, lblConfig_Host}) {
        widest = std::max(widest, caption->geometry().right());
    }
    for (QLabel* caption : folderLabels) {
        widest = std::max(widest, caption->geometry().right());
    }
    const int shift = widest + kGap - lblConfig_LocationDir->geometry().left();
    if (shift <= 0) {
        return;
    }
    for (QLabel* value : {lblConfig_LocationDir, lblConfig_StoreDir, lblConfig_HostDir}) {
        value->setGeometry(value->geometry().adjusted(shift, 0, 0, 0));
    }
    for (QLineEdit* field : folderFields) {
        field->setGeometry(field->geometry().translated(shift, 0));
    }
}

template <std::size_t N>
OptionFrame<N> ConfigPage::makeFrame(const char* name, const char* title, int top,
                                     const std::array<const char*, N>& captions,
                                     const std::array<int, N>& lefts, int width, int height) {
    OptionFrame<N> result;
    result.frame = new QGroupBox(title, this);
    result.frame->setObjectName(name);
    result.frame->setGeometry(twips::onPage(120, top, 2655, 615));
    result.group = new QButtonGroup(result.frame);
    result.group->setExclusive(true);
    // "fraConfig_X" frames hold the "optConfig_X" array.
    const QString arrayName = QString("optConfig_") + QString(name).mid(10);
    for (std::size_t i = 0; i < N; ++i) {
        auto* button = new QRadioButton(captions[i], result.frame);
        button->setObjectName(arrayName + "_" + QString::number(i));
        QRect where = twips::rect(lefts[i], 240, width, height);
        // The whole indicator must show, in any style.
        where.setHeight(std::max(where.height(), button->sizeHint().height()));
        // Styles that draw the caption above the frame rather than on its
        // line leave less room inside: centre the buttons in what is left.
        const QRect inside = result.frame->contentsRect();
        if (where.top() < inside.top()) {
            where.moveTop(inside.top() + std::max(0, (inside.height() - where.height()) / 2));
        }
        button->setGeometry(where);
        twips::fitText(button);
        result.group->addButton(button, static_cast<int>(i));
        result.buttons[i] = button;
    }
    QButtonGroup* group = result.group;
    connect(group, &QButtonGroup::idToggled, group, [group](int, bool checked) {
        if (checked) {
            followSelection(group);
        }
    });
    // The layout selects index 0; start-up then selects from the settings.
    result.buttons[0]->setChecked(true);
    return result;
}

void ConfigPage::followSelection(QButtonGroup* group) {
    QAbstractButton* checked = group->checkedButton();
    bool focusInside = false;
    for (QAbstractButton* button : group->buttons()) {
        // The other buttons take the focus from the mouse and the arrow
        // keys, never from Tab: so Tab and Shift+Tab go from frame to frame.
        button->setFocusPolicy(button == checked || checked == nullptr ? Qt::StrongFocus
                                                                       : Qt::ClickFocus);
        focusInside = focusInside || button->hasFocus();
    }
    if (focusInside && checked != nullptr && !checked->hasFocus()) {
        checked->setFocus(Qt::OtherFocusReason);
    }
}

QWidget* ConfigPage::controlOf(std::string GameSettings::*setting) const {
    for (std::size_t row = 0; row < kFolderRows.size(); ++row) {
        if (kFolderRows[row].setting == setting) {
            return folderFields[row];
        }
    }
    const std::pair<std::string GameSettings::*, QButtonGroup*> frames[] = {
        {&GameSettings::SystemRating, SystemRating.group},
        {&GameSettings::WindowedMode, Windowed.group},
        {&GameSettings::UseA3D, UseA3D.group},
        {&GameSettings::UseEAX, UseEAX.group},
    };
    for (const auto& [shown, group] : frames) {
        if (shown == setting) {
            return group->checkedButton();
        }
    }
    return setting == &GameSettings::VideoDriver ? lstConfig_VideoDriver : nullptr;
}

QList<QWidget*> ConfigPage::tabOrder() const {
    QList<QWidget*> order;
    for (QRadioButton* b : SystemRating.buttons) {
        order << b;
    }
    for (const auto* frame : {&Windowed, &UseA3D, &UseEAX}) {
        for (QRadioButton* b : frame->buttons) {
            order << b;
        }
    }
    order << lstConfig_VideoDriver;
    return order;
}

} // namespace rivo
