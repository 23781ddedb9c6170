"""Prints the records of a CSV file as JSON, for the export tests.

Reads the file with Python's csv module as a spreadsheet's import would: UTF-8 after its byte-order mark,
RFC 4180 quoting (strict: a stray quote is an error). Prints [[field, ...], ...].
"""
import csv
import json
import sys


def main(path):
    with open(path, newline="", encoding="utf-8-sig") as f:
        rows = list(csv.reader(f, strict=True))
    sys.stdout.buffer.write(json.dumps(rows, ensure_ascii=False).encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv[1])
