#pragma once

#include <QString>
#include <span>
#include <type_traits>
#include <variant>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ui {

class FlexGrid;
class Label;
class MonthView;

// One control of a window laid out as a table. The slot of the window's typed controls struct that the
// built control fills also says its kind; positions are twips from the top-left corner of its container.
template <typename Controls> struct ControlRow
{
    template <typename T> using Slot = T* Controls::*;
    using AnySlot = std::variant<Slot<QPushButton>,
                                 Slot<QGroupBox>,
                                 Slot<QComboBox>,
                                 Slot<QLineEdit>,
                                 Slot<Label>,
                                 Slot<QLabel>,
                                 Slot<MonthView>,
                                 Slot<FlexGrid>>;

    const char* name; // objectName, the control's short name
    AnySlot slot;
    Slot<QGroupBox> container; // nullptr: the window itself
    QString caption;           // caption of a button or label, design text of a box
    int left;
    int top;
    int width;
    int height;
    bool hidden = false; // at start
};

// Each makes a control of its slot's kind into parent, stores it in the slot and returns it. A combo box
// is the field list; a plain QLabel reads its caption left-aligned, as ui::Label does.
QWidget* makeControl(QPushButton*& slot, QWidget* parent, const QString& caption);
QWidget* makeControl(QGroupBox*& slot, QWidget* parent, const QString& caption);
QWidget* makeControl(QComboBox*& slot, QWidget* parent, const QString& caption);
QWidget* makeControl(QLineEdit*& slot, QWidget* parent, const QString& caption);
QWidget* makeControl(Label*& slot, QWidget* parent, const QString& caption);
QWidget* makeControl(QLabel*& slot, QWidget* parent, const QString& caption);
QWidget* makeControl(MonthView*& slot, QWidget* parent, const QString& caption);
QWidget* makeControl(FlexGrid*& slot, QWidget* parent, const QString& caption);
QWidget* asWidget(QGroupBox* frame);
// Names and places a made control; labels keep their left, top and size themselves to their text.
void placeControl(QWidget& control, const char* name, int left, int top, int width, int height, bool hidden);
// Tab order as listed; controls that take no focus (labels, frames) are left out.
void chainTabs(const std::vector<QWidget*>& controls);

// Builds every row into form and controls, in creationOrder when given (later controls lie in front of
// earlier ones; a frame comes before its controls), else in the rows' order, which is the tab order.
template <typename Controls>
void buildControls(QWidget& form,
                   std::span<const ControlRow<std::type_identity_t<Controls>>> rows,
                   Controls& controls,
                   std::span<const typename ControlRow<Controls>::AnySlot> creationOrder = {})
{
    std::vector<QWidget*> made(rows.size(), nullptr);
    const auto make = [&](std::size_t i) {
        const ControlRow<Controls>& row = rows[i];
        QWidget* parent = row.container ? asWidget(controls.*row.container) : &form;
        Q_ASSERT(parent); // a frame is built before what it holds
        made[i] =
            std::visit([&](auto slot) { return makeControl(controls.*slot, parent, row.caption); }, row.slot);
        placeControl(*made[i], row.name, row.left, row.top, row.width, row.height, row.hidden);
    };
    if (creationOrder.empty()) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            make(i);
        }
    } else {
        for (const auto& slot : creationOrder) {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                if (rows[i].slot == slot) {
                    make(i);
                }
            }
        }
    }
    chainTabs(made);
}

} // namespace ui
