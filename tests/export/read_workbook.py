"""Prints what a written workbook holds, as JSON, for the export tests.

Reads the workbook with openpyxl, a reader independent of the writer, and prints
{"sheets": n, "cells": [{"row", "column", "value", "type", "align"}...], "widths": {column: width}}
for the active sheet. Only cells present in the file are listed: a cell never written does not appear.
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
            "value": cell.value,
            "type": cell.data_type,
            "align": cell.alignment.horizontal,
        })
    widths = {}
    for key, dimension in sheet.column_dimensions.items():
        if dimension.customWidth:
            for column in range(dimension.min, dimension.max + 1):
                widths[str(column)] = dimension.width
    text = json.dumps({"sheets": len(book.worksheets), "cells": cells, "widths": widths},
                      ensure_ascii=False)
    sys.stdout.buffer.write(text.encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv[1])
