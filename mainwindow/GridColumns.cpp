#include "mainwindow/GridColumns.h"

#include <vector>

namespace mainwindow {

QString gridFormat()
{
    QString format;
    for (std::size_t col = 1; col < gridColumns.size(); ++col) {
        format += QStringLiteral("|<") + QString::fromUtf16(gridColumns[col].title);
    }
    return format;
}

std::span<const xl::ExportColumn> exportColumns()
{
    static const std::vector<xl::ExportColumn> columns = [] {
        std::vector<xl::ExportColumn> made;
        for (std::size_t col = 1; col < gridColumns.size(); ++col) {
            made.push_back({QString::fromUtf16(gridColumns[col].title), gridColumns[col].column});
        }
        return made;
    }();
    return columns;
}

} // namespace mainwindow
