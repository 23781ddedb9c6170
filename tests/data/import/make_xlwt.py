#!/usr/bin/python3
"""Writes orders_xlwt.xls, an Excel 97-2003 workbook, with xlwt (Debian's python3-xlwt 1.3.0).

Run from this folder: apt-get install python3-xlwt; /usr/bin/python3 make_xlwt.py
The build machines lack xlwt: the tests read the committed file.
"""
import datetime

import xlwt

book = xlwt.Workbook(encoding="utf-8")
orders = book.add_sheet("订单")
book.add_sheet("说明").write(0, 0, "这张表不是订单")
day = xlwt.easyxf(num_format_str="YYYY-MM-DD")
moment = xlwt.easyxf(num_format_str="YYYY/M/D h:mm")
clock = xlwt.easyxf(num_format_str="h:mm")

header = ["商品名称", "买家呢称", "购买数量", "进价", "售价", "销售日期", "快递单号", "备注"]
for column, text in enumerate(header):
    orders.write(0, column, text)
rows = [
    ["连衣裙 夏季新款", "小王123", 2, 45.5, 89.9, datetime.date(2026, 3, 8), "SF1234567890", "包邮"],
    ["T恤 白色", "李四", 1, 19.99, 15, datetime.datetime(2026, 12, 4, 13, 45), "YT0000000001", None],
    ["手机壳", "buyer_tom", 10, 3.2, 9.9, datetime.date(2025, 2, 28), 778899, "加急"],
]
for r, row in enumerate(rows, start=1):
    for column, value in enumerate(row):
        if value is None:
            continue
        if isinstance(value, datetime.datetime):
            orders.write(r, column, value, moment)
        elif isinstance(value, datetime.date):
            orders.write(r, column, value, day)
        else:
            orders.write(r, column, value)
# Row 5 (index 4) left empty; row 6 has a gap and a time of day alone.
orders.write(5, 0, "只有商品")
orders.write(5, 7, datetime.time(9, 30), clock)
book.save("orders_xlwt.xls")
