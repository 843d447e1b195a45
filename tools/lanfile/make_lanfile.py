#!/usr/bin/env python3
"""Turns the readable language-file source (UTF-8, LF) into the bytes the
installer carries: UTF-16LE with a byte-order mark, CR LF line ends, and six
empty lines after the last key line."""
import sys

TRAILING_EMPTY_LINES = 6


def convert(text: str) -> bytes:
    lines = text.replace("\r\n", "\n").rstrip("\n").split("\n")
    body = "\r\n".join(lines) + "\r\n" + "\r\n" * TRAILING_EMPTY_LINES
    return b"\xff\xfe" + body.encode("utf-16-le")


def main() -> int:
    if len(sys.argv) != 3:
        print("usage: make_lanfile.py SOURCE OUTPUT", file=sys.stderr)
        return 2
    with open(sys.argv[1], encoding="utf-8") as src:
        data = convert(src.read())
    with open(sys.argv[2], "wb") as out:
        out.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
