#include "ui/ControlTable.h"

#include "ui/FieldList.h"
#include "ui/FlexGrid.h"
#include "ui/Label.h"
#include "ui/MonthView.h"
#include "ui/TextBox.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

QWidget* makeControl(QPushButton*& slot, QWidget* parent, const QString& caption)
{
    return slot = new QPushButton(caption, parent);
}

QWidget* makeControl(QGroupBox*& slot, QWidget* parent, const QString&)
{
    slot = new QGroupBox(parent); // untitled: a plain etched box
    slot->setFocusPolicy(Qt::NoFocus);
    return slot;
}

QWidget* makeControl(QComboBox*& slot, QWidget* parent, const QString&)
{
    return slot = new FieldList(parent);
}

QWidget* makeControl(QLineEdit*& slot, QWidget* parent, const QString& caption)
{
    slot = newTextBox(parent);
    slot->setText(caption);
    return slot;
}

QWidget* makeControl(Label*& slot, QWidget* parent, const QString& caption)
{
    slot = new Label(parent);
    slot->setText(caption);
    return slot;
}

QWidget* makeControl(QLabel*& slot, QWidget* parent, const QString& caption)
{
    slot = new QLabel(caption, parent);
    slot->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return slot;
}

QWidget* makeControl(MonthView*& slot, QWidget* parent, const QString&)
{
    return slot = new MonthView(parent);
}

QWidget* makeControl(FlexGrid*& slot, QWidget* parent, const QString&)
{
    return slot = new FlexGrid(parent);
}

QWidget* asWidget(QGroupBox* frame)
{
    return frame;
}

void placeControl(QWidget& control, const char* name, int left, int top, int width, int height, bool hidden)
{
    control.setObjectName(QString::fromLatin1(name));
    if (qobject_cast<QLabel*>(&control)) {
        control.move(twips::toPixels(left), twips::toPixels(top));
        control.adjustSize();
    } else {
        control.setGeometry(twips::rect(left, top, width, height));
    }
    if (hidden) {
        control.setHidden(true);
    }
}

void chainTabs(const std::vector<QWidget*>& controls)
{
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        Q_ASSERT(control); // every row is built, whatever the creation order
        if (control->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
}

} // namespace ui
