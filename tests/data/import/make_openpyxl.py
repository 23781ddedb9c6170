#!/usr/bin/python3
"""Writes orders_openpyxl.xlsx and orders_1904.xlsx with openpyxl (Debian's python3-openpyxl 3.0.9).

Run from this folder: /usr/bin/python3 make_openpyxl.py
openpyxl writes every text as an inline string and names each number format in styles.xml; the orders
sheet is the first tab, a second sheet follows it.
"""
import datetime

import openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904

wb = openpyxl.Workbook()
orders = wb.active
orders.title = "订单"
wb.create_sheet("说明")["A1"] = "这张表不是订单"

orders.append(["商品名称", "买家呢称", "购买数量", "进价", "售价", "销售日期", "快递单号", "备注"])
orders.append(["连衣裙 夏季新款", "小王123", 2, 45.5, 89.9, datetime.date(2026, 3, 8), "SF1234567890", "包邮"])
orders.append(["T恤 白色", "李四", 1, 19.99, 15, datetime.datetime(2026, 12, 4, 13, 45), "YT0000000001", None])
orders["F3"].number_format = "yyyy/m/d h:mm"
orders.append(["手机壳", "buyer_tom", 10, 3.2, 9.9, datetime.date(2025, 2, 28), 778899, True])
orders["F4"].number_format = 'yyyy"年"m"月"d"日"'
# Row 5 left empty; row 6 has gaps: goods in A, a date in F, a time of day alone in H.
orders["A6"] = "只有商品"
orders["F6"] = datetime.date(1900, 3, 1)
orders["H6"] = datetime.time(9, 30)
# A number in a currency format is no date, whatever letters its literal text holds.
orders["D6"] = 1234.5
orders["D6"].number_format = '"¥"#,##0.00;[Red]"-¥"#,##0.00'
orders["AA7"] = "far right"
wb.save("orders_openpyxl.xlsx")

mac = openpyxl.Workbook()
mac.epoch = CALENDAR_MAC_1904
sheet = mac.active
sheet.append(["销售日期"])
sheet.append([datetime.date(2026, 12, 4)])
sheet.append([datetime.date(1904, 1, 1)])
mac.save("orders_1904.xlsx")
