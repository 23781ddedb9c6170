#!/usr/bin/env python3
"""Prints the arguments a desktop's launcher reads from the Exec= line of a .desktop file, one a line.

Follows the freedesktop.org desktop entry rules: the string escapes first, then the quoting of arguments, then
"%%" as a literal "%". A field code or an unbalanced quote is an error.
"""
import sys


def unescape_string(value):
    out, i = "", 0
    while i < len(value):
        if value[i] == "\\" and i + 1 < len(value):
            out += {"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}.get(value[i + 1], "\\" + value[i + 1])
            i += 2
        else:
            out += value[i]
            i += 1
    return out


def split_arguments(value):
    args, current, i, quoted, started = [], "", 0, False, False
    while i < len(value):
        c = value[i]
        if quoted:
            if c == "\\" and i + 1 < len(value) and value[i + 1] in '"`$\\':
                current += value[i + 1]
                i += 2
                continue
            if c in "`$\\":
                sys.exit(f"unescaped {c!r} inside quotes")
            if c == '"':
                quoted = False
            else:
                current += c
        elif c == '"':
            quoted, started = True, True
        elif c == " ":
            if started:
                args.append(current)
            current, started = "", False
        else:
            current += c
            started = True
        i += 1
    if quoted:
        sys.exit("unbalanced quote")
    if started:
        args.append(current)
    result = []
    for a in args:
        if "%" in a.replace("%%", ""):
            sys.exit(f"field code in {a!r}")
        result.append(a.replace("%%", "%"))
    return result


for line in open(sys.argv[1], encoding="utf-8"):
    if line.startswith("Exec="):
        for arg in split_arguments(unescape_string(line.rstrip("\n")[5:])):
            print(arg)
        break
else:
    sys.exit("no Exec= line")
