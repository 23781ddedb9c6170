#!/usr/bin/python3
"""Writes the .xlsx and OLE samples that no spreadsheet library here writes on request.

Run from this folder after make_openpyxl.py: /usr/bin/python3 make_handmade_xlsx.py

- handmade.xlsx: the XML forms Excel and WPS write that openpyxl and libxlsxwriter do not: a workbook part
  not named workbook.xml, a hidden sheet and a decoy sheet1.xml before the orders sheet in the file, an
  r:id under another prefix, rich text runs with a phonetic guide, _xHHHH_ escapes, cells without r, a
  duration, an error, an ISO date cell, the serial 60 (1900-02-29), a cell in the last column XFD.
- bad_checksum.xlsx: handmade.xlsx with the orders sheet stored uncompressed and one digit changed after
  the checksum was taken: well-formed XML whose CRC is wrong.
- truncated.xlsx: the first 60 % of orders_openpyxl.xlsx, as a broken download leaves it.
- encrypted.xlsx: an OLE compound file with the EncryptionInfo and EncryptedPackage streams that Excel
  writes for a workbook with an opening password (the streams hold random bytes: nothing reads them).
- ole_garbage.xls: the OLE signature followed by random bytes.
- not_a_workbook.xlsx, no_sheet.xlsx: a zip of another kind, and a workbook without a worksheet.
- rows_backwards.xlsx: a sheet whose row numbers go back.
"""
import datetime
import random
import struct
import zipfile

SERIAL_2026_12_04 = (datetime.date(2026, 12, 4) - datetime.date(1899, 12, 30)).days

CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/book.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/orders.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/worksheets/hidden.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/strings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>
</Types>"""

PACKAGE_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/book.xml"/>
</Relationships>"""

WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:rel="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<workbookPr defaultThemeVersion="124226"/>
<sheets>
<sheet name="隐藏" sheetId="3" state="hidden" rel:id="rId3"/>
<sheet name="订单" sheetId="1" rel:id="rId1"/>
<sheet name="Sheet1" sheetId="2" rel:id="rId2"/>
</sheets>
</workbook>"""

WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet1.xml"/>
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/orders.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/hidden.xml"/>
<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="strings.xml"/>
<Relationship Id="rId5" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
<Relationship Id="rId6" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink" Target="http://example.invalid/" TargetMode="External"/>
</Relationships>"""

SHARED_STRINGS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="4" uniqueCount="4">
<si><t>商品名称</t></si>
<si><r><rPr><b/><color rgb="FFFF0000"/></rPr><t>红色</t></r><r><t xml:space="preserve"> 连衣裙</t></r><rPh sb="0" eb="2"><t>あか</t></rPh><phoneticPr fontId="1"/></si>
<si><t>第一行_x000D_
第二行</t></si>
<si><t/></si>
</sst>"""

# cellStyleXfs comes first and holds a date format: a reader that counts its <xf> misplaces every style.
STYLES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="3">
<numFmt numFmtId="176" formatCode="[$-804]yyyy&quot;年&quot;m&quot;月&quot;d&quot;日&quot;"/>
<numFmt numFmtId="177" formatCode="[h]:mm:ss"/>
<numFmt numFmtId="178" formatCode="0.00&quot;元&quot;"/>
</numFmts>
<cellStyleXfs count="2"><xf numFmtId="0"/><xf numFmtId="14"/></cellStyleXfs>
<cellXfs count="6">
<xf numFmtId="0" xfId="0"/>
<xf numFmtId="14" xfId="0" applyNumberFormat="1"/>
<xf numFmtId="176" xfId="0" applyNumberFormat="1"/>
<xf numFmtId="177" xfId="0" applyNumberFormat="1"/>
<xf numFmtId="22" xfId="0" applyNumberFormat="1"/>
<xf numFmtId="178" xfId="0" applyNumberFormat="1"/>
</cellXfs>
</styleSheet>"""

ORDERS = f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<sheetData>
<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="inlineStr"><is><r><t>销售</t></r><r><rPr><i/></rPr><t>日期</t></r></is></c><c r="C1" t="str"><f>"备"&amp;"注"</f><v>备注</v></c></row>
<row r="3"><c t="s"><v>1</v></c><c s="1"><v>{SERIAL_2026_12_04}</v></c><c t="s"><v>2</v></c><c t="s"><v>3</v></c></row>
<row r="4"><c r="A4" t="b"><v>1</v></c><c r="B4" s="2"><v>{SERIAL_2026_12_04}.75</v></c><c r="C4" s="3"><v>1.5</v></c><c r="D4" t="e"><v>#N/A</v></c><c r="E4" t="d"><v>2026-12-04T00:00:00</v></c><c r="F4" s="4"><v>60</v></c><c r="G4"><f>SUM(1,2)</f><v>3</v></c></row>
<row r="5"><c r="A5" s="1"/><c r="B5" t="s"><v>3</v></c></row>
<row r="6"><c r="XFD6" t="inlineStr"><is><t>last column</t></is></c></row>
<row r="7"><c r="A7" s="5"><v>12.5</v></c><c r="B7" s="4"><v>{SERIAL_2026_12_04}.5</v></c></row>
</sheetData>
</worksheet>"""


def decoy(text):
    return f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="inlineStr"><is><t>{text}</t></is></c></row></sheetData></worksheet>"""


def write_workbook(name, orders_xml, stored=False):
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", CONTENT_TYPES)
        z.writestr("_rels/.rels", PACKAGE_RELS)
        z.writestr("xl/book.xml", WORKBOOK)
        z.writestr("xl/_rels/book.xml.rels", WORKBOOK_RELS)
        z.writestr("xl/strings.xml", SHARED_STRINGS)
        z.writestr("xl/styles.xml", STYLES)
        z.writestr("xl/worksheets/sheet1.xml", decoy("WRONG SHEET"))
        z.writestr("xl/worksheets/hidden.xml", decoy("HIDDEN SHEET"))
        z.writestr("xl/worksheets/orders.xml", orders_xml,
                   compress_type=zipfile.ZIP_STORED if stored else zipfile.ZIP_DEFLATED)


write_workbook("handmade.xlsx", ORDERS)

write_workbook("bad_checksum.xlsx", ORDERS, stored=True)
with open("bad_checksum.xlsx", "r+b") as f:
    data = f.read()
    at = data.index(b"<v>12.5</v>")
    f.seek(at + 3)
    f.write(b"9")

with open("orders_openpyxl.xlsx", "rb") as f:
    whole = f.read()
with open("truncated.xlsx", "wb") as f:
    f.write(whole[: len(whole) * 6 // 10])


def compound_file(streams):
    """A version 3 compound file with 512-byte sectors holding the given streams (each 4096 bytes or more,
    so that none goes to the mini stream), one FAT sector and one directory sector."""
    ENDOFCHAIN, FATSECT, FREE, NOSTREAM = 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFF, 0xFFFFFFFF
    fat = [FATSECT, ENDOFCHAIN]
    starts = []
    body = b""
    for _, data in streams:
        assert len(data) % 512 == 0 and len(data) >= 4096
        first = len(fat)
        count = len(data) // 512
        starts.append(first)
        fat += [first + i + 1 for i in range(count - 1)] + [ENDOFCHAIN]
        body += data
    assert len(fat) <= 128
    fat += [FREE] * (128 - len(fat))

    def entry(name, kind, left, right, child, start, size):
        encoded = (name + "\0").encode("utf-16-le") if name else b""
        return (encoded.ljust(64, b"\0") + struct.pack("<HBB", len(encoded), kind, 1) +
                struct.pack("<III", left, right, child) + bytes(16) + struct.pack("<IQQ", 0, 0, 0) +
                struct.pack("<IQ", start, size))

    directory = entry("Root Entry", 5, NOSTREAM, NOSTREAM, 1, ENDOFCHAIN, 0)
    for i, (name, data) in enumerate(streams):
        right = i + 2 if i + 1 < len(streams) else NOSTREAM
        directory += entry(name, 2, NOSTREAM, right, NOSTREAM, starts[i], len(data))
    while len(directory) < 512:
        directory += entry("", 0, NOSTREAM, NOSTREAM, NOSTREAM, 0, 0)
    header = (bytes.fromhex("D0CF11E0A1B11AE1") + bytes(16) + struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6) +
              bytes(6) + struct.pack("<IIIIIIIII", 0, 1, 1, 0, 4096, ENDOFCHAIN, 0, ENDOFCHAIN, 0) +
              struct.pack("<I", 0) + struct.pack("<I", FREE) * 108)
    assert len(header) == 512
    return header + b"".join(struct.pack("<I", x) for x in fat) + directory + body


rng = random.Random(20261204)
with open("encrypted.xlsx", "wb") as f:
    # The names sort shorter first, as the directory's tree wants: EncryptionInfo, then EncryptedPackage.
    f.write(compound_file([("EncryptionInfo", bytes(rng.getrandbits(8) for _ in range(4096))),
                           ("EncryptedPackage", bytes(rng.getrandbits(8) for _ in range(8192)))]))

with open("ole_garbage.xls", "wb") as f:
    f.write(bytes.fromhex("D0CF11E0A1B11AE1") + bytes(rng.getrandbits(8) for _ in range(4088)))

# A zip that is no workbook (a document of another kind), and a workbook without a worksheet.
with zipfile.ZipFile("not_a_workbook.xlsx", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("word/document.xml", "<document/>")
with zipfile.ZipFile("no_sheet.xlsx", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", CONTENT_TYPES)
    z.writestr("_rels/.rels", PACKAGE_RELS)
    z.writestr("xl/book.xml", WORKBOOK.replace(WORKBOOK[WORKBOOK.index("<sheets>"):WORKBOOK.index("</sheets>")],
                                               "<sheets>"))

# rows_backwards.xlsx: a sheet whose row numbers go back (row 2 twice). No spreadsheet writes one; a reader
# that took it would read rows without end from a small file.
with zipfile.ZipFile("rows_backwards.xlsx", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", CONTENT_TYPES)
    z.writestr("_rels/.rels", PACKAGE_RELS)
    z.writestr("xl/book.xml", """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="订单" sheetId="1" r:id="rId1"/></sheets>
</workbook>""")
    z.writestr("xl/_rels/book.xml.rels", """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/orders.xml"/>
</Relationships>""")
    z.writestr("xl/worksheets/orders.xml", """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="inlineStr"><is><t>商品名称</t></is></c></row>
<row r="2"><c r="A2" t="inlineStr"><is><t>茶杯</t></is></c></row>
<row r="2"><c r="A2" t="inlineStr"><is><t>茶杯</t></is></c></row>
</sheetData></worksheet>""")
