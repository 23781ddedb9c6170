#include "orderimport/CellValue.h"

#include <QLocale>

namespace orderimport {

bool isEmptyCell(const CellValue& cell)
{
    if (std::holds_alternative<std::monostate>(cell)) {
        return true;
    }
    const QString* text = std::get_if<QString>(&cell);
    return text != nullptr && text->isEmpty();
}

QString cellText(const CellValue& cell)
{
    if (const QString* text = std::get_if<QString>(&cell)) {
        return *text;
    }
    if (const double* number = std::get_if<double>(&cell)) {
        return QString::number(*number, 'f', QLocale::FloatingPointShortest);
    }
    if (const QDate* date = std::get_if<QDate>(&cell)) {
        return date->toString(Qt::ISODate);
    }
    return QString();
}

bool trimRow(std::vector<CellValue>& cells)
{
    while (!cells.empty() && isEmptyCell(cells.back())) {
        cells.pop_back();
    }
    return !cells.empty();
}

} // namespace orderimport
