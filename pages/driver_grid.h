#pragma once

#include "driver_roster.h"
#include "numeric_paste.h"

#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <functional>

namespace rivo {

// One value column of the driver grid: its box array, its heading, the
// tooltip of its boxes and the roster field it shows.
struct DriverColumn {
    const char* boxName;  // "txtDriver_React"; box r is named "txtDriver_React_r"
    const char* headName; // "lblDriver_ReactHead"
    const char* heading;  // "React"
    const char* tooltip;  // "Reaction Time"
    DriverField field;
    int left; // twips
};

inline constexpr int kDriverColumnCount = 10;
extern const std::array<DriverColumn, kDriverColumnCount> kDriverColumns;

// The "Drivers" page: 22 rows of a name label and ten value boxes, built
// from the column table. It only lays out and reports; the main window
// decides what an edit does.
class DriverGrid : public QWidget {
    Q_OBJECT
public:
    explicit DriverGrid(QWidget* parent = nullptr);

    QLabel* lblDriver_DriverHead;
    std::array<QLabel*, kDriverColumnCount> headings{};
    std::array<QLabel*, kDriverRows> lblDriver_DriverName{};

    QLineEdit* box(int column, int row) const {
        return boxes_.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row));
    }

    // The box of the row that shows the field; the row's first box for a
    // field the grid does not show (the name among them).
    QLineEdit* boxOf(int row, DriverField field) const;

    // The row's name label and its ten boxes take the state together.
    void setRowEnabled(int row, bool enabled);

    // Down each column from row 0 to 21, Qualify first.
    QList<QWidget*> tabOrder() const;

    // A character typed into a box, before the box applies it: set the code
    // to 0 to drop it.
    std::function<void(int column, int row, int& KeyAscii)> onKeyPress;
    // Any change of a box's text, the program's own included.
    std::function<void(int column, int row)> onTextChanged;
    // A change the user made (typing, deleting, pasting, undo, dropping).
    std::function<void(int column, int row)> onTextEdited;
    // Takes pasted and dropped text into the boxes; the main window says
    // what they may hold.
    NumericPaste* numericPaste;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<std::array<QLineEdit*, kDriverRows>, kDriverColumnCount> boxes_{};
    QHash<QObject*, QPoint> cellOf_; // box -> (column, row)
};

} // namespace rivo
