#pragma once

#include <QComboBox>

namespace ui {

// The field list of the filter: a drop-down list that takes the wheel only while it has the focus, so a
// wheel turned over it on the way to the grid does not change the field; the turn goes on to the window.
class FieldList final : public QComboBox
{
    Q_OBJECT
public:
    explicit FieldList(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace ui
