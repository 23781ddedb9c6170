"""Writes a damaged copy of a workbook, the way a full disk leaves one, for the export tests.

usage: tamper_workbook.py GOOD BAD MODE
modes: drop-row (the sheet loses its last row), empty-part (one part is empty), footer-only (the sheet
keeps only its end), bad-checksum (a byte of the sheet changes after packing), not-a-zip.
"""
import sys
import zipfile

SHEET = "xl/worksheets/sheet1.xml"


def rewrite(good, bad, change, method=zipfile.ZIP_DEFLATED):
    with zipfile.ZipFile(good) as source, zipfile.ZipFile(bad, "w", method) as target:
        for info in source.infolist():
            target.writestr(info.filename, change(info.filename, source.read(info.filename)))


def drop_row(name, data):
    if name != SHEET:
        return data
    start = data.rfind(b"<row ")
    end = data.rfind(b"</row>") + len(b"</row>")
    return data[:start] + data[end:]


def main(good, bad, mode):
    if mode == "drop-row":
        rewrite(good, bad, drop_row)
    elif mode == "empty-part":
        rewrite(good, bad, lambda name, data: b"" if name == "[Content_Types].xml" else data)
    elif mode == "footer-only":
        rewrite(good, bad, lambda name, data: data[data.find(b"</sheetData>"):] if name == SHEET else data)
    elif mode == "bad-checksum":
        rewrite(good, bad, lambda name, data: data, zipfile.ZIP_STORED)
        raw = bytearray(open(bad, "rb").read())
        at = raw.find(b"<row ")
        raw[at + 1:at + 4] = b"ROW"
        open(bad, "wb").write(bytes(raw))
    elif mode == "not-a-zip":
        open(bad, "wb").write(b"not a workbook at all" * 10)
    else:
        sys.exit("unknown mode " + mode)


if __name__ == "__main__":
    main(*sys.argv[1:4])
