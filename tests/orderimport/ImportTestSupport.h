#pragma once

#include "orderimport/CellValue.h"
#include "orderimport/SheetSource.h"

#include <QString>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

// Failed expectations show texts and cells as a seller would read them.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QDate& date, std::ostream* os)
{
    *os << date.toString(Qt::ISODate).toStdString();
}

namespace importtest {

using orderimport::cellText;
using orderimport::CellValue;

// A committed sample under tests/data/import.
inline QString sample(const char* name)
{
    return QStringLiteral(TALLY_IMPORT_DATA "/") + QString::fromUtf8(name);
}

inline std::vector<orderimport::SheetRow> readAll(const QString& path,
                                                  const orderimport::ReadOptions& options = {})
{
    std::vector<orderimport::SheetRow> rows;
    orderimport::readRows(path, options, [&rows](const orderimport::SheetRow& row) {
        rows.push_back(row);
        return true;
    });
    return rows;
}

// Rows as their cells only, for comparing with a table written out in a test.
inline std::vector<std::vector<CellValue>> cellsOf(const std::vector<orderimport::SheetRow>& rows)
{
    std::vector<std::vector<CellValue>> cells;
    for (const orderimport::SheetRow& row : rows) {
        cells.push_back(row.cells);
    }
    return cells;
}

inline CellValue text(const char16_t* value)
{
    return CellValue(QString::fromUtf16(value));
}

// The three orders every text sample holds (make_text_files.py), all texts, with their header.
inline std::vector<std::vector<CellValue>> sampleOrdersAsText()
{
    const auto row = [](std::initializer_list<const char16_t*> values) {
        std::vector<CellValue> cells;
        for (const char16_t* value : values) {
            cells.push_back(*value ? text(value) : CellValue());
        }
        orderimport::trimRow(cells);
        return cells;
    };
    return {
        row({u"商品名称", u"买家呢称", u"购买数量", u"进价", u"售价", u"销售日期", u"快递单号", u"备注"}),
        row({u"连衣裙 夏季新款", u"小王123", u"2", u"45.50", u"89.90", u"2026-03-08", u"SF1234567890",
             u"包邮"}),
        row({u"T恤 白色", u"李四", u"1", u"19.99", u"15.00", u"2026-12-04", u"YT0000000001", u""}),
        row({u"手机壳", u"buyer_tom", u"10", u"3.20", u"9.90", u"2025-02-28", u"ZTO-778899", u"加急"}),
    };
}

} // namespace importtest
