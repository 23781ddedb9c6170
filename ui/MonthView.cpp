#include "ui/MonthView.h"

#include <QHeaderView>
#include <QTableView>

namespace ui {

MonthView::MonthView(QWidget* parent)
    : QCalendarWidget(parent)
{
    // The month calendar's own span, which is also the span of dates the store takes.
    setDateRange(QDate(1753, 1, 1), QDate(9999, 12, 31));
    setGridVisible(true);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames); // fits the narrow pop-up
    // The pop-up is narrower than the calendar would like: let the seven day columns share it evenly.
    if (auto* days = findChild<QTableView*>()) {
        for (QHeaderView* header : {days->horizontalHeader(), days->verticalHeader()}) {
            header->setMinimumSectionSize(1);
            header->setSectionResizeMode(QHeaderView::Stretch);
        }
    }
    // QCalendarWidget selects the day before it emits clicked, so Value already holds it.
    connect(this, &QCalendarWidget::clicked, this, [this](QDate date) { emit DateClick(date); });
    // Enter on a day picks it too, so the calendar can be used without a mouse. A double click hides
    // the calendar on its first click already and never gets here.
    connect(this, &QCalendarWidget::activated, this, [this](QDate date) {
        if (isVisible()) {
            emit DateClick(date);
        }
    });
}

void MonthView::setValue(const QDate& date)
{
    setSelectedDate(date);
}

} // namespace ui
