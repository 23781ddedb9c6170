#include "ui/TextBox.h"

#include <QLineEdit>
#include <limits>

namespace ui {

QLineEdit* newTextBox(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setMaxLength(std::numeric_limits<int>::max());
    box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return box;
}

} // namespace ui
