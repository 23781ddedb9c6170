#pragma once

#include <QProxyStyle>

namespace ui {

// The grid's look on top of the application style: grid lines in RGB 128, 128, 192.
class GridStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridStyle)
public:
    explicit GridStyle(QObject* parent);

    int styleHint(StyleHint hint,
                  const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace ui
