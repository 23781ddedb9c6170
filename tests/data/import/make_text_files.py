#!/usr/bin/python3
"""Writes the text-table samples of the import tests. Run from this folder: /usr/bin/python3 make_text_files.py

Each file holds the same three orders where it can, as a seller's spreadsheet program or this program's
own export would write them; the tests read them back and compare with the values below.
"""

HEADER = ["商品名称", "买家呢称", "购买数量", "进价", "售价", "销售日期", "快递单号", "备注"]
ORDERS = [
    ["连衣裙 夏季新款", "小王123", "2", "45.50", "89.90", "2026-03-08", "SF1234567890", "包邮"],
    ["T恤 白色", "李四", "1", "19.99", "15.00", "2026-12-04", "YT0000000001", ""],
    ["手机壳", "buyer_tom", "10", "3.20", "9.90", "2025-02-28", "ZTO-778899", "加急"],
]


def table(separator, line_end):
    rows = [HEADER] + ORDERS
    return line_end.join(separator.join(row) for row in rows) + line_end


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


# What Chinese Excel and WPS write by default for "CSV": GBK, no mark, CR LF.
write("orders_gbk.csv", table(",", "\r\n").encode("gbk"))
# UTF-8 with a mark, as this program's export and Excel's "CSV UTF-8" write it.
write("orders_utf8_bom.csv", b"\xef\xbb\xbf" + table(",", "\r\n").encode("utf-8"))
# UTF-8 without a mark and LF line ends, as scripts on a server write it; no line end after the last row.
write("orders_utf8.csv", table(",", "\n").rstrip("\n").encode("utf-8"))
# Excel's "Unicode text": UTF-16 LE with a mark, tab-separated.
write("orders_utf16.txt", b"\xff\xfe" + table("\t", "\r\n").encode("utf-16-le"))
# Tab-separated UTF-8 as a shop backend exports it, old Mac CR line ends.
write("orders_tab.txt", table("\t", "\r").encode("utf-8"))
# Semicolons, as a European spreadsheet program writes a CSV.
write("orders_semicolon.csv", table(";", "\r\n").encode("utf-8"))

# Quoted fields: a comma, doubled quotes, a CR LF and a LF inside quotes; a ragged row; no final line end.
write("quoted.csv", (
    '商品名称,备注\r\n'
    '"裙子, 红色","他说""好"""\r\n'
    '"第一行\r\n第二行",plain\r\n'
    'only one field\r\n'
    '"a\nb",x,extra,fields\r\n'
    '"",,\r\n'
    'last,"no line end"'
).encode("utf-8"))

# One date in three forms per column: year first, day first, month first; day 13 tells the last two apart.
write("dates.csv", (
    "年月日,日月年,月日年\r\n"
    "2026-12-04,04/12/2026,12/04/2026\r\n"
    "2026年1月13日,13.01.2026,01/13/2026\r\n"
    "2026/2/5 13:45:00,5-2-2026,2-5-2026\r\n"
).encode("utf-8"))

# This program's export guards formula-like texts with an apostrophe (export/CsvField.cpp).
write("export_guarded.csv", b"\xef\xbb\xbf" + (
    "商品名称,买家呢称,备注\r\n"
    "'=HYPERLINK(\"x\"),'@home,'-abc\r\n"
    "\"'=1+2,3\",-5.25,'+86 138\r\n"
).encode("utf-8"))

write("empty.csv", b"")

# A PNG's first bytes and some of its body, saved as .csv by mistake.
write("binary.csv", bytes.fromhex("89504e470d0a1a0a0000000d49484452") + bytes(range(256)) * 8)
