#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

namespace exporttest {

// One cell as the independent reader found it in the file.
struct ReadCell
{
    QString value;     // a date as yyyy-mm-dd
    double number = 0; // a number's value
    QString type;      // "s" text, "n" number or empty, "d" date, "f" formula, ...
    QString align;     // "left", ... or empty when the cell carries no alignment
    QString format;    // the number format
    bool bold = false;
};

// What a workbook file holds, read back with openpyxl.
struct ReadSheet
{
    int sheets = 0;
    QMap<QPair<int, int>, ReadCell> cells; // by (row, column), both from 1; only cells in the file
    QMap<int, double> widths;              // set column widths, by column from 1
    QString frozen;                        // the first cell that scrolls ("A2"), empty when none
    QString filter;                        // the autofilter's range ("A1:H4"), empty when none

    bool has(int row, int column) const { return cells.contains({row, column}); }
    ReadCell at(int row, int column) const { return cells.value({row, column}); }
    int maxColumn() const;
    int maxRow() const;
};

// Reads the workbook at path with /usr/bin/python3 and openpyxl. error says why when it could not.
ReadSheet readWorkbook(const QString& path, QString* error);

// Reads the CSV file at path with Python's csv module: its records, each a list of fields.
QList<QStringList> readCsv(const QString& path, QString* error);

} // namespace exporttest
