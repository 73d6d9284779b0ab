#include "driver_grid.h"

#include "key_character.h"
#include "no_line_breaks.h"
#include "twips.h"

#include <QKeyEvent>
#include <limits>

namespace rivo {

const std::array<DriverColumn, kDriverColumnCount> kDriverColumns = {{
    {"txtDriver_Qualify", "lblDriver_QualHead", "Qualify", "Qualifying Ability",
     DriverField::QualifyingAbility, 2640},
    {"txtDriver_Race", "lblDriver_RaceHead", "Race", "Racing Ability", DriverField::RaceAbility,
     3360},
    {"txtDriver_Laps", "lblDriver_LapsHead", "Laps%", "Completed Laps %",
     DriverField::CompletedLaps, 4080},
    {"txtDriver_Crash", "lblDriver_CrashHead", "Crash%", "Crashing %", DriverField::Crash, 4800},
    {"txtDriver_React", "lblDriver_ReactHead", "React", "Reaction Time", DriverField::ReactionTime,
     5520},
    {"txtDriver_Mad", "lblDriver_MadHead", "Aggres", "Aggressive", DriverField::Aggressive, 6240},
    {"txtDriver_Run", "lblDriver_RunHead", "Defens", "Defensive", DriverField::Defensive, 6960},
    {"txtDriver_Brain", "lblDriver_BrainHead", "Intell", "Intelligence", DriverField::Intelligence,
     7680},
    {"txtDriver_LimAvg", "lblDrivers_LimAvgHead", "LimAvg", "Limit Avergage",
     DriverField::LimitAverage, 8400},
    {"txtDriver_LimVar", "lblDrivers_LimVarHead", "LimVar", "Limit Variance",
     DriverField::LimitVariance, 9120},
}};

namespace {

constexpr int kHeadTop = 480;
constexpr int kRowTop = 720;
constexpr int kRowPitch = 240;
constexpr int kBoxWidth = 615;
constexpr int kBoxHeight = 285;
constexpr int kLabelHeight = 255;

QLabel* makeHeading(QWidget* parent, const char* name, const char* text, const QRect& where,
                    Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setGeometry(where);
    twips::fitText(label, align == Qt::AlignRight);
    return label;
}

} // namespace

DriverGrid::DriverGrid(QWidget* parent) : QWidget(parent) {
    setObjectName("DriverGrid");

    lblDriver_DriverHead =
        makeHeading(this, "lblDriver_DriverHead", "Driver",
                    twips::onPage(120, kHeadTop, 2055, kLabelHeight), Qt::AlignLeft);
    for (int c = 0; c < kDriverColumnCount; ++c) {
        const DriverColumn& column = kDriverColumns[static_cast<std::size_t>(c)];
        // Right-aligned headings end where the boxes below them end.
        headings[static_cast<std::size_t>(c)] = makeHeading(
            this, column.headName, column.heading,
            twips::onPage(column.left, kHeadTop, kBoxWidth, kLabelHeight), Qt::AlignRight);
    }

    for (int r = 0; r < kDriverRows; ++r) {
        const int top = kRowTop + kRowPitch * r;
        auto* name = new QLabel("Driver Name", this);
        name->setObjectName(QString("lblDriver_DriverName_%1").arg(r));
        name->setTextFormat(Qt::PlainText);
        name->setGeometry(twips::onPage(120, top, 2415, kLabelHeight));
        lblDriver_DriverName[static_cast<std::size_t>(r)] = name;
    }

    // Lower rows are made later and so stand above the rows before them
    // where the boxes overlap.
    auto* noLineBreaks = new NoLineBreaks(this);
    numericPaste = new NumericPaste(this);
    for (int r = 0; r < kDriverRows; ++r) {
        const int top = kRowTop + kRowPitch * r;
        for (int c = 0; c < kDriverColumnCount; ++c) {
            const DriverColumn& column = kDriverColumns[static_cast<std::size_t>(c)];
            auto* box = new QLineEdit(this);
            box->setObjectName(QString("%1_%2").arg(column.boxName).arg(r));
            box->setToolTip(column.tooltip);
            box->setAlignment(Qt::AlignRight);
            // Any value read must come back whole (the default cuts it at
            // 32767 characters).
            box->setMaxLength(std::numeric_limits<int>::max());
            // Pasted or dropped text arrives whole, past the key filter.
            box->setValidator(noLineBreaks);
            box->setGeometry(twips::onPage(column.left, top, kBoxWidth, kBoxHeight));
            // Every character must come as a key press the filter sees; an
            // input method would hand over text past it.
            box->setAttribute(Qt::WA_InputMethodEnabled, false);
            box->installEventFilter(this);
            box->installEventFilter(numericPaste);
            cellOf_.insert(box, QPoint(c, r));
            connect(box, &QLineEdit::textChanged, this, [this, c, r] {
                if (onTextChanged) {
                    onTextChanged(c, r);
                }
            });
            connect(box, &QLineEdit::textEdited, this, [this, c, r] {
                if (onTextEdited) {
                    onTextEdited(c, r);
                }
            });
            boxes_[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] = box;
        }
    }
}

QLineEdit* DriverGrid::boxOf(int row, DriverField field) const {
    for (int c = 0; c < kDriverColumnCount; ++c) {
        if (kDriverColumns[static_cast<std::size_t>(c)].field == field) {
            return box(c, row);
        }
    }
    return box(0, row);
}

void DriverGrid::setRowEnabled(int row, bool enabled) {
    lblDriver_DriverName.at(static_cast<std::size_t>(row))->setEnabled(enabled);
    for (int c = 0; c < kDriverColumnCount; ++c) {
        box(c, row)->setEnabled(enabled);
    }
}

QList<QWidget*> DriverGrid::tabOrder() const {
    QList<QWidget*> order;
    for (const auto& column : boxes_) {
        for (QLineEdit* b : column) {
            order << b;
        }
    }
    return order;
}

bool DriverGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto cell = cellOf_.constFind(watched);
    // A disabled box takes no input, though its filters still see events.
    if (cell == cellOf_.constEnd() || !onKeyPress || !static_cast<QWidget*>(watched)->isEnabled()) {
        return false;
    }
    const std::optional<int> typed = typedCharacter(*static_cast<QKeyEvent*>(event));
    if (!typed) {
        return false;
    }
    int KeyAscii = *typed;
    onKeyPress(cell->x(), cell->y(), KeyAscii);
    // Code 0: the character is dropped before the box sees it.
    return KeyAscii == 0;
}

} // namespace rivo
