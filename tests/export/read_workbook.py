"""Prints what a written workbook holds, as JSON, for the export tests.

Reads the workbook with openpyxl, a reader independent of the writer, and prints
{"sheets": n, "cells": [{"row", "column", "value", "type", "align", "format", "bold"}...],
"widths": {column: width}, "frozen": top-left cell of the scrolling part, "filter": autofilter range}
for the active sheet; a date cell's value is its ISO date. Only cells present in the file are listed: a cell never written does not appear.
"""
import json
import sys

import openpyxl


def main(path):
    book = openpyxl.load_workbook(path)
    sheet = book.active
    cells = []
    for (row, column), cell in sorted(sheet._cells.items()):
        cells.append({
            "row": row,
            "column": column,
            "value": cell.value.date().isoformat() if cell.is_date else cell.value,
            "type": cell.data_type,
            "align": cell.alignment.horizontal,
            "format": cell.number_format,
            "bold": bool(cell.font.b),
        })
    widths = {}
    for key, dimension in sheet.column_dimensions.items():
        if dimension.customWidth:
            for column in range(dimension.min, dimension.max + 1):
                widths[str(column)] = dimension.width
    text = json.dumps({"sheets": len(book.worksheets), "cells": cells, "widths": widths,
                       "frozen": sheet.freeze_panes, "filter": sheet.auto_filter.ref},
                      ensure_ascii=False)
    sys.stdout.buffer.write(text.encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv[1])
