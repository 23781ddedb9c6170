#pragma once

#include <QCalendarWidget>
#include <QDate>
#include <QString>

namespace ui {

// The month calendar: Value is the selected day; DateClick fires after a click on a day, Value already
// holding it. Tag is free text (which box gets the next picked date).
class MonthView final : public QCalendarWidget
{
    Q_OBJECT
public:
    explicit MonthView(QWidget* parent = nullptr);

    QDate Value() const { return selectedDate(); }
    void setValue(const QDate& date);

    QString Tag;

signals:
    void DateClick(const QDate& date);
};

} // namespace ui
